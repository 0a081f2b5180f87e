#include "process/undo_history.h"
#include "support/fake_message_service.h"
#include "support/small_disk.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// A document's store whose first sample tells which edit it is at.
std::unique_ptr<CSampleStore> StoreAt(int edit, uint32_t frames = 10) {
    auto store = std::make_unique<CSampleStore>();
    EXPECT_TRUE(store->Create(STORE_MEMORY, "", 16, 1, 8000, false));
    std::vector<int16_t> data(frames, int16_t(edit));
    EXPECT_TRUE(store->AppendData(data.data(), frames * 2));
    return store;
}

int EditOf(const CSampleStore& store) {
    int16_t v = 0;
    const_cast<CSampleStore&>(store).ReadData(0, &v, 2);
    return v;
}

void Edit(std::unique_ptr<CSampleStore>& store, int edit) {
    const int16_t v = int16_t(edit);
    ASSERT_TRUE(store->WriteData(0, &v, 2));
}

} // namespace

TEST(UndoHistory, KeepsTheNewestStatesAndRestoresThemNewestFirst) {
    CUndoHistory history;
    auto document = StoreAt(0);
    for (int edit = 1; edit <= 4; ++edit) {
        ASSERT_EQ(history.SaveUndoState(*document, 3, ""), CUndoHistory::SaveResult::Saved);
        Edit(document, edit);
    }
    ASSERT_EQ(history.GetCount(), 3u);
    EXPECT_EQ(EditOf(*history.GetState(0)), 1); // the states before edits 2, 3 and 4
    EXPECT_EQ(EditOf(*history.GetState(1)), 2);
    EXPECT_EQ(EditOf(*history.GetState(2)), 3);
    EXPECT_EQ(history.Undo(document), 11u);
    EXPECT_EQ(EditOf(*document), 3);
    EXPECT_EQ(history.Undo(document), 11u);
    EXPECT_EQ(EditOf(*document), 2);
    EXPECT_EQ(history.Undo(document), 11u);
    EXPECT_EQ(EditOf(*document), 1);
    EXPECT_EQ(history.Undo(document), 0u);
    EXPECT_EQ(EditOf(*document), 1);
}

TEST(UndoHistory, CountZeroCopiesNothingAndStatesLiveWhereTheClipboardPathSays) {
    TempDir dir;
    CUndoHistory history;
    auto document = StoreAt(0);
    EXPECT_EQ(history.SaveUndoState(*document, 0, dir.Path()), CUndoHistory::SaveResult::Off);
    EXPECT_EQ(history.GetCount(), 0u);
    ASSERT_EQ(history.SaveUndoState(*document, 2, dir.Path()), CUndoHistory::SaveResult::Saved);
    EXPECT_EQ(history.GetState(0)->GetStorageMode(), STORE_TEMPFILE);
    EXPECT_EQ(dir.Files().size(), 1u);
    EXPECT_EQ(history.GetState(0)->m_progressTextId, 1059u);
    history.ClearUndoHistory();
    EXPECT_EQ(history.GetCount(), 0u);
    EXPECT_TRUE(dir.Files().empty());
    ASSERT_EQ(history.SaveUndoState(*document, 2, ""), CUndoHistory::SaveResult::Saved);
    EXPECT_EQ(history.GetState(0)->GetStorageMode(), STORE_MEMORY);
}

TEST(UndoHistory, HintTellsHowMuchChanged) {
    CUndoHistory history;
    auto document = StoreAt(0, 10);
    history.SaveUndoState(*document, 5, "");
    ASSERT_TRUE(document->InsertTrack(0));
    history.SaveUndoState(*document, 5, "");
    ASSERT_TRUE(document->DeleteBlock(nullptr, 0, 4));
    EXPECT_EQ(history.Undo(document), 4u);
    EXPECT_EQ(document->GetFrameCount(), 10u);
    EXPECT_EQ(history.Undo(document), 1u);
    EXPECT_EQ(document->GetTrackCount(), 1u);
}

TEST(UndoHistory, FailedCopyOnAFullDiskLeavesTheHistoryAsItWas) {
    SmallDisk disk(128 * 1024);
    FakeMessageService messages;
    CUndoHistory history;
    auto document = StoreAt(7, 30000); // 60000 bytes: two copies fit, the third does not
    ASSERT_EQ(history.SaveUndoState(*document, 2, disk.Path()), CUndoHistory::SaveResult::Saved);
    Edit(document, 8);
    ASSERT_EQ(history.SaveUndoState(*document, 3, disk.Path()), CUndoHistory::SaveResult::Saved);
    Edit(document, 9);
    EXPECT_EQ(history.SaveUndoState(*document, 3, disk.Path()), CUndoHistory::SaveResult::Failed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Destination disk drive is full.");
    ASSERT_EQ(history.GetCount(), 2u);
    EXPECT_EQ(EditOf(*history.GetState(0)), 7);
    EXPECT_EQ(EditOf(*history.GetState(1)), 8);
    EXPECT_EQ(disk.FileCount(), 2u);
}

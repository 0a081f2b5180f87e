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
    EXPECT_EQ(history.Undo(document, ""), 11u);
    EXPECT_EQ(EditOf(*document), 3);
    EXPECT_EQ(history.Undo(document, ""), 11u);
    EXPECT_EQ(EditOf(*document), 2);
    EXPECT_EQ(history.Undo(document, ""), 11u);
    EXPECT_EQ(EditOf(*document), 1);
    EXPECT_EQ(history.Undo(document, ""), 0u);
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
    EXPECT_EQ(history.Undo(document, ""), 4u);
    EXPECT_EQ(document->GetFrameCount(), 10u);
    EXPECT_EQ(history.Undo(document, ""), 1u);
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

TEST(UndoHistory, RedoWalksForwardAgainAndANewStateEndsIt) {
    TempDir dir;
    CUndoHistory history;
    auto document = StoreAt(0);
    for (int edit = 1; edit <= 3; ++edit) {
        ASSERT_EQ(history.SaveUndoState(*document, 3, dir.Path()), CUndoHistory::SaveResult::Saved);
        Edit(document, edit);
    }
    EXPECT_EQ(history.Redo(document, dir.Path()), 0u); // nothing undone yet
    EXPECT_EQ(EditOf(*document), 3);
    ASSERT_EQ(history.Undo(document, dir.Path()), 11u);
    ASSERT_EQ(history.Undo(document, dir.Path()), 11u);
    EXPECT_EQ(EditOf(*document), 1);
    ASSERT_EQ(history.GetRedoCount(), 2u);
    EXPECT_EQ(EditOf(*history.GetRedoState(0)), 3); // the newest sound is the oldest redo state
    EXPECT_EQ(EditOf(*history.GetRedoState(1)), 2);
    EXPECT_EQ(history.GetRedoState(1)->GetStorageMode(), STORE_TEMPFILE); // kept on the clipboard path
    EXPECT_EQ(history.GetRedoState(1)->m_progressTextId, 1059u);
    EXPECT_EQ(dir.Files().size(), 4u); // one undo state, the sound (a former undo state) and two redo states

    EXPECT_EQ(history.Redo(document, dir.Path()), 11u);
    EXPECT_EQ(EditOf(*document), 2);
    ASSERT_EQ(history.GetCount(), 2u);
    EXPECT_EQ(EditOf(*history.GetState(1)), 1);
    EXPECT_EQ(history.GetRedoCount(), 1u);

    // a new change drops the redo states; the count limit counts the undo states only
    Edit(document, 4);
    ASSERT_EQ(history.SaveUndoState(*document, 3, dir.Path()), CUndoHistory::SaveResult::Saved);
    history.CommitUndoState();
    EXPECT_EQ(history.GetRedoCount(), 0u);
    EXPECT_EQ(history.GetCount(), 3u);
    EXPECT_EQ(history.Redo(document, dir.Path()), 0u);
    EXPECT_EQ(EditOf(*document), 4);
    EXPECT_EQ(dir.Files().size(), 4u); // three undo states and the sound
    history.ClearUndoHistory();
    EXPECT_EQ(dir.Files().size(), 1u);
}

TEST(UndoHistory, AChangeThatFailsPutsBackTheRedoAndTheOldestStatesItsStateDisplaced) {
    TempDir dir;
    CUndoHistory history;
    auto document = StoreAt(0);
    for (int edit = 1; edit <= 2; ++edit) {
        ASSERT_EQ(history.SaveUndoState(*document, 2, dir.Path()), CUndoHistory::SaveResult::Saved);
        history.CommitUndoState();
        Edit(document, edit);
    }
    ASSERT_EQ(history.Undo(document, dir.Path()), 11u); // undo: 0; redo: 2; the sound: 1
    const std::size_t files = dir.Files().size();

    // the state for a change that then fails (disk full, ESC) goes again, and the redo state is back
    ASSERT_EQ(history.SaveUndoState(*document, 2, dir.Path()), CUndoHistory::SaveResult::Saved);
    EXPECT_EQ(history.GetRedoCount(), 0u);
    history.DropNewestUndoState();
    ASSERT_EQ(history.GetCount(), 1u);
    EXPECT_EQ(EditOf(*history.GetState(0)), 0);
    ASSERT_EQ(history.GetRedoCount(), 1u);
    EXPECT_EQ(dir.Files().size(), files);
    ASSERT_EQ(history.Redo(document, dir.Path()), 11u);
    EXPECT_EQ(EditOf(*document), 2);

    // at the count the oldest state leaves for the new one, and comes back when the change fails
    ASSERT_EQ(history.GetCount(), 2u);
    ASSERT_EQ(history.SaveUndoState(*document, 2, dir.Path()), CUndoHistory::SaveResult::Saved);
    EXPECT_EQ(EditOf(*history.GetState(0)), 1);
    history.DropNewestUndoState();
    ASSERT_EQ(history.GetCount(), 2u);
    EXPECT_EQ(EditOf(*history.GetState(0)), 0);
    EXPECT_EQ(EditOf(*history.GetState(1)), 1);

    // a change that went through deletes them for good: the oldest state's file goes
    const std::size_t before = dir.Files().size();
    ASSERT_EQ(history.SaveUndoState(*document, 2, dir.Path()), CUndoHistory::SaveResult::Saved);
    EXPECT_EQ(dir.Files().size(), before + 1); // the new state, and the displaced one still held
    history.CommitUndoState();
    EXPECT_EQ(dir.Files().size(), before);
    history.DropNewestUndoState(); // after the commit a drop only takes the newest
    ASSERT_EQ(history.GetCount(), 1u);
    EXPECT_EQ(EditOf(*history.GetState(0)), 1);
}

TEST(UndoHistory, RedoRestoresLengthAndTracksWithTheirHints) {
    CUndoHistory history;
    auto document = StoreAt(0, 10);
    history.SaveUndoState(*document, 5, "");
    ASSERT_TRUE(document->InsertTrack(0));
    history.SaveUndoState(*document, 5, "");
    ASSERT_TRUE(document->DeleteBlock(nullptr, 0, 4));
    ASSERT_EQ(history.Undo(document, ""), 4u);
    ASSERT_EQ(history.Undo(document, ""), 1u);
    EXPECT_EQ(history.Redo(document, ""), 1u);
    EXPECT_EQ(document->GetTrackCount(), 2u);
    EXPECT_EQ(document->GetFrameCount(), 10u);
    EXPECT_EQ(history.Redo(document, ""), 4u);
    EXPECT_EQ(document->GetFrameCount(), 5u);
}

TEST(UndoHistory, AFullDiskLetsUndoGoOnWithoutRedoAndStopsRedo) {
    SmallDisk disk(128 * 1024);
    FakeMessageService messages;
    CUndoHistory history;
    auto document = StoreAt(7, 30000); // 60000 bytes: two copies fit, the third does not
    ASSERT_EQ(history.SaveUndoState(*document, 2, disk.Path()), CUndoHistory::SaveResult::Saved);
    Edit(document, 8);
    ASSERT_EQ(history.SaveUndoState(*document, 2, disk.Path()), CUndoHistory::SaveResult::Saved);
    Edit(document, 9);

    // the redo copy of 9 does not fit: the undo still happens, without a redo state
    EXPECT_EQ(history.Undo(document, disk.Path()), 11u);
    EXPECT_EQ(EditOf(*document), 8);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(history.GetRedoCount(), 0u);
    EXPECT_EQ(history.GetCount(), 1u);

    history.ClearUndoHistory();

    // one undo state on the disk; Undo copies the sound there as the redo state, filling the disk
    document = StoreAt(7, 30000);
    ASSERT_EQ(history.SaveUndoState(*document, 2, disk.Path()), CUndoHistory::SaveResult::Saved);
    Edit(document, 8);
    ASSERT_EQ(history.Undo(document, disk.Path()), 11u);
    EXPECT_EQ(EditOf(*document), 7);
    ASSERT_EQ(history.GetRedoCount(), 1u);
    EXPECT_EQ(disk.FileCount(), 2u); // the sound (the former undo state) and the redo state

    // the undo copy of 7 would be a third file: Redo refuses and changes nothing
    EXPECT_EQ(history.Redo(document, disk.Path()), 0u);
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(EditOf(*document), 7);
    ASSERT_EQ(history.GetRedoCount(), 1u);
    EXPECT_EQ(EditOf(*history.GetRedoState(0)), 8);
    EXPECT_EQ(history.GetCount(), 0u);
    EXPECT_EQ(disk.FileCount(), 2u);
}

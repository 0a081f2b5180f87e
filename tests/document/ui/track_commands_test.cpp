#include "document/ui/document_fixture.h"
#include "document/update_hints.h"
#include "resources/command_ids.h"

using namespace ondrix;
using namespace ondrix::test;

namespace {

class TrackCommandsTest : public DocumentFixture {};

TEST_F(TrackCommandsTest, AtOneAndAtThirtyTwoTracks) {
    MakeSound(1, 100);
    EXPECT_FALSE(Enabled(cmd::kDeleteTrack));
    EXPECT_TRUE(Enabled(cmd::kInsertTrackAfter));
    EXPECT_TRUE(Run(cmd::kInsertTrackAfter));
    EXPECT_EQ(doc->GetStore()->GetTrackCount(), 2u);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(host.status[1], "Tr. 1/2");
    EXPECT_EQ(log->Take().back().first, HINT_TRACKS);
    EXPECT_TRUE(Enabled(cmd::kDeleteTrack));

    MakeSound(32, 100, 8);
    EXPECT_FALSE(Enabled(cmd::kInsertTrackAfter));
    EXPECT_FALSE(Enabled(cmd::kInsertTrackBefore));
    EXPECT_TRUE(Enabled(cmd::kDeleteTrack));
    EXPECT_FALSE(Run(cmd::kInsertTrackBefore)); // a disabled command does not run
    EXPECT_EQ(doc->GetStore()->GetTrackCount(), 32u);
}

TEST_F(TrackCommandsTest, InsertBeforeTheCurrentTrack) {
    MakeSound(2, 50);
    doc->SetCurrentTrack(1);
    Run(cmd::kInsertTrackBefore);
    ASSERT_EQ(doc->GetStore()->GetTrackCount(), 3u);
    EXPECT_EQ(Track16(*doc->GetStore(), 1), std::vector<int16_t>(50, 0)); // the new silent track
    EXPECT_EQ(Track16(*doc->GetStore(), 2)[1], int16_t(11));              // the old track 1
    EXPECT_EQ(doc->GetCurrentTrack(), 1u); // the index stays: now the new track
}

TEST_F(TrackCommandsTest, DeleteAsksAndOnlyYesDeletes) {
    MakeSound(3, 100);
    doc->SetCurrentTrack(1);
    messages.answers = {MsgAnswer::No, MsgAnswer::Cancel, MsgAnswer::Yes};
    Run(cmd::kDeleteTrack);
    Run(cmd::kDeleteTrack);
    EXPECT_EQ(doc->GetStore()->GetTrackCount(), 3u);
    EXPECT_FALSE(doc->IsModified());
    Run(cmd::kDeleteTrack);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text, "Do you really want to delete track 2?");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(messages.shown[0].helpId, 1085u);
    EXPECT_EQ(doc->GetStore()->GetTrackCount(), 2u);
    EXPECT_TRUE(doc->IsModified());
    // the old track 2 (index 2) is now index 1
    EXPECT_EQ(Track16(*doc->GetStore(), 1), [] {
        CSampleStore ref;
        ref.Create(STORE_MEMORY, "", 16, 3, 8000, false);
        FillRamp16(ref, 100);
        return Track16(ref, 2);
    }());
}

TEST_F(TrackCommandsTest, DeletingTheLastTrackMakesTheOneBeforeItCurrent) {
    MakeSound(3, 100);
    doc->SetCurrentTrack(2);
    log->Take();
    messages.answers = {MsgAnswer::Yes};
    ASSERT_TRUE(Run(cmd::kDeleteTrack));
    EXPECT_EQ(messages.shown.at(0).text, "Do you really want to delete track 3?");
    EXPECT_EQ(doc->GetStore()->GetTrackCount(), 2u);
    EXPECT_EQ(doc->GetCurrentTrack(), 1u);
    EXPECT_EQ(host.status[1], "Tr. 2/2");
    const auto hints = log->Take();
    ASSERT_FALSE(hints.empty());
    EXPECT_EQ(hints.back().first, HINT_TRACKS);
}

TEST_F(TrackCommandsTest, AFailedChangeLeavesTheDocumentUnmodifiedAndTellsNobody) {
    MakeSound(2, 100);
    log->Take();
    host.status.clear();
    EXPECT_FALSE(doc->ApplyChange([] { return false; }, HINT_DATA));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(log->Take().empty());
    EXPECT_TRUE(host.status.empty());
    EXPECT_TRUE(doc->ApplyChange([] { return true; }, HINT_DATA));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(log->Take(), (std::vector<std::pair<uint32_t, intptr_t>>{{HINT_DATA, 0}}));
    EXPECT_EQ(host.status[3], "100");
}

} // namespace

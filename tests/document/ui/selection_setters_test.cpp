#include "document/ui/document_fixture.h"
#include "document/update_hints.h"

using namespace ondrix;
using namespace ondrix::test;

namespace {

using Hints = std::vector<std::pair<uint32_t, intptr_t>>;

class SelectionSettersTest : public DocumentFixture {};

TEST_F(SelectionSettersTest, CursorAndBlockSendHint13WithTheOldCursorAndRefreshField2) {
    MakeSound(2, 1000);
    doc->SetCursor(10);
    EXPECT_EQ(log->Take(), (Hints{{HINT_CURSOR_MOVED, 0}}));
    EXPECT_EQ(host.status[2], "10");
    EXPECT_FALSE(doc->HasBlock());

    doc->SetBlock(5, 20);
    EXPECT_EQ(log->Take(), (Hints{{HINT_CURSOR_MOVED, 10}}));
    EXPECT_EQ(host.status[2], "20");
    int32_t first = 0;
    int32_t last = 0;
    doc->GetBlock(first, last);
    EXPECT_EQ(first, 5);
    EXPECT_EQ(last, 20);

    // the cursor is the block's moving end: the anchor stays
    doc->SetCursor(2);
    EXPECT_EQ(log->Take(), (Hints{{HINT_CURSOR_MOVED, 20}}));
    EXPECT_EQ(doc->GetAnchor(), 5);
    doc->GetBlock(first, last);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(last, 5);

    doc->SetBlock(-1, 2); // the block goes, the cursor stays: still a hint, so the views redraw
    EXPECT_FALSE(doc->HasBlock());
    EXPECT_EQ(log->Take(), (Hints{{HINT_CURSOR_MOVED, 2}}));
    doc->GetBlock(first, last);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(last, 2);
}

TEST_F(SelectionSettersTest, ZoomSendsHint5WithTheOldFactorOnlyWhenItChanges) {
    MakeSound(1, 100);
    doc->SetZoom(7);
    EXPECT_EQ(log->Take(), (Hints{{HINT_ZOOM, 0}}));
    doc->SetZoom(7);
    EXPECT_TRUE(log->Take().empty());
    doc->SetZoom(1);
    EXPECT_EQ(log->Take(), (Hints{{HINT_ZOOM, 7}}));
    EXPECT_EQ(doc->GetZoom(), 1);
}

TEST_F(SelectionSettersTest, CurrentTrackRefreshesField1AndSendsHint16OnlyWithABlockOnOneTrack) {
    MakeSound(3, 100);
    host.status.clear();
    doc->SetCurrentTrack(1); // no block: only the field
    EXPECT_EQ(host.status[1], "Tr. 2/3");
    EXPECT_TRUE(log->Take().empty());
    doc->SetCurrentTrack(1); // unchanged: nothing at all
    EXPECT_TRUE(log->Take().empty());

    doc->SetBlock(0, 50);
    log->Take();
    doc->SetCurrentTrack(2); // a block and "&All Tracks" off: the edited track changed
    EXPECT_EQ(log->Take(), (Hints{{HINT_EDIT_STATE, 0}}));
    EXPECT_EQ(host.status[1], "Tr. 3/3");
    EXPECT_TRUE(doc->IsEditedTrack(2));
    EXPECT_FALSE(doc->IsEditedTrack(1));

    g_settings.edit.allTracks = 1; // every edited track: the current one does not change the edit set
    doc->SetCurrentTrack(0);
    EXPECT_TRUE(log->Take().empty());
    EXPECT_EQ(host.status[1], "Tr. 1/3");
}

TEST_F(SelectionSettersTest, NoFieldIsWrittenWhileTheHostHasNoStatus) {
    MakeSound(2, 100);
    host.status.clear();
    host.statusAvailable = false;
    doc->SetCurrentTrack(1);
    doc->SetCursor(40);
    EXPECT_TRUE(host.status.empty());
    EXPECT_EQ(doc->GetCursor(), 40);
    EXPECT_EQ(doc->GetCurrentTrack(), 1u);
    host.statusAvailable = true;
    doc->UpdateStatus(0);
    EXPECT_EQ(host.status[1], "Tr. 2/2");
    EXPECT_EQ(host.status[2], "40");
    EXPECT_EQ(host.status[3], "100");
    EXPECT_EQ(host.status[4], "400 Byte");
}

TEST_F(SelectionSettersTest, ANewSoundStartsWithoutBlockAtTheFirstTrackAndFitted) {
    MakeSound(2, 100);
    doc->SetBlock(10, 20);
    doc->SetZoom(4);
    doc->SetCurrentTrack(1);
    ASSERT_TRUE(doc->CreateNew(16, 2, 8000, true));
    EXPECT_EQ(log->Take().back().first, HINT_NEW_SOUND);
    EXPECT_FALSE(doc->HasBlock());
    EXPECT_EQ(doc->GetCursor(), 0);
    EXPECT_EQ(doc->GetZoom(), 0);
    EXPECT_EQ(doc->GetCurrentTrack(), 0u);
}

} // namespace

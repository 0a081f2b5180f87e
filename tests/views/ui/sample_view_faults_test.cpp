#include "views/ui/sample_view_fixture.h"

#include <QScrollBar>

using namespace ondrix;
using namespace ondrix::test;

namespace {

using SampleViewFaultsTest = SampleViewFixture;

TEST_F(SampleViewFaultsTest, AnEmptySoundPaintsItsRulerAndLanesAtOnce) {
    doc = std::make_unique<COndrixDoc>(nullptr);
    ASSERT_TRUE(doc->CreateNew(16, 2, 44100, true)); // a new document is empty
    view = std::make_unique<CSampleView>(doc.get());
    view->resize(400, 200);
    view->show();
    ProcessPendingEvents();
    ASSERT_NE(view->Ruler(), nullptr);
    EXPECT_TRUE(view->Ruler()->LabelledTicks().empty());
    EXPECT_FALSE(view->grab().isNull()); // the first paint returns
    EXPECT_EQ(view->Lane(0)->Mapping().PixelToFrame(200), 0);
}

TEST_F(SampleViewFaultsTest, ACollapsedViewMapsToFrameZeroAndDoesNotZoomIntoTheBlock) {
    Open(
        100000, 1, 16, [](uint32_t, uint32_t) { return 0; }, 300, 120);
    view->resize(0, 120);
    ProcessPendingEvents();
    ASSERT_EQ(view->Lane(0)->width(), 0);
    EXPECT_EQ(view->Lane(0)->Mapping().PixelToFrame(10), 0);
    doc->SetBlock(2000, 2999);
    doc->UpdateAllViews(nullptr, HINT_ZOOM_BLOCK);
    EXPECT_EQ(doc->GetZoom(), 0);
    EXPECT_EQ(view->GetScrollColumn(), 0);
}

TEST_F(SampleViewFaultsTest, FewerFramesThanTheZoomHideTheBarAndScrollBack) {
    Open(
        4000, 1, 16, [](uint32_t, uint32_t) { return 0; }, 300, 120);
    doc->SetZoom(4);
    view->ScrollToColumn(500);
    ProcessPendingEvents();
    ASSERT_EQ(view->GetScrollColumn(), 500);
    ASSERT_EQ(view->horizontalScrollBar()->maximum(), 32767);
    ASSERT_TRUE(doc->GetStore()->DeleteBlock(nullptr, 3, 3999)); // 3 frames left at zoom 4
    doc->UpdateAllViews(nullptr, HINT_LENGTH);
    ProcessPendingEvents();
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(view->GetScrollColumn(), 0);
    EXPECT_EQ(view->Lane(0)->GetFirstFrame(), 0u);
    EXPECT_LE(doc->GetCursor(), 2);
    EXPECT_FALSE(view->grab().isNull());
}

TEST_F(SampleViewFaultsTest, WithoutLanesTheDocumentTakesTheBlockAndTheCursor) {
    Open(
        1000, 2, 16, [](uint32_t, uint32_t) { return 0; }, 300, 120);
    doc->GetStore()->m_trackFlags[0] = 0;
    doc->GetStore()->m_trackFlags[1] = 0;
    doc->UpdateAllViews(nullptr, HINT_TRACK_SHOWN);
    ASSERT_EQ(view->LaneCount(), 0);
    EXPECT_EQ(view->Ruler(), nullptr);
    const int32_t range[2] = {100, 200};
    doc->UpdateAllViews(nullptr, HINT_SELECT, reinterpret_cast<intptr_t>(range));
    EXPECT_EQ(doc->GetAnchor(), 100);
    EXPECT_EQ(doc->GetCursor(), 200);
    doc->UpdateAllViews(nullptr, HINT_SET_CURSOR, 5000);
    EXPECT_FALSE(doc->HasBlock());
    EXPECT_EQ(doc->GetCursor(), 999);
    doc->UpdateAllViews(nullptr, HINT_ZOOM_BLOCK);
    EXPECT_EQ(doc->GetZoom(), 0);
}

TEST_F(SampleViewFaultsTest, ThirtyTwoLanesInTheDefaultPaneScrollVertically) {
    Open(
        1000, 32, 16, [](uint32_t f, uint32_t) { return int(f); }, 400, 100);
    ASSERT_EQ(view->LaneCount(), 32);
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(view->Lane(i)->height(), 24) << i;
    }
    QScrollBar* bar = view->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(view->Lane(0)->y(), 23);
    bar->setValue(bar->maximum());
    ProcessPendingEvents();
    CTrackLane* last = view->Lane(31);
    EXPECT_EQ(last->geometry().bottom() + 1, view->viewport()->height());
    EXPECT_EQ(view->Ruler()->y(), 0); // the ruler stays
    view->Lane(31)->setFocus();
    EXPECT_GT(view->Lane(31)->CaretRect().height(), 0);
}

TEST_F(SampleViewFaultsTest, AnUndoThatSwapsTheShownTracksRebuildsTheLanes) {
    Open(
        1000, 3, 16, [](uint32_t, uint32_t) { return 0; }, 300, 200);
    ASSERT_EQ(view->GetLaneTracks(), (std::vector<uint32_t>{0, 1, 2}));
    // the restored store has track 1 hidden; the undo sends only hint 4 (or 11)
    doc->GetStore()->m_trackFlags[1] = TRACK_EDITED;
    doc->UpdateAllViews(nullptr, HINT_LENGTH);
    EXPECT_EQ(view->GetLaneTracks(), (std::vector<uint32_t>{0, 2}));
    doc->GetStore()->m_trackFlags[1] = TRACK_SHOWN;
    doc->GetStore()->m_trackFlags[0] = 0;
    doc->UpdateAllViews(nullptr, HINT_DATA);
    EXPECT_EQ(view->GetLaneTracks(), (std::vector<uint32_t>{1, 2}));
    EXPECT_EQ(view->Lane(0)->GetControlId(), 301);
}

} // namespace

#include "views/ui/sample_view_fixture.h"

#include "resources/command_ids.h"

#include <QScrollBar>

using namespace ondrix;
using namespace ondrix::test;

namespace {

class SampleViewTest : public SampleViewFixture {
protected:
    /// One silent track of a length in a view 300 pixels wide (the lane's width) without the ruler.
    void Silent(uint32_t frames, int width = 300, int height = 120) {
        g_settings.sampleWindow.lineal = 0;
        Open(
            frames, 1, 16, [](uint32_t, uint32_t) { return 0; }, width, height);
    }

    QScrollBar* Bar() const { return view->horizontalScrollBar(); }
};

TEST_F(SampleViewTest, ZoomIntoBlockFitsTheBlockAndScrollsToIt) {
    Silent(100000);
    ASSERT_EQ(view->Lane(0)->width(), 300);
    doc->SetBlock(2000, 2999);
    doc->UpdateAllViews(nullptr, HINT_ZOOM_BLOCK);
    ProcessPendingEvents();
    EXPECT_EQ(doc->GetZoom(), 4); // ceiling(1000 / 300)
    EXPECT_EQ(view->GetScrollColumn(), 500);
    EXPECT_EQ(view->Lane(0)->GetFirstFrame(), 2000u);
    EXPECT_EQ(Bar()->maximum(), 32767);
    EXPECT_EQ(Bar()->value(), 655);
}

TEST_F(SampleViewTest, FullDetailKeepsTheFirstFrameAndAdaptShowsEverything) {
    Silent(100000);
    doc->SetBlock(2000, 2999);
    doc->UpdateAllViews(nullptr, HINT_ZOOM_BLOCK);
    doc->SetZoom(1); // "&Full Detail": column 500 x 4 / 1
    ProcessPendingEvents();
    EXPECT_EQ(view->GetScrollColumn(), 2000);
    EXPECT_EQ(view->Lane(0)->GetFirstFrame(), 2000u);
    EXPECT_EQ(Bar()->value(), 655); // 2000 / 100000 of the range
    doc->SetZoom(0);                // "&Adapt"
    ProcessPendingEvents();
    EXPECT_EQ(view->GetScrollColumn(), 0);
    EXPECT_EQ(view->Lane(0)->GetFirstFrame(), 0u);
    EXPECT_EQ(Bar()->maximum(), 0);
    EXPECT_FALSE(Bar()->isVisible());
}

TEST_F(SampleViewTest, TheKeyTableAtZoomFour) {
    Silent(100000);
    doc->SetZoom(4);
    ProcessPendingEvents();
    Key(Qt::Key_Right);
    EXPECT_EQ(doc->GetCursor(), 4);
    Key(Qt::Key_PageUp); // half of 300 columns
    EXPECT_EQ(doc->GetCursor(), 604);
    Key(Qt::Key_Left);
    EXPECT_EQ(doc->GetCursor(), 600);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(doc->GetCursor(), 0);
    Key(Qt::Key_Left); // clamped at the start
    EXPECT_EQ(doc->GetCursor(), 0);
    Key(Qt::Key_End);
    EXPECT_EQ(doc->GetCursor(), 99999);
    // the cursor's column became the last one: (99999 - 4 x column) / 4 = 299
    EXPECT_EQ(view->GetScrollColumn(), 24700);
    Key(Qt::Key_Home);
    EXPECT_EQ(doc->GetCursor(), 0);
    EXPECT_EQ(view->GetScrollColumn(), 0);
    EXPECT_FALSE(doc->HasBlock());
    EXPECT_TRUE(view->Lane(0)->HasCaret());
}

TEST_F(SampleViewTest, ShiftWithTheArrowsStartsAndExtendsABlock) {
    Silent(100000);
    doc->SetZoom(4);
    doc->SetCursor(1000);
    ProcessPendingEvents();
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(doc->GetAnchor(), 1000);
    EXPECT_EQ(doc->GetCursor(), 1004);
    EXPECT_FALSE(view->Lane(0)->HasCaret());
    Key(Qt::Key_PageUp, Qt::ShiftModifier);
    EXPECT_EQ(doc->GetAnchor(), 1000);
    EXPECT_EQ(doc->GetCursor(), 1604);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(doc->GetCursor(), 1600);
    // an arrow without Shift ends the block where the cursor goes
    Key(Qt::Key_Right);
    EXPECT_FALSE(doc->HasBlock());
    EXPECT_EQ(doc->GetCursor(), 1604);
    EXPECT_TRUE(view->Lane(0)->HasCaret());
}

TEST_F(SampleViewTest, RightAtZoomZeroDoesNotMoveWithFewFrames) {
    Silent(300, 800); // one column is 0.375 frames
    doc->SetCursor(10);
    Key(Qt::Key_Right);
    EXPECT_EQ(doc->GetCursor(), 10);
    Key(Qt::Key_PageUp); // 400 columns: 150 frames
    EXPECT_EQ(doc->GetCursor(), 160);
}

TEST_F(SampleViewTest, AMouseDragSelectsAndAClickLeavesNoBlock) {
    Silent(1000);
    doc->SetZoom(1);
    ProcessPendingEvents();
    CTrackLane* lane = view->Lane(0);
    Mouse(lane, QEvent::MouseButtonPress, 10);
    Mouse(lane, QEvent::MouseMove, 30);
    Mouse(lane, QEvent::MouseMove, 50);
    Mouse(lane, QEvent::MouseButtonRelease, 50, Qt::NoButton);
    ProcessPendingEvents();
    EXPECT_EQ(doc->GetAnchor(), 10);
    EXPECT_EQ(doc->GetCursor(), 50);
    EXPECT_FALSE(lane->HasCaret());
    Mouse(lane, QEvent::MouseButtonPress, 70);
    Mouse(lane, QEvent::MouseButtonRelease, 70, Qt::NoButton);
    ProcessPendingEvents();
    EXPECT_FALSE(doc->HasBlock());
    EXPECT_EQ(doc->GetCursor(), 70);
    EXPECT_TRUE(lane->HasCaret());
    EXPECT_EQ(lane->CaretRect(), QRect(70, 1, 1, lane->height() - 2));
}

TEST_F(SampleViewTest, DraggingPastTheRightEdgeKeepsExtendingAndScrolling) {
    Silent(100000);
    doc->SetZoom(1);
    ProcessPendingEvents();
    CTrackLane* lane = view->Lane(0);
    Mouse(lane, QEvent::MouseButtonPress, 100);
    Mouse(lane, QEvent::MouseMove, 400);
    EXPECT_TRUE(lane->IsDragScrolling());
    EXPECT_EQ(doc->GetCursor(), 299);
    // each tick goes half a lane width further
    for (int i = 0; i < 100 && doc->GetCursor() < 1000; ++i) {
        Wait(20);
    }
    EXPECT_GE(doc->GetCursor(), 1000);
    EXPECT_EQ(doc->GetAnchor(), 100);
    EXPECT_GT(view->GetScrollColumn(), 0);
    Mouse(lane, QEvent::MouseButtonRelease, 400, Qt::NoButton);
    EXPECT_FALSE(lane->IsDragScrolling());
    EXPECT_TRUE(doc->HasBlock());
}

TEST_F(SampleViewTest, ABusySoundIgnoresTheMouseButTheLaneStillTakesTheFocus) {
    Silent(1000);
    view->Lane(0)->clearFocus();
    ASSERT_TRUE(doc->GetStore()->StartRecording(-1, 4096)); // nothing to play from; a recording is busy
    ProcessPendingEvents();
    if (!doc->IsBusy()) {
        GTEST_SKIP() << "no input device";
    }
    Mouse(view->Lane(0), QEvent::MouseButtonPress, 50);
    Mouse(view->Lane(0), QEvent::MouseButtonRelease, 50, Qt::NoButton);
    EXPECT_EQ(doc->GetCursor(), 0);
    EXPECT_TRUE(view->Lane(0)->hasFocus());
    doc->GetStore()->StopAudio();
}

TEST_F(SampleViewTest, PreviousAndNextTrackWrapAroundTheLanes) {
    g_settings.sampleWindow.lineal = 0;
    Open(
        100, 3, 16, [](uint32_t, uint32_t) { return 0; }, 300, 200);
    view->OnCommand(cmd::kPreviousTrack);
    EXPECT_EQ(doc->GetCurrentTrack(), 2u);
    EXPECT_TRUE(view->Lane(2)->hasFocus());
    view->OnCommand(cmd::kNextTrack);
    EXPECT_EQ(doc->GetCurrentTrack(), 0u);
    view->OnCommand(cmd::kNextTrack);
    EXPECT_EQ(doc->GetCurrentTrack(), 1u);
    EXPECT_TRUE(view->Lane(1)->hasFocus());
}

TEST_F(SampleViewTest, AClickIntoALaneMakesItsTrackCurrent) {
    g_settings.sampleWindow.lineal = 0;
    Open(
        100, 2, 16, [](uint32_t, uint32_t) { return 0; }, 300, 200);
    Mouse(view->Lane(1), QEvent::MouseButtonPress, 5);
    Mouse(view->Lane(1), QEvent::MouseButtonRelease, 5, Qt::NoButton);
    ProcessPendingEvents(); // message 1274 is posted
    EXPECT_EQ(doc->GetCurrentTrack(), 1u);
}

TEST_F(SampleViewTest, TheRulerPlacesTheCursorAndADoubleClickStartsABlock) {
    Open(
        1000, 1, 16, [](uint32_t, uint32_t) { return 0; }, 300, 120);
    doc->SetZoom(1);
    ProcessPendingEvents();
    CTimeRuler* ruler = view->Ruler();
    ASSERT_NE(ruler, nullptr);
    Mouse(ruler, QEvent::MouseButtonPress, 40);
    Mouse(ruler, QEvent::MouseButtonRelease, 40, Qt::NoButton);
    EXPECT_EQ(doc->GetCursor(), 40);
    EXPECT_FALSE(doc->HasBlock());
    Mouse(ruler, QEvent::MouseButtonDblClick, 60);
    EXPECT_TRUE(ruler->IsInRangeMode());
    Mouse(ruler, QEvent::MouseButtonRelease, 60, Qt::NoButton);
    Mouse(ruler, QEvent::MouseButtonPress, 120);
    EXPECT_FALSE(ruler->IsInRangeMode());
    EXPECT_EQ(doc->GetAnchor(), 60);
    EXPECT_EQ(doc->GetCursor(), 120);
}

} // namespace

#include "app/ui/editor_fixture.h"
#include "app/ui/manual_device.h"
#include "resources/command_ids.h"
#include "views/sample_view.h"
#include "views/time_ruler.h"
#include "views/track_lane.h"

#include <QEventLoop>
#include <QHelpEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// The cursor following playback on a simulated device whose clock the test moves.
class FollowTest : public EditorFixture {
protected:
    /// Plays from the start with lane 0 focused, moves the clock by frames and lets timer 100 tick.
    void PlayFor(uint32_t frames, uint32_t rate) {
        CSampleView* view = frame->ActiveChild()->GetSampleView();
        view->Lane(0)->setFocus();
        frame->ExecuteCommand(cmd::kPlayStart);
        ProcessPendingEvents();
        device.Advance(frames, rate);
        QEventLoop loop;
        QTimer::singleShot(250, &loop, &QEventLoop::quit); // two ticks of timer 100
        loop.exec();
    }

    /// Lets the rest of the sound play.
    void Finish(uint32_t rate) {
        for (int i = 0; i < 200 && Doc()->IsBusy(); ++i) {
            device.Advance(rate, rate, [this] { return !Doc()->IsBusy(); });
        }
        ProcessPendingEvents();
    }

    ManualDevice device;
};

TEST_F(FollowTest, TheCursorFollowsThePlaybackPositionAtZoomZero) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 8000, 16000)));
    PlayFor(4000, 8000);
    ASSERT_TRUE(Doc()->IsPlaying());
    EXPECT_EQ(uint32_t(Doc()->GetCursor()), Doc()->GetStore()->GetAudioPosition());
    EXPECT_GT(Doc()->GetCursor(), 0);
    Finish(8000);
}

TEST_F(FollowTest, AtAZoomThePageTurnsWhenTheCursorLeavesTheLane) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 8000, 16000)));
    Doc()->SetZoom(1);
    CSampleView* view = frame->ActiveChild()->GetSampleView();
    ASSERT_LT(view->Lane(0)->width(), 4000);
    PlayFor(4000, 8000);
    const int32_t cursor = Doc()->GetCursor();
    EXPECT_GE(cursor, view->Lane(0)->width());
    EXPECT_EQ(view->GetScrollColumn(), cursor); // the cursor's column is the first one
    Finish(8000);
}

TEST_F(FollowTest, WithoutMoveCursorTheCursorStays) {
    g_settings.playBack.scrollCursor = 0;
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 8000, 16000)));
    PlayFor(4000, 8000);
    EXPECT_EQ(Doc()->GetCursor(), 0);
    Finish(8000);
}

} // namespace

namespace {

using LaneCommandsTest = EditorFixture;

TEST_F(LaneCommandsTest, DeleteLeavesTheCursorAtTheBlocksStartAndNoBlock) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 8000, 8000)));
    CTrackLane* lane = frame->ActiveChild()->GetSampleView()->Lane(0);
    Doc()->SetBlock(1000, 3000);
    lane->setFocus();
    SendKey(lane, Qt::Key_Delete);
    ProcessPendingEvents();
    EXPECT_FALSE(Doc()->HasBlock());
    EXPECT_EQ(Doc()->GetCursor(), 1000);
}

TEST_F(LaneCommandsTest, TheApplicationKeyShowsTheEditMenuAtTheLane) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 8000, 8000)));
    CTrackLane* lane = frame->ActiveChild()->GetSampleView()->Lane(0);
    lane->setFocus();
    SendKey(lane, Qt::Key_Menu);
    ProcessPendingEvents();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->actions().contains(frame->Action(cmd::kEditDelete)));
    menu->close();
}

TEST_F(LaneCommandsTest, TooltipsShowThePositionAndTheSampleValue) {
    g_settings.sampleWindow.timeFmt = 0; // None: frame numbers
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 8000, 800)));
    Doc()->SetZoom(1);
    CSampleView* view = frame->ActiveChild()->GetSampleView();
    CTrackLane* lane = view->Lane(1);
    const QPoint at(30, lane->height() / 2);
    QHelpEvent help(QEvent::ToolTip, at, lane->mapToGlobal(at));
    QApplication::sendEvent(lane, &help);
    EXPECT_EQ(QToolTip::text(), "30 : 301"); // the ramp: frame x 10 + track
    ASSERT_NE(view->Ruler(), nullptr);
    QHelpEvent rulerHelp(QEvent::ToolTip, at, view->Ruler()->mapToGlobal(at));
    QApplication::sendEvent(view->Ruler(), &rulerHelp);
    EXPECT_EQ(QToolTip::text(), "30");
    QToolTip::hideText();
}

} // namespace

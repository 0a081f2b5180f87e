#include "app/ui/editor_fixture.h"
#include "app/ui/manual_device.h"
#include "resources/command_ids.h"
#include "views/sample_view.h"
#include "views/track_lane.h"

#include <QEventLoop>
#include <QScrollBar>
#include <QTimer>

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

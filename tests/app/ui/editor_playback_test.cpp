#include "app/ui/editor_fixture.h"
#include "app/ui/manual_device.h"
#include "document/update_hints.h"
#include "resources/command_ids.h"
#include "views/sample_view.h"

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// Playback on a simulated device that plays only as far as the test moves its clock.
class PlaybackTest : public EditorFixture {
protected:
    void SetUp() override {
        backend.SetCapture(true);
        EditorFixture::SetUp();
    }

    /// Whether nothing plays any more.
    bool Stopped() {
        return !frame->GetPlayingStore() && (!Doc() || !Doc()->IsBusy()) &&
               frame->GetDiskStore()->GetAudioState() == 0;
    }

    /// Moves the clock until nothing plays any more (or a limit is reached); returns whether it stopped.
    bool PlayOut(uint32_t rate) {
        for (int i = 0; i < 400; ++i) {
            ProcessPendingEvents();
            if (Stopped()) {
                return true;
            }
            device.Advance(rate / 10, rate, [this] { return Stopped(); });
        }
        return false;
    }

    ManualDevice device;
    CSimClock& clock = device.clock;
    CSimAudioBackend& backend = device.backend;
};

TEST_F(PlaybackTest, PlayPauseAndStopWithTheFramesMarks) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 8000, 8000)));
    EXPECT_TRUE(frame->QueryCommand(cmd::kPlayStart).IsEnabled());
    EXPECT_FALSE(frame->QueryCommand(cmd::kPause).IsEnabled());
    EXPECT_FALSE(frame->QueryCommand(cmd::kStop).IsEnabled());
    frame->ExecuteCommand(cmd::kPlayStart);
    ProcessPendingEvents();
    EXPECT_EQ(frame->GetPlayingStore(), Doc()->GetStore());
    EXPECT_TRUE(frame->IsMeterTimerRunning());
    CCmdUI play = frame->QueryCommand(cmd::kPlayStart);
    EXPECT_TRUE(play.IsChecked());
    EXPECT_FALSE(play.IsEnabled());
    EXPECT_FALSE(frame->QueryCommand(cmd::kPlayFromDisk).IsEnabled());
    EXPECT_TRUE(frame->QueryCommand(cmd::kPlayFromDisk).IsChecked());
    EXPECT_TRUE(frame->QueryCommand(cmd::kStop).IsEnabled());
    EXPECT_FALSE(frame->QueryCommand(cmd::kPause).IsChecked());

    frame->ExecuteCommand(cmd::kPause);
    EXPECT_NE(Doc()->GetStore()->GetAudioState() & AUDIO_PAUSED, 0u);
    EXPECT_TRUE(frame->QueryCommand(cmd::kPause).IsChecked());
    const uint32_t pausedAt = Doc()->GetStore()->GetAudioPosition();
    clock.AdvanceFrames(2000, 8000);
    EXPECT_EQ(Doc()->GetStore()->GetAudioPosition(), pausedAt);
    frame->ExecuteCommand(cmd::kPause);
    EXPECT_EQ(Doc()->GetStore()->GetAudioState() & AUDIO_PAUSED, 0u);

    frame->ExecuteCommand(cmd::kStop);
    ASSERT_TRUE(PlayOut(8000));
    EXPECT_EQ(frame->GetPlayingStore(), nullptr);
    EXPECT_FALSE(frame->IsMeterTimerRunning());
    EXPECT_EQ(frame->GetMeterLevels(), std::make_pair(0u, 0u));
    EXPECT_TRUE(frame->QueryCommand(cmd::kPlayStart).IsEnabled());
    EXPECT_FALSE(frame->QueryCommand(cmd::kStop).IsEnabled());
}

TEST_F(PlaybackTest, TheBlockPlaysIncludingItsLastFrame) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 8000, 4000)));
    Doc()->SetBlock(100, 199);
    backend.TakeCapture();
    frame->ExecuteCommand(cmd::kPlayStart);
    ASSERT_TRUE(PlayOut(8000));
    const std::vector<uint8_t> played = backend.TakeCapture();
    ASSERT_EQ(played.size(), 100u * 4); // frames 100..199, two 16-bit tracks as a stereo pair
    EXPECT_EQ(int16_t(played[0] | played[1] << 8), int16_t(1000));
    EXPECT_EQ(int16_t(played[396] | played[397] << 8), int16_t(1990));
}

TEST_F(PlaybackTest, WithoutABlockFromTheCursorOrTheWholeSound) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 8, 8000, 1000)));
    Doc()->SetCursor(600);
    backend.TakeCapture();
    frame->ExecuteCommand(cmd::kPlayStart);
    ASSERT_TRUE(PlayOut(8000));
    EXPECT_EQ(backend.TakeCapture().size(), 400u);
    frame->ExecuteCommand(cmd::kStartFromCursor); // off: always the whole sound
    frame->ExecuteCommand(cmd::kPlayStart);
    ASSERT_TRUE(PlayOut(8000));
    EXPECT_EQ(backend.TakeCapture().size(), 1000u);
}

TEST_F(PlaybackTest, LoopRepeatsUntilStopped) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 8000, 800)));
    frame->ExecuteCommand(cmd::kLoop);
    Doc()->SetBlock(0, 399);
    frame->ExecuteCommand(cmd::kPlayStart);
    for (int i = 0; i < 20; ++i) {
        device.Advance(800, 8000);
    }
    EXPECT_TRUE(Doc()->IsPlaying());
    EXPECT_LT(Doc()->GetStore()->GetAudioPosition(), 400u);
    EXPECT_GT(backend.TakeCapture().size(), 400u * 2 * 3); // more than three passes of the block
    frame->ExecuteCommand(cmd::kStop);
    EXPECT_TRUE(PlayOut(8000));
}

TEST_F(PlaybackTest, PlayFromDiskReadsTheFileAndClosesItAtTheEnd) {
    const std::string path = MakeWave("disk.wav", 1, 16, 8000, 500);
    fileAnswers.push_back(path);
    backend.TakeCapture();
    frame->ExecuteCommand(cmd::kPlayFromDisk);
    ProcessPendingEvents();
    EXPECT_EQ(requests.back().title, "Play WAVE from disk");
    EXPECT_EQ(frame->GetDiskStore()->GetStorageMode(), STORE_INPLACE);
    EXPECT_EQ(frame->GetPlayingStore(), frame->GetDiskStore());
    EXPECT_TRUE(frame->QueryCommand(cmd::kPlayFromDisk).IsChecked());
    ASSERT_TRUE(PlayOut(8000));
    EXPECT_EQ(backend.TakeCapture().size(), 1000u);
    EXPECT_FALSE(frame->GetDiskStore()->HasData()); // closed after the stop message
    // the next file goes into the same store
    fileAnswers.push_back(MakeWave("disk2.wav", 1, 16, 8000, 250));
    frame->ExecuteCommand(cmd::kPlayFromDisk);
    ASSERT_TRUE(PlayOut(8000));
    EXPECT_EQ(backend.TakeCapture().size(), 500u);
}

TEST_F(PlaybackTest, ADeviceThatFailsToOpenIsReportedAndNothingPlays) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 8000, 500)));
    g_settings.playBack.port = 7; // no such device
    frame->ExecuteCommand(cmd::kPlayStart);
    ProcessPendingEvents();
    EXPECT_FALSE(Doc()->IsBusy());
    EXPECT_EQ(frame->GetPlayingStore(), nullptr);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().icon, MsgIcon::Stop);
}

TEST_F(PlaybackTest, ClosingAPlayingDocumentStopsItsPlayback) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 8000, 8000)));
    frame->ExecuteCommand(cmd::kPlayStart);
    ProcessPendingEvents();
    ASSERT_NE(frame->GetPlayingStore(), nullptr);
    frame->ActiveChild()->close();
    ProcessPendingEvents();
    EXPECT_EQ(frame->GetPlayingStore(), nullptr);
    EXPECT_FALSE(frame->QueryCommand(cmd::kStop).IsEnabled());
    clock.AdvanceFrames(8000, 8000);
    ProcessPendingEvents(); // the late stop message finds nothing to forget
    EXPECT_EQ(frame->GetPlayingStore(), nullptr);
}

TEST_F(PlaybackTest, TheTransportFollowsTheFrameInTheRouteAndFeedsTheVolumeBar) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 8000, 8000)));
    const std::vector<CCmdTarget*> route = frame->Route();
    ASSERT_GE(route.size(), 3u);
    EXPECT_EQ(route[route.size() - 3], static_cast<CCmdTarget*>(frame));
    EXPECT_EQ(route[route.size() - 2], static_cast<CCmdTarget*>(&frame->Transport()));
    EXPECT_EQ(route.back(), static_cast<CCmdTarget*>(app.get()));
    // the keys of the transport's commands reach it through the route
    QWidget* view = frame->ActiveChild()->GetSampleView();
    SendKey(view, Qt::Key_F5); // "&Start"
    ProcessPendingEvents();
    ASSERT_EQ(frame->GetPlayingStore(), Doc()->GetStore());
    SendKey(view, Qt::Key_F8); // "&Pause"
    EXPECT_NE(Doc()->GetStore()->GetAudioState() & AUDIO_PAUSED, 0u);
    frame->VolumeBar()->ShowLevels(7, 9, false);
    SendKey(view, Qt::Key_F6); // "S&top"
    ASSERT_TRUE(PlayOut(8000));
    // once nothing plays, the transport tells the volume bar so
    EXPECT_EQ(frame->VolumeBar()->ShownLevels(), std::make_pair(0u, 0u));
    emit frame->Transport().levelsChanged(50, 45, true); // peak mode rises by 1.6, at most 100
    EXPECT_EQ(frame->VolumeBar()->ShownLevels(), std::make_pair(80u, 72u));
}

} // namespace

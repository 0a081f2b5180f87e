#include "accompaniment/cd_image.h"
#include "audio/accompaniment.h"
#include "audio/engine_waiter.h"
#include "audio/sim_session.h"
#include "audio_test_support.h"
#include "midi_test_file.h"
#include "resources/string_ids.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr uint32_t kRate = 44100;
constexpr uint32_t kRecordBuffer = 16384; // 4096 stereo frames

/// Stands in for the main frame: counts the accompaniment's ends.
struct EndCounter : IPlayEndListener {
    void OnPlayEnded(bool failed) noexcept override {
        if (failed) {
            failures.fetch_add(1);
        }
        ended.fetch_add(1);
    }
    std::atomic<int> ended{0};
    std::atomic<int> failures{0};
};

/// A recording on the simulated devices in real time with its accompaniment, started in the order a
/// recording starts: the accompaniment, then the input.
class AccompaniedRecording : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 2, kRate, true)); }
    void TearDown() override {
        accompaniment.Stop();
        std::error_code error;
        std::filesystem::remove(midiPath, error);
        unsetenv("ONDRIX_CD_SOURCE");
    }

    void StartRecording(const AccompanimentSettings& settings) {
        ASSERT_TRUE(store.StartRecording(-1, kRecordBuffer, &waiter));
        accompaniment.Prepare(settings);
        accompaniment.Start(ends);
        store.TogglePause();
    }
    /// Waits for the accompaniment's end, stops the recording as the frame's stop command does, and
    /// gives the frames recorded.
    uint32_t RecordUntilTheEnd() {
        EXPECT_TRUE(WaitUntil([&] { return ends.ended.load() > 0; }));
        store.StopAudio();
        EXPECT_TRUE(waiter.WaitFor(WM_RECORDSTOPPED));
        accompaniment.Stop();
        return store.GetFrameCount();
    }

    CSimSession sim{CSimClock::Mode::RealTime, true};
    FakeMessageService messages;
    CEngineWaiter waiter;
    EndCounter ends;
    CSampleStore store;
    CAccompaniment accompaniment;
    TempDir scratch;
    std::string midiPath = scratch.Path() + "/ondrix-accompanied.mid";
};

AccompanimentSettings CdSettings(int track, bool stopAfterTrack) {
    AccompanimentSettings settings;
    settings.syncCD = true;
    settings.syncTrack = track;
    settings.syncBreak = stopAfterTrack;
    return settings;
}

} // namespace

TEST_F(AccompaniedRecording, CdTrackStoppingAfterItselfEndsTheRecordingAfterItsLength) {
    CCdImage image;
    ASSERT_TRUE(image.IsValid());
    setenv("ONDRIX_CD_SOURCE", image.CuePath().c_str(), 1);
    StartRecording(CdSettings(2, true));
    ASSERT_TRUE(accompaniment.HasCd());
    const uint32_t frames = RecordUntilTheEnd();
    EXPECT_NEAR(double(frames), 132300.0, kRecordBuffer / 4); // 3 s, within one buffer
    EXPECT_EQ(sim.backend.TakeOutputCapture(0), image.TrackBytes(2));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AccompaniedRecording, CdPlayingOnToTheEndOfTheDiscEndsTheRecordingThere) {
    CCdImage image;
    ASSERT_TRUE(image.IsValid());
    setenv("ONDRIX_CD_SOURCE", image.CuePath().c_str(), 1);
    StartRecording(CdSettings(1, false));
    const uint32_t frames = RecordUntilTheEnd();
    EXPECT_NEAR(double(frames), 220500.0, kRecordBuffer / 4); // 5 s
    EXPECT_EQ(sim.backend.TakeOutputCapture(0), image.Bytes());
}

TEST_F(AccompaniedRecording, MissingCdTrackIsReportedAndTheRecordingGoesOn) {
    CCdImage image;
    ASSERT_TRUE(image.IsValid());
    setenv("ONDRIX_CD_SOURCE", image.CuePath().c_str(), 1);
    StartRecording(CdSettings(5, true));
    EXPECT_FALSE(accompaniment.HasCd());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, str::kCdPlaybackError);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
    EXPECT_EQ(messages.beeps, std::vector<MsgIcon>{MsgIcon::Stop});
    EXPECT_EQ(store.GetAudioState(), AUDIO_RECORDING);
    ASSERT_TRUE(WaitUntil([&] { return store.GetAudioPosition() > 4410; }));
    EXPECT_EQ(ends.ended.load(), 0);
}

TEST_F(AccompaniedRecording, NoDriveIsReportedWhenTheCdIsPrepared) {
    setenv("ONDRIX_CD_SOURCE", "/nonexistent/disc.cue", 1);
    StartRecording(CdSettings(1, true));
    EXPECT_FALSE(accompaniment.HasCd());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, str::kCdPlaybackError);
    EXPECT_EQ(store.GetAudioState(), AUDIO_RECORDING);
}

TEST_F(AccompaniedRecording, MidiFileEndsTheRecordingWhenItEnds) {
    WriteBytes(midiPath, MakeMidiFile(4, 120)); // 2 s at its own tempo, 1 s at 240
    AccompanimentSettings settings;
    settings.syncMidi = true;
    settings.syncMidiFile = midiPath;
    settings.syncTempo = 240;
    StartRecording(settings);
    ASSERT_TRUE(accompaniment.HasMidi());
    const uint32_t frames = RecordUntilTheEnd();
    EXPECT_NEAR(double(frames), 44100.0, kRecordBuffer / 4);
    const std::vector<uint8_t> heard = sim.backend.TakeOutputCapture(0);
    EXPECT_NEAR(double(heard.size() / 4), 44100.0, 2205);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AccompaniedRecording, MissingMidiFileIsReportedAndTheTakeStillRecords) {
    AccompanimentSettings settings;
    settings.syncMidi = true;
    settings.syncMidiFile = scratch.Path() + "/no-such-song.mid";
    StartRecording(settings);
    EXPECT_FALSE(accompaniment.HasMidi());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, str::kMidiPlaybackError);
    ASSERT_TRUE(WaitUntil([&] { return store.GetAudioPosition() > 4410; }));
    store.StopAudio();
    ASSERT_TRUE(waiter.WaitFor(WM_RECORDSTOPPED));
    EXPECT_GT(store.GetFrameCount(), 4410u);
}

TEST_F(AccompaniedRecording, UnreachablePortIsReportedAndTheMidiFileLeftOut) {
    if (std::filesystem::exists("/dev/snd/seq")) {
        GTEST_SKIP() << "this machine has an ALSA sequencer";
    }
    WriteBytes(midiPath, MakeMidiFile(4, 120));
    AccompanimentSettings settings;
    settings.syncMidi = true;
    settings.syncMidiFile = midiPath;
    settings.midiPort = 0;
    StartRecording(settings);
    EXPECT_FALSE(accompaniment.HasMidi());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, str::kMidiPlaybackError);
    EXPECT_EQ(store.GetAudioState(), AUDIO_RECORDING);
}

TEST_F(AccompaniedRecording, StoppingByHandClosesBothDevicesWithoutAnEnd) {
    CCdImage image;
    ASSERT_TRUE(image.IsValid());
    setenv("ONDRIX_CD_SOURCE", image.CuePath().c_str(), 1);
    WriteBytes(midiPath, MakeMidiFile(8, 120));
    AccompanimentSettings settings = CdSettings(2, true);
    settings.syncMidi = true;
    settings.syncMidiFile = midiPath;
    StartRecording(settings);
    EXPECT_EQ(accompaniment.OpenDeviceCount(), 2);
    EXPECT_EQ(sim.backend.OpenOutputCount(), 2u); // the CD and the synthesizer play at once
    ASSERT_TRUE(WaitUntil([&] { return store.GetAudioPosition() > 4410; }));
    store.StopAudio();
    ASSERT_TRUE(waiter.WaitFor(WM_RECORDSTOPPED));
    accompaniment.Stop();
    EXPECT_EQ(accompaniment.OpenDeviceCount(), 0);
    EXPECT_FALSE(sim.backend.IsOutputOpen());
    EXPECT_EQ(ends.ended.load(), 0);
}

#include "audio/audio_engine.h"
#include "audio/signal_source.h"
#include "audio_test_support.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr uint32_t kRate = 8000;

/// What the ramp generator records: sample = frame * 7 + channel * 1000.
std::vector<int16_t> RampFrames(uint32_t first, uint32_t count, uint32_t channels) {
    std::vector<int16_t> samples;
    for (uint32_t f = first; f < first + count; ++f) {
        for (uint32_t c = 0; c < channels; ++c) {
            samples.push_back(int16_t(uint16_t(f * 7 + c * 1000)));
        }
    }
    return samples;
}

struct RecordRig : SimRig {
    RecordRig() {
        backend.SetInputSource([](const AudioFormat& format) {
            return std::unique_ptr<ISignalSource>(CGeneratorSource::Ramp(format));
        });
    }
};

/// A store that adopts a data file of any size (for the 4 GB limit).
class AdoptingStore : public CSampleStore {
public:
    using CSampleStore::AdoptDataFile;
};

} // namespace

TEST(AudioRecording, StartsPausedAndAppendsAcrossAPauseWithoutAGap) {
    RecordRig rig;
    CEngineWaiter listener;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 2, kRate, true));
    ASSERT_TRUE(store.StartRecording(-1, 400, &listener)); // 100 frames per buffer
    ASSERT_EQ(listener.Count(WM_RECORDSTARTED), 1);
    EXPECT_EQ(listener.Messages()[0].lParam, &store);
    EXPECT_EQ(store.GetAudioState(), AUDIO_RECORDING | AUDIO_PAUSED);
    EXPECT_EQ(rig.backend.InputQueued(), 2u);
    EXPECT_FALSE(rig.backend.IsInputRunning());
    rig.clock.AdvanceFrames(500, kRate); // stopped: nothing is recorded
    EXPECT_EQ(store.GetAudioPosition(), 0u);

    store.TogglePause();
    EXPECT_EQ(store.GetAudioState(), AUDIO_RECORDING);
    EXPECT_TRUE(rig.backend.IsInputRunning());
    rig.clock.AdvanceFrames(130, kRate);
    EXPECT_EQ(store.GetAudioPosition(), 130u);
    ASSERT_TRUE(rig.WaitInputQueued(2));
    store.TogglePause(); // hands back the buffer with 30 frames
    EXPECT_EQ(store.GetAudioState(), AUDIO_RECORDING | AUDIO_PAUSED);
    ASSERT_TRUE(rig.WaitInputQueued(2));
    rig.clock.AdvanceFrames(1000, kRate);
    EXPECT_EQ(store.GetAudioPosition(), 130u);
    uint32_t left = 99;
    uint32_t right = 99;
    store.GetAudioLevels(left, right);
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(right, 0u);

    store.TogglePause();
    rig.clock.AdvanceFrames(45, kRate);
    EXPECT_EQ(store.GetAudioPosition(), 175u);
    store.GetAudioLevels(left, right);
    EXPECT_EQ(left, uint32_t(174 * 7) * 100 >> 15);
    EXPECT_EQ(right, uint32_t(174 * 7 + 1000) * 100 >> 15);
    store.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_RECORDSTOPPED));
    EXPECT_EQ(store.GetAudioState(), 0u);
    EXPECT_FALSE(rig.backend.IsInputOpen());
    EXPECT_EQ(store.GetDataSize(), 175u * 4);
    EXPECT_EQ(Decode16(AllBytes(store)), RampFrames(0, 175, 2));
    EXPECT_EQ(listener.Messages().back().wParam, 0u);
}

TEST(AudioRecording, AppendsAfterExistingDataAndStopsPreparedRunEmpty) {
    RecordRig rig;
    CEngineWaiter listener;
    CSampleStore store;
    MakeStore16(store, 1, kRate, false, {-1, -2});
    ASSERT_TRUE(store.StartRecording(-1, 64, &listener)); // 32 frames per buffer
    store.TogglePause();
    for (int step = 0; step < 5; ++step) {
        rig.clock.AdvanceFrames(20, kRate);
        ASSERT_TRUE(rig.WaitInputQueued(2));
    }
    store.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_RECORDSTOPPED));
    auto expected = std::vector<int16_t>{-1, -2};
    const auto ramp = RampFrames(0, 100, 1);
    expected.insert(expected.end(), ramp.begin(), ramp.end());
    EXPECT_EQ(Decode16(AllBytes(store)), expected);

    CSampleStore never;
    ASSERT_TRUE(never.Create(STORE_MEMORY, "", 8, 1, kRate, false));
    ASSERT_TRUE(never.StartRecording(-1, 64, &listener));
    never.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_RECORDSTOPPED, 2));
    EXPECT_EQ(never.GetDataSize(), 0u);
    EXPECT_FALSE(rig.backend.IsInputOpen());
}

TEST(AudioRecording, EightBitMonoIntoATempFile) {
    RecordRig rig;
    CEngineWaiter listener;
    TempDir dir;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_TEMPFILE, dir.Path(), 8, 1, kRate, false));
    ASSERT_TRUE(store.StartRecording(-1, 50, &listener));
    store.TogglePause();
    for (int step = 0; step < 7; ++step) {
        rig.clock.AdvanceFrames(30, kRate);
        ASSERT_TRUE(rig.WaitInputQueued(2));
    }
    store.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_RECORDSTOPPED));
    std::vector<uint8_t> expected;
    for (const int16_t sample : RampFrames(0, 210, 1)) {
        expected.push_back(uint8_t((sample >> 8) + 128));
    }
    EXPECT_EQ(AllBytes(store), expected);
}

TEST(AudioRecording, RefusesStoresItCannotRecordInto) {
    RecordRig rig;
    FakeMessageService messages;
    CSampleStore none;
    EXPECT_FALSE(none.StartRecording(-1, 256));
    CSampleStore three;
    ASSERT_TRUE(three.Create(STORE_MEMORY, "", 16, 3, kRate, true));
    EXPECT_FALSE(three.StartRecording(-1, 256)); // recorded frames would not be the store's frames
    CSampleStore monoPair;
    ASSERT_TRUE(monoPair.Create(STORE_MEMORY, "", 16, 2, kRate, false));
    EXPECT_FALSE(monoPair.StartRecording(-1, 256));
    EXPECT_EQ(rig.backend.OpenCount(), 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(AudioRecording, StopsByItselfBeforeTheFourGigabyteLimit) {
    RecordRig rig;
    CEngineWaiter listener;
    TempDir dir;
    auto file = CTempDataFile::Create(dir.Path());
    const uint32_t start = 0xFFFFFFFFu - 1003; // room for 250 frames of 4 bytes (1000 bytes) and 3 bytes more
    file->SetLength(start);
    AdoptingStore store;
    store.AdoptDataFile(std::move(file), STORE_TEMPFILE, 0, dir.Path(), 16, 2, kRate, start);
    ASSERT_TRUE(store.StartRecording(-1, 400, &listener));
    store.TogglePause();
    ASSERT_TRUE(rig.RunToStop(listener, WM_RECORDSTOPPED, 100, kRate));
    const AudioMessage stop = listener.Messages().back();
    EXPECT_EQ(stop.wParam, 32312u);
    EXPECT_EQ(
        stop.errorText,
        "The recording was stopped because the sound reached 4 GB, the largest size a WAVE file can hold.");
    EXPECT_EQ(store.GetDataSize(), start + 1000u);
    std::vector<uint8_t> tail(1000);
    ASSERT_EQ(store.ReadData(start, tail.data(), 1000), 1000u);
    EXPECT_EQ(Decode16(tail), RampFrames(0, 250, 2));
    EXPECT_EQ(listener.Count(WM_RECORDSTOPPED), 1);
}

TEST(AudioDeviceFaults, OpenErrorsShowTheirMessagesAndLeaveNoRun) {
    struct Case {
        DeviceResult result;
        const char* output;
        const char* input;
    };
    const Case cases[] = {
        {DeviceResult::Allocated,
         "The soundcard for WAVE- output is used by annother application.\nPlease close all applications and "
         "try again.",
         "The soundcard for WAVE- input is used by annother application.\nPlease close all applications and "
         "try again."},
        {DeviceResult::BadDevice,
         "The selected device for WAVE output could not be found.\nPlease check sound card settings.",
         "The selected device for WAVE input could not be found.\nPlease check sound card settings."},
        {DeviceResult::NoDriver, "No driver for WAVE output installed!\nPlease check sound card settings.",
         "No driver for WAVE input installed!\nPlease check sound card settings."},
        {DeviceResult::NoMemory,
         "Insufficient memory for initializing WAVE output.\nPlease close other applications and try again.",
         "Insufficient memory for initializing WAVE input.\nPlease close other applications and try again."},
        {DeviceResult::BadFormat,
         "The selected device for WAVE output cannot play back the sample format of the current WAVE "
         "file.\nPlease select another device or change sample parameters.",
         "The selected device for WAVE input cannot record the sample format of the current WAVE "
         "file.\nPlease select another device or change sample parameters."},
        {DeviceResult::Error,
         "An error occured while initializing WAVE output.\nPlease check sound card settings.",
         "An error occured while initializing WAVE input.\nPlease check sound card settings."},
    };
    RecordRig rig;
    for (const Case& c : cases) {
        FakeMessageService messages;
        CEngineWaiter listener;
        CSampleStore store;
        MakeStore16(store, 1, kRate, false, {1, 2, 3});
        rig.backend.FailNextOpen(c.result);
        EXPECT_FALSE(store.StartPlayback(-1, 256, -1, -1, false, &listener));
        rig.backend.FailNextOpen(c.result);
        EXPECT_FALSE(store.StartRecording(-1, 256, &listener));
        ASSERT_EQ(messages.shown.size(), 2u);
        EXPECT_EQ(messages.shown[0].text, c.output);
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
        EXPECT_EQ(messages.shown[1].text, c.input);
        EXPECT_NE(messages.shown[0].helpId, 0u);
        EXPECT_EQ(messages.beeps, (std::vector<MsgIcon>{MsgIcon::Stop, MsgIcon::Stop}));
        EXPECT_TRUE(listener.Messages().empty());
        EXPECT_EQ(store.GetAudioState(), 0u);
        EXPECT_EQ(store.GetDataSize(), 6u);
    }
    EXPECT_EQ(rig.backend.OpenCount(), 0);
}

TEST(AudioDeviceFaults, MissingDeviceNumberIsNotFound) {
    RecordRig rig;
    FakeMessageService messages;
    CEngineWaiter listener;
    CSampleStore store;
    MakeStore16(store, 1, kRate, false, {1, 2, 3});
    EXPECT_FALSE(store.StartPlayback(7, 256));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "The selected device for WAVE output could not be found.\nPlease check sound card settings.");
    // A store that shows no errors fails silently.
    store.m_showErrors = 0;
    EXPECT_FALSE(store.StartPlayback(7, 256));
    EXPECT_EQ(messages.shown.size(), 1u);
    // The store still plays on a device that exists.
    EXPECT_TRUE(store.StartPlayback(0, 256, -1, -1, false, &listener));
    store.StopAudio();
    EXPECT_TRUE(listener.WaitFor(WM_PLAYSTOPPED));
}

TEST(AudioDeviceFaults, PlaybackDeviceFailureEndsTheRunOnce) {
    RecordRig rig;
    CEngineWaiter listener;
    rig.backend.FailAfterBytes(300);
    CSampleStore store;
    MakeStore16(store, 1, kRate, false, std::vector<int16_t>(1000, 5));
    ASSERT_TRUE(store.StartPlayback(-1, 200, -1, -1, true, &listener));
    ASSERT_TRUE(rig.RunToStop(listener, WM_PLAYSTOPPED, 60, kRate));
    EXPECT_EQ(listener.Count(WM_PLAYSTOPPED), 1);
    EXPECT_EQ(listener.Messages().back().wParam, 32314u);
    EXPECT_EQ(store.GetAudioState(), 0u);
    EXPECT_FALSE(rig.backend.IsOutputOpen());
    EXPECT_EQ(rig.backend.TakeCapture().size(), 300u);
}

TEST(AudioDeviceFaults, RecordingDeviceFailureKeepsWhatWasRecorded) {
    RecordRig rig;
    CEngineWaiter listener;
    rig.backend.FailAfterBytes(260);
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 1, kRate, false));
    ASSERT_TRUE(store.StartRecording(-1, 200, &listener));
    store.TogglePause();
    ASSERT_TRUE(rig.RunToStop(listener, WM_RECORDSTOPPED, 50, kRate));
    EXPECT_EQ(listener.Count(WM_RECORDSTOPPED), 1);
    EXPECT_EQ(listener.Messages().back().wParam, 32315u);
    EXPECT_EQ(Decode16(AllBytes(store)), RampFrames(0, 130, 1));
}

TEST(AudioRecording, AMonitoredInputShowsItsLevelsKeepsNothingAndTheTakeStartsAtTheToggle) {
    RecordRig rig;
    CEngineWaiter listener;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 2, kRate, true));
    ASSERT_TRUE(store.StartRecording(-1, 400, &listener)); // 100 frames per buffer
    store.MonitorAudioInput();
    EXPECT_EQ(store.GetAudioState(), AUDIO_RECORDING | AUDIO_PAUSED); // still prepared
    EXPECT_TRUE(rig.backend.IsInputRunning());
    for (int step = 0; step < 5; ++step) {
        rig.clock.AdvanceFrames(50, kRate); // 250 frames, two and a half buffers, all dropped
        ASSERT_TRUE(rig.WaitInputQueued(2));
    }
    EXPECT_EQ(store.GetAudioPosition(), 0u);
    uint32_t left = 0;
    uint32_t right = 0;
    store.GetAudioLevels(left, right); // the last frame captured: ramp frame 249
    EXPECT_EQ(left, uint32_t(249 * 7) * 100 >> 15);
    EXPECT_EQ(right, uint32_t(249 * 7 + 1000) * 100 >> 15);
    EXPECT_GT(right, 0u);

    store.TogglePause(); // the take starts with frame 250, in the middle of a buffer
    EXPECT_EQ(store.GetAudioState(), AUDIO_RECORDING);
    rig.clock.AdvanceFrames(130, kRate);
    EXPECT_EQ(store.GetAudioPosition(), 130u);
    ASSERT_TRUE(rig.WaitInputQueued(2));
    store.TogglePause();       // a pause after the start is the usual gapless one
    store.MonitorAudioInput(); // and a started recording is never monitored again
    EXPECT_FALSE(rig.backend.IsInputRunning());
    rig.clock.AdvanceFrames(500, kRate);
    store.TogglePause();
    rig.clock.AdvanceFrames(20, kRate);
    store.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_RECORDSTOPPED));
    EXPECT_EQ(Decode16(AllBytes(store)), RampFrames(250, 150, 2));
    EXPECT_EQ(listener.Last(WM_RECORDSTOPPED).wParam, 0u);

    // monitored and stopped without a start: nothing is kept
    CSampleStore never;
    ASSERT_TRUE(never.Create(STORE_MEMORY, "", 16, 1, kRate, false));
    ASSERT_TRUE(never.StartRecording(-1, 64, &listener));
    never.MonitorAudioInput();
    rig.clock.AdvanceFrames(300, kRate);
    never.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_RECORDSTOPPED, 2));
    EXPECT_EQ(never.GetDataSize(), 0u);
    EXPECT_FALSE(rig.backend.IsInputOpen());
}

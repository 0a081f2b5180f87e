// End-to-end tests through ALSA's "default" device on the private PulseAudio null sink started by
// tools/sound-server.sh: what is played comes back, bit for bit, from the sink's monitor source.
#include "audio/audio_backends.h"
#include "audio_test_support.h"
#include "sound_server_test.h"
#include "store/sample_store.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr uint32_t kRate = 44100;

using AlsaDevice = SoundServerTest;

/// A signal that never repeats within the test: a counter stirred on each channel.
std::vector<int16_t> Signal(uint32_t frames) {
    std::vector<int16_t> samples;
    uint32_t state = 12345;
    for (uint32_t f = 0; f < frames; ++f) {
        for (int c = 0; c < 2; ++c) {
            state = state * 1103515245u + 12345u;
            samples.push_back(int16_t(int32_t(state >> 16) % 20000 - 10000));
        }
    }
    return samples;
}

/// Where needle starts in haystack (frames of two channels), or -1.
int64_t Find(const std::vector<int16_t>& haystack, const std::vector<int16_t>& needle) {
    const auto at = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end());
    return at == haystack.end() ? -1 : int64_t(at - haystack.begin());
}

void WaitRecorded(CSampleStore& store, uint32_t frames) {
    ASSERT_TRUE(WaitUntil([&] { return store.GetAudioPosition() >= frames; }, std::chrono::seconds(30)));
}

} // namespace

TEST_F(AlsaDevice, ListsDevicesAndRefusesANumberThatDoesNotExist) {
    EXPECT_TRUE(m_alsa->QueryOutputCaps(-1, *std::make_unique<AudioDeviceCaps>()));
    AudioDeviceCaps caps;
    ASSERT_TRUE(m_alsa->QueryOutputCaps(-1, caps));
    EXPECT_EQ(caps.highestRate, 44100u);
    EXPECT_EQ(caps.highestBits, 16u);
    EXPECT_EQ(caps.channels, 2u);
    const int missing = int(m_alsa->ListOutputs().size()) + 5;
    CSampleStore store;
    MakeStore16(store, 2, kRate, true, Signal(100));
    store.m_showErrors = 0;
    EXPECT_FALSE(store.StartPlayback(missing, 65536));
}

TEST_F(AlsaDevice, PlayedSamplesComeBackBitExactFromTheMonitor) {
    CEngineWaiter listener;
    CSampleStore recording;
    ASSERT_TRUE(recording.Create(STORE_MEMORY, "", 16, 2, kRate, true));
    ASSERT_TRUE(recording.StartRecording(-1, 65536, &listener));
    recording.TogglePause();
    WaitRecorded(recording, kRate / 10);

    CSampleStore played;
    const auto signal = Signal(kRate / 2);
    MakeStore16(played, 2, kRate, true, signal);
    ASSERT_TRUE(played.StartPlayback(-1, 65536, -1, -1, false, &listener));
    ASSERT_TRUE(listener.WaitFor(WM_PLAYSTOPPED));
    const uint32_t after = recording.GetAudioPosition();
    WaitRecorded(recording, after + kRate / 5);
    recording.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_RECORDSTOPPED));

    const auto captured = Decode16(AllBytes(recording));
    const int64_t at = Find(captured, std::vector<int16_t>(signal.begin(), signal.begin() + 256));
    ASSERT_GE(at, 0) << "the played signal is not in the recording";
    ASSERT_LE(size_t(at) + signal.size(), captured.size());
    const auto mismatch = std::mismatch(signal.begin(), signal.end(), captured.begin() + at);
    EXPECT_TRUE(mismatch.first == signal.end())
        << "the recording departs from the signal at sample " << (mismatch.first - signal.begin()) << " of "
        << signal.size() << " (found at " << at << " of " << captured.size() << ")";
}

TEST_F(AlsaDevice, PlaybackTakesItsRealTime) {
    CEngineWaiter listener;
    CSampleStore store;
    MakeStore16(store, 2, kRate, true, std::vector<int16_t>(size_t(kRate) * 2 * 2, 0)); // two seconds
    const auto begin = std::chrono::steady_clock::now();
    ASSERT_TRUE(store.StartPlayback(-1, 65536, -1, -1, false, &listener));
    ASSERT_TRUE(listener.WaitFor(WM_PLAYSTOPPED));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    // A paced device cannot finish early, and it takes about the sound's length: opening the device and
    // draining its buffers add well under a second even on a loaded machine.
    EXPECT_GE(seconds, 1.8);
    EXPECT_LT(seconds, 5.0);
}

TEST_F(AlsaDevice, PauseHoldsThePosition) {
    CEngineWaiter listener;
    CSampleStore store;
    MakeStore16(store, 2, kRate, true, Signal(kRate * 3));
    ASSERT_TRUE(store.StartPlayback(-1, 16384, -1, -1, false, &listener));
    ASSERT_TRUE(WaitUntil([&] { return store.GetAudioPosition() > kRate / 10; }, std::chrono::seconds(10)));
    store.TogglePause();
    EXPECT_EQ(store.GetAudioState(), AUDIO_PLAYING | AUDIO_PAUSED);
    const uint32_t held = store.GetAudioPosition();
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_EQ(store.GetAudioPosition(), held);
    store.TogglePause();
    EXPECT_TRUE(
        WaitUntil([&] { return store.GetAudioPosition() > held + kRate / 20; }, std::chrono::seconds(10)));
    store.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_PLAYSTOPPED));
    EXPECT_EQ(listener.Count(WM_PLAYSTOPPED), 1);
}

TEST_F(AlsaDevice, RecordingPausedAndResumedHoldsNoGap) {
    CEngineWaiter listener;
    CSampleStore played;
    const auto signal = Signal(kRate * 3);
    MakeStore16(played, 2, kRate, true, signal);
    CSampleStore recording;
    ASSERT_TRUE(recording.Create(STORE_MEMORY, "", 16, 2, kRate, true));
    ASSERT_TRUE(recording.StartRecording(-1, 65536, &listener));
    ASSERT_TRUE(played.StartPlayback(-1, 65536, -1, -1, false, &listener));
    recording.TogglePause();
    WaitRecorded(recording, kRate / 2);
    recording.TogglePause();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    recording.TogglePause();
    const uint32_t resumed = recording.GetAudioPosition();
    WaitRecorded(recording, resumed + kRate / 2);
    recording.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_RECORDSTOPPED));
    played.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_PLAYSTOPPED));

    // The recording is the signal in two stretches: up to the pause, then from the same or a later point
    // on (the sink renders ahead, so the skip can be shorter than the pause), with no silence between.
    const auto captured = Decode16(AllBytes(recording));
    const uint32_t pausedAt = resumed;
    ASSERT_GT(pausedAt, 512u);
    const std::vector<int16_t> before(captured.begin() + 2 * (pausedAt - 256),
                                      captured.begin() + 2 * pausedAt);
    const std::vector<int16_t> after(captured.begin() + 2 * pausedAt,
                                     captured.begin() + 2 * (pausedAt + 256));
    const int64_t beforeAt = Find(signal, before);
    const int64_t afterAt = Find(signal, after);
    ASSERT_GE(beforeAt, 0) << "the stretch before the pause is not the played signal";
    ASSERT_GE(afterAt, 0) << "the stretch after the pause is not the played signal";
    EXPECT_GE(afterAt, beforeAt + int64_t(before.size()))
        << "before " << beforeAt << " after " << afterAt << " paused at " << pausedAt;
}

#include "audio/audio_engine.h"
#include "audio/mix_gains.h"
#include "audio/sim_stream.h"
#include "audio_test_support.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr uint32_t kRate = 8000;

std::vector<int16_t> Ramp16(uint32_t count, int16_t step = 3) {
    std::vector<int16_t> samples(count);
    for (uint32_t i = 0; i < count; ++i) {
        samples[i] = int16_t(uint16_t(i * uint32_t(step)));
    }
    return samples;
}

} // namespace

TEST(AudioEngineStart, EmptyStoreAndEmptyRangePlayNothing) {
    SimRig rig;
    CEngineWaiter listener;
    CSampleStore none;
    EXPECT_FALSE(none.StartPlayback(-1, 256, -1, -1, false, &listener));
    CSampleStore empty;
    ASSERT_TRUE(empty.Create(STORE_MEMORY, "", 16, 1, kRate, false));
    EXPECT_FALSE(empty.StartPlayback(-1, 256, -1, -1, false, &listener));
    CSampleStore store;
    MakeStore16(store, 1, kRate, false, Ramp16(100));
    EXPECT_FALSE(store.StartPlayback(-1, 256, 40, 40, false, &listener));
    EXPECT_FALSE(store.StartPlayback(-1, 256, 60, 40, false, &listener));
    EXPECT_FALSE(store.StartPlayback(-1, 256, 100, -1, false, &listener));
    EXPECT_EQ(store.GetAudioState(), 0u);
    EXPECT_EQ(store.GetAudioPosition(), 0u);
    EXPECT_TRUE(listener.Messages().empty());
    EXPECT_EQ(rig.backend.OpenCount(), 0);
}

TEST(AudioEnginePlayback, PlaysTheRangeUnmixedAndStopsByItself) {
    SimRig rig;
    CEngineWaiter listener;
    CSampleStore store;
    const auto samples = Ramp16(1000);
    MakeStore16(store, 1, kRate, false, samples);
    ASSERT_TRUE(store.StartPlayback(-1, 512, 100, 900, false, &listener));
    EXPECT_EQ(store.GetAudioState(), AUDIO_PLAYING);
    ASSERT_EQ(listener.Count(WM_PLAYSTARTED), 1);
    EXPECT_EQ(listener.Messages()[0].lParam, &store);
    const AudioFormat format = rig.backend.LastFormat();
    EXPECT_EQ(format.channels, 1u);
    EXPECT_EQ(format.rate, kRate);
    EXPECT_EQ(format.bitsPerSample, 16u);
    ASSERT_TRUE(rig.RunToStop(listener, WM_PLAYSTOPPED, 256, kRate));
    const auto messages = listener.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].lParam, nullptr);
    EXPECT_EQ(messages[1].wParam, 0u);
    EXPECT_EQ(store.GetAudioState(), 0u);
    EXPECT_FALSE(rig.backend.IsOutputOpen());
    EXPECT_EQ(rig.backend.OutputResets(), 0) << "a range that played to its end must keep its tail";
    EXPECT_EQ(Decode16(rig.backend.TakeCapture()),
              std::vector<int16_t>(samples.begin() + 100, samples.begin() + 900));
    // 800 frames in buffers of 256 frames: three full ones and a short last one of 32 frames
    EXPECT_EQ(rig.backend.TakeQueuedLengths(), (std::vector<uint32_t>{512, 512, 512, 64}));
}

TEST(AudioEnginePlayback, MixesThreeTracksIntoAStereoPair) {
    SimRig rig;
    CEngineWaiter listener;
    CSampleStore store;
    std::vector<int16_t> samples;
    for (int f = 0; f < 300; ++f) {
        samples.insert(samples.end(), {int16_t(f * 3), int16_t(-f), int16_t(30)});
    }
    MakeStore16(store, 3, kRate, true, samples);
    ASSERT_TRUE(store.StartPlayback(-1, 400, -1, -1, false, &listener));
    EXPECT_EQ(rig.backend.LastFormat().channels, 2u);
    ASSERT_TRUE(rig.RunToStop(listener, WM_PLAYSTOPPED, 100, kRate));
    std::vector<int16_t> expected;
    for (int f = 0; f < 300; ++f) {
        const int16_t mixed = int16_t((f * 3 - f + 30) * 100 / 300);
        expected.insert(expected.end(), {mixed, mixed});
    }
    EXPECT_EQ(Decode16(rig.backend.TakeCapture()), expected);
    // read chunk = 3 tracks x 400 bytes / 2 channels = 600 bytes = 100 frames -> 400 bytes of output each
    EXPECT_EQ(rig.backend.TakeQueuedLengths(), (std::vector<uint32_t>{400, 400, 400}));
}

TEST(AudioEnginePlayback, ShortLastBufferOfEightBitMix) {
    SimRig rig;
    CEngineWaiter listener;
    CSampleStore store;
    std::vector<uint8_t> samples(3 * 250, 128);
    MakeStore8(store, 3, kRate, false, samples);
    ASSERT_TRUE(store.StartPlayback(-1, 100, -1, -1, false, &listener));
    ASSERT_TRUE(rig.RunToStop(listener, WM_PLAYSTOPPED, 100, kRate));
    // C = 3 x 100 = 300 bytes of 3-track frames; 750 bytes = 2 x 300 + 150 -> 150 / 3 x 1 = 50
    EXPECT_EQ(rig.backend.TakeQueuedLengths(), (std::vector<uint32_t>{100, 100, 50}));
    EXPECT_EQ(rig.backend.TakeCapture(), std::vector<uint8_t>(250, 128));
}

TEST(AudioEnginePlayback, PositionFollowsTheClockAndPauseHoldsIt) {
    SimRig rig;
    CEngineWaiter listener;
    CSampleStore store;
    MakeStore16(store, 1, kRate, false, Ramp16(4000));
    ASSERT_TRUE(store.StartPlayback(-1, 400, 1000, -1, false, &listener));
    ASSERT_TRUE(rig.WaitOutputQueued(2));
    EXPECT_EQ(store.GetAudioPosition(), 1000u);
    rig.clock.AdvanceFrames(150, kRate);
    EXPECT_EQ(store.GetAudioPosition(), 1150u);
    store.TogglePause();
    EXPECT_EQ(store.GetAudioState(), AUDIO_PLAYING | AUDIO_PAUSED);
    EXPECT_FALSE(rig.backend.IsOutputRunning());
    rig.clock.AdvanceFrames(500, kRate);
    EXPECT_EQ(store.GetAudioPosition(), 1150u);
    uint32_t left = 99;
    uint32_t right = 99;
    store.GetAudioLevels(left, right);
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(right, 0u);
    store.TogglePause();
    EXPECT_EQ(store.GetAudioState(), AUDIO_PLAYING);
    rig.clock.AdvanceFrames(40, kRate);
    EXPECT_EQ(store.GetAudioPosition(), 1190u);
    store.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_PLAYSTOPPED));
    EXPECT_EQ(store.GetAudioPosition(), 0u);
    EXPECT_EQ(Decode16(rig.backend.TakeCapture()), [] {
        const auto all = Ramp16(4000);
        return std::vector<int16_t>(all.begin() + 1000, all.begin() + 1190);
    }());
}

TEST(AudioEnginePlayback, LoopWrapsThePositionWhileTheDeviceKeepsCounting) {
    SimRig rig;
    CEngineWaiter listener;
    CSampleStore store;
    const auto samples = Ramp16(500);
    MakeStore16(store, 1, kRate, false, samples);
    ASSERT_TRUE(store.StartPlayback(-1, 120, 100, 200, true, &listener));
    ASSERT_TRUE(rig.WaitOutputQueued(2));
    uint32_t played = 0;
    for (int step = 0; step < 10; ++step) {
        rig.clock.AdvanceFrames(60, kRate);
        played += 60;
        EXPECT_EQ(store.GetAudioPosition(), 100 + played % 100) << step;
        ASSERT_TRUE(rig.WaitOutputQueued(2));
    }
    store.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_PLAYSTOPPED));
    std::vector<int16_t> expected;
    for (uint32_t f = 0; f < played; ++f) {
        expected.push_back(samples[100 + f % 100]);
    }
    EXPECT_EQ(Decode16(rig.backend.TakeCapture()), expected);
    EXPECT_EQ(listener.Count(WM_PLAYSTOPPED), 1);
}

TEST(AudioEnginePlayback, LevelsOfTheFrameAtThePosition) {
    SimRig rig;
    CEngineWaiter listener;
    CSampleStore store;
    std::vector<int16_t> samples;
    for (int f = 0; f < 400; ++f) {
        samples.insert(samples.end(), {16384, -32768});
    }
    MakeStore16(store, 2, kRate, true, samples);
    ASSERT_TRUE(store.StartPlayback(-1, 400, -1, -1, false, &listener));
    ASSERT_TRUE(rig.WaitOutputQueued(2));
    rig.clock.AdvanceFrames(10, kRate);
    uint32_t left = 0;
    uint32_t right = 0;
    store.GetAudioLevels(left, right);
    EXPECT_EQ(left, 50u);
    EXPECT_EQ(right, 100u);
    store.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_PLAYSTOPPED));
    store.GetAudioLevels(left, right);
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(right, 0u);
}

TEST(AudioEnginePlayback, MuteDuringPlaybackIsHeardInTheNextBuffer) {
    SimRig rig;
    CEngineWaiter listener;
    CSampleStore store;
    std::vector<int16_t> samples;
    for (int f = 0; f < 600; ++f) {
        samples.insert(samples.end(), {1000, 2000});
    }
    MakeStore16(store, 2, kRate, true, samples);
    ASSERT_TRUE(store.StartPlayback(-1, 400, -1, -1, false, &listener)); // 100 frames per buffer
    ASSERT_TRUE(rig.WaitOutputQueued(2));
    store.SetPlayOff(1, true);
    rig.clock.AdvanceFrames(100, kRate); // buffer 1 done; its refill mixes without track 1
    ASSERT_TRUE(rig.RunToStop(listener, WM_PLAYSTOPPED, 100, kRate));
    const auto played = Decode16(rig.backend.TakeCapture());
    ASSERT_EQ(played.size(), 1200u);
    EXPECT_EQ(played[0], 1000);
    EXPECT_EQ(played[1], 2000);
    EXPECT_EQ(played[2 * 199 + 1], 2000); // the second buffer was queued before the change
    EXPECT_EQ(played[2 * 200], 1000);
    EXPECT_EQ(played[2 * 200 + 1], 0);
    EXPECT_EQ(played[2 * 599 + 1], 0);
}

TEST(AudioEngineStop, DoubleStopPostsOneMessage) {
    SimRig rig;
    CEngineWaiter listener;
    CSampleStore store;
    MakeStore16(store, 1, kRate, false, Ramp16(2000));
    ASSERT_TRUE(store.StartPlayback(-1, 200, -1, -1, false, &listener));
    store.StopAudio();
    store.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_PLAYSTOPPED));
    store.StopAudio();
    store.Release();
    EXPECT_EQ(listener.Count(WM_PLAYSTOPPED), 1);
    EXPECT_EQ(listener.Count(WM_PLAYSTARTED), 1);
    EXPECT_EQ(rig.backend.OutputResets(), 1) << "a stopped run is cut off at once";
}

TEST(AudioEngineStop, ReleaseDuringPlaybackWaitsForTheWorker) {
    SimRig rig;
    CEngineWaiter listener;
    TempDir dir;
    {
        CSampleStore store;
        ASSERT_TRUE(store.Create(STORE_TEMPFILE, dir.Path(), 16, 1, kRate, false));
        FillRamp16(store, 5000);
        ASSERT_TRUE(store.StartPlayback(-1, 256, -1, -1, true, &listener));
        ASSERT_TRUE(rig.WaitOutputQueued(2));
        rig.clock.AdvanceFrames(128, kRate);
        store.Release();
        EXPECT_FALSE(store.HasData());
        EXPECT_EQ(listener.Count(WM_PLAYSTOPPED), 1); // posted before Release returned
        EXPECT_FALSE(rig.backend.IsOutputOpen());
        EXPECT_EQ(store.GetAudioState(), 0u);
    }
    EXPECT_TRUE(dir.Files().empty());
}

TEST(AudioEngineStop, DestroyingAPlayingStoreIsClean) {
    SimRig rig;
    CEngineWaiter listener;
    {
        CSampleStore store;
        MakeStore16(store, 1, kRate, false, Ramp16(3000));
        ASSERT_TRUE(store.StartPlayback(-1, 256, -1, -1, false, &listener));
    }
    EXPECT_EQ(listener.Count(WM_PLAYSTOPPED), 1);
    EXPECT_FALSE(rig.backend.IsOutputOpen());
}

TEST(AudioEngineStop, NewStartWhileTheRunIsClosing) {
    SimRig rig;
    CEngineWaiter listener;
    CSampleStore store;
    MakeStore16(store, 1, kRate, false, Ramp16(3000));
    ASSERT_TRUE(store.StartPlayback(-1, 256, -1, -1, false, &listener));
    store.StopAudio(); // the worker closes while the next start comes in
    ASSERT_TRUE(store.StartPlayback(-1, 256, 2000, -1, false, &listener));
    const auto messages = listener.Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].message, WM_PLAYSTARTED);
    EXPECT_EQ(messages[1].message, WM_PLAYSTOPPED);
    EXPECT_EQ(messages[2].message, WM_PLAYSTARTED);
    EXPECT_EQ(store.GetAudioState(), AUDIO_PLAYING);
    ASSERT_TRUE(rig.WaitOutputQueued(2));
    EXPECT_EQ(store.GetAudioPosition(), 2000u);
    store.StopAudio();
    ASSERT_TRUE(listener.WaitFor(WM_PLAYSTOPPED, 2));
}

TEST(AudioEngineStop, RunWithoutListenerEndsQuietly) {
    SimRig rig;
    CSampleStore store;
    MakeStore16(store, 1, kRate, false, Ramp16(300));
    ASSERT_TRUE(store.StartPlayback(-1, 256));
    for (int step = 0; step < 1000 && store.GetAudioState() != 0; ++step) {
        rig.clock.AdvanceFrames(128, kRate);
        WaitUntil([&] { return store.GetAudioState() == 0 || rig.backend.OutputQueued() > 0; });
    }
    EXPECT_EQ(store.GetAudioState(), 0u);
    EXPECT_EQ(Decode16(rig.backend.TakeCapture()), Ramp16(300));
}

TEST(AudioEngineUnpaced, PlaysEverythingAtOnce) {
    CSimSession sim(CSimClock::Mode::Unpaced, true);
    CEngineWaiter listener;
    CSampleStore store;
    std::vector<int16_t> samples = Ramp16(20000 * 4, 1);
    MakeStore16(store, 4, 44100, true, samples);
    ASSERT_TRUE(store.StartPlayback(-1, 4096, -1, -1, false, &listener));
    ASSERT_TRUE(listener.WaitFor(WM_PLAYSTOPPED));
    const auto played = Decode16(sim.backend.TakeCapture());
    ASSERT_EQ(played.size(), 40000u);
    const MixGains gains = ComputeMixGains(store.Mixer(), store.m_playOff.data(), 4, true);
    const auto bytes = Samples16(samples);
    std::vector<uint8_t> expected(bytes.size());
    expected.resize(MixFrames(gains, 16, 4, expected.data(), bytes.data(), uint32_t(bytes.size())));
    EXPECT_EQ(played, Decode16(expected));
}

TEST(AudioEngineUnpaced, FollowingARunThatHasAlreadyEndedReturnsAtOnce) {
    CSimSession sim(CSimClock::Mode::Unpaced, true);
    CSampleStore store;
    MakeStore16(store, 1, 8000, false, {1, 2, 3});
    for (int run = 1; run <= 2; ++run) {
        CEngineWaiter listener;
        ASSERT_TRUE(store.StartPlayback(-1, 4096, -1, -1, false, &listener));
        ASSERT_TRUE(listener.WaitFor(WM_PLAYSTOPPED)); // over before anyone follows it
        int ticks = 0;
        const AudioMessage stop = listener.Follow(store, WM_PLAYSTOPPED, std::chrono::milliseconds(10), [&] {
            ++ticks;
            return true;
        });
        EXPECT_EQ(stop.message, WM_PLAYSTOPPED);
        EXPECT_EQ(ticks, 0);
    }
}

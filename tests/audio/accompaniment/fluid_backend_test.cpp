#include "audio/accompaniment_backends.h"
#include "audio/counting_listener.h"
#include "audio/sim_session.h"
#include "audio_test_support.h"
#include "midi_test_file.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr uint32_t kFrameBytes = 4;

class FluidBackend : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(CurrentMidiBackend(), nullptr); }
    void TearDown() override {
        std::error_code error;
        std::filesystem::remove(path, error);
    }
    /// Writes the file and plays it to its end at a tempo; returns the frames that reached the output.
    uint32_t PlayFrames(const std::vector<uint8_t>& file, int tempo, int16_t* peak = nullptr) {
        WriteBytes(path, file);
        std::unique_ptr<IMidiSequence> midi = CurrentMidiBackend()->Open(path, {-1, 16384});
        EXPECT_TRUE(midi);
        if (!midi) {
            return 0;
        }
        EXPECT_TRUE(midi->SetPort(-1));
        midi->SetTempo(tempo);
        CountingListener listener;
        EXPECT_TRUE(midi->Play(listener));
        EXPECT_TRUE(WaitUntil([&] { return listener.ended.load() == 1; }));
        EXPECT_FALSE(listener.lastFailed.load());
        const std::vector<int16_t> samples = Decode16(sim.backend.TakeCapture());
        if (peak) {
            *peak = 0;
            for (int16_t sample : samples) {
                *peak = std::max<int16_t>(*peak, int16_t(std::abs(int(sample))));
            }
        }
        return uint32_t(samples.size() * 2 / kFrameBytes);
    }

    TempDir scratch;
    std::string path = scratch.Path() + "/ondrix-accompaniment-test.mid";
    CSimSession sim{CSimClock::Mode::Unpaced, true};
};

/// Frames within this many of the expected length: the player's end is seen within a render step
/// and its clock moves in whole milliseconds.
constexpr uint32_t kTolerance = 2205; // 50 ms

} // namespace

TEST_F(FluidBackend, FilePlaysThroughTheSynthesizerAtItsOwnTempo) {
    int16_t peak = 0;
    // Four quarters at 120 bpm: 2 s.
    const uint32_t frames = PlayFrames(MakeMidiFile(4, 120), 120, &peak);
    EXPECT_NEAR(double(frames), 88200.0, kTolerance);
    EXPECT_GT(peak, 200) << "the synthesizer's sound reaches the output";
}

TEST_F(FluidBackend, SyncTempoOverridesTheFilesTempo) {
    // Three quarters written at 90 bpm last 2 s; played at 180 bpm they last 1 s, at 45 bpm 4 s.
    EXPECT_NEAR(double(PlayFrames(MakeMidiFile(3, 90), 90)), 88200.0, kTolerance);
    EXPECT_NEAR(double(PlayFrames(MakeMidiFile(3, 90), 180)), 44100.0, kTolerance);
    EXPECT_NEAR(double(PlayFrames(MakeMidiFile(3, 90), 45)), 176400.0, kTolerance);
}

TEST_F(FluidBackend, RmidFilePlaysTheFileItWraps) {
    path = scratch.Path() + "/ondrix-accompaniment-test.rmi";
    EXPECT_NEAR(double(PlayFrames(WrapRmid(MakeMidiFile(2, 120)), 120)), 44100.0, kTolerance);
}

TEST_F(FluidBackend, MissingOrDamagedFileDoesNotOpen) {
    EXPECT_FALSE(CurrentMidiBackend()->Open(scratch.Path() + "/no-such-song.mid", {-1, 16384}));
    WriteBytes(path, {'n', 'o', ' ', 'm', 'i', 'd', 'i'});
    EXPECT_FALSE(CurrentMidiBackend()->Open(path, {-1, 16384}));
    std::vector<uint8_t> cut = WrapRmid(MakeMidiFile(2, 120));
    cut.resize(cut.size() - 4);
    WriteBytes(path, cut);
    EXPECT_FALSE(CurrentMidiBackend()->Open(path, {-1, 16384}));
}

TEST_F(FluidBackend, StopEndsThePlaySilentlyAndItCanPlayAgain) {
    CSimSession paced(CSimClock::Mode::RealTime, true);
    WriteBytes(path, MakeMidiFile(8, 120));
    std::unique_ptr<IMidiSequence> midi = CurrentMidiBackend()->Open(path, {-1, 8192});
    ASSERT_TRUE(midi);
    CountingListener listener;
    ASSERT_TRUE(midi->Play(listener));
    ASSERT_TRUE(WaitUntil([&] { return !paced.backend.TakeCapture().empty(); }));
    midi->SetTempo(256); // while it plays
    midi->Stop();
    EXPECT_FALSE(paced.backend.IsOutputOpen());
    EXPECT_EQ(listener.ended.load(), 0);
    ASSERT_TRUE(midi->Play(listener));
    EXPECT_TRUE(paced.backend.IsOutputOpen());
    midi.reset(); // closing stops it
    EXPECT_FALSE(paced.backend.IsOutputOpen());
    EXPECT_EQ(listener.ended.load(), 0);
}

TEST_F(FluidBackend, OutputThatDoesNotOpenFailsThePlay) {
    WriteBytes(path, MakeMidiFile(2, 120));
    std::unique_ptr<IMidiSequence> midi = CurrentMidiBackend()->Open(path, {-1, 16384});
    ASSERT_TRUE(midi);
    sim.backend.FailNextOpen(DeviceResult::Allocated);
    CountingListener listener;
    EXPECT_FALSE(midi->Play(listener));
}

TEST(FluidPorts, WithoutAnAlsaSequencerThereAreNoPorts) {
    ASSERT_NE(CurrentMidiBackend(), nullptr);
    if (std::filesystem::exists("/dev/snd/seq")) {
        GTEST_SKIP() << "this machine has an ALSA sequencer";
    }
    EXPECT_TRUE(CurrentMidiBackend()->ListPorts().empty());
    const TempDir scratch;
    const std::string path = scratch.Path() + "/ondrix-port-test.mid";
    WriteBytes(path, MakeMidiFile(2, 120));
    std::unique_ptr<IMidiSequence> midi = CurrentMidiBackend()->Open(path, {-1, 16384});
    ASSERT_TRUE(midi);
    EXPECT_FALSE(midi->SetPort(0));
    EXPECT_TRUE(midi->SetPort(-1));
    std::filesystem::remove(path);
}

// ondrix-cli play, record and devices, run as the program on the simulated device.
#include "audio_test_support.h"
#include "cli/cli_runner.h"
#include "store/sample_store.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// A WAVE file of 16-bit frames.
std::string WriteWave16(const TempDir& dir, const std::string& name, uint32_t channels, uint32_t rate,
                        const std::vector<int16_t>& samples) {
    const std::string path = dir.Path() + "/" + name;
    WriteFile(path, WaveBuilder().Fmt(channels, rate, 16).Data(Samples16(samples)).Bytes());
    return path;
}

/// The samples and format of a WAVE file written by the tool.
struct Loaded {
    uint32_t tracks = 0;
    uint32_t rate = 0;
    uint32_t bits = 0;
    std::vector<uint8_t> bytes;
};

Loaded Load(const std::string& path) {
    CSampleStore store;
    Loaded loaded;
    EXPECT_TRUE(store.Load(path, STORE_MEMORY, std::string())) << path;
    loaded.tracks = store.GetTrackCount();
    loaded.rate = store.GetSampleRate();
    loaded.bits = store.GetBitsPerSample();
    loaded.bytes = AllBytes(store);
    return loaded;
}

std::vector<int16_t> ThreeTracks(uint32_t frames) {
    std::vector<int16_t> samples;
    for (uint32_t f = 0; f < frames; ++f) {
        samples.insert(samples.end(), {int16_t(f * 3), int16_t(-int32_t(f)), int16_t(300)});
    }
    return samples;
}

} // namespace

TEST(PlayVerb, CapturesTheMixOfThreeTracks) {
    TempDir dir;
    const auto in = WriteWave16(dir, "in.wav", 3, 8000, ThreeTracks(5000));
    const auto out = dir.Path() + "/out.wav";
    const Result r = RunCli({"play", in, "--device", "sim", "--capture", out, "--fast"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Loaded played = Load(out);
    EXPECT_EQ(played.tracks, 2u);
    EXPECT_EQ(played.rate, 8000u);
    EXPECT_EQ(played.bits, 16u);
    const auto samples = Decode16(played.bytes);
    ASSERT_EQ(samples.size(), 10000u);
    for (uint32_t f = 0; f < 5000; f += 123) {
        const int16_t mixed = int16_t((int32_t(int16_t(f * 3)) - int32_t(f) + 300) * 100 / 300);
        EXPECT_EQ(samples[2 * f], mixed) << f;
        EXPECT_EQ(samples[2 * f + 1], mixed) << f;
    }
}

TEST(PlayVerb, TheMixerComesFromTheFilesChnnChunk) {
    TempDir dir;
    // two tracks whose stored mixer turns stereo playback off: the device gets one averaged channel
    std::vector<uint8_t> mixer = {0, 100, 100};
    mixer.insert(mixer.end(), 32, 100);
    mixer.insert(mixer.end(), 32, 0);
    std::vector<int16_t> samples;
    for (int16_t f = 0; f < 1000; ++f) {
        samples.insert(samples.end(), {int16_t(2 * f), int16_t(100)});
    }
    const std::string in = dir.Path() + "/in.wav";
    WriteFile(in, WaveBuilder().Fmt(2, 8000, 16).Data(Samples16(samples)).Chunk("chnn", mixer).Bytes());
    const auto out = dir.Path() + "/out.wav";
    const Result r = RunCli({"play", in, "--device", "sim", "--capture", out, "--fast"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Loaded played = Load(out);
    EXPECT_EQ(played.tracks, 1u);
    const auto heard = Decode16(played.bytes);
    ASSERT_EQ(heard.size(), 1000u);
    for (int16_t f = 0; f < 1000; f += 37) {
        EXPECT_EQ(heard[std::size_t(f)], f + 50) << f; // (2f + 100) x 100 / 200
    }
}

TEST(PlayVerb, MuteAndRange) {
    TempDir dir;
    const auto in = WriteWave16(dir, "in.wav", 3, 8000, ThreeTracks(1000));
    const auto out = dir.Path() + "/out.wav";
    const Result r = RunCli({"play", in, "--device", "sim", "--capture", out, "--fast", "--mute", "0,2",
                             "--from", "100", "--to", "400"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto samples = Decode16(Load(out).bytes);
    ASSERT_EQ(samples.size(), 600u);
    // Only track 1 sounds, at three times its weight: -f * 300 / 300
    EXPECT_EQ(samples[0], -100);
    EXPECT_EQ(samples[1], -100);
    EXPECT_EQ(samples[598], -399);
}

TEST(PlayVerb, PlainMonoFileIsPlayedAsItIsInRealTime) {
    TempDir dir;
    std::vector<int16_t> samples;
    for (int i = 0; i < 1600; ++i) {
        samples.push_back(int16_t(i * 17));
    }
    const auto in = WriteWave16(dir, "mono.wav", 1, 8000, samples);
    const auto out = dir.Path() + "/out.wav";
    const Result r = RunCli({"play", in, "--device", "sim", "--capture", out, "--buffer", "1024"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Loaded played = Load(out);
    EXPECT_EQ(played.tracks, 1u);
    EXPECT_EQ(Decode16(played.bytes), samples);
}

TEST(PlayVerb, RefusesWhatItCannotDo) {
    TempDir dir;
    const auto in = WriteWave16(dir, "in.wav", 1, 8000, {1, 2, 3});
    EXPECT_EQ(RunCli({"play", in, "--capture", dir.Path() + "/x.wav"}).exitCode, 2);
    EXPECT_EQ(RunCli({"play", in, "--device", "speaker"}).exitCode, 2);
    EXPECT_EQ(RunCli({"play", in, "--device", "-2"}).exitCode, 2);
    EXPECT_EQ(RunCli({"play", in, "--device", "sim", "--loop", "--fast"}).exitCode, 2);
    EXPECT_EQ(RunCli({"play", in, "--mute", "5"}).exitCode, 2);
    const Result empty = RunCli({"play", in, "--device", "sim", "--from", "2", "--to", "2"});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_NE(empty.err.find("There is nothing to play between --from and --to."), std::string::npos);
    const Result missing =
        RunCli({"play", in, "--device", "sim", "--fast", "--capture", dir.Path() + "/x.wav"});
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_EQ(RunCli({"play", dir.Path() + "/nothing.wav", "--device", "sim"}).exitCode, 1);
}

TEST(PlayVerb, CtrlCStopsALoop) {
    TempDir dir;
    TempDir output;
    const auto in = WriteWave16(dir, "in.wav", 1, 8000, std::vector<int16_t>(800, 5));
    const pid_t pid = Start({"play", in, "--device", "sim", "--loop"}, output);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ::kill(pid, SIGINT);
    const Result r = Finish(pid, output);
    // Stopped by the verb (0), or by the signal itself when it came before the tool had started.
    EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 130) << r.exitCode << r.err;
}

TEST(RecordVerb, RecordsTheInputFileRenderedToTheFormat) {
    TempDir dir;
    std::vector<int16_t> samples;
    for (int f = 0; f < 8000; ++f) {
        samples.insert(samples.end(), {int16_t(f), int16_t(f / 2)});
    }
    const auto in = WriteWave16(dir, "in.wav", 2, 8000, samples);
    const auto out = dir.Path() + "/rec.wav";
    const Result r = RunCli({"record", out, "--seconds", "0.5", "--device", "sim", "--input", in, "--fast",
                             "--rate", "8000", "--bits", "16"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Loaded recorded = Load(out);
    EXPECT_EQ(recorded.tracks, 1u);
    EXPECT_EQ(recorded.rate, 8000u);
    // Mono: the two channels of the plain stereo file averaged, exactly half a second.
    std::vector<int16_t> expected;
    for (int f = 0; f < 4000; ++f) {
        expected.push_back(int16_t((f + f / 2) / 2));
    }
    EXPECT_EQ(Decode16(recorded.bytes), expected);
}

TEST(RecordVerb, EightBitStereoOfTheRequestedLength) {
    TempDir dir;
    const auto out = dir.Path() + "/rec.wav";
    const Result r = RunCli({"record", out, "--seconds", "1", "--device", "sim", "--fast", "--rate", "11025",
                             "--bits", "8", "--stereo"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Loaded recorded = Load(out);
    EXPECT_EQ(recorded.tracks, 2u);
    EXPECT_EQ(recorded.bits, 8u);
    EXPECT_EQ(recorded.rate, 11025u);
    EXPECT_EQ(recorded.bytes.size(), 2u * 11025);
}

TEST(RecordVerb, RefusesWhatItCannotDo) {
    TempDir dir;
    const auto out = dir.Path() + "/rec.wav";
    EXPECT_EQ(RunCli({"record", out}).exitCode, 2);
    EXPECT_EQ(RunCli({"record", out, "--seconds", "0"}).exitCode, 2);
    EXPECT_EQ(RunCli({"record", out, "--seconds", "x"}).exitCode, 2);
    EXPECT_EQ(RunCli({"record", out, "--seconds", "1", "--bits", "12"}).exitCode, 2);
    EXPECT_EQ(RunCli({"record", out, "--seconds", "1", "--fast"}).exitCode, 2);
    const Result missing =
        RunCli({"record", out, "--seconds", "1", "--device", "sim", "--input", dir.Path() + "/none.wav"});
    EXPECT_EQ(missing.exitCode, 1);
}

TEST(DevicesVerb, ListsOutputsAndInputs) {
    const Result r = RunCli({"devices"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Output devices ("), std::string::npos);
    EXPECT_NE(r.out.find("Input devices ("), std::string::npos);
    EXPECT_NE(r.out.find("-1  Preferred Device (Wave Mapper)"), std::string::npos);
    EXPECT_EQ(RunCli({"devices", "extra"}).exitCode, 2);
}

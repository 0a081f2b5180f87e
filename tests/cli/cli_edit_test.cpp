// ondrix-cli edit, run as the program: each operation's result file, and refusals.
#include "cli_runner.h"
#include "store/sample_store.h"
#include "support/sound_model.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// A two-track 16-bit file at 8000 Hz whose frame f holds (f, -f).
std::string TwoTrackFile(const TempDir& dir, int frames) {
    std::vector<int16_t> samples;
    for (int f = 0; f < frames; ++f) {
        samples.push_back(int16_t(f));
        samples.push_back(int16_t(-f));
    }
    const std::string path = dir.Path() + "/in.wav";
    WriteFile(path, WaveBuilder().Fmt(2, 8000, 16).Data(Samples16(samples)).Bytes());
    return path;
}

SoundModel Loaded(const std::string& path) {
    CSampleStore store;
    EXPECT_TRUE(store.Load(path, STORE_MEMORY, ""));
    return SoundModel::FromStore(store);
}

} // namespace

TEST(CliEdit, DeleteCopyAndPasteOnChosenTracks) {
    TempDir dir;
    const std::string in = TwoTrackFile(dir, 100);
    const std::string out = dir.Path() + "/out.wav";

    Result r = RunCli({"edit", in, out, "delete", "--block", "10:19"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto sound = Loaded(out);
    ASSERT_EQ(sound.frames.size(), 90u);
    EXPECT_EQ(sound.frames[10], (std::vector<int>{20, -20}));

    r = RunCli({"edit", in, out, "delete", "--block", "10:19", "--tracks", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    sound = Loaded(out);
    ASSERT_EQ(sound.frames.size(), 100u);
    EXPECT_EQ(sound.frames[10], (std::vector<int>{10, -20}));
    EXPECT_EQ(sound.frames[99], (std::vector<int>{99, 0}));

    const std::string clip = dir.Path() + "/clip.wav";
    std::filesystem::remove(out);
    r = RunCli({"edit", in, out, "copy", "--block", "5:7", "--tracks", "1", "--to", clip});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out)); // copy leaves OUT alone
    EXPECT_EQ(Loaded(clip).frames, (std::vector<std::vector<int>>{{-5}, {-6}, {-7}}));

    r = RunCli({"edit", in, out, "paste", clip, "--at", "0", "--current", "0", "--overwrite"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    sound = Loaded(out);
    ASSERT_EQ(sound.frames.size(), 100u);
    EXPECT_EQ(sound.frames[1], (std::vector<int>{-6, -1}));

    r = RunCli({"edit", in, out, "paste", clip, "--at", "end", "--assign", "255,0"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    sound = Loaded(out);
    ASSERT_EQ(sound.frames.size(), 103u);
    EXPECT_EQ(sound.frames[101], (std::vector<int>{0, -6}));

    r = RunCli({"edit", in, out, "paste", clip, "--at", "2", "--assign", "0,0", "--mix", "50"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Loaded(out).frames[2], (std::vector<int>{(2 - 5) / 2, (-2 - 5) / 2}));
}

TEST(CliEdit, FormatOperations) {
    TempDir dir;
    const std::string in = TwoTrackFile(dir, 1000);
    const std::string out = dir.Path() + "/out.wav";
    ASSERT_EQ(RunCli({"edit", in, out, "bits", "8"}).exitCode, 0);
    EXPECT_EQ(Loaded(out).bits, 8u);
    ASSERT_EQ(RunCli({"edit", in, out, "rate", "16000", "--resample"}).exitCode, 0);
    EXPECT_EQ(Loaded(out).frames.size(), 2000u);
    ASSERT_EQ(RunCli({"edit", in, out, "tracks", "3"}).exitCode, 0);
    EXPECT_EQ(Loaded(out).frames[7], (std::vector<int>{7, -7, 0}));
    ASSERT_EQ(RunCli({"edit", in, out, "insert-track", "0"}).exitCode, 0);
    EXPECT_EQ(Loaded(out).frames[7], (std::vector<int>{0, 7, -7}));
    ASSERT_EQ(RunCli({"edit", in, out, "delete-track", "0"}).exitCode, 0);
    EXPECT_EQ(Loaded(out).frames[7], (std::vector<int>{-7}));
}

TEST(CliEdit, RefusalsAreUsageErrorsAndWriteNothing) {
    TempDir dir;
    const std::string in = TwoTrackFile(dir, 10);
    const std::string out = dir.Path() + "/out.wav";
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"edit", in, out, "bits", "12"},
             {"edit", in, out, "delete", "--block", "5:2"},
             {"edit", in, out, "delete", "--block", "20:30"},
             {"edit", in, out, "delete-track", "2"},
             {"edit", in, out, "paste", in, "--at", "0", "--assign", "0"},
             {"edit", in, out, "tracks", "33"},
             {"edit", in, out, "rate", "4000"}, // a file at that rate could not be read back
             {"edit", in, out, "shuffle"},
         }) {
        const Result r = RunCli(args);
        EXPECT_EQ(r.exitCode, 2) << args[3];
        EXPECT_NE(r.err.find("usage: ondrix-cli edit"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

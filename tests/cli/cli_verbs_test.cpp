// The verbs run as the program: output, exit codes, files written and Ctrl-C.
#include "cli_runner.h"
#include "fileformat/wave_builder.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace ondrix;
using namespace ondrix::test;

extern char** environ;

namespace {

std::vector<uint8_t> RichWave() {
    std::vector<uint8_t> mixer = {1, 100, 90};
    mixer.insert(mixer.end(), 32, 100);
    mixer.insert(mixer.end(), 32, 0);
    mixer[4] = 50;
    mixer[35] = uint8_t(-20);
    return WaveBuilder()
        .Fmt(3, 8000, 16)
        .Data(Samples16({1, 2, 3, 4, 5, 6}))
        .Chunk("chnn", mixer)
        .Chunk("chtt", Join({U32(1), {0}, U32(5), Text("Bass"), U32(4), Text("K\xF6l")}))
        .Chunk("LIST", Join({Text("INFO", false), Text("INAM", false), U32(6), Text("Title")}))
        .Bytes();
}

} // namespace

TEST(CliInfo, JsonHasEveryField) {
    TempDir dir;
    WriteFile(dir.Path() + "/rich.wav", RichWave());
    const Result r = RunCli({"info", "--json", dir.Path() + "/rich.wav"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"bits\":16,\"tracks\":3,\"rate\":8000,\"frames\":2,\"data_size\":12,\"stereo\":true,"
                     "\"main_volume\":[100,90],\"volume\":[100,50,100],\"balance\":[-20,0,0],"
                     "\"names\":[\"\",\"Bass\",\"K\xC3\xB6l\"],\"info\":{\"INAM\":\"Title\"}}\n");
    EXPECT_EQ(r.err, "");
}

TEST(CliInfo, TextListsFormatMixerNamesAndTexts) {
    TempDir dir;
    const std::string path = dir.Path() + "/rich.wav";
    WriteFile(path, RichWave());
    const Result r = RunCli({"info", path});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "File:              " + path +
                         "\n"
                         "Bits per sample:   16\n"
                         "Tracks:            3\n"
                         "Sampling rate:     8000 Hz\n"
                         "Frames:            2\n"
                         "Data size:         12 bytes\n"
                         "Duration:          0:00:00.000\n"
                         "Stereo playback:   yes\n"
                         "Main volume left:  100\n"
                         "Main volume right: 90\n"
                         "Track 0:           volume 100, balance -20\n"
                         "Track 1:           volume 50, balance 0, \"Bass\"\n"
                         "Track 2:           volume 100, balance 0, \"K\xC3\xB6l\"\n"
                         "Info INAM:         Title\n");
}

TEST(CliInfo, RawInputTakesTheStatedFormat) {
    TempDir dir;
    WriteFile(dir.Path() + "/x.raw", Ramp(8001));
    const Result r = RunCli({"info", "--json", "--raw-in", "8000,2,16,1", dir.Path() + "/x.raw"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string expected =
        "{\"bits\":16,\"tracks\":2,\"rate\":8000,\"frames\":2000,\"data_size\":8000,\"stereo\":true,";
    EXPECT_EQ(r.out.substr(0, expected.size()), expected);
    const Result beyond = RunCli({"info", "--raw-in", "8000,2,16,8001", dir.Path() + "/x.raw"});
    EXPECT_EQ(beyond.exitCode, 1);
    EXPECT_EQ(beyond.err, "ondrix-cli: --raw-in: the starting offset 8001 is not inside the file\n");
}

TEST(CliInfo, ErrorsPrintTheProgramsMessageAndFail) {
    TempDir dir;
    WriteFile(dir.Path() + "/text.wav", Text("hello there, not a sound", false));
    Result r = RunCli({"info", dir.Path() + "/text.wav"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "ondrix: The file " + dir.Path() +
                         "/text.wav has no valid WAVE format.\nThis file cannot be opened.\n");
    EXPECT_EQ(r.out, "");
    r = RunCli({"info", dir.Path() + "/missing.wav"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "ondrix: " + dir.Path() + "/missing.wav was not found.\n");
}

TEST(CliInfo, UsageErrorsExitWithTwo) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"info"},
                                                 {"info", "a", "b"},
                                                 {"info", "--nope", "a"},
                                                 {"info", "--raw-in", "1,1,1,1", "a"},
                                                 {"info", "--storage", "disk", "a"},
                                                 {"convert", "a"},
                                                 {"convert", "a", "b", "--raw-out=1"}}) {
        const Result r = RunCli(args);
        EXPECT_EQ(r.exitCode, 2) << args[1];
        EXPECT_NE(r.err.find("usage: ondrix-cli " + args[0] + " "), std::string::npos) << r.err;
    }
}

TEST(CliConvert, WaveToWaveKeepsEverythingAndRawOutIsTheSamples) {
    TempDir dir;
    const std::string in = dir.Path() + "/in.wav";
    WriteFile(in, RichWave());
    for (const char* storage : {"inplace", "temp", "memory"}) {
        Result r = RunCli({"convert", "--storage", storage, in, dir.Path() + "/out.wav"});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(ReadFile(dir.Path() + "/out.wav"), RichWave()) << storage;
    }
    Result r = RunCli({"convert", in, dir.Path() + "/out.raw", "--raw-out"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFile(dir.Path() + "/out.raw"), Samples16({1, 2, 3, 4, 5, 6}));
}

TEST(CliConvert, RawInToWaveAndOverItsOwnInput) {
    TempDir dir;
    const std::string path = dir.Path() + "/x.raw";
    WriteFile(path, Ramp(101));
    Result r = RunCli({"convert", "--raw-in", "11025,1,8,1", path, path});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFile(path), WaveBuilder().Fmt(1, 11025, 8).Data(Ramp(100, 1)).Bytes());
    EXPECT_EQ(dir.Files().size(), 1u);
}

TEST(CliConvert, StandardMixesMoreThanTwoTracksDownAsPlaybackHearsThem) {
    TempDir dir;
    std::vector<uint8_t> mixer = {1, 100, 100};
    mixer.insert(mixer.end(), 32, 100);
    mixer.insert(mixer.end(), 32, 0);
    const auto info = Join({Text("INFO", false), Text("INAM", false), U32(6), Text("Title")});
    WriteFile(dir.Path() + "/three.wav", WaveBuilder()
                                             .Fmt(3, 22050, 16)
                                             .Data(Samples16({300, 600, 900, -3, 0, 0}))
                                             .Chunk("chnn", mixer)
                                             .Chunk("LIST", info)
                                             .Bytes());
    Result r = RunCli({"convert", "--standard", dir.Path() + "/three.wav", dir.Path() + "/out.wav"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    // three tracks averaged into both sides of the pair; the info texts travel
    EXPECT_EQ(
        ReadFile(dir.Path() + "/out.wav"),
        WaveBuilder().Fmt(2, 22050, 16).Data(Samples16({600, 600, -1, -1})).Chunk("LIST", info).Bytes());

    const auto stereo = WaveBuilder().Fmt(2, 8000, 8).Data(Ramp(10)).Bytes();
    WriteFile(dir.Path() + "/two.wav", stereo);
    r = RunCli(
        {"convert", "--standard", "--storage", "memory", dir.Path() + "/two.wav", dir.Path() + "/out.wav"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFile(dir.Path() + "/out.wav"), stereo);
}

TEST(CliConvert, UnwritableTargetFailsWithTheFileMessage) {
    TempDir dir;
    WriteFile(dir.Path() + "/in.wav", RichWave());
    const Result r = RunCli({"convert", dir.Path() + "/in.wav", dir.Path() + "/no/such/out.wav"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "ondrix: " + dir.Path() + "/no/such/out.wav was not found.\n");
}

TEST(CliConvert, CtrlCAbortsAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string in = dir.Path() + "/big.raw";
    {
        // A large sparse input: reading it costs no disk, writing it takes long enough to interrupt.
        const int fd = ::open(in.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, off_t(1) << 29), 0);
        ::close(fd);
    }
    TempDir logs;
    const pid_t pid = Start({"convert", "--raw-in", "44100,2,16,0", in, dir.Path() + "/out.wav"}, logs);
    // Wait until the save is under way (its temporary file exists), hold the process, interrupt it.
    bool saving = false;
    for (int i = 0; i < 20000 && !saving; ++i) {
        for (const std::string& name : dir.Files()) {
            saving = saving || name.rfind(".out.wav.ondrix-", 0) == 0;
        }
        if (!saving) {
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    }
    ASSERT_TRUE(saving) << "the save never started";
    ::kill(pid, SIGSTOP);
    ::kill(pid, SIGINT);
    ::kill(pid, SIGCONT);
    const Result r = Finish(pid, logs);
    EXPECT_EQ(r.exitCode, 130) << r.err;
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"big.raw"});
}

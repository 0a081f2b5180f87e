// ondrix-cli effect, run as the program: the results in the written file, the messages and exit codes.
#include "effects/effects_test_util.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

struct Outcome {
    int exitCode;
    std::string err;
};

class EffectVerb : public ::testing::Test {
protected:
    /// Writes a sound of the values as in.wav.
    void WriteInput(uint32_t bits, uint32_t tracks, const std::vector<int32_t>& values,
                    uint32_t rate = 8000) {
        auto store = MakeStore(bits, tracks, values, rate);
        store->m_showErrors = 0;
        ASSERT_TRUE(store->Save(In(), false));
    }

    /// Runs ondrix-cli effect in.wav out.wav with the words; stderr is kept.
    Outcome Effect(const std::string& words) {
        const std::string errPath = m_dir.Path() + "/stderr";
        const std::string command = std::string(ONDRIX_CLI) + " effect '" + In() + "' '" + Out() + "' " +
                                    words + " 2>'" + errPath + "'";
        const int status = std::system(command.c_str());
        std::ifstream err(errPath);
        std::stringstream text;
        text << err.rdbuf();
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text.str()};
    }

    /// The samples of out.wav.
    std::vector<int32_t> Output() {
        CSampleStore store;
        EXPECT_TRUE(store.Load(Out(), STORE_MEMORY, ""));
        return Values(store);
    }

    std::string In() const { return m_dir.Path() + "/in.wav"; }
    std::string Out() const { return m_dir.Path() + "/out.wav"; }

    TempDir m_dir;
};

TEST_F(EffectVerb, VolumeOnABlockOfOneTrack) {
    WriteInput(16, 2, {100, 100, 200, 200, 300, 300, 400, 400});
    const Outcome outcome = Effect("volume Volume=50 --block 1:end --tracks 1");
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(Output(), (std::vector<int32_t>{100, 100, 200, 100, 300, 150, 400, 200}));
}

TEST_F(EffectVerb, PresetThenKeys) {
    WriteInput(8, 1, {10, 20, -30});
    ASSERT_EQ(Effect("volume --preset 1").exitCode, 0);
    EXPECT_EQ(Output(), (std::vector<int32_t>{12, 24, -36}));
    ASSERT_EQ(Effect("velocity --preset 0 Speed=50").exitCode, 0);
    EXPECT_EQ(Output(), (std::vector<int32_t>{10, 10, 20, 20, -30, -30}));
}

TEST_F(EffectVerb, EveryFunctionRuns) {
    std::vector<int32_t> values;
    for (int f = 0; f < 4000; ++f) {
        values.push_back((f * 37) % 20000 - 10000);
        values.push_back((f * 91) % 30000 - 15000);
    }
    WriteInput(16, 2, values);
    for (const char* words :
         {"volume Volume=120", "maximise", "silence --block 0:9", "fadein", "fadeout", "dynamics Dynamic=50",
          "zeroline ZeroAdjust=10", "echo EchoDelay=100 EchoCount=2 EchoVolume1=50 EchoVolume2=10",
          "envelope EnvLevel=90 EnvPoints=0:0,512:100,1024:0", "tremolo --preset 2", "crossfade --preset 0",
          "distort DistType=4 DistDepth=50 DistLevel=80", "invert", "reverse", "velocity Speed=200",
          "stretch Length=1234"}) {
        const Outcome outcome = Effect(words);
        EXPECT_EQ(outcome.exitCode, 0) << words << ": " << outcome.err;
    }
    EXPECT_EQ(Output().size(), 2u * 1234);
}

TEST_F(EffectVerb, ValuesOutsideTheDialogRanges) {
    WriteInput(16, 1, std::vector<int32_t>(100, 5), 8000);
    Outcome outcome = Effect("volume Volume=1000");
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_NE(outcome.err.find("Please enter an integer between 0 and 999."), std::string::npos)
        << outcome.err;
    // The delay runs to 98 frames, 12 ms at 8000 Hz.
    outcome = Effect("echo EchoDelay=13");
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_NE(outcome.err.find("must be between 0ms to 12ms"), std::string::npos) << outcome.err;
    outcome = Effect("reverse --preset 0");
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_NE(outcome.err.find("The function reverse has no preset \"0\"."), std::string::npos)
        << outcome.err;
    outcome = Effect("volume --block 5:100");
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_NE(outcome.err.find("whose last frame is 99"), std::string::npos) << outcome.err;
    outcome = Effect("loudness");
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_NE(outcome.err.find("Unknown function \"loudness\""), std::string::npos) << outcome.err;
    EXPECT_FALSE(std::filesystem::exists(Out()));
}

TEST_F(EffectVerb, CrossFadeNeedsTwoTracks) {
    WriteInput(16, 3, std::vector<int32_t>(30, 5));
    const Outcome outcome = Effect("crossfade --tracks 0");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.err.find("You have selected one or more than two tracks for editing."),
              std::string::npos)
        << outcome.err;
    EXPECT_FALSE(std::filesystem::exists(Out()));
    ASSERT_EQ(Effect("crossfade --tracks 0,2").exitCode, 0);
}

TEST_F(EffectVerb, UnchangedLengthWritesTheSoundAsItWas) {
    WriteInput(16, 1, {1, 2, 3, 4});
    ASSERT_EQ(Effect("velocity Speed=100").exitCode, 0);
    EXPECT_EQ(Output(), (std::vector<int32_t>{1, 2, 3, 4}));
}

} // namespace

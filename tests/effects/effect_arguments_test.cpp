#include "effects/effect_arguments.h"
#include "effects_test_util.h"

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

EffectArguments Parsed(std::vector<std::string> words) {
    EffectArguments args;
    const std::string message = ParseEffectArguments(words, args);
    EXPECT_EQ(message, "");
    return args;
}

std::string Refused(std::vector<std::string> words) {
    EffectArguments args;
    return ParseEffectArguments(words, args);
}

TEST(EffectArguments, KeysUseTheSettingsNames) {
    auto echo = Parsed(
        {"in.wav", "out.wav", "echo", "EchoDelay=120", "EchoCount=4", "EchoVolume1=60", "EchoVolume2=5"});
    EXPECT_EQ(echo.input, "in.wav");
    EXPECT_EQ(echo.output, "out.wav");
    EXPECT_EQ(echo.kind, EffectKind::Echo);
    EXPECT_EQ(echo.settings.echo.delay, 120);
    EXPECT_EQ(echo.settings.echo.count, 4);
    EXPECT_EQ(echo.settings.echo.firstVolume, 60);
    EXPECT_EQ(echo.settings.echo.lastVolume, 5);
    EXPECT_EQ(echo.given.size(), 4u);
    // The distortion's level lives under DistDepth and its depth under DistLevel.
    auto distort = Parsed({"a", "b", "distort", "DistType=3", "DistDepth=40", "DistLevel=70"});
    EXPECT_EQ(distort.settings.distort.type, 3);
    EXPECT_EQ(distort.settings.distort.level, 40);
    EXPECT_EQ(distort.settings.distort.depth, 70);
    auto cross = Parsed({"a", "b", "crossfade", "CrossType=0", "CrossTimeType=1", "CrossTime=500",
                         "CrossFreq=7", "CrossMod=90"});
    EXPECT_EQ(cross.settings.crossFade.waveform, 0);
    EXPECT_EQ(cross.settings.crossFade.period, 500);
    EXPECT_EQ(cross.settings.crossFade.depth, 90);
    EXPECT_EQ(Parsed({"a", "b", "stretch", "Length=12345"}).settings.stretch.length, 12345);
    EXPECT_EQ(Parsed({"a", "b", "zeroline", "ZeroAdjust=-40"}).settings.zeroLine.zeroAdjust, -40);
}

TEST(EffectArguments, PresetFirstThenTheGivenValues) {
    auto tremolo = Parsed({"a", "b", "tremolo", "--preset", "2", "TremMod=30"});
    EXPECT_EQ(tremolo.settings.tremolo.frequency, 500);
    EXPECT_EQ(tremolo.settings.tremolo.depth, 30);
    auto volume = Parsed({"a", "b", "volume", "--preset", "0"});
    EXPECT_EQ(volume.settings.volume.volume, 80);
    EXPECT_TRUE(volume.given.empty());
    EXPECT_EQ(Refused({"a", "b", "volume", "--preset", "2"}), "The function volume has no preset \"2\".");
    EXPECT_EQ(Refused({"a", "b", "reverse", "--preset", "0"}), "The function reverse has no preset \"0\".");
}

TEST(EffectArguments, EnvelopePoints) {
    auto env = Parsed({"a", "b", "envelope", "EnvLevel=80", "EnvPoints=0:0,512:100,1024:20"});
    EXPECT_EQ(env.settings.envelope.level, 80);
    EXPECT_EQ(env.settings.envelope.points, (std::vector<EnvelopePoint>{{0, 0}, {512, 100}, {1024, 20}}));
    EXPECT_TRUE(Parsed({"a", "b", "envelope", "EnvPoints="}).settings.envelope.points.empty());
    for (const char* bad : {"EnvPoints=1025:0", "EnvPoints=0:101", "EnvPoints=5", "EnvPoints=1:2:3",
                            "EnvPoints=a:1", "EnvPoints=1:1,"}) {
        EXPECT_NE(Refused({"a", "b", "envelope", bad}).find("EnvPoints wants position:volume pairs"),
                  std::string::npos)
            << bad;
    }
}

TEST(EffectArguments, BlockTracksAndMistakes) {
    auto args = Parsed({"a", "b", "invert", "--block", "10:20", "--tracks", "0,2"});
    EXPECT_TRUE(args.hasBlock);
    EXPECT_EQ(args.first, 10);
    EXPECT_EQ(args.last, 20);
    EXPECT_TRUE(args.hasTracks);
    EXPECT_EQ(args.tracks, (std::vector<uint32_t>{0, 2}));
    EXPECT_EQ(Refused({"a", "b"}), "Missing arguments.");
    EXPECT_EQ(Refused({"a", "b", "invert", "--block"}), "Missing arguments.");
    EXPECT_EQ(Refused({"a", "b", "equalizer"}).rfind("Unknown function \"equalizer\".", 0), 0u);
    EXPECT_EQ(Refused({"a", "b", "invert", "--block", "20:10"}),
              "--block wants FIRST:LAST in frames with FIRST no larger than LAST, not \"20:10\".");
    EXPECT_NE(Refused({"a", "b", "invert", "--block", "-1:10"}), "");
    EXPECT_NE(Refused({"a", "b", "invert", "--tracks", "0,,1"}), "");
    EXPECT_NE(Refused({"a", "b", "invert", "--tracks", "32"}), "");
    EXPECT_EQ(Refused({"a", "b", "volume", "Speed=50"}), "The function volume has no parameter Speed.");
    EXPECT_EQ(Refused({"a", "b", "volume", "Volume=12x"}), "Volume wants a whole number, not \"12x\".");
    EXPECT_EQ(Refused({"a", "b", "volume", "Volume=99999999999"}),
              "Volume wants a whole number, not \"99999999999\".");
    EXPECT_EQ(Refused({"a", "b", "volume", "--loud"}), "Unknown option \"--loud\".");
    EXPECT_EQ(Refused({"a", "b", "volume", "loud"}), "Unknown option \"loud\".");
    EXPECT_EQ(Refused({"a", "b", "stretch"}), "stretch needs the new length in frames: Length=FRAMES.");
}

class EffectRequests : public ::testing::Test {
protected:
    std::string Prepare(std::vector<std::string> words) {
        const std::string parse = ParseEffectArguments(words, m_args);
        if (!parse.empty()) {
            return "parse: " + parse;
        }
        return PrepareEffectRequest(m_args, *m_store, m_request, m_mask);
    }

    // 1000 Hz, 3 tracks, 1000 frames: a millisecond is a frame.
    std::unique_ptr<CSampleStore> m_store = MakeStore(16, 3, std::vector<int32_t>(3000, 0), 1000);
    EffectArguments m_args;
    EffectRequest m_request;
    Mask m_mask{};
};

TEST_F(EffectRequests, DefaultsToTheWholeSoundAndAllTracks) {
    ASSERT_EQ(Prepare({"a", "b", "fadein"}), "");
    EXPECT_EQ(m_request.kind, EffectKind::FadeIn);
    EXPECT_EQ(m_request.firstFrame, 0);
    EXPECT_EQ(m_request.lastFrame, 999);
    EXPECT_EQ(m_request.trackMask, nullptr);
    EXPECT_EQ(m_request.settings, &m_args.settings);
    ASSERT_EQ(Prepare({"a", "b", "fadein", "--tracks", "2", "--block", "5:6"}), "");
    ASSERT_NE(m_request.trackMask, nullptr);
    EXPECT_EQ(m_mask, MaskOf({2}));
    EXPECT_EQ(m_request.firstFrame, 5);
    EXPECT_EQ(m_request.lastFrame, 6);
}

TEST_F(EffectRequests, TheSoundBoundsTheBlockAndTracks) {
    EXPECT_EQ(Prepare({"a", "b", "invert", "--block", "10:1000"}),
              "The block 10:1000 lies outside the sound, whose last frame is 999.");
    EXPECT_EQ(Prepare({"a", "b", "invert", "--tracks", "0,3"}),
              "--tracks wants track numbers from 0 to 2 separated by commas, not \"0,3\".");
}

TEST_F(EffectRequests, NumbersOutsideTheDialogRangesGetTheRangeMessage) {
    EXPECT_EQ(Prepare({"a", "b", "volume", "Volume=1000"}), "Please enter an integer between 0 and 999.");
    EXPECT_EQ(Prepare({"a", "b", "zeroline", "ZeroAdjust=-101"}),
              "Please enter an integer between -100 and 100.");
    EXPECT_EQ(Prepare({"a", "b", "velocity", "Speed=0"}), "Please enter an integer between 1 and 200.");
    EXPECT_EQ(Prepare({"a", "b", "echo", "EchoCount=101"}), "Please enter an integer between 1 and 100.");
    EXPECT_EQ(Prepare({"a", "b", "tremolo", "TremFreq=20001"}),
              "Please enter an integer between 1 and 20000.");
    EXPECT_EQ(Prepare({"a", "b", "distort", "DistType=5"}), "Please enter an integer between 0 and 4.");
    EXPECT_EQ(Prepare({"a", "b", "envelope", "EnvLevel=0"}), "Please enter an integer between 1 and 100.");
    EXPECT_EQ(Prepare({"a", "b", "volume", "Volume=999"}), "");
}

TEST_F(EffectRequests, TimesOutsideTheirRangesGetTheTimeEditMessage) {
    // The delay runs to (last - first) - 1 frames, here 98 ms.
    EXPECT_EQ(Prepare({"a", "b", "echo", "--block", "0:99", "EchoDelay=98"}), "");
    EXPECT_EQ(Prepare({"a", "b", "echo", "--block", "0:99", "EchoDelay=99"}),
              "The value in this edit field must be between 0ms to 98ms.\nPlease check your input.");
    // A period runs from 1 to the block's length; 0 stands for the block.
    EXPECT_EQ(Prepare({"a", "b", "tremolo", "--block", "0:99", "TremTime=0"}), "");
    EXPECT_EQ(Prepare({"a", "b", "tremolo", "--block", "0:99", "TremTime=99"}), "");
    EXPECT_EQ(Prepare({"a", "b", "tremolo", "--block", "0:99", "TremTime=100"}),
              "The value in this edit field must be between 1 to 99.\nPlease check your input.");
    EXPECT_EQ(Prepare({"a", "b", "stretch", "Length=-5"}),
              "The value in this edit field must be between 1 to 2147483647.\nPlease check your input.");
    // A preset is not range-checked (beginner mode runs it as it is).
    EXPECT_EQ(Prepare({"a", "b", "echo", "--block", "0:99", "--preset", "2"}), "");
}

TEST(EffectParamRefs, BindEveryKeyOnce) {
    EffectSettings s;
    std::size_t total = 0;
    for (int k = 0; k < kEffectKindCount; ++k) {
        total += EffectParamRefs(EffectKind(k), s).size();
    }
    EXPECT_EQ(total, 1u + 1 + 1 + 1 + 4 + 1 + 5 + 5 + 3 + 1);
    auto refs = EffectParamRefs(EffectKind::Tremolo, s);
    ASSERT_EQ(refs.size(), 5u);
    EXPECT_STREQ(refs[2].spec->key, "TremTime");
    *refs[2].value = 77;
    EXPECT_EQ(s.tremolo.period, 77);
}

} // namespace

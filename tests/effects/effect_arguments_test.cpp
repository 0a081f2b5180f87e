#include "effects/effect_arguments.h"
#include "effects_test_util.h"

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

EffectParameters Applied(EffectKind kind, std::vector<std::string> assignments, int preset = -1) {
    EffectParameters params;
    EXPECT_EQ(ApplyEffectAssignments(kind, preset, assignments, params), "");
    return params;
}

std::string Refused(EffectKind kind, std::vector<std::string> assignments) {
    EffectParameters params;
    return ApplyEffectAssignments(kind, -1, assignments, params);
}

TEST(EffectAssignments, KeysUseTheSettingsNames) {
    auto echo =
        Applied(EffectKind::Echo, {"EchoDelay=120", "EchoCount=4", "EchoVolume1=60", "EchoVolume2=5"});
    EXPECT_EQ(echo.settings.echo.delay, 120);
    EXPECT_EQ(echo.settings.echo.count, 4);
    EXPECT_EQ(echo.settings.echo.firstVolume, 60);
    EXPECT_EQ(echo.settings.echo.lastVolume, 5);
    EXPECT_EQ(echo.given.size(), 4u);
    // The distortion's level lives under DistDepth and its depth under DistLevel.
    auto distort = Applied(EffectKind::Distort, {"DistType=3", "DistDepth=40", "DistLevel=70"});
    EXPECT_EQ(distort.settings.distort.type, 3);
    EXPECT_EQ(distort.settings.distort.level, 40);
    EXPECT_EQ(distort.settings.distort.depth, 70);
    auto cross = Applied(EffectKind::CrossFade,
                         {"CrossType=0", "CrossTimeType=1", "CrossTime=500", "CrossFreq=7", "CrossMod=90"});
    EXPECT_EQ(cross.settings.crossFade.waveform, 0);
    EXPECT_EQ(cross.settings.crossFade.period, 500);
    EXPECT_EQ(cross.settings.crossFade.depth, 90);
    EXPECT_EQ(Applied(EffectKind::Stretch, {"Length=12345"}).settings.stretch.length, 12345);
    EXPECT_EQ(Applied(EffectKind::ZeroLine, {"ZeroAdjust=-40"}).settings.zeroLine.zeroAdjust, -40);
    EXPECT_EQ(Applied(EffectKind::Volume, {"Volume=+7"}).settings.volume.volume, 7);
}

TEST(EffectAssignments, PresetFirstThenTheGivenValues) {
    auto tremolo = Applied(EffectKind::Tremolo, {"TremMod=30"}, 2);
    EXPECT_EQ(tremolo.settings.tremolo.frequency, 500);
    EXPECT_EQ(tremolo.settings.tremolo.depth, 30);
    auto volume = Applied(EffectKind::Volume, {}, 0);
    EXPECT_EQ(volume.settings.volume.volume, 80);
    EXPECT_TRUE(volume.given.empty());
}

TEST(EffectAssignments, EnvelopePoints) {
    auto env = Applied(EffectKind::Envelope, {"EnvLevel=80", "EnvPoints=0:0,512:100,1024:20"});
    EXPECT_EQ(env.settings.envelope.level, 80);
    EXPECT_EQ(env.settings.envelope.points, (std::vector<EnvelopePoint>{{0, 0}, {512, 100}, {1024, 20}}));
    EXPECT_TRUE(Applied(EffectKind::Envelope, {"EnvPoints="}).settings.envelope.points.empty());
    for (const char* bad : {"EnvPoints=1025:0", "EnvPoints=0:101", "EnvPoints=5", "EnvPoints=1:2:3",
                            "EnvPoints=a:1", "EnvPoints=1:1,"}) {
        EXPECT_NE(Refused(EffectKind::Envelope, {bad}).find("EnvPoints wants position:volume pairs"),
                  std::string::npos)
            << bad;
    }
    EXPECT_EQ(Refused(EffectKind::Volume, {"EnvPoints=0:0"}),
              "The function volume has no parameter EnvPoints.");
}

TEST(EffectAssignments, Mistakes) {
    EXPECT_EQ(Refused(EffectKind::Volume, {"Speed=50"}), "The function volume has no parameter Speed.");
    EXPECT_EQ(Refused(EffectKind::Volume, {"Volume=12x"}), "Volume wants a whole number, not \"12x\".");
    EXPECT_EQ(Refused(EffectKind::Volume, {"Volume=99999999999"}),
              "Volume wants a whole number, not \"99999999999\".");
    EXPECT_EQ(Refused(EffectKind::Volume, {"Volume="}), "Volume wants a whole number, not \"\".");
    EXPECT_EQ(Refused(EffectKind::Volume, {"loud"}), "Parameters are given as KEY=VALUE, not \"loud\".");
    EXPECT_EQ(Refused(EffectKind::Invert, {"Volume=3"}), "The function invert has no parameter Volume.");
    EXPECT_EQ(Refused(EffectKind::Stretch, {}), "stretch needs the new length in frames: Length=FRAMES.");
}

class EffectRanges : public ::testing::Test {
protected:
    std::string Check(EffectKind kind, std::vector<std::string> assignments, int64_t first = 0,
                      int64_t last = 999, int preset = -1) {
        EffectParameters params;
        const std::string message = ApplyEffectAssignments(kind, preset, assignments, params);
        if (!message.empty()) {
            return "assignments: " + message;
        }
        return CheckEffectRanges(kind, params, *m_store, first, last);
    }

    // 1000 Hz, 3 tracks, 1000 frames: a millisecond is a frame.
    std::unique_ptr<CSampleStore> m_store = MakeStore(16, 3, std::vector<int32_t>(3000, 0), 1000);
};

TEST_F(EffectRanges, NumbersOutsideTheDialogRangesGetTheRangeMessage) {
    EXPECT_EQ(Check(EffectKind::Volume, {"Volume=1000"}), "Please enter an integer between 0 and 999.");
    EXPECT_EQ(Check(EffectKind::ZeroLine, {"ZeroAdjust=-101"}),
              "Please enter an integer between -100 and 100.");
    EXPECT_EQ(Check(EffectKind::Velocity, {"Speed=0"}), "Please enter an integer between 1 and 200.");
    EXPECT_EQ(Check(EffectKind::Echo, {"EchoCount=101"}), "Please enter an integer between 1 and 100.");
    EXPECT_EQ(Check(EffectKind::Tremolo, {"TremFreq=20001"}), "Please enter an integer between 1 and 20000.");
    EXPECT_EQ(Check(EffectKind::Distort, {"DistType=5"}), "Please enter an integer between 0 and 4.");
    EXPECT_EQ(Check(EffectKind::Envelope, {"EnvLevel=0"}), "Please enter an integer between 1 and 100.");
    EXPECT_EQ(Check(EffectKind::Volume, {"Volume=999"}), "");
    EXPECT_EQ(Check(EffectKind::Dynamics, {"Dynamic=0"}), "");
}

TEST_F(EffectRanges, TimesOutsideTheirRangesGetTheTimeEditMessage) {
    // The delay runs to (last - first) - 1 frames, here 98 ms.
    EXPECT_EQ(Check(EffectKind::Echo, {"EchoDelay=98"}, 0, 99), "");
    EXPECT_EQ(Check(EffectKind::Echo, {"EchoDelay=99"}, 0, 99),
              "The value in this edit field must be between 0ms to 98ms.\nPlease check your input.");
    // A period runs from 1 to the block's length; 0 stands for the block.
    EXPECT_EQ(Check(EffectKind::Tremolo, {"TremTime=0"}, 0, 99), "");
    EXPECT_EQ(Check(EffectKind::Tremolo, {"TremTime=99"}, 0, 99), "");
    EXPECT_EQ(Check(EffectKind::Tremolo, {"TremTime=100"}, 0, 99),
              "The value in this edit field must be between 1 to 99.\nPlease check your input.");
    EXPECT_EQ(Check(EffectKind::Stretch, {"Length=-5"}),
              "The value in this edit field must be between 1 to 2147483647.\nPlease check your input.");
    // A preset is not range-checked (beginner mode runs it as it is).
    EXPECT_EQ(Check(EffectKind::Echo, {}, 0, 99, 2), "");
}

TEST_F(EffectRanges, OnAOneFrameBlockEveryTimeRangeHoldsItsLowerBound) {
    // (last - first) - 1 would be -1 and the block length 0: the ranges become 0..0 and 1..1.
    EXPECT_EQ(TimeParamRange(EchoParams::kDelay, 7, 7).maximum, 0);
    EXPECT_EQ(TimeParamRange(kTremoloSpecs.period, 7, 7).minimum, 1);
    EXPECT_EQ(TimeParamRange(kCrossFadeSpecs.period, 7, 7).maximum, 1);
    EXPECT_EQ(Check(EffectKind::Echo, {"EchoDelay=0"}, 7, 7), "");
    EXPECT_EQ(Check(EffectKind::Echo, {"EchoDelay=1"}, 7, 7),
              "The value in this edit field must be between 0ms to 0ms.\nPlease check your input.");
    EXPECT_EQ(Check(EffectKind::Tremolo, {"TremTime=1"}, 7, 7), "");
    EXPECT_EQ(Check(EffectKind::Tremolo, {"TremTime=2"}, 7, 7),
              "The value in this edit field must be between 1 to 1.\nPlease check your input.");
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
    EXPECT_STREQ(refs[2].param->key, "TremTime");
    *refs[2].value = 77;
    EXPECT_EQ(s.tremolo.period, 77);
}

} // namespace

TEST(EffectSettingsBySpec, GetAndSetReachTheTypedMembers) {
    EffectSettings s;
    EXPECT_EQ(s.Get(EchoParams::kLastVolume), 10);
    EXPECT_EQ(s.Get(kCrossFadeSpecs.waveform), int32_t(WAVE_SAWTOOTH));
    EXPECT_TRUE(s.Set(EchoParams::kLastVolume, 20));
    EXPECT_EQ(s.echo.lastVolume, 20);
    EXPECT_TRUE(s.Set(kCrossFadeSpecs.depth, 40));
    EXPECT_EQ(s.crossFade.depth, 40);
    EXPECT_EQ(s.tremolo.depth, 80); // the tremolo's own depth is another key
    EXPECT_TRUE(s.Set(StretchParams::kLength, 5000));
    EXPECT_EQ(s.stretch.length, 5000);
    // The key decides, not the ParamSpec object: a copy reaches the same member.
    const ParamSpec copy = DistortParams::kLevel;
    EXPECT_EQ(s.Find(copy), &s.distort.level);

    const EffectSettings before = s;
    const ParamSpec unknown{"NoSuchKey", 7, 0, 9};
    EXPECT_FALSE(s.Set(unknown, 3));
    EXPECT_EQ(s.Get(unknown), 7);
    EXPECT_EQ(s.Find(unknown), nullptr);
    EXPECT_EQ(s, before);
    EXPECT_NE(s, EffectSettings());
}

TEST(EffectSettingsBySpec, DefaultsAreTheSpecsDefaults) {
    const EffectSettings s;
    int visited = 0;
    VisitEffectParams(s, [&](const ParamSpec& paramSpec, int32_t value) {
        EXPECT_EQ(value, paramSpec.defaultValue) << paramSpec.key;
        ++visited;
    });
    EXPECT_EQ(visited, 23);
}

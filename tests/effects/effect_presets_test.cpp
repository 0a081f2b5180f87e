#include "effects/effect_kind.h"
#include "effects/effect_presets.h"
#include "resources/string_table.h"

#include <gtest/gtest.h>

using namespace ondrix;

namespace {

TEST(EffectKinds, NamesCommandsAndProgressTexts) {
    EXPECT_EQ(FindEffectByName("stretch"), EffectKind::Stretch);
    EXPECT_EQ(FindEffectByName("fadein"), EffectKind::FadeIn);
    EXPECT_FALSE(FindEffectByName("equalizer").has_value());
    EXPECT_EQ(FindEffectByCommand(32843), EffectKind::Echo);
    EXPECT_FALSE(FindEffectByCommand(32847).has_value()); // the equalizer is never offered
    for (int k = 0; k < kEffectKindCount; ++k) {
        const EffectInfo& info = GetEffectInfo(EffectKind(k));
        EXPECT_EQ(int(info.kind), k);
        EXPECT_EQ(FindEffectByName(info.name), info.kind);
        EXPECT_EQ(FindEffectByCommand(info.commandId), info.kind);
        EXPECT_TRUE(HasString(info.progressText)) << info.name;
    }
    EXPECT_EQ(LoadString(GetEffectInfo(EffectKind::Reverse).progressText),
              "Reversing sample data. %d%% done.");
}

TEST(EffectPresets, DirectionPresets) {
    EffectSettings s;
    ASSERT_TRUE(ApplyPreset(EffectKind::Volume, 1, s));
    EXPECT_EQ(s.volume.volume, 120);
    ASSERT_TRUE(ApplyPreset(EffectKind::Volume, 0, s));
    EXPECT_EQ(s.volume.volume, 80);
    ASSERT_TRUE(ApplyPreset(EffectKind::Dynamics, 0, s));
    EXPECT_EQ(s.dynamics.dynamic, 50);
    ASSERT_TRUE(ApplyPreset(EffectKind::ZeroLine, 0, s));
    EXPECT_EQ(s.zeroLine.zeroAdjust, -10);
    ASSERT_TRUE(ApplyPreset(EffectKind::Velocity, 1, s));
    EXPECT_EQ(s.velocity.speed, 120);
    EXPECT_FALSE(ApplyPreset(EffectKind::Volume, 2, s));
    EXPECT_EQ(s.volume.volume, 80);
}

TEST(EffectPresets, EchoStrengthRunsFromHallToStrongEcho) {
    EffectSettings s;
    ASSERT_TRUE(ApplyPreset(EffectKind::Echo, 0, s));
    EXPECT_EQ(s.echo.delay, 50);
    EXPECT_EQ(s.echo.count, 5);
    EXPECT_EQ(s.echo.firstVolume, 30);
    EXPECT_EQ(s.echo.lastVolume, 10);
    ASSERT_TRUE(ApplyPreset(EffectKind::Echo, 1, s));
    EXPECT_EQ(s.echo.delay, 100);
    EXPECT_EQ(s.echo.firstVolume, 40);
    ASSERT_TRUE(ApplyPreset(EffectKind::Echo, 2, s));
    EXPECT_EQ(s.echo.delay, 200);
    EXPECT_EQ(s.echo.count, 3);
    EXPECT_EQ(s.echo.firstVolume, 50);
    // The dialog's list starts with the strong echo.
    EXPECT_EQ(LoadString(EchoPreferences()[0].labelId), "Strong Echo (Valleyl)");
    EXPECT_EQ(EchoPreferences()[0].values.delay, 200);
    EXPECT_EQ(LoadString(EchoPreferences()[2].labelId), "Hall (Building)");
}

TEST(EffectPresets, TremoloCrossFadeAndDistort) {
    EffectSettings s;
    ASSERT_TRUE(ApplyPreset(EffectKind::Tremolo, 2, s));
    EXPECT_EQ(s.tremolo.waveform, WAVE_SINE);
    EXPECT_EQ(s.tremolo.periodMode, 0);
    EXPECT_EQ(s.tremolo.frequency, 500);
    EXPECT_EQ(s.tremolo.depth, 80);
    ASSERT_TRUE(ApplyPreset(EffectKind::CrossFade, 0, s));
    EXPECT_EQ(s.crossFade.waveform, WAVE_SAWTOOTH);
    EXPECT_EQ(s.crossFade.periodMode, 1);
    EXPECT_EQ(s.crossFade.period, 0);
    EXPECT_EQ(s.crossFade.frequency, 5);
    EXPECT_EQ(s.crossFade.depth, 100);
    ASSERT_TRUE(ApplyPreset(EffectKind::CrossFade, 2, s));
    EXPECT_EQ(s.crossFade.frequency, 10);
    EXPECT_EQ(s.crossFade.periodMode, 0);
    ASSERT_TRUE(ApplyPreset(EffectKind::Distort, 1, s));
    EXPECT_EQ(s.distort.type, DIST_VALVE);
    EXPECT_EQ(s.distort.level, 50);
    EXPECT_EQ(s.distort.depth, 100);
    EXPECT_FALSE(ApplyPreset(EffectKind::Envelope, 0, s));
    EXPECT_FALSE(ApplyPreset(EffectKind::Maximise, 0, s));
    EXPECT_FALSE(ApplyPreset(EffectKind::Tremolo, -1, s));
}

TEST(EffectPresets, DefaultsFollowTheSettings) {
    const EffectSettings s;
    EXPECT_EQ(s.volume.volume, 100);
    EXPECT_EQ(s.dynamics.dynamic, 150);
    EXPECT_EQ(s.zeroLine.zeroAdjust, 0);
    EXPECT_EQ(s.velocity.speed, 100);
    EXPECT_EQ(s.echo.delay, 200);
    EXPECT_EQ(s.envelope.level, 100);
    EXPECT_TRUE(s.envelope.points.empty());
    EXPECT_EQ(s.tremolo.waveform, 0);
    EXPECT_EQ(s.tremolo.frequency, 5);
    EXPECT_EQ(s.tremolo.depth, 80);
    EXPECT_EQ(s.crossFade.waveform, 3);
    EXPECT_EQ(s.crossFade.periodMode, 1);
    EXPECT_EQ(s.crossFade.depth, 100);
    EXPECT_EQ(s.distort.level, 20);
    EXPECT_EQ(s.distort.depth, 100);
    // The level lives under "DistDepth" and the depth under "DistLevel".
    EXPECT_STREQ(DistortParams::kLevel.key, "DistDepth");
    EXPECT_STREQ(DistortParams::kDepth.key, "DistLevel");
}

TEST(EffectPresets, MenusAndPrompts) {
    const auto strength = PresetMenuItems(PresetMenu::Strength);
    ASSERT_EQ(strength.size(), 3u);
    EXPECT_EQ(LoadString(strength[2].labelId), "Ma&ximum Effect");
    EXPECT_EQ(strength[2].commandId, 1091u);
    const auto speed = PresetMenuItems(PresetMenu::Speed);
    ASSERT_EQ(speed.size(), 3u);
    EXPECT_EQ(LoadString(speed[0].labelId), "&Slow");
    EXPECT_EQ(speed[1].commandId, 1090u);
    EXPECT_EQ(LoadString(1090), "Runs the edit function with middle effect. ");
    EXPECT_EQ(PresetMenuItems(PresetMenu::Direction).size(), 2u);
    EXPECT_TRUE(PresetMenuItems(PresetMenu::None).empty());
    EXPECT_EQ(PresetCount(EffectKind::Velocity), 2);
    EXPECT_EQ(PresetCount(EffectKind::CrossFade), 3);
    EXPECT_EQ(PresetCount(EffectKind::Reverse), 0);
}

TEST(EffectPresets, OneValueDialogs) {
    const auto velocity = OneValueDialogFor(EffectKind::Velocity);
    ASSERT_TRUE(velocity.has_value());
    EXPECT_EQ(LoadString(velocity->titleId), "Velocity");
    EXPECT_EQ(LoadString(velocity->labelId), "New &Velocity [%]:");
    EXPECT_EQ(velocity->param->minimum, 1);
    EXPECT_EQ(velocity->param->maximum, 200);
    const auto zero = OneValueDialogFor(EffectKind::ZeroLine);
    ASSERT_TRUE(zero.has_value());
    EXPECT_EQ(LoadString(zero->labelId), "New Zero Line (-100 ... 100%):");
    EXPECT_EQ(zero->param->minimum, -100);
    EXPECT_FALSE(OneValueDialogFor(EffectKind::Echo).has_value());
    EffectSettings s;
    *OneValueField(EffectKind::Dynamics, s) = 42;
    EXPECT_EQ(s.dynamics.dynamic, 42);
    EXPECT_EQ(OneValueField(EffectKind::Reverse, s), nullptr);
}

} // namespace

#include "effects/effect_presets.h"

#include <array>

namespace ondrix {

namespace {

constexpr std::array<PresetMenuItem, 2> kDirectionMenu{{{32404, 1095, 0}, {32405, 1096, 1}}};
constexpr std::array<PresetMenuItem, 3> kStrengthMenu{{{32401, 1089, 0}, {32402, 1090, 1}, {32403, 1091, 2}}};
constexpr std::array<PresetMenuItem, 3> kSpeedMenu{{{32406, 1099, 0}, {32402, 1090, 1}, {32407, 1100, 2}}};

// Preset values, preset 0 first.
constexpr std::array<int32_t, 2> kVolumePresets{80, 120};
constexpr std::array<int32_t, 2> kDynamicsPresets{50, 150};
constexpr std::array<int32_t, 2> kZeroLinePresets{-10, 10};
constexpr std::array<int32_t, 2> kVelocityPresets{80, 120};

// The "&Preferences:" rows, in list order.
constexpr std::array<EchoPreference, 3> kEchoRows{{
    {32420, {200, 3, 50, 10}},
    {32421, {100, 3, 40, 10}},
    {32422, {50, 5, 30, 10}},
}};
constexpr std::array<ModulationPreference, 3> kTremoloRows{{
    {32426, {WAVE_SINE, 0, 0, 5, 80}},
    {32427, {WAVE_SINE, 0, 0, 50, 80}},
    {32428, {WAVE_SINE, 0, 0, 500, 80}},
}};
constexpr std::array<ModulationPreference, 3> kCrossFadeRows{{
    {32429, {WAVE_SAWTOOTH, 1, 0, 5, 100}},
    {32430, {WAVE_SINE, 0, 0, 1, 100}},
    {32431, {WAVE_SINE, 0, 0, 10, 100}},
}};
constexpr std::array<DistortPreference, 3> kDistortRows{{
    {32432, {DIST_VALVE, 20, 100}},
    {32433, {DIST_VALVE, 50, 100}},
    {32434, {DIST_VALVE, 80, 100}},
}};
constexpr std::array<EnvelopePreference, 3> kEnvelopeRows{{
    {32423, EnvelopeShape::FadeInFadeOut},
    {32424, EnvelopeShape::FadeIn},
    {32425, EnvelopeShape::FadeOut},
}};
constexpr std::array<uint32_t, 4> kWaveformLabels{32440, 32441, 32442, 32443};
constexpr std::array<uint32_t, 5> kDistortionTypeLabels{32445, 32446, 32447, 32448, 32449};

constexpr std::array<OneValueDialogSpec, 4> kOneValueDialogs{{
    {32410, 32411, &VolumeParams::kVolume},
    {32412, 32413, &DynamicsParams::kDynamic},
    {32414, 32415, &ZeroLineParams::kZeroAdjust},
    {1064, 1065, &VelocityParams::kSpeed},
}};

} // namespace

std::span<const PresetMenuItem> PresetMenuItems(PresetMenu menu) noexcept {
    switch (menu) {
    case PresetMenu::Direction:
        return kDirectionMenu;
    case PresetMenu::Strength:
        return kStrengthMenu;
    case PresetMenu::Speed:
        return kSpeedMenu;
    case PresetMenu::None:
        break;
    }
    return {};
}

bool ApplyPreset(EffectKind kind, int preset, EffectSettings& settings) noexcept {
    if (preset < 0 || preset >= PresetCount(kind)) {
        return false;
    }
    const auto i = std::size_t(preset);
    switch (kind) {
    case EffectKind::Volume:
        settings.volume.volume = kVolumePresets[i];
        return true;
    case EffectKind::Dynamics:
        settings.dynamics.dynamic = kDynamicsPresets[i];
        return true;
    case EffectKind::ZeroLine:
        settings.zeroLine.zeroAdjust = kZeroLinePresets[i];
        return true;
    case EffectKind::Velocity:
        settings.velocity.speed = kVelocityPresets[i];
        return true;
    case EffectKind::Echo:
        // The strength menu runs from the lightest row (hall) to the strongest (the list's first).
        return ApplyPreference(kind, int(kEchoRows.size()) - 1 - preset, settings);
    case EffectKind::Tremolo:
    case EffectKind::CrossFade:
    case EffectKind::Distort:
        return ApplyPreference(kind, preset, settings);
    default:
        return false;
    }
}

bool ApplyPreference(EffectKind kind, int row, EffectSettings& settings) noexcept {
    if (row < 0 || row >= 3) {
        return false;
    }
    const auto i = std::size_t(row);
    switch (kind) {
    case EffectKind::Echo:
        settings.echo = kEchoRows[i].values;
        return true;
    case EffectKind::Tremolo:
        settings.tremolo = kTremoloRows[i].values;
        return true;
    case EffectKind::CrossFade:
        settings.crossFade = kCrossFadeRows[i].values;
        return true;
    case EffectKind::Distort:
        settings.distort = kDistortRows[i].values;
        return true;
    default:
        return false;
    }
}

std::optional<OneValueDialogSpec> OneValueDialogFor(EffectKind kind) noexcept {
    switch (kind) {
    case EffectKind::Volume:
        return kOneValueDialogs[0];
    case EffectKind::Dynamics:
        return kOneValueDialogs[1];
    case EffectKind::ZeroLine:
        return kOneValueDialogs[2];
    case EffectKind::Velocity:
        return kOneValueDialogs[3];
    default:
        return std::nullopt;
    }
}

int32_t* OneValueField(EffectKind kind, EffectSettings& settings) noexcept {
    const std::optional<OneValueDialogSpec> dialog = OneValueDialogFor(kind);
    return dialog ? settings.Find(*dialog->param) : nullptr;
}

std::span<const EchoPreference> EchoPreferences() noexcept {
    return kEchoRows;
}

std::span<const ModulationPreference> TremoloPreferences() noexcept {
    return kTremoloRows;
}

std::span<const ModulationPreference> CrossFadePreferences() noexcept {
    return kCrossFadeRows;
}

std::span<const DistortPreference> DistortPreferences() noexcept {
    return kDistortRows;
}

std::span<const EnvelopePreference> EnvelopePreferences() noexcept {
    return kEnvelopeRows;
}

std::span<const uint32_t> WaveformLabels() noexcept {
    return kWaveformLabels;
}

std::span<const uint32_t> DistortionTypeLabels() noexcept {
    return kDistortionTypeLabels;
}

} // namespace ondrix

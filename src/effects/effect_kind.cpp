#include "effects/effect_kind.h"

#include <array>

namespace ondrix {

namespace {

using enum EffectKind;
using enum PresetMenu;

constexpr std::array<EffectInfo, kEffectKindCount> kEffects{{
    {Volume, "volume", 32835, 1103, Direction, true, false},
    {Maximise, "maximise", 32841, 1115, None, false, false},
    {Silence, "silence", 32842, 1116, None, false, false},
    {FadeIn, "fadein", 32836, 1112, None, false, false},
    {FadeOut, "fadeout", 32837, 1113, None, false, false},
    {Dynamics, "dynamics", 32838, 1128, Direction, true, false},
    {ZeroLine, "zeroline", 32839, 1111, Direction, true, false},
    {Echo, "echo", 32843, 1062, Strength, true, false},
    {Envelope, "envelope", 32849, 1151, None, true, false},
    {Tremolo, "tremolo", 32850, 1134, Speed, true, false},
    {CrossFade, "crossfade", 32858, 1077, Speed, true, false},
    {Distort, "distort", 32846, 1131, Strength, true, false},
    {Invert, "invert", 32845, 1117, None, false, false},
    {Reverse, "reverse", 32844, 1135, None, false, false},
    {Velocity, "velocity", 32859, 1063, Direction, true, true},
    {Stretch, "stretch", 32861, 1153, None, true, true},
}};

} // namespace

const EffectInfo& GetEffectInfo(EffectKind kind) noexcept {
    return kEffects[static_cast<std::size_t>(kind)];
}

std::optional<EffectKind> FindEffectByName(std::string_view name) noexcept {
    for (const EffectInfo& info : kEffects) {
        if (info.name == name) {
            return info.kind;
        }
    }
    return std::nullopt;
}

std::optional<EffectKind> FindEffectByCommand(uint32_t commandId) noexcept {
    for (const EffectInfo& info : kEffects) {
        if (info.commandId == commandId) {
            return info.kind;
        }
    }
    return std::nullopt;
}

int PresetCount(EffectKind kind) noexcept {
    switch (GetEffectInfo(kind).presetMenu) {
    case PresetMenu::Direction:
        return 2;
    case PresetMenu::Strength:
    case PresetMenu::Speed:
        return 3;
    case PresetMenu::None:
        break;
    }
    return 0;
}

} // namespace ondrix

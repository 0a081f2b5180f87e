#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace ondrix {

/// Every volume function, effect and tempo function.
enum class EffectKind : uint8_t {
    Volume,
    Maximise,
    Silence,
    FadeIn,
    FadeOut,
    Dynamics,
    ZeroLine,
    Echo,
    Envelope,
    Tremolo,
    CrossFade,
    Distort,
    Invert,
    Reverse,
    Velocity,
    Stretch,
};

inline constexpr int kEffectKindCount = 16;

/// The kind of preset menu a function offers in beginner mode.
enum class PresetMenu : uint8_t {
    None,      ///< runs at once, or always shows its dialog
    Direction, ///< "&Decrease" / "&Increase"
    Strength,  ///< "&Minimum Effect" / "&Middle Effect" / "Ma&ximum Effect"
    Speed,     ///< "&Slow" / "&Middle Effect" / "&Fast"
};

/// The fixed facts of one function.
struct EffectInfo {
    EffectKind kind;
    std::string_view name; ///< the batch tool's name
    uint32_t commandId;    ///< the menu command
    uint32_t progressText; ///< the progress text of its driver run
    PresetMenu presetMenu; ///< its beginner-mode menu
    bool hasDialog;        ///< whether expert mode (or every mode) asks for parameters first
    bool changesLength;    ///< whether the run replaces the data file (tempo functions)
};

/// The facts of a function.
const EffectInfo& GetEffectInfo(EffectKind kind) noexcept;

/// The function with a batch-tool name, if any.
std::optional<EffectKind> FindEffectByName(std::string_view name) noexcept;

/// The function of a menu command, if any.
std::optional<EffectKind> FindEffectByCommand(uint32_t commandId) noexcept;

/// Number of presets the function's menu offers (0, 2 or 3).
int PresetCount(EffectKind kind) noexcept;

} // namespace ondrix

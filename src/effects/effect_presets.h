#pragma once

#include "effects/effect_kind.h"
#include "effects/effect_params.h"
#include "effects/envelope.h"

#include <cstdint>
#include <optional>
#include <span>

namespace ondrix {

/// One item of a beginner-mode preset menu: its label, its command (whose string is the status prompt)
/// and the preset it runs.
struct PresetMenuItem {
    uint32_t labelId;
    uint32_t commandId;
    int preset;
};

/// The items of a preset menu kind (empty for PresetMenu::None).
std::span<const PresetMenuItem> PresetMenuItems(PresetMenu menu) noexcept;

/// Writes preset 0, 1 or 2 of a function into its settings, as if chosen in its dialog. Returns false
/// (and changes nothing) when the function has no such preset.
bool ApplyPreset(EffectKind kind, int preset, EffectSettings& settings) noexcept;

/// Writes row 0, 1 or 2 of a function's "&Preferences:" list (in list order) into its settings: the echo,
/// tremolo, cross fade and distort rows. Returns false (and changes nothing) for other functions and rows.
bool ApplyPreference(EffectKind kind, int row, EffectSettings& settings) noexcept;

/// The one-value dialog of a function: title, label and the parameter with its range.
struct OneValueDialogSpec {
    uint32_t titleId;
    uint32_t labelId;
    const ParamSpec* param;
};

/// The one-value dialog of raise/lower volume, change dynamics, zero line correction and velocity.
std::optional<OneValueDialogSpec> OneValueDialogFor(EffectKind kind) noexcept;

/// The integer a one-value dialog edits, inside the settings (null for functions without one).
int32_t* OneValueField(EffectKind kind, EffectSettings& settings) noexcept;

/// A "&Preferences:" row of the echo dialog.
struct EchoPreference {
    uint32_t labelId;
    EchoParams values;
};

/// A "&Preferences:" row of the tremolo or cross fade dialog.
struct ModulationPreference {
    uint32_t labelId;
    ModulationParams values;
};

/// A "&Preferences:" row of the distort dialog.
struct DistortPreference {
    uint32_t labelId;
    DistortParams values;
};

/// A "&Preferences:" row of the envelope dialog (its points depend on the block, see EnvelopeShapePoints).
struct EnvelopePreference {
    uint32_t labelId;
    EnvelopeShape shape;
};

/// The echo dialog's rows in list order: strong echo, light echo, hall.
std::span<const EchoPreference> EchoPreferences() noexcept;
/// The tremolo dialog's rows: slow, middle, fast.
std::span<const ModulationPreference> TremoloPreferences() noexcept;
/// The cross fade dialog's rows: on time from one track to the other, slow and fast periodical.
std::span<const ModulationPreference> CrossFadePreferences() noexcept;
/// The distort dialog's rows: light, middle, strong.
std::span<const DistortPreference> DistortPreferences() noexcept;
/// The envelope dialog's rows: fade in and out, fade in, fade out.
std::span<const EnvelopePreference> EnvelopePreferences() noexcept;

/// The labels of the waveform list of the tremolo/cross fade dialog ("Sine" .. "Saw Tooth").
std::span<const uint32_t> WaveformLabels() noexcept;
/// The labels of the distortion type list ("Valve Distortion" .. "Diode Distortion").
std::span<const uint32_t> DistortionTypeLabels() noexcept;

} // namespace ondrix

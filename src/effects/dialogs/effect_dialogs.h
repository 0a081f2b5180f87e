#pragma once

#include "controls/time_format.h"
#include "effects/effect_kind.h"

#include <cstdint>
#include <memory>

class QWidget;

namespace ondrix {

class CSampleStore;
class IEffectPreview;
struct EffectSettings;

/// What a parameter dialog needs to know about the sound and the block.
struct EffectDialogContext {
    const CSampleStore* store = nullptr; ///< the sound (rate and bits, time conversions)
    int64_t firstFrame = 0;              ///< the block, inclusive
    int64_t lastFrame = 0;
    TimeFormat timeFormat{};           ///< the current time format (frames in format 0, else milliseconds)
    uint8_t backgroundColour = 0;      ///< palette index of the sample window's background
    uint8_t foregroundColour = 13;     ///< palette index of the samples
    uint8_t zeroLineColour = 1;        ///< palette index of the zero line
    IEffectPreview* preview = nullptr; ///< plays the function before it is applied; null: no "&Preview"
};

/// What a parameter dialog hands back besides the settings it wrote.
struct EffectDialogResult {
    bool accepted = false;        ///< left with OK
    int64_t echoDelayFrames = -1; ///< the echo delay as typed in frames; -1: take the setting's milliseconds
};

class CParamDialog;

/// The expert dialog of a function with several parameters, or null for the others.
std::unique_ptr<CParamDialog> MakeParamDialog(EffectKind kind, const EffectDialogContext& context,
                                              QWidget* parent);

/// Shows the parameter dialog of a function with the settings' values; on OK writes the values into the
/// settings. Cancel leaves them as they were. A function without a dialog is accepted at once.
EffectDialogResult AskEffectParams(EffectKind kind, EffectSettings& settings,
                                   const EffectDialogContext& context, QWidget* parent);

} // namespace ondrix

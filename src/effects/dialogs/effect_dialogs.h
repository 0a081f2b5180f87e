#pragma once

#include "controls/time_format.h"
#include "effects/effect_kind.h"

#include <cstdint>

class QWidget;

namespace ondrix {

struct EffectSettings;

/// What a parameter dialog needs to know about the sound and the block.
struct EffectDialogContext {
    int64_t firstFrame = 0; ///< the block, inclusive
    int64_t lastFrame = 0;
    uint32_t sampleRate = 44100;
    uint32_t bitsPerSample = 16;
    TimeFormat timeFormat{}; ///< the current time format (frames in format 0, else milliseconds)
};

/// What a parameter dialog hands back besides the settings it wrote.
struct EffectDialogResult {
    bool accepted = false;        ///< left with OK
    int64_t echoDelayFrames = -1; ///< the echo delay as typed in frames; -1: take the setting's milliseconds
};

/// Shows the parameter dialog of a function with the settings' values; on OK writes the values into the
/// settings. Cancel leaves them as they were. A function without a dialog is accepted at once.
EffectDialogResult AskEffectParams(EffectKind kind, EffectSettings& settings,
                                   const EffectDialogContext& context, QWidget* parent);

} // namespace ondrix

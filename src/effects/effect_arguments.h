#pragma once

#include "effects/effect_kind.h"
#include "effects/effect_params.h"
#include <cstdint>
#include <string>
#include <vector>

namespace ondrix {

class CSampleStore;

/// The settings key of the envelope's points on the batch tool's command line ("pos:vol,pos:vol,...").
inline constexpr const char* kEnvPointsKey = "EnvPoints";

/// The parameters a command line gives a function: its settings (defaults, then the preset, then the
/// given values) and which of them were given.
struct EffectParameters {
    EffectSettings settings;
    std::vector<const ParamSpec*> given; ///< the parameters set by KEY=VALUE (range-checked)
};

/// Applies a preset (-1: none) and then KEY=VALUE assignments with the settings' keys and meanings
/// (positions and periods in frames, EnvPoints as pos:vol pairs in the 0..1024 form). Returns the message
/// for the user, empty when all of them are fine.
std::string ApplyEffectAssignments(EffectKind kind, int preset, const std::vector<std::string>& assignments,
                                   EffectParameters& out);

/// The range in frames of a time parameter's edit on the block first..last: the echo delay runs from 0 to
/// (last - first) - 1, a period from 1 to the block's length (last - first), a new length from 1 to the
/// largest 32-bit value. The upper bound is never below the lower one, even on a block of one frame.
struct FrameRange {
    int64_t minimum;
    int64_t maximum;
};
FrameRange TimeParamRange(const ParamSpec& param, int64_t first, int64_t last) noexcept;

/// Checks the given values against the dialogs' ranges for the sound and the block first..last, with the
/// dialogs' messages (the integer range message, or the time edit's for delays, periods and lengths).
/// Returns the message, empty when the values are fine.
std::string CheckEffectRanges(EffectKind kind, const EffectParameters& params, const CSampleStore& store,
                              int64_t first, int64_t last);

} // namespace ondrix

#pragma once

#include "effects/effect_kind.h"
#include "effects/effect_params.h"
#include "effects/effect_runner.h"
#include "store/mixer_block.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ondrix {

class CSampleStore;

/// One integer parameter of a function, bound to its place in the settings.
struct ParamRef {
    const ParamSpec* spec;
    int32_t* value;
};

/// The integer parameters a function takes (by settings key), bound to the settings.
std::vector<ParamRef> EffectParamRefs(EffectKind kind, EffectSettings& settings);

/// The settings key of the envelope's points on the batch tool's command line ("pos:vol,pos:vol,...").
inline constexpr const char* kEnvPointsKey = "EnvPoints";

/// A batch-tool effect command: IN OUT NAME [KEY=VALUE ...] [--block FIRST:LAST] [--tracks 0,2]
/// [--preset 0|1|2]. Values use the settings' keys and meanings; positions and periods are frames.
struct EffectArguments {
    std::string input;
    std::string output;
    EffectKind kind = EffectKind::Volume;
    EffectSettings settings; ///< defaults, then the preset, then the given values
    int preset = -1;         ///< -1: none
    bool hasBlock = false;   ///< --block given; otherwise the whole sound
    int64_t first = 0;
    int64_t last = 0;
    bool hasTracks = false; ///< --tracks given; otherwise all tracks
    std::vector<uint32_t> tracks;
    std::vector<const ParamSpec*> given; ///< the parameters set on the command line (range-checked)
};

/// Parses the words after the verb; returns the message for the user, empty when they are fine.
std::string ParseEffectArguments(const std::vector<std::string>& words, EffectArguments& out);

/// Checks the command against the loaded sound (block, tracks, the dialogs' ranges with the dialogs'
/// messages) and fills the request; mask receives the track mask the request points to. Returns the
/// message for the user, empty when the command can run.
std::string PrepareEffectRequest(const EffectArguments& args, const CSampleStore& store,
                                 EffectRequest& request, std::array<uint32_t, kMaxTracks>& mask);

/// The framework's range message "Please enter an integer between %1 and %2." for a range.
std::string IntegerRangeMessage(int64_t minimum, int64_t maximum);

} // namespace ondrix

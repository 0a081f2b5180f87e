#pragma once

#include "effects/effect_kind.h"

#include <cstdint>
#include <vector>

namespace ondrix {

/// How a parameter is shown and entered.
enum class ParamUnit : uint8_t {
    Number,       ///< a plain integer in an edit with a spin control
    Milliseconds, ///< a time edit; stored in milliseconds
    Frames,       ///< a time edit; stored in frames
};

/// One integer parameter of a function: its settings key (section "Edit"), default and dialog range.
/// Time parameters have a range that depends on the block (see the function's own range helper).
struct ParamSpec {
    const char* key;
    int32_t defaultValue;
    int32_t minimum;
    int32_t maximum;
    ParamUnit unit = ParamUnit::Number;

    /// Whether a value lies inside the fixed range.
    constexpr bool Contains(int64_t value) const noexcept { return value >= minimum && value <= maximum; }
};

/// "&Raise/Lower Volume...": the new volume in percent.
struct VolumeParams {
    static constexpr ParamSpec kVolume{"Volume", 100, 0, 999};
    int32_t volume = kVolume.defaultValue;
};

/// "Change &Dynamics...": the dynamics in percent.
struct DynamicsParams {
    static constexpr ParamSpec kDynamic{"Dynamic", 150, 0, 200};
    int32_t dynamic = kDynamic.defaultValue;
};

/// "Zero Line &Correction...": the zero-line shift in percent of full scale.
struct ZeroLineParams {
    static constexpr ParamSpec kZeroAdjust{"ZeroAdjust", 0, -100, 100};
    int32_t zeroAdjust = kZeroAdjust.defaultValue;
};

/// "Increase/ Reduce &Velocity...": the velocity in percent.
struct VelocityParams {
    static constexpr ParamSpec kSpeed{"Speed", 100, 1, 200};
    int32_t speed = kSpeed.defaultValue;
};

/// "&Echo/Hall...": delay (milliseconds), number of echoes and the mix percentages of the first and last.
struct EchoParams {
    static constexpr ParamSpec kDelay{"EchoDelay", 200, 0, 2147483647, ParamUnit::Milliseconds};
    static constexpr ParamSpec kCount{"EchoCount", 3, 1, 100};
    static constexpr ParamSpec kFirstVolume{"EchoVolume1", 50, 1, 100};
    static constexpr ParamSpec kLastVolume{"EchoVolume2", 10, 1, 100};
    int32_t delay = kDelay.defaultValue;
    int32_t count = kCount.defaultValue;
    int32_t firstVolume = kFirstVolume.defaultValue;
    int32_t lastVolume = kLastVolume.defaultValue;
};

/// One point of the envelope curve: position 0..1024 over the block (stored form) and volume 0..100.
struct EnvelopePoint {
    int32_t position;
    int32_t volume;
    friend bool operator==(const EnvelopePoint&, const EnvelopePoint&) = default;
};

/// "En&velope...": the scale of the curve and its points (stored as EnvCount, EnvPos%d, EnvVol%d).
struct EnvelopeParams {
    static constexpr ParamSpec kLevel{"EnvLevel", 100, 1, 100};
    static constexpr int32_t kFullPosition = 1024;
    static constexpr int32_t kMaxVolume = 100;
    int32_t level = kLevel.defaultValue;
    std::vector<EnvelopePoint> points;
};

/// The oscillator waveforms.
enum Waveform : uint8_t { WAVE_SINE = 0, WAVE_SQUARE = 1, WAVE_TRIANGLE = 2, WAVE_SAWTOOTH = 3 };

/// The settings keys and defaults of one oscillator-driven effect.
struct ModulationSpecs {
    ParamSpec waveform;
    ParamSpec periodMode;
    ParamSpec period; ///< frames; 0 = the block's length; otherwise 1 .. the block's length
    ParamSpec frequency;
    ParamSpec depth;
};

/// "&Tremolo..." and "&Cross Fade...": waveform, period mode, period in frames, frequency, depth.
struct ModulationParams {
    int32_t waveform = WAVE_SINE;
    int32_t periodMode = 0; ///< 0 = frequency given, 1 = period given
    int32_t period = 0;
    int32_t frequency = 5;
    int32_t depth = 80;

    /// The parameters at the defaults of a set of specs.
    static constexpr ModulationParams Defaults(const ModulationSpecs& specs) noexcept {
        return {specs.waveform.defaultValue, specs.periodMode.defaultValue, specs.period.defaultValue,
                specs.frequency.defaultValue, specs.depth.defaultValue};
    }
};

inline constexpr ModulationSpecs kTremoloSpecs{
    {"TremType", 0, 0, 3},     {"TremTimeType", 0, 0, 1}, {"TremTime", 0, 0, 2147483647, ParamUnit::Frames},
    {"TremFreq", 5, 1, 20000}, {"TremMod", 80, 1, 100},
};

inline constexpr ModulationSpecs kCrossFadeSpecs{
    {"CrossType", 3, 0, 3},
    {"CrossTimeType", 1, 0, 1},
    {"CrossTime", 0, 0, 2147483647, ParamUnit::Frames},
    {"CrossFreq", 5, 1, 20000},
    {"CrossMod", 100, 1, 100},
};

/// The distortion types.
enum DistortionType : uint8_t {
    DIST_VALVE = 0,
    DIST_INVERSE_VALVE = 1,
    DIST_SINE = 2,
    DIST_QUANTISE = 3,
    DIST_DIODE = 4,
};

/// "&Distort...": type, level and depth. The level is stored under "DistDepth" and the depth under
/// "DistLevel"; settings files depend on that assignment.
struct DistortParams {
    static constexpr ParamSpec kType{"DistType", 0, 0, 4};
    static constexpr ParamSpec kLevel{"DistDepth", 20, 0, 100};
    static constexpr ParamSpec kDepth{"DistLevel", 100, 0, 100};
    int32_t type = kType.defaultValue;
    int32_t level = kLevel.defaultValue;
    int32_t depth = kDepth.defaultValue;
};

/// "Change &Length (Stretch)...": the new length in frames (not a setting).
struct StretchParams {
    static constexpr ParamSpec kLength{"Length", 0, 1, 2147483647, ParamUnit::Frames};
    int32_t length = 0;
};

/// Every function's parameters together: what the settings hold and the runner reads.
struct EffectSettings {
    VolumeParams volume;
    DynamicsParams dynamics;
    ZeroLineParams zeroLine;
    VelocityParams velocity;
    EchoParams echo;
    EnvelopeParams envelope;
    ModulationParams tremolo = ModulationParams::Defaults(kTremoloSpecs);
    ModulationParams crossFade = ModulationParams::Defaults(kCrossFadeSpecs);
    DistortParams distort;
    StretchParams stretch;
};

/// One integer parameter of a function, bound to its place in the settings.
struct ParamRef {
    const ParamSpec* param;
    int32_t* value;
};

/// The integer parameters a function takes (by settings key), bound to the settings.
std::vector<ParamRef> EffectParamRefs(EffectKind kind, EffectSettings& settings);

} // namespace ondrix

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

/// How a parameter is kept in the settings file.
enum class ParamStorage : uint8_t {
    Integer, ///< a 32-bit integer
    Byte,    ///< an integer of which reading keeps the low byte
    None,    ///< not a setting (given anew for every run)
};

/// One integer parameter of a function: its settings key (section "Edit"), default and dialog range.
/// Time parameters have a range that depends on the block (see the function's own range helper).
struct ParamSpec {
    const char* key;
    int32_t defaultValue;
    int32_t minimum;
    int32_t maximum;
    ParamUnit unit = ParamUnit::Number;
    ParamStorage storage = ParamStorage::Integer;

    /// Whether a value lies inside the fixed range.
    constexpr bool Contains(int64_t value) const noexcept { return value >= minimum && value <= maximum; }
};

/// A byte-wide setting of the plain number kind.
inline constexpr ParamStorage kByte = ParamStorage::Byte;

/// "&Raise/Lower Volume...": the new volume in percent.
struct VolumeParams {
    static constexpr ParamSpec kVolume{"Volume", 100, 0, 999};
    int32_t volume = kVolume.defaultValue;
    friend bool operator==(const VolumeParams&, const VolumeParams&) = default;
};

/// "Change &Dynamics...": the dynamics in percent.
struct DynamicsParams {
    static constexpr ParamSpec kDynamic{"Dynamic", 150, 0, 200};
    int32_t dynamic = kDynamic.defaultValue;
    friend bool operator==(const DynamicsParams&, const DynamicsParams&) = default;
};

/// "Zero Line &Correction...": the zero-line shift in percent of full scale.
struct ZeroLineParams {
    static constexpr ParamSpec kZeroAdjust{"ZeroAdjust", 0, -100, 100};
    int32_t zeroAdjust = kZeroAdjust.defaultValue;
    friend bool operator==(const ZeroLineParams&, const ZeroLineParams&) = default;
};

/// "Increase/ Reduce &Velocity...": the velocity in percent.
struct VelocityParams {
    static constexpr ParamSpec kSpeed{"Speed", 100, 1, 200};
    int32_t speed = kSpeed.defaultValue;
    friend bool operator==(const VelocityParams&, const VelocityParams&) = default;
};

/// "&Echo/Hall...": delay (milliseconds), number of echoes and the mix percentages of the first and last.
struct EchoParams {
    static constexpr ParamSpec kDelay{"EchoDelay", 200, 0, 2147483647, ParamUnit::Milliseconds};
    static constexpr ParamSpec kCount{"EchoCount", 3, 1, 100, ParamUnit::Number, kByte};
    static constexpr ParamSpec kFirstVolume{"EchoVolume1", 50, 1, 100, ParamUnit::Number, kByte};
    static constexpr ParamSpec kLastVolume{"EchoVolume2", 10, 1, 100, ParamUnit::Number, kByte};
    int32_t delay = kDelay.defaultValue;
    int32_t count = kCount.defaultValue;
    int32_t firstVolume = kFirstVolume.defaultValue;
    int32_t lastVolume = kLastVolume.defaultValue;
    friend bool operator==(const EchoParams&, const EchoParams&) = default;
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
    friend bool operator==(const EnvelopeParams&, const EnvelopeParams&) = default;
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

/// "&Tremolo..." and "&Cross Fade...": waveform, period mode, period in frames, frequency, depth. The two
/// functions have defaults of their own: Defaults() takes them from the function's specs.
struct ModulationParams {
    int32_t waveform = WAVE_SINE;
    int32_t periodMode = 0; ///< 0 = frequency given, 1 = period given
    int32_t period = 0;
    int32_t frequency = 0;
    int32_t depth = 0;

    /// The parameters at the defaults of a set of specs.
    static constexpr ModulationParams Defaults(const ModulationSpecs& specs) noexcept {
        return {specs.waveform.defaultValue, specs.periodMode.defaultValue, specs.period.defaultValue,
                specs.frequency.defaultValue, specs.depth.defaultValue};
    }
    friend bool operator==(const ModulationParams&, const ModulationParams&) = default;
};

inline constexpr ModulationSpecs kTremoloSpecs{
    {"TremType", 0, 0, 3, ParamUnit::Number, kByte},   {"TremTimeType", 0, 0, 1},
    {"TremTime", 0, 0, 2147483647, ParamUnit::Frames}, {"TremFreq", 5, 1, 20000},
    {"TremMod", 80, 1, 100, ParamUnit::Number, kByte},
};

inline constexpr ModulationSpecs kCrossFadeSpecs{
    {"CrossType", 3, 0, 3, ParamUnit::Number, kByte},    {"CrossTimeType", 1, 0, 1},
    {"CrossTime", 0, 0, 2147483647, ParamUnit::Frames},  {"CrossFreq", 5, 1, 20000},
    {"CrossMod", 100, 1, 100, ParamUnit::Number, kByte},
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
    static constexpr ParamSpec kType{"DistType", 0, 0, 4, ParamUnit::Number, kByte};
    static constexpr ParamSpec kLevel{"DistDepth", 20, 0, 100, ParamUnit::Number, kByte};
    static constexpr ParamSpec kDepth{"DistLevel", 100, 0, 100, ParamUnit::Number, kByte};
    int32_t type = kType.defaultValue;
    int32_t level = kLevel.defaultValue;
    int32_t depth = kDepth.defaultValue;
    friend bool operator==(const DistortParams&, const DistortParams&) = default;
};

/// "Change &Length (Stretch)...": the new length in frames (not a setting).
struct StretchParams {
    static constexpr ParamSpec kLength{"Length", 0, 1, 2147483647, ParamUnit::Frames, ParamStorage::None};
    int32_t length = 0;
    friend bool operator==(const StretchParams&, const StretchParams&) = default;
};

/// Every function's parameters together: what the settings hold and the runner reads. A value type: the
/// runner and the routines read the typed members; dialogs, presets and the settings file reach each
/// integer parameter through its ParamSpec.
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

    /// The value of the parameter with the spec's key; the spec's default for a key no function has.
    int32_t Get(const ParamSpec& spec) const noexcept;
    /// Sets the parameter with the spec's key (unchecked, as a settings file may hold anything); false,
    /// changing nothing, for a key no function has.
    bool Set(const ParamSpec& spec, int32_t value) noexcept;
    /// The parameter with the spec's key, or null for a key no function has.
    int32_t* Find(const ParamSpec& spec) noexcept;
    /// The parameter with the spec's key, or null for a key no function has.
    const int32_t* Find(const ParamSpec& spec) const noexcept;

    friend bool operator==(const EffectSettings&, const EffectSettings&) = default;
};

/// Calls visit(spec, value) for every integer parameter of one function, in dialog order; value is an
/// int32_t& into the settings (const when the settings are).
template <class Effects, class Visitor> void VisitEffectParams(EffectKind kind, Effects& s, Visitor&& visit) {
    const auto modulation = [&visit](const ModulationSpecs& specs, auto& p) {
        visit(specs.waveform, p.waveform);
        visit(specs.periodMode, p.periodMode);
        visit(specs.period, p.period);
        visit(specs.frequency, p.frequency);
        visit(specs.depth, p.depth);
    };
    switch (kind) {
    case EffectKind::Volume:
        visit(VolumeParams::kVolume, s.volume.volume);
        break;
    case EffectKind::Dynamics:
        visit(DynamicsParams::kDynamic, s.dynamics.dynamic);
        break;
    case EffectKind::ZeroLine:
        visit(ZeroLineParams::kZeroAdjust, s.zeroLine.zeroAdjust);
        break;
    case EffectKind::Velocity:
        visit(VelocityParams::kSpeed, s.velocity.speed);
        break;
    case EffectKind::Echo:
        visit(EchoParams::kDelay, s.echo.delay);
        visit(EchoParams::kCount, s.echo.count);
        visit(EchoParams::kFirstVolume, s.echo.firstVolume);
        visit(EchoParams::kLastVolume, s.echo.lastVolume);
        break;
    case EffectKind::Envelope:
        visit(EnvelopeParams::kLevel, s.envelope.level);
        break;
    case EffectKind::Tremolo:
        modulation(kTremoloSpecs, s.tremolo);
        break;
    case EffectKind::CrossFade:
        modulation(kCrossFadeSpecs, s.crossFade);
        break;
    case EffectKind::Distort:
        visit(DistortParams::kType, s.distort.type);
        visit(DistortParams::kLevel, s.distort.level);
        visit(DistortParams::kDepth, s.distort.depth);
        break;
    case EffectKind::Stretch:
        visit(StretchParams::kLength, s.stretch.length);
        break;
    default:
        break;
    }
}

/// Calls visit(spec, value) for every integer parameter of every function, function by function.
template <class Effects, class Visitor> void VisitEffectParams(Effects& s, Visitor&& visit) {
    for (int kind = 0; kind < kEffectKindCount; ++kind) {
        VisitEffectParams(EffectKind(kind), s, visit);
    }
}

/// One integer parameter of a function, bound to its place in the settings.
struct ParamRef {
    const ParamSpec* param;
    int32_t* value;
};

/// The integer parameters a function takes (by settings key), bound to the settings.
std::vector<ParamRef> EffectParamRefs(EffectKind kind, EffectSettings& settings);

} // namespace ondrix

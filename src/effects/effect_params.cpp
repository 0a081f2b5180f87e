#include "effects/effect_params.h"

namespace ondrix {

std::vector<ParamRef> EffectParamRefs(EffectKind kind, EffectSettings& s) {
    const auto modulation = [](const ModulationSpecs& specs, ModulationParams& p) {
        return std::vector<ParamRef>{{&specs.waveform, &p.waveform},
                                     {&specs.periodMode, &p.periodMode},
                                     {&specs.period, &p.period},
                                     {&specs.frequency, &p.frequency},
                                     {&specs.depth, &p.depth}};
    };
    switch (kind) {
    case EffectKind::Volume:
        return {{&VolumeParams::kVolume, &s.volume.volume}};
    case EffectKind::Dynamics:
        return {{&DynamicsParams::kDynamic, &s.dynamics.dynamic}};
    case EffectKind::ZeroLine:
        return {{&ZeroLineParams::kZeroAdjust, &s.zeroLine.zeroAdjust}};
    case EffectKind::Velocity:
        return {{&VelocityParams::kSpeed, &s.velocity.speed}};
    case EffectKind::Echo:
        return {{&EchoParams::kDelay, &s.echo.delay},
                {&EchoParams::kCount, &s.echo.count},
                {&EchoParams::kFirstVolume, &s.echo.firstVolume},
                {&EchoParams::kLastVolume, &s.echo.lastVolume}};
    case EffectKind::Envelope:
        return {{&EnvelopeParams::kLevel, &s.envelope.level}};
    case EffectKind::Tremolo:
        return modulation(kTremoloSpecs, s.tremolo);
    case EffectKind::CrossFade:
        return modulation(kCrossFadeSpecs, s.crossFade);
    case EffectKind::Distort:
        return {{&DistortParams::kType, &s.distort.type},
                {&DistortParams::kLevel, &s.distort.level},
                {&DistortParams::kDepth, &s.distort.depth}};
    case EffectKind::Stretch:
        return {{&StretchParams::kLength, &s.stretch.length}};
    default:
        return {};
    }
}

} // namespace ondrix

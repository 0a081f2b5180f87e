#include "effects/modulation_routines.h"

#include "effects/sample_math.h"

namespace ondrix {

namespace {

int32_t EffectivePeriod(const ModulationParams& params, int64_t blockLength) noexcept {
    if (params.periodMode != 0 && params.period == 0) {
        return blockLength > 0x7FFFFFFF ? 0x7FFFFFFF : int32_t(blockLength);
    }
    return params.period;
}

} // namespace

ModulationContext::ModulationContext(const ModulationParams& params, uint32_t rate,
                                     int64_t blockLength) noexcept
    : oscillator(uint8_t(params.waveform), uint8_t(params.depth), EffectivePeriod(params, blockLength),
                 params.frequency, int32_t(rate), params.periodMode) {}

uint32_t TremoloRoutine(PieceBlock* piece) {
    auto& context = *static_cast<ModulationContext*>(piece->context);
    const uint32_t bits = piece->bits;
    MapFrameSamples(*piece, [&context, bits](uint32_t) {
        const int64_t m = context.oscillator.Value(context.frame++);
        return [m, bits](int32_t v) { return ClampSample(v - (m * v) / 100, bits); };
    });
    return 1;
}

uint32_t CrossFadeRoutine(PieceBlock* piece) {
    auto& context = *static_cast<ModulationContext*>(piece->context);
    const EditedTracks edited(*piece);
    // The pair is the two lowest edited tracks: tracks 0 and 1 without a mask.
    if (edited.Count() < 2) {
        context.frame += piece->inputCount / piece->blockAlign;
        return 1;
    }
    const uint32_t offsetA = edited.Offset(0);
    const uint32_t offsetB = edited.Offset(1);
    const uint32_t align = piece->blockAlign;
    const uint32_t frames = piece->inputCount / align;
    uint8_t* frame = piece->input;
    for (uint32_t f = 0; f < frames; ++f, frame += align) {
        const int64_t m = context.oscillator.Value(context.frame++);
        const int64_t a = LoadSample(frame + offsetA, piece->bits);
        const int64_t b = LoadSample(frame + offsetB, piece->bits);
        StoreSample(frame + offsetA, piece->bits, ClampSample((b * m + a * (100 - m)) / 100, piece->bits));
        StoreSample(frame + offsetB, piece->bits, ClampSample((a * m + b * (100 - m)) / 100, piece->bits));
    }
    return 1;
}

} // namespace ondrix

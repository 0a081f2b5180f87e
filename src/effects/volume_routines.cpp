#include "effects/volume_routines.h"

#include "effects/sample_math.h"

#include <cstdlib>
#include <cstring>

namespace ondrix {

VolumeContext VolumeContext::Uniform(int32_t percent) noexcept {
    VolumeContext context;
    context.factor.fill(percent);
    return context;
}

uint32_t VolumeRoutine(PieceBlock* piece) {
    const auto& factor = static_cast<const VolumeContext*>(piece->context)->factor;
    const uint32_t bits = piece->bits;
    MapEditedSamplesUniform(*piece, [&factor, bits](uint32_t track, int32_t v) {
        return ClampSample(int64_t(factor[track]) * v / 100, bits);
    });
    return 1;
}

uint32_t PeakSearchRoutine(PieceBlock* piece) {
    auto& peak = static_cast<PeakContext*>(piece->context)->peak;
    const EditedTracks edited(*piece);
    const uint32_t align = piece->blockAlign;
    const uint32_t frames = piece->inputCount / align;
    const uint8_t* frame = piece->input;
    for (uint32_t f = 0; f < frames; ++f, frame += align) {
        for (uint32_t i = 0; i < edited.Count(); ++i) {
            const auto magnitude = uint32_t(std::abs(LoadSample(frame + edited.Offset(i), piece->bits)));
            uint32_t& m = peak[edited.Track(i)];
            m = magnitude > m ? magnitude : m;
        }
    }
    return 1;
}

VolumeContext MaximiseFactors(const PeakContext& peaks, uint32_t bits) noexcept {
    const uint32_t fullScalePercent = bits == 8 ? 12800 : 3276800;
    VolumeContext context;
    for (std::size_t t = 0; t < peaks.peak.size(); ++t) {
        context.factor[t] = peaks.peak[t] == 0 ? 0 : int32_t(fullScalePercent / peaks.peak[t]);
    }
    return context;
}

uint32_t SilenceRoutine(PieceBlock* piece) {
    MapEditedSamplesUniform(*piece, [](uint32_t, int32_t) { return 0; });
    return 1;
}

uint32_t FadeRoutine(PieceBlock* piece) {
    const bool fadeIn = static_cast<const FadeContext*>(piece->context)->fadeIn;
    const double n = StretchFrames(*piece);
    const uint32_t first = FirstFrameInStretch(*piece);
    MapEditedSamples(*piece, [fadeIn, n, first](uint32_t f) {
        const double k = double(first + f);
        const double gain = fadeIn ? k / n : (n - k) / n;
        return [gain](uint32_t, int32_t v) { return int32_t(RoundHalfAway(gain * v)); };
    });
    return 1;
}

int32_t Dynamics8(int32_t x, int32_t dynamic) noexcept {
    int32_t d = (std::abs(x) * (dynamic - 100) * x) / 12800;
    if (dynamic > 100) {
        d += ((100 - dynamic) * x) / 100;
    }
    return Clamp8(int64_t(x) + d);
}

int32_t Dynamics16(int32_t x, int32_t dynamic) noexcept {
    const int64_t q = (int64_t(x) * std::abs(x)) / 32768;
    int64_t d = (q * (dynamic - 100)) / 100;
    if (dynamic > 100) {
        d += (int64_t(100 - dynamic) * x) / 100;
    }
    return Clamp16(x + d);
}

uint32_t DynamicsRoutine(PieceBlock* piece) {
    const int32_t dynamic = static_cast<const DynamicsContext*>(piece->context)->dynamic;
    if (piece->bits == 8) {
        MapEditedSamplesUniform(*piece, [dynamic](uint32_t, int32_t v) { return Dynamics8(v, dynamic); });
    } else {
        MapEditedSamplesUniform(*piece, [dynamic](uint32_t, int32_t v) { return Dynamics16(v, dynamic); });
    }
    return 1;
}

uint32_t ZeroLineRoutine(PieceBlock* piece) {
    const int32_t zero = static_cast<const ZeroLineContext*>(piece->context)->zeroAdjust;
    const uint32_t bits = piece->bits;
    const int64_t shift = bits == 8 ? (int64_t(zero) * 128) / 100 : (int64_t(zero) * 32768) / 100;
    MapEditedSamplesUniform(*piece,
                            [shift, bits](uint32_t, int32_t v) { return ClampSample(v + shift, bits); });
    return 1;
}

} // namespace ondrix

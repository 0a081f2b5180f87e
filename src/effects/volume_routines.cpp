#include "effects/volume_routines.h"

#include "effects/sample_math.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace ondrix {

VolumeContext VolumeContext::Uniform(int32_t percent) noexcept {
    VolumeContext context;
    context.factor.fill(percent);
    return context;
}

namespace {

/// Raise/lower with one factor for every edited track.
void ScaleAll(PieceBlock& piece, int64_t factor) {
    if (factor >= -65535 && factor <= 65535) {
        // Products stay within 32 bits: the narrow form vectorises.
        const auto f = int32_t(factor);
        if (piece.bits == 8) {
            MapSamples(piece, [f](int32_t v) { return Clamp8((f * v) / 100); });
        } else {
            MapSamples(piece, [f](int32_t v) { return Clamp16((f * v) / 100); });
        }
        return;
    }
    const uint32_t bits = piece.bits;
    MapSamples(piece, [factor, bits](int32_t v) { return ClampSample((factor * v) / 100, bits); });
}

} // namespace

uint32_t VolumeRoutine(PieceBlock* piece) {
    const auto& factor = static_cast<const VolumeContext*>(piece->context)->factor;
    const EditedTracks edited(*piece);
    bool uniform = true;
    for (uint32_t e = 1; e < edited.Count(); ++e) {
        uniform = uniform && factor[edited.Track(e)] == factor[edited.Track(0)];
    }
    if (edited.Count() == 0) {
        return 1;
    }
    if (uniform) {
        ScaleAll(*piece, factor[edited.Track(0)]);
        return 1;
    }
    const uint32_t bits = piece->bits;
    MapTrackSamples(*piece, [&factor, bits](uint32_t track, int32_t v) {
        return ClampSample((int64_t(factor[track]) * v) / 100, bits);
    });
    return 1;
}

namespace {

/// The largest magnitude of one track's samples in a piece of 16-bit frames: a strided loop over one
/// track at a time, which the compiler vectorises (the piece stays in the cache between tracks).
uint32_t TrackPeak16(const uint8_t* data, uint32_t frames, uint32_t tracks, uint32_t track) {
    int32_t peak = 0;
    for (uint32_t f = 0, i = track; f < frames; ++f, i += tracks) {
        const int32_t v = LoadAt16(data, i);
        const int32_t magnitude = v < 0 ? -v : v;
        peak = magnitude > peak ? magnitude : peak;
    }
    return uint32_t(peak);
}

} // namespace

uint32_t PeakSearchRoutine(PieceBlock* piece) {
    auto& peak = static_cast<PeakContext*>(piece->context)->peak;
    if (!piece->trackMask && piece->bits == 16) {
        const uint32_t frames = piece->inputCount / piece->blockAlign;
        for (uint32_t t = 0; t < piece->tracks; ++t) {
            peak[t] = std::max(peak[t], TrackPeak16(piece->input, frames, piece->tracks, t));
        }
        return 1;
    }
    ForEachEditedSample(*piece, [&peak](uint32_t track, int32_t v) {
        const auto magnitude = uint32_t(v < 0 ? -v : v);
        peak[track] = magnitude > peak[track] ? magnitude : peak[track];
    });
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
    MapSamples(*piece, [](int32_t) { return 0; });
    return 1;
}

uint32_t FadeRoutine(PieceBlock* piece) {
    const bool fadeIn = static_cast<const FadeContext*>(piece->context)->fadeIn;
    const double n = StretchFrames(*piece);
    const uint32_t first = FirstFrameInStretch(*piece);
    MapFrameSamples(*piece, [fadeIn, n, first](uint32_t f) {
        const double k = double(first + f);
        const double gain = fadeIn ? k / n : (n - k) / n;
        return [gain](int32_t v) { return int32_t(RoundHalfAway(gain * v)); };
    });
    return 1;
}

// Every product below stays within 32 bits: |x| <= 32768 and |dynamic - 100| <= 100 for the range
// 0..200 (x |x| is at most 2^30).
int32_t Dynamics8(int32_t x, int32_t dynamic) noexcept {
    const int32_t magnitude = x < 0 ? -x : x;
    int32_t d = (magnitude * (dynamic - 100) * x) / 12800;
    if (dynamic > 100) {
        d += ((100 - dynamic) * x) / 100;
    }
    return Clamp8(x + d);
}

int32_t Dynamics16(int32_t x, int32_t dynamic) noexcept {
    const int32_t magnitude = x < 0 ? -x : x;
    const int32_t q = (x * magnitude) / 32768;
    int32_t d = (q * (dynamic - 100)) / 100;
    if (dynamic > 100) {
        d += ((100 - dynamic) * x) / 100;
    }
    return Clamp16(x + d);
}

uint32_t DynamicsRoutine(PieceBlock* piece) {
    const int32_t dynamic = static_cast<const DynamicsContext*>(piece->context)->dynamic;
    if (piece->bits == 8) {
        MapSamples(*piece, [dynamic](int32_t v) { return Dynamics8(v, dynamic); });
    } else {
        MapSamples(*piece, [dynamic](int32_t v) { return Dynamics16(v, dynamic); });
    }
    return 1;
}

uint32_t ZeroLineRoutine(PieceBlock* piece) {
    const int32_t zero = static_cast<const ZeroLineContext*>(piece->context)->zeroAdjust;
    const uint32_t bits = piece->bits;
    const int64_t shift = bits == 8 ? (int64_t(zero) * 128) / 100 : (int64_t(zero) * 32768) / 100;
    const auto offset = int32_t(shift);
    if (bits == 8) {
        MapSamples(*piece, [offset](int32_t v) { return Clamp8(v + offset); });
    } else {
        MapSamples(*piece, [offset](int32_t v) { return Clamp16(v + offset); });
    }
    return 1;
}

} // namespace ondrix

#pragma once

#include "process/piece_block.h"
#include "process/sample_format.h"
#include "store/mixer_block.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace ondrix {

/// Limits a value to the signed 16-bit sample range.
constexpr int32_t Clamp16(int64_t v) noexcept {
    return v < -32768 ? -32768 : (v > 32767 ? 32767 : int32_t(v));
}

/// Limits a value to the signed 8-bit range (the unsigned byte minus 128).
constexpr int32_t Clamp8(int64_t v) noexcept {
    return v < -128 ? -128 : (v > 127 ? 127 : int32_t(v));
}

/// Limits a value to the range of a sample of the given width.
constexpr int32_t ClampSample(int64_t v, uint32_t bits) noexcept {
    return bits == 8 ? Clamp8(v) : Clamp16(v);
}

/// The nearest integer, halves away from zero: the truncation, moved one step away from zero when the
/// fraction's magnitude is at least 0.5. Values beyond the 64-bit range saturate; NaN gives 0.
inline int64_t RoundHalfAway(double x) noexcept {
    if (!(std::fabs(x) < 9.0e18)) {
        return std::isnan(x)
                   ? 0
                   : (x > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min());
    }
    double t = std::trunc(x);
    const double fraction = x - t;
    if (fraction >= 0.5) {
        t += 1.0;
    } else if (fraction <= -0.5) {
        t -= 1.0;
    }
    return int64_t(t);
}

/// Reads the signed value of a sample: the 16-bit value, or the byte minus 128.
inline int32_t LoadSample(const uint8_t* p, uint32_t bits) noexcept {
    return bits == 8 ? int32_t(p[0]) - 128 : Load16(p);
}

/// Writes a signed value (in range) back as a sample of the given width.
inline void StoreSample(uint8_t* p, uint32_t bits, int32_t v) noexcept {
    if (bits == 8) {
        p[0] = uint8_t(v + 128);
    } else {
        Store16(p, int16_t(v));
    }
}

/// The tracks of a piece that a routine may change: their numbers and byte offsets within a frame.
class EditedTracks {
public:
    /// Collects the edited tracks of the piece (all of them without a track mask).
    explicit EditedTracks(const PieceBlock& piece) noexcept {
        const uint32_t bytes = piece.bits / 8u;
        for (uint32_t t = 0; t < piece.tracks && t < uint32_t(kMaxTracks); ++t) {
            if (piece.IsEdited(t)) {
                m_track[m_count] = uint8_t(t);
                m_offset[m_count] = uint8_t(t * bytes);
                ++m_count;
            }
        }
    }

    /// Number of edited tracks.
    uint32_t Count() const noexcept { return m_count; }
    /// The track number of the i-th edited track.
    uint32_t Track(uint32_t i) const noexcept { return m_track[i]; }
    /// The byte offset within a frame of the i-th edited track.
    uint32_t Offset(uint32_t i) const noexcept { return m_offset[i]; }

private:
    uint8_t m_track[kMaxTracks] = {};
    uint8_t m_offset[kMaxTracks] = {};
    uint32_t m_count = 0;
};

/// Maps every edited sample of the input piece in place. forFrame(frameIndex) is called once per frame
/// and returns the frame's mapper, called as mapper(track, value) -> new value for each edited sample;
/// values are the signed sample values (byte - 128 for 8 bits) and results must already be in range.
template <class FrameMapperFactory> void MapEditedSamples(PieceBlock& piece, FrameMapperFactory&& forFrame) {
    const EditedTracks edited(piece);
    const uint32_t align = piece.blockAlign;
    const uint32_t frames = piece.inputCount / align;
    uint8_t* frame = piece.input;
    if (piece.bits == 8) {
        for (uint32_t f = 0; f < frames; ++f, frame += align) {
            auto&& map = forFrame(f);
            for (uint32_t i = 0; i < edited.Count(); ++i) {
                uint8_t* sample = frame + edited.Offset(i);
                *sample = uint8_t(map(edited.Track(i), int32_t(*sample) - 128) + 128);
            }
        }
    } else {
        for (uint32_t f = 0; f < frames; ++f, frame += align) {
            auto&& map = forFrame(f);
            for (uint32_t i = 0; i < edited.Count(); ++i) {
                uint8_t* sample = frame + edited.Offset(i);
                Store16(sample, int16_t(map(edited.Track(i), Load16(sample))));
            }
        }
    }
}

/// Maps every edited sample with the same function of (track, value), frame by frame.
template <class SampleMapper> void MapEditedSamplesUniform(PieceBlock& piece, SampleMapper&& map) {
    MapEditedSamples(piece, [&map](uint32_t) -> SampleMapper& { return map; });
}

/// Index of the piece's first frame counted from the first frame of the processed stretch.
inline uint32_t FirstFrameInStretch(const PieceBlock& piece) noexcept {
    return (piece.position - piece.start) / piece.blockAlign;
}

/// Length of the processed stretch in frames.
inline uint32_t StretchFrames(const PieceBlock& piece) noexcept {
    return piece.length / piece.blockAlign;
}

} // namespace ondrix

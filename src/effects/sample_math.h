#pragma once

#include "process/piece_block.h"
#include "process/sample_format.h"
#include "store/mixer_block.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
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
    if (!(x > -9.0e18 && x < 9.0e18)) {
        return std::isnan(x)
                   ? 0
                   : (x > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min());
    }
    const auto t = int64_t(x); // truncation toward zero
    const double fraction = x - double(t);
    return t + (fraction >= 0.5 ? 1 : 0) - (fraction <= -0.5 ? 1 : 0);
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

/// Reads sample i of a run of 16-bit samples.
inline int32_t LoadAt16(const uint8_t* data, uint32_t i) noexcept {
    if constexpr (std::endian::native == std::endian::little) {
        int16_t s;
        std::memcpy(&s, data + std::size_t(i) * 2, 2);
        return s;
    } else {
        return Load16(data + std::size_t(i) * 2);
    }
}

/// Writes sample i of a run of 16-bit samples (the value must be in range).
inline void StoreAt16(uint8_t* data, uint32_t i, int32_t v) noexcept {
    if constexpr (std::endian::native == std::endian::little) {
        const auto s = int16_t(v);
        std::memcpy(data + std::size_t(i) * 2, &s, 2);
    } else {
        Store16(data + std::size_t(i) * 2, int16_t(v));
    }
}

/// Calls visit(track, value) for every edited sample of the input piece, frame by frame, in track order.
template <class Visit> void ForEachEditedSample(const PieceBlock& piece, Visit&& visit) {
    const uint32_t frames = piece.inputCount / piece.blockAlign;
    const uint32_t tracks = piece.tracks;
    const uint8_t* data = piece.input;
    if (!piece.trackMask) {
        for (uint32_t f = 0, i = 0; f < frames; ++f) {
            for (uint32_t t = 0; t < tracks; ++t, ++i) {
                if (piece.bits == 8) {
                    visit(t, int32_t(data[i]) - 128);
                } else {
                    visit(t, LoadAt16(data, i));
                }
            }
        }
        return;
    }
    const EditedTracks edited(piece);
    for (uint32_t f = 0; f < frames; ++f, data += piece.blockAlign) {
        for (uint32_t e = 0; e < edited.Count(); ++e) {
            visit(edited.Track(e), LoadSample(data + edited.Offset(e), piece.bits));
        }
    }
}

/// Maps every edited sample of the input piece in place. forFrame(frameIndex) is called once per frame
/// and returns the frame's mapper, called as mapper(track, value) -> new value for each edited sample;
/// values are the signed sample values (byte - 128 for 8 bits) and results must already be in range.
template <class FrameMapperFactory>
void MapFrameTrackSamples(PieceBlock& piece, FrameMapperFactory&& forFrame) {
    const uint32_t frames = piece.inputCount / piece.blockAlign;
    const uint32_t tracks = piece.tracks;
    uint8_t* data = piece.input;
    if (!piece.trackMask) {
        // Every track: the piece is one run of samples, frame after frame.
        if (piece.bits == 8) {
            for (uint32_t f = 0, i = 0; f < frames; ++f) {
                auto&& map = forFrame(f);
                for (uint32_t t = 0; t < tracks; ++t, ++i) {
                    data[i] = uint8_t(map(t, int32_t(data[i]) - 128) + 128);
                }
            }
        } else {
            for (uint32_t f = 0, i = 0; f < frames; ++f) {
                auto&& map = forFrame(f);
                for (uint32_t t = 0; t < tracks; ++t, ++i) {
                    StoreAt16(data, i, map(t, LoadAt16(data, i)));
                }
            }
        }
        return;
    }
    const EditedTracks edited(piece);
    for (uint32_t f = 0; f < frames; ++f, data += piece.blockAlign) {
        auto&& map = forFrame(f);
        for (uint32_t e = 0; e < edited.Count(); ++e) {
            uint8_t* sample = data + edited.Offset(e);
            StoreSample(sample, piece.bits, map(edited.Track(e), LoadSample(sample, piece.bits)));
        }
    }
}

/// Maps every edited sample with a per-frame mapper of the value alone: forFrame(frameIndex) returns
/// mapper(value).
template <class FrameMapperFactory> void MapFrameSamples(PieceBlock& piece, FrameMapperFactory&& forFrame) {
    MapFrameTrackSamples(piece, [&forFrame](uint32_t f) {
        return [map = forFrame(f)](uint32_t, int32_t v) { return map(v); };
    });
}

/// Maps every edited sample with map(track, value).
template <class TrackMapper> void MapTrackSamples(PieceBlock& piece, TrackMapper&& map) {
    MapFrameTrackSamples(piece, [&map](uint32_t) -> TrackMapper& { return map; });
}

/// Maps every edited sample with map(value), the same for every track and frame. Without a mask the
/// piece is one flat run of samples, which the compiler can vectorise.
template <class Mapper> void MapSamples(PieceBlock& piece, Mapper&& map) {
    if (piece.trackMask) {
        MapTrackSamples(piece, [&map](uint32_t, int32_t v) { return map(v); });
        return;
    }
    const uint32_t count = piece.inputCount / piece.blockAlign * piece.tracks;
    uint8_t* data = piece.input;
    if (piece.bits == 8) {
        for (uint32_t i = 0; i < count; ++i) {
            data[i] = uint8_t(map(int32_t(data[i]) - 128) + 128);
        }
    } else {
        for (uint32_t i = 0; i < count; ++i) {
            StoreAt16(data, i, map(LoadAt16(data, i)));
        }
    }
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

#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace ondrix {

/// The least and greatest value of one track over the frames of one column, as 16-bit samples.
struct ColumnPeak {
    int16_t low = 0;
    int16_t high = 0;
    bool operator==(const ColumnPeak&) const = default;
};

/// The interleaved PCM a lane draws from.
struct PcmShape {
    uint32_t tracks = 1;
    uint32_t bits = 16; ///< 8 (unsigned) or 16 (signed little-endian)
};

/// Reads up to count bytes at a byte offset of the data (from the first frame); returns the bytes read.
using PcmReader = std::function<uint32_t(uint32_t offset, void* buffer, uint32_t count)>;

/// The most bytes ReadColumnPeaks reads for one call; wider spans are left to the peak summary.
inline constexpr uint64_t kColumnPeakBudget = 4u << 20;

/// The peaks of one track over consecutive columns: column i covers frames bounds[i] .. bounds[i + 1] - 1
/// (bounds strictly ascending, at least two; an empty column would come back as silence). Reads the frames
/// once, in pieces of at most 64 KiB. Fewer peaks than columns come back when the data ends early; 8-bit
/// values arrive as (u - 128) x 256.
std::vector<ColumnPeak> ReadColumnPeaks(const PcmReader& read, const PcmShape& shape, uint32_t track,
                                        std::span<const int64_t> bounds);

} // namespace ondrix

#pragma once

#include <cstdint>

namespace ondrix {

/// The PCM format a device is opened with: the format record of the open calls.
struct AudioFormat {
    uint32_t channels = 1;       ///< 1 or 2
    uint32_t rate = 44100;       ///< frames per second
    uint32_t bitsPerSample = 16; ///< 8 (unsigned) or 16 (signed little-endian)

    /// Bytes per frame: channels x bytes per sample.
    uint32_t BlockAlign() const noexcept { return channels * (bitsPerSample / 8); }
    /// Bytes per second.
    uint64_t BytesPerSecond() const noexcept { return uint64_t(BlockAlign()) * rate; }
    /// Whether a device can be asked for this format at all (1 or 2 channels, 8 or 16 bits, a rate).
    bool IsPlausible() const noexcept {
        return (channels == 1 || channels == 2) && (bitsPerSample == 8 || bitsPerSample == 16) && rate > 0;
    }
};

} // namespace ondrix

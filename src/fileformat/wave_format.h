#pragma once

#include <array>
#include <cstdint>

namespace ondrix {

/// Bytes before the samples of a plain PCM WAVE file: RIFF header, "fmt " chunk, "data" header.
inline constexpr uint32_t kWaveHeaderSize = 44;
/// Sampling rates accepted from WAVE files.
inline constexpr uint32_t kWaveMinRate = 4096;
inline constexpr uint32_t kWaveMaxRate = 88200;
/// Format tags of the "fmt " chunk.
inline constexpr uint16_t kFormatPcm = 1;
inline constexpr uint16_t kFormatExtensible = 0xFFFE;
/// The largest RIFF or data size field.
inline constexpr uint64_t kMaxChunkSize = 0xFFFFFFFFu;

/// The stated format of a headerless sample file.
struct RawFormat {
    uint32_t rate = 0;   ///< frames per second
    uint32_t tracks = 0; ///< 1 to 32
    uint32_t bits = 0;   ///< 8 or 16
    uint32_t offset = 0; ///< byte position of the first sample in the file
};

/// Whether bits and tracks describe samples a store holds: 8 or 16 bits, 1 to 32 tracks.
bool IsStoreFormat(uint32_t bits, uint32_t tracks) noexcept;

/// The first 44 bytes of a PCM WAVE file: the RIFF header with riffSize, "fmt " and the "data" header.
std::array<uint8_t, kWaveHeaderSize> MakeWaveHeader(uint32_t bits, uint32_t tracks, uint32_t rate,
                                                    uint32_t dataSize, uint32_t riffSize) noexcept;

} // namespace ondrix

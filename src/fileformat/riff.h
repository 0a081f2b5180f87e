#pragma once

#include <cstdint>
#include <cstring>

namespace ondrix {

/// Little-endian integers and four-character chunk ids as RIFF files store them.
namespace riff {

/// Size of a chunk header: the id and the u32 body size.
inline constexpr uint32_t kChunkHeaderSize = 8;

/// Reads a little-endian u16 at p.
inline uint16_t GetU16(const uint8_t* p) noexcept {
    return uint16_t(p[0] | (p[1] << 8));
}

/// Reads a little-endian u32 at p.
inline uint32_t GetU32(const uint8_t* p) noexcept {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

/// Writes a little-endian u16 at p.
inline void PutU16(uint8_t* p, uint16_t value) noexcept {
    p[0] = uint8_t(value);
    p[1] = uint8_t(value >> 8);
}

/// Writes a little-endian u32 at p.
inline void PutU32(uint8_t* p, uint32_t value) noexcept {
    p[0] = uint8_t(value);
    p[1] = uint8_t(value >> 8);
    p[2] = uint8_t(value >> 16);
    p[3] = uint8_t(value >> 24);
}

/// Whether the four bytes at p spell the chunk id (four characters, no terminator).
inline bool IsId(const uint8_t* p, const char* id) noexcept {
    return std::memcmp(p, id, 4) == 0;
}

/// The size a chunk body takes in the file: its size and the pad byte that follows an odd size.
inline uint64_t PaddedSize(uint64_t size) noexcept {
    return size + (size & 1);
}

} // namespace riff
} // namespace ondrix

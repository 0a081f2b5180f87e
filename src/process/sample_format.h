#pragma once

#include <cstdint>
#include <cstring>

namespace ondrix {

/// An 8-bit sample (unsigned, silence 128) as a 16-bit one: (u - 128) shifted left by 8.
constexpr int16_t Sample8To16(uint8_t u) noexcept {
    return int16_t((int(u) - 128) * 256);
}

/// A 16-bit sample as an 8-bit one: s / 256 truncated toward zero, plus 128.
constexpr uint8_t Sample16To8(int16_t s) noexcept {
    return uint8_t(int(s) / 256 + 128);
}

/// Reads a little-endian 16-bit sample.
inline int16_t Load16(const uint8_t* p) noexcept {
    return int16_t(uint16_t(p[0] | (p[1] << 8)));
}

/// Writes a little-endian 16-bit sample.
inline void Store16(uint8_t* p, int16_t value) noexcept {
    const auto u = uint16_t(value);
    p[0] = uint8_t(u & 0xFF);
    p[1] = uint8_t(u >> 8);
}

/// Reads sample `track` of the frame at p as 16 bits, converting 8-bit data.
inline int16_t LoadAs16(const uint8_t* frame, uint32_t track, uint32_t bits) noexcept {
    return bits == 8 ? Sample8To16(frame[track]) : Load16(frame + track * 2);
}

/// Reads sample `track` of the frame at p as 8 bits, converting 16-bit data.
inline uint8_t LoadAs8(const uint8_t* frame, uint32_t track, uint32_t bits) noexcept {
    return bits == 8 ? frame[track] : Sample16To8(Load16(frame + track * 2));
}

/// Fills count bytes with silence of a bit width (0x80 for 8 bits, 0 for 16 bits).
inline void FillSilence(uint8_t* p, uint32_t count, uint32_t bits) noexcept {
    std::memset(p, bits == 8 ? 0x80 : 0x00, count);
}

} // namespace ondrix

#pragma once

#include <cstdint>
#include <span>

namespace ondrix {

/// The id of the internal sound ("Internal Wave"): 11025 Hz, mono, 8 bits, 204326 bytes of samples.
inline constexpr uint32_t kInternalWaveId = 153;
/// The internal sound's format.
inline constexpr uint32_t kInternalWaveRate = 11025;
inline constexpr uint32_t kInternalWaveDataSize = 204326;

/// The complete RIFF WAVE image of a built-in sound; empty when the program has no sound of that id.
std::span<const uint8_t> FindWaveResource(uint32_t id);

} // namespace ondrix

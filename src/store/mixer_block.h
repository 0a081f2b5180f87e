#pragma once

#include <cstdint>

namespace ondrix {

inline constexpr int kMaxTracks = 32;

/// The 67-byte per-sound mixer settings; also the body of the "chnn" file chunk.
struct MixerBlock {
    uint8_t stereo;             ///< non-zero: play and mix down to a left/right pair
    uint8_t mainLeft;           ///< main volume left, 0 to 200 percent
    uint8_t mainRight;          ///< main volume right, 0 to 200 percent
    uint8_t volume[kMaxTracks]; ///< track volumes, 0 to 200 percent, 100 = unchanged
    int8_t balance[kMaxTracks]; ///< track balances, -100 (left) to +100 (right)
};
static_assert(sizeof(MixerBlock) == 67, "the mixer block is stored byte for byte in files");

} // namespace ondrix

#pragma once

#include "store/mixer_block.h"

#include <array>
#include <cstdint>

namespace ondrix {

/// The integer gain of every track for the left (or mono) and the right output, and whether playback has
/// to mix at all. Gains are scaled so that a mix of all tracks at 100 is their average.
struct MixGains {
    std::array<int32_t, kMaxTracks> left{};
    std::array<int32_t, kMaxTracks> right{};
    uint32_t channels = 1;  ///< the output the gains are for: 1 or 2
    bool mixNeeded = false; ///< false: the data plays as it is (one mono track or a plain stereo pair)
};

/// Computes the gains of `tracks` tracks from the mixer block and the play-off flags, for a stereo or mono
/// output. Balances outside -100..+100 (a damaged file) count as full left or right.
MixGains ComputeMixGains(const MixerBlock& mixer, const uint8_t* playOff, uint32_t tracks, bool stereo);

/// Mixes the whole frames in inBytes of interleaved `tracks`-track data of `bits` bits into the gains'
/// channels; returns the bytes written to out (frames x channels x bytes per sample). Results beyond full
/// scale (main volumes above 100) are clipped.
uint32_t MixFrames(const MixGains& gains, uint32_t bits, uint32_t tracks, uint8_t* out, const uint8_t* in,
                   uint32_t inBytes) noexcept;

/// The levels (0 to 100 percent of full scale) of one frame of 1 or 2 channels; mono gives left = right.
void LevelsOfFrame(const uint8_t* frame, uint32_t bits, uint32_t channels, uint32_t& left,
                   uint32_t& right) noexcept;

} // namespace ondrix

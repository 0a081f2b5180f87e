#pragma once

#include "process/piece_block.h"
#include "store/mixer_block.h"

#include <array>
#include <cstdint>

namespace ondrix {

/// Per-track volume factors in percent for the raise/lower routine.
struct VolumeContext {
    std::array<int32_t, kMaxTracks> factor{};

    /// Every track at the same factor.
    static VolumeContext Uniform(int32_t percent) noexcept;
};

/// The largest magnitude per track found by the maximise search (16 bits up to 32768, 8 bits up to 128).
struct PeakContext {
    std::array<uint32_t, kMaxTracks> peak{};
};

/// The fade direction of the fade routine.
struct FadeContext {
    bool fadeIn;
};

/// The dynamics routine's percentage, 0..200 (100 changes nothing).
struct DynamicsContext {
    int32_t dynamic;
};

/// The zero-line routine's shift in percent of full scale, -100..100.
struct ZeroLineContext {
    int32_t zeroAdjust;
};

/// Raise/lower: every edited sample becomes clamp((factor[track] x value) / 100). Context: VolumeContext.
uint32_t VolumeRoutine(PieceBlock* piece);

/// Maximise's read-only search: raises PeakContext::peak[track] to the largest |value| seen.
uint32_t PeakSearchRoutine(PieceBlock* piece);

/// The factors that bring each track's peak to full scale: 0 for a silent track, else
/// 12800 / peak (8 bits) or 3276800 / peak (16 bits), rounded down.
VolumeContext MaximiseFactors(const PeakContext& peaks, uint32_t bits) noexcept;

/// Every edited sample becomes silence. No context.
uint32_t SilenceRoutine(PieceBlock* piece);

/// Fade in (k / N x value) or fade out ((N - k) / N x value), rounded, k counted from the block's first
/// frame and N the block's length in frames. Context: FadeContext.
uint32_t FadeRoutine(PieceBlock* piece);

/// Change of dynamics along a quadratic curve that keeps 0 in place. Context: DynamicsContext.
uint32_t DynamicsRoutine(PieceBlock* piece);

/// Shifts every edited sample by a percentage of full scale, clamped. Context: ZeroLineContext.
uint32_t ZeroLineRoutine(PieceBlock* piece);

/// The change-of-dynamics map of one 8-bit value (byte - 128).
int32_t Dynamics8(int32_t x, int32_t dynamic) noexcept;
/// The change-of-dynamics map of one 16-bit value.
int32_t Dynamics16(int32_t x, int32_t dynamic) noexcept;

} // namespace ondrix

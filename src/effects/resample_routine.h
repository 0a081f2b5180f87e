#pragma once

#include "process/piece_block.h"

#include <cstdint>

namespace ondrix {

/// The tempo functions' resampling, per piece and without context: the stepping restarts in every piece
/// with acc = |denominator - numerator| at the piece's first frame; every output frame copies the edited
/// samples of the current input frame, then acc -= denominator and, while acc < 0, acc += numerator and
/// the input frame moves one on (never past the piece's last frame).
uint32_t ResampleRoutine(PieceBlock* piece);

/// The ratio of "Increase/ Reduce &Velocity...": 100 : velocity.
struct TempoRatio {
    uint32_t numerator;
    uint32_t denominator;
    /// Whether the ratio leaves the length unchanged (the command then does nothing).
    bool IsIdentity() const noexcept { return numerator == denominator; }
};

/// The velocity ratio 100 : speed.
TempoRatio VelocityRatio(int32_t speed) noexcept;

/// The change-length ratio new length : old length (frames).
TempoRatio StretchRatio(int64_t newLength, int64_t oldLength) noexcept;

} // namespace ondrix

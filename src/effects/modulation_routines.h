#pragma once

#include "effects/effect_params.h"
#include "effects/oscillator.h"
#include "process/piece_block.h"

#include <cstdint>

namespace ondrix {

/// The oscillator and its frame counter over one run of tremolo or cross fade.
struct ModulationContext {
    COscillator oscillator;
    uint64_t frame = 0; ///< n, counted from the block's first frame

    /// Builds the oscillator from the parameters for a sound of the given rate; a period of 0 in period
    /// mode stands for the block's length (last - first).
    ModulationContext(const ModulationParams& params, uint32_t rate, int64_t blockLength) noexcept;
};

/// Tremolo: every edited sample becomes clamp(value - (m x value) / 100), m the oscillator's value.
/// Context: ModulationContext.
uint32_t TremoloRoutine(PieceBlock* piece);

/// Cross fade between the lower (A) and higher (B) edited track (tracks 0 and 1 without a mask):
/// A' = (b x m + a x (100 - m)) / 100, B' = (a x m + b x (100 - m)) / 100. Context: ModulationContext.
uint32_t CrossFadeRoutine(PieceBlock* piece);

} // namespace ondrix

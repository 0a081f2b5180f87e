#pragma once

#include "process/piece_block.h"

#include <cstdint>
#include <vector>

namespace ondrix {

class CSampleStore;

/// Invert: every edited sample is negated in its own width (16 bits: -s, so -32768 stays; 8 bits:
/// (256 - byte) mod 256). No context.
uint32_t InvertRoutine(PieceBlock* piece);

/// The state of a reverse run: the store and the end of the part of the block not yet swapped.
struct ReverseContext {
    CSampleStore* store = nullptr;
    uint32_t tail = 0; ///< byte offset just after the tail still to swap; starts at (last + 1) x align
    std::vector<uint8_t> scratch; ///< the tail piece
};

/// The last frame of a reverse run over first..last: the middle frame first + (last - first) / 2.
int64_t ReverseRunEnd(int64_t first, int64_t last) noexcept;

/// Reverse: swaps the piece's frames with the mirrored frames read from the tail of the block, writes the
/// tail back and lets the driver write the piece. A failed read or write ends the run. Context:
/// ReverseContext.
uint32_t ReverseRoutine(PieceBlock* piece);

} // namespace ondrix

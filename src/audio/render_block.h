#pragma once

#include "process/piece_block.h"

#include <cstdint>
#include <vector>

namespace ondrix {

class CSampleStore;

/// One side of a frame conversion: channels, bits per sample and rate.
struct FrameLayout {
    uint32_t channels;
    uint32_t bits;
    uint32_t rate;

    /// Bytes per frame.
    uint32_t BlockAlign() const noexcept { return channels * (bits / 8); }
};

/// Converts one block of whole frames to another layout: rates by picking frames with an accumulator
/// that starts afresh for each block, 8 <-> 16 bits, a mono input duplicated to two channels, two
/// channels averaged ((L + R) / 2 in the input's terms) to one. Returns the bytes written to out, which
/// must hold ConvertedSize(...) bytes.
uint32_t ConvertFrames(const uint8_t* in, uint32_t frames, const FrameLayout& from, uint8_t* out,
                       const FrameLayout& to);

/// The bytes ConvertFrames produces for a block of frames.
uint32_t ConvertedSize(uint32_t frames, const FrameLayout& from, const FrameLayout& to) noexcept;

/// What the rendering routine needs for every block of a mix-down.
struct RenderContext {
    bool mixNeeded = false; ///< the source has to be mixed with its gains
    CSampleStore* source = nullptr;
    CSampleStore* target = nullptr;
    uint32_t mixedFrameSize = 0; ///< bytes of one mixed frame (playback channels x source bytes)
    bool convert = false;        ///< rate, bits or channel count change
    std::vector<uint8_t> mixed;  ///< working memory, reused for every block
    std::vector<uint8_t> converted;
};

/// The block driver routine of MixDown: renders one block of source frames as playback hears it and
/// appends the result to the target; 0 (a silent abort) when the append failed.
uint32_t RenderBlock(PieceBlock* piece);

} // namespace ondrix

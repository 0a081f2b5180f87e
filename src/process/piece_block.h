#pragma once

#include "store/mixer_block.h"

#include <cstdint>

namespace ondrix {

/// What the block driver hands to a sample routine for every piece of the stretch it walks.
struct PieceBlock {
    uint8_t bits;              ///< the store's bits per sample (8 or 16)
    uint8_t tracks;            ///< the store's track count
    uint32_t rate;             ///< the store's sampling rate
    uint32_t dataSize;         ///< the store's data size in bytes when the run started
    uint8_t blockAlign;        ///< the store's bytes per frame
    const MixerBlock* mixer;   ///< the store's mixer block
    const uint32_t* trackMask; ///< per track non-zero = edited; null = all tracks
    uint8_t* input;            ///< the input piece (interleaved frames)
    uint8_t* output;           ///< the output piece; null unless the operation changes the length
    uint32_t inputCount;       ///< bytes in the input buffer (0 while inserting)
    uint32_t outputCount;      ///< bytes the routine must put into the output buffer
    uint32_t numerator;        ///< length ratio, output side
    uint32_t denominator;      ///< length ratio, input side
    uint32_t position;         ///< byte offset in the data of the first input byte
    uint32_t start;            ///< byte offset of the processed stretch
    uint32_t length;           ///< byte length of the processed stretch
    void* context;             ///< the operation's own parameters

    /// Whether a track takes part (its mask entry is non-zero, or there is no mask).
    bool IsEdited(uint32_t track) const noexcept { return !trackMask || trackMask[track] != 0; }
};

} // namespace ondrix

#include "effects/reverse_routines.h"

#include "effects/sample_math.h"
#include "store/sample_store.h"

#include <cstring>

namespace ondrix {

namespace {

/// Swaps frame k of a with frame (frames - 1 - k) of b, whole frames of a fixed size.
template <uint32_t Size> void SwapMirroredFixed(uint8_t* a, uint8_t* b, uint32_t frames) {
    for (uint32_t k = 0; k < frames; ++k) {
        uint8_t* front = a + std::size_t(k) * Size;
        uint8_t* back = b + std::size_t(frames - 1 - k) * Size;
        uint8_t held[Size];
        std::memcpy(held, front, Size);
        std::memcpy(front, back, Size);
        std::memcpy(back, held, Size);
    }
}

/// Swaps frame k of a with frame (frames - 1 - k) of b, every track.
void SwapMirrored(uint8_t* a, uint8_t* b, uint32_t frames, uint32_t align) {
    switch (align) {
    case 1:
        return SwapMirroredFixed<1>(a, b, frames);
    case 2:
        return SwapMirroredFixed<2>(a, b, frames);
    case 4:
        return SwapMirroredFixed<4>(a, b, frames);
    case 8:
        return SwapMirroredFixed<8>(a, b, frames);
    default:
        break;
    }
    uint8_t held[2 * kMaxTracks];
    for (uint32_t k = 0; k < frames; ++k) {
        uint8_t* front = a + std::size_t(k) * align;
        uint8_t* back = b + std::size_t(frames - 1 - k) * align;
        std::memcpy(held, front, align);
        std::memcpy(front, back, align);
        std::memcpy(back, held, align);
    }
}

} // namespace

uint32_t InvertRoutine(PieceBlock* piece) {
    // The most negative value has no positive counterpart and stays (0x8000, or the byte 0x00).
    const int32_t lowest = piece->bits == 8 ? -128 : -32768;
    MapSamples(*piece, [lowest](int32_t v) { return v == lowest ? v : -v; });
    return 1;
}

int64_t ReverseRunEnd(int64_t first, int64_t last) noexcept {
    return first + (last - first) / 2;
}

uint32_t ReverseRoutine(PieceBlock* piece) {
    auto& context = *static_cast<ReverseContext*>(piece->context);
    const uint32_t n = piece->inputCount;
    if (n == 0) {
        return 1;
    }
    if (context.tail < n) {
        return 0;
    }
    const uint32_t tailStart = context.tail - n;
    context.scratch.resize(n);
    uint8_t* scratch = context.scratch.data();
    if (context.store->ReadData(tailStart, scratch, n) != n) {
        return 0;
    }
    const EditedTracks edited(*piece);
    const uint32_t align = piece->blockAlign;
    const uint32_t bytes = piece->bits / 8u;
    const uint32_t frames = n / align;
    if (!piece->trackMask) {
        SwapMirrored(piece->input, scratch, frames, align);
    } else {
        for (uint32_t k = 0; k < frames; ++k) {
            uint8_t* front = piece->input + std::size_t(k) * align;
            uint8_t* back = scratch + std::size_t(frames - 1 - k) * align;
            for (uint32_t i = 0; i < edited.Count(); ++i) {
                uint8_t held[2];
                const uint32_t offset = edited.Offset(i);
                std::memcpy(held, front + offset, bytes);
                std::memcpy(front + offset, back + offset, bytes);
                std::memcpy(back + offset, held, bytes);
            }
        }
    }
    if (!context.store->WriteData(tailStart, scratch, n)) {
        return 0;
    }
    context.tail = tailStart;
    return 1;
}

} // namespace ondrix

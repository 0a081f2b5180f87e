#include "effects/resample_routine.h"

#include "effects/sample_math.h"

#include <cstring>

namespace ondrix {

uint32_t ResampleRoutine(PieceBlock* piece) {
    const uint32_t align = piece->blockAlign;
    const uint32_t outFrames = piece->outputCount / align;
    const uint32_t inFrames = piece->inputCount / align;
    if (outFrames == 0 || inFrames == 0) {
        return 1;
    }
    const int64_t num = piece->numerator;
    const int64_t den = piece->denominator;
    int64_t acc = den > num ? den - num : num - den;
    uint32_t read = 0;
    const EditedTracks edited(*piece);
    const uint32_t bytes = piece->bits / 8u;
    const bool wholeFrames = piece->trackMask == nullptr;
    for (uint32_t out = 0; out < outFrames; ++out) {
        const uint8_t* from = piece->input + std::size_t(read) * align;
        uint8_t* to = piece->output + std::size_t(out) * align;
        if (wholeFrames) {
            std::memcpy(to, from, align);
        } else {
            for (uint32_t i = 0; i < edited.Count(); ++i) {
                std::memcpy(to + edited.Offset(i), from + edited.Offset(i), bytes);
            }
        }
        acc -= den;
        while (acc < 0) {
            acc += num;
            if (read + 1 < inFrames) {
                ++read;
            }
        }
    }
    return 1;
}

TempoRatio VelocityRatio(int32_t speed) noexcept {
    return {100u, uint32_t(speed)};
}

TempoRatio StretchRatio(int64_t newLength, int64_t oldLength) noexcept {
    return {uint32_t(newLength), uint32_t(oldLength)};
}

} // namespace ondrix

#include "audio/render_block.h"

#include "store/sample_store.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace ondrix {

namespace {

/// A sample as a signed value of its own width: 8-bit samples less 128, 16-bit samples as they are.
int32_t ReadSigned(const uint8_t* p, uint32_t bits) {
    return bits == 8 ? int32_t(p[0]) - 128 : int32_t(int16_t(uint16_t(p[0] | (p[1] << 8))));
}

/// Writes a signed value of `from` bits as a sample of `to` bits.
uint8_t* WriteConverted(uint8_t* out, int32_t value, uint32_t from, uint32_t to) {
    if (from == 8 && to == 16) {
        value *= 256;
    } else if (from == 16 && to == 8) {
        value /= 256;
    }
    if (to == 8) {
        *out++ = uint8_t(value + 128);
    } else {
        *out++ = uint8_t(uint16_t(value) & 0xFF);
        *out++ = uint8_t(uint16_t(value) >> 8);
    }
    return out;
}

uint8_t* ConvertFrame(const uint8_t* in, const FrameLayout& from, uint8_t* out, const FrameLayout& to) {
    const uint32_t size = from.bits / 8;
    if (from.channels == 2 && to.channels == 1) {
        const int32_t average = (ReadSigned(in, from.bits) + ReadSigned(in + size, from.bits)) / 2;
        return WriteConverted(out, average, from.bits, to.bits);
    }
    for (uint32_t c = 0; c < to.channels; ++c) {
        const uint32_t source = std::min(c, from.channels - 1); // mono to stereo: both from the one channel
        out = WriteConverted(out, ReadSigned(in + source * size, from.bits), from.bits, to.bits);
    }
    return out;
}

} // namespace

uint32_t ConvertedSize(uint32_t frames, const FrameLayout& from, const FrameLayout& to) noexcept {
    uint32_t size = to.BlockAlign() * frames;
    if (from.rate != to.rate && from.rate != 0) {
        size = uint32_t(double(to.rate) * double(size) / double(from.rate));
    }
    return size / to.BlockAlign() * to.BlockAlign();
}

uint32_t ConvertFrames(const uint8_t* in, uint32_t frames, const FrameLayout& from, uint8_t* out,
                       const FrameLayout& to) {
    if (frames == 0) {
        return 0;
    }
    const uint32_t size = ConvertedSize(frames, from, to);
    const uint32_t outFrames = size / to.BlockAlign();
    const int64_t sourceRate = from.rate;
    const int64_t targetRate = to.rate;
    int64_t accumulator = std::llabs(sourceRate - targetRate);
    uint32_t index = 0;
    for (uint32_t o = 0; o < outFrames; ++o) {
        out = ConvertFrame(in + std::size_t(std::min(index, frames - 1)) * from.BlockAlign(), from, out, to);
        accumulator -= sourceRate;
        while (accumulator < 0 && targetRate > 0) {
            accumulator += targetRate;
            ++index;
        }
    }
    return size;
}

uint32_t RenderBlock(PieceBlock* piece) {
    auto& context = *static_cast<RenderContext*>(piece->context);
    const uint32_t frames = piece->inputCount / piece->blockAlign;
    const uint32_t inBytes = frames * piece->blockAlign;
    if (frames == 0) {
        return 1;
    }
    if (!context.mixNeeded && !context.convert) {
        return context.target->AppendData(piece->input, inBytes) ? 1 : 0;
    }
    const uint32_t mixedBytes = frames * context.mixedFrameSize;
    context.mixed.resize(mixedBytes);
    if (context.mixNeeded) {
        context.source->MixBlock(context.mixed.data(), piece->input, inBytes);
    } else {
        std::memcpy(context.mixed.data(), piece->input, std::min(inBytes, mixedBytes));
    }
    if (!context.convert) {
        return context.target->AppendData(context.mixed.data(), mixedBytes) ? 1 : 0;
    }
    const uint32_t sourceSize = piece->bits / 8;
    const FrameLayout from{context.mixedFrameSize / sourceSize, piece->bits, piece->rate};
    const FrameLayout to{context.target->GetTrackCount(), context.target->GetBitsPerSample(),
                         context.target->GetSampleRate()};
    context.converted.resize(ConvertedSize(frames, from, to));
    const uint32_t size = ConvertFrames(context.mixed.data(), frames, from, context.converted.data(), to);
    return size == 0 || context.target->AppendData(context.converted.data(), size) ? 1 : 0;
}

} // namespace ondrix

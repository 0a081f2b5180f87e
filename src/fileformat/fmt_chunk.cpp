#include "fileformat/fmt_chunk.h"

#include "fileformat/chunk_reader.h"
#include "fileformat/riff.h"
#include "fileformat/wave_format.h"
#include "fileformat/wave_messages.h"
#include "fileformat/wave_parser.h"
#include "resources/string_ids.h"

#include <cstring>

namespace ondrix {

namespace {

constexpr uint32_t kFmtSize = 16;
constexpr uint32_t kExtensibleFmtSize = 40;
constexpr uint8_t kPcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                       0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

[[noreturn]] void Refuse() {
    throw WaveFormatError(str::kMsgUnknownWaveFormat);
}

/// The container of plain PCM samples: 8 and 16 bits as they are; 1 to 7 bits in 8-bit and 9 to 15 bits
/// in 16-bit containers when the block align says whole bytes per sample; 0 for anything else.
uint32_t PcmContainerBits(uint32_t bits, uint32_t channels, uint32_t blockAlign) noexcept {
    if (bits == 8 || bits == 16) {
        return bits;
    }
    if (bits == 0 || bits > 16) {
        return 0;
    }
    const uint32_t bytes = (bits + 7) / 8;
    return blockAlign == channels * bytes ? bytes * 8 : 0;
}

} // namespace

FmtFormat ReadFmtChunk(CChunkReader& reader, uint64_t body, uint32_t size) {
    uint8_t fmt[kExtensibleFmtSize];
    if (size < kFmtSize || !reader.ReadExact(body, fmt, kFmtSize)) {
        Refuse();
    }
    const uint16_t tag = riff::GetU16(fmt);
    const uint32_t channels = riff::GetU16(fmt + 2);
    const uint32_t rate = riff::GetU32(fmt + 4);
    const uint32_t blockAlign = riff::GetU16(fmt + 12);
    const uint32_t bits = riff::GetU16(fmt + 14);
    uint32_t container = 0;
    if (tag == kFormatExtensible) {
        // The extension is read by the chunk's size: some writers leave its own size field too small.
        if (size < kExtensibleFmtSize ||
            !reader.ReadExact(body + kFmtSize, fmt + kFmtSize, kExtensibleFmtSize - kFmtSize) ||
            std::memcmp(fmt + 24, kPcmSubFormat, sizeof kPcmSubFormat) != 0) {
            Refuse();
        }
        // Fewer valid bits than the container (12 in 16) are stored as the container's samples; 0 is unset.
        const uint32_t validBits = riff::GetU16(fmt + 18);
        container = validBits <= bits ? bits : 0;
    } else if (tag == kFormatPcm) {
        container = PcmContainerBits(bits, channels, blockAlign);
    }
    if (!IsStoreFormat(container, channels) || rate < kWaveMinRate || rate > kWaveMaxRate) {
        Refuse();
    }
    return {container, channels, rate};
}

} // namespace ondrix

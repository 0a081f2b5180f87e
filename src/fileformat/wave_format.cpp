#include "fileformat/wave_format.h"

#include "fileformat/riff.h"
#include "store/mixer_block.h"

#include <cstring>

namespace ondrix {

bool IsStoreFormat(uint32_t bits, uint32_t tracks) noexcept {
    return (bits == 8 || bits == 16) && tracks >= 1 && tracks <= uint32_t(kMaxTracks);
}

std::array<uint8_t, kWaveHeaderSize> MakeWaveHeader(uint32_t bits, uint32_t tracks, uint32_t rate,
                                                    uint32_t dataSize, uint32_t riffSize) noexcept {
    std::array<uint8_t, kWaveHeaderSize> h{};
    const uint32_t blockAlign = tracks * (bits / 8);
    std::memcpy(&h[0], "RIFF", 4);
    riff::PutU32(&h[4], riffSize);
    std::memcpy(&h[8], "WAVE", 4);
    std::memcpy(&h[12], "fmt ", 4);
    riff::PutU32(&h[16], 16);
    riff::PutU16(&h[20], kFormatPcm);
    riff::PutU16(&h[22], uint16_t(tracks));
    riff::PutU32(&h[24], rate);
    riff::PutU32(&h[28], rate * blockAlign);
    riff::PutU16(&h[32], uint16_t(blockAlign));
    riff::PutU16(&h[34], uint16_t(bits));
    std::memcpy(&h[36], "data", 4);
    riff::PutU32(&h[40], dataSize);
    return h;
}

} // namespace ondrix

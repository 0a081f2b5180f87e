#pragma once

#include <cstdint>

namespace ondrix {

class CChunkReader;

/// The samples a "fmt " chunk describes, as a store holds them.
struct FmtFormat {
    uint32_t bits = 0; ///< 8 or 16: the container of the samples
    uint32_t tracks = 0;
    uint32_t rate = 0;
};

/// Reads the "fmt " body of size bytes at body: linear PCM of 8 or 16 bits (or fewer valid bits in such
/// containers), 1 to 32 channels, 4096 to 88200 Hz. Throws WaveFormatError (31502) for anything else.
FmtFormat ReadFmtChunk(CChunkReader& reader, uint64_t body, uint32_t size);

} // namespace ondrix

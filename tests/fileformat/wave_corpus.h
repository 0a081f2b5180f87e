#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ondrix::test {

/// A damaged or unusual WAVE image and what loading it must give.
struct CorpusCase {
    std::string name;
    std::vector<uint8_t> bytes;
    uint32_t message = 0;  ///< the message shown (31501 or 31502); 0 when it loads
    uint32_t tracks = 0;   ///< when it loads: the track count
    uint32_t bits = 0;     ///< when it loads: bits per sample
    uint32_t dataSize = 0; ///< when it loads: bytes of samples (whole frames)
};

/// Truncated headers and data, odd and unknown chunks, wrong sizes and formats out of range.
std::vector<CorpusCase> MalformedCorpus();

} // namespace ondrix::test

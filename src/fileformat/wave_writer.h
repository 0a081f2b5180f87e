#pragma once

#include <cstdint>
#include <vector>

namespace ondrix {

class CSampleStore;

/// The bytes a saved WAVE file carries after its samples: the pad byte after an odd data size, "chnn"
/// when the mixer is non-standard, "chtt" when a track has a name, "LIST"/"INFO" when a text is set.
std::vector<uint8_t> MakeTrailingChunks(const CSampleStore& store);

} // namespace ondrix

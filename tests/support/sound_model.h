#pragma once

#include "store/sample_store.h"

#include <cstdint>
#include <random>
#include <vector>

namespace ondrix::test {

/// A sound held in memory as plain integers (8-bit samples as 0..255, 16-bit as -32768..32767), the
/// independent reference the store's operations are checked against.
struct SoundModel {
    uint32_t bits = 16;
    uint32_t tracks = 1;
    std::vector<std::vector<int>> frames; // frames[f][t]

    /// Random samples over the full range.
    static SoundModel Random(uint32_t bits, uint32_t tracks, uint32_t frameCount, uint32_t seed);
    /// Reads a store's data.
    static SoundModel FromStore(CSampleStore& store);
    /// Creates store (memory or temp file in directory) holding this sound.
    void ToStore(CSampleStore& store, StorageMode mode = STORE_MEMORY, const std::string& directory = "",
                 uint32_t rate = 44100) const;
    /// Silence of this bit width.
    int Silence() const { return bits == 8 ? 128 : 0; }
    /// A frame of silence.
    std::vector<int> SilentFrame() const { return std::vector<int>(tracks, Silence()); }

    bool operator==(const SoundModel& other) const = default;
};

} // namespace ondrix::test

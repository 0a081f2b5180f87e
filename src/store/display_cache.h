#pragma once

#include <cstdint>
#include <memory>

namespace ondrix {

class CDataFile;

/// A decimated copy of a stretch of a store's data for drawing, at most 65536 bytes of whole frames.
class CDisplayCache {
public:
    /// What the cache needs to know about the data it copies.
    struct Source {
        CDataFile* file;
        uint32_t dataOffset;
        uint32_t dataSize;
        uint32_t blockAlign;
        uint32_t bits;
    };

    static constexpr uint32_t kMaxBytes = 65536;

    /// Makes sure the cache covers frames first..last at factor (first 0xFFFFFFFF: the whole data).
    /// Throws FileException on read errors (the cache is then empty).
    void Build(const Source& source, uint32_t first, uint32_t last, uint32_t factor);
    /// The value of a track near a frame as a 16-bit signed sample; 0 when the cache does not hold it.
    int16_t GetSample(uint32_t frame, int track) const noexcept;
    /// Drops the cached data.
    void Free() noexcept;

    /// First frame covered.
    uint32_t GetStart() const noexcept { return m_start; }
    /// One past the last frame covered.
    uint32_t GetEnd() const noexcept { return m_end; }
    /// Frames held.
    uint32_t GetCapacityFrames() const noexcept { return m_capacityFrames; }
    /// Whether a cache is built.
    bool IsBuilt() const noexcept { return m_buffer != nullptr; }

private:
    std::unique_ptr<uint8_t[]> m_buffer;
    uint32_t m_capacityFrames = 0;
    uint32_t m_end = 0;
    uint32_t m_start = 0;
    uint32_t m_factor = 0;
    uint32_t m_blockAlign = 1;
    uint32_t m_bits = 16;
};

} // namespace ondrix

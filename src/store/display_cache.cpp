#include "store/display_cache.h"

#include "store/data_file.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace ondrix {

namespace {

/// From this distance between kept frames on, the cache reads single frames instead of pieces.
constexpr uint64_t kSparseBytes = 4096;

} // namespace

void CDisplayCache::Build(const Source& source, uint32_t first, uint32_t last, uint32_t factor) {
    const uint32_t ba = source.blockAlign;
    const uint32_t total = source.dataSize / ba;
    if (first == 0xFFFFFFFFu) {
        first = 0;
        last = total;
    }
    if (total == 0) {
        Free();
        return;
    }
    first = std::min(first, total - 1);
    last = std::min(last, total);
    if (m_buffer && m_start <= first && last <= m_end && m_factor == factor) {
        return;
    }

    const uint64_t dataSize = uint64_t(total) * ba;
    uint64_t capacity = uint64_t(kMaxBytes / ba) * ba;
    uint64_t a = uint64_t(first) * ba;
    uint64_t b = uint64_t(last) * ba;
    const uint64_t window = factor != 0 ? capacity * factor : capacity;
    const bool forward = !m_buffer || uint64_t(m_start) * m_blockAlign <= a;
    if (dataSize < capacity) {
        a = 0;
        b = dataSize;
        capacity = dataSize;
    } else if (forward) {
        if (b < a + window) {
            b = a + window;
        }
        b = std::min(b, dataSize);
        if (b < a + window) {
            a = b > window ? b - window : 0;
        }
    } else {
        if (b < a + window) {
            a = b > window ? b - window : 0;
        }
        if (b < a + window) {
            b = a + window;
        }
        b = std::min(b, dataSize);
    }

    Free();
    const uint64_t span = b - a;
    const uint32_t capacityFrames = uint32_t(capacity / ba);
    auto buffer = std::make_unique<uint8_t[]>(capacity);
    std::memset(buffer.get(), 0, capacity);
    if (span == capacity) {
        for (uint64_t done = 0; done < span;) {
            const std::size_t got = source.file->ReadAt(source.dataOffset + a + done, buffer.get() + done,
                                                        std::size_t(span - done));
            if (got == 0) {
                break;
            }
            done += got;
        }
    } else {
        // Nearest-lower selection: keep capacityFrames frames spread evenly over the span.
        const uint64_t spanFrames = span / ba;
        std::vector<uint8_t> piece(capacity);
        uint64_t pieceFirst = 0; // frame index (relative to a) of piece[0]
        uint64_t pieceFrames = 0;
        int64_t accumulator = capacity > span ? int64_t(capacity - span) : int64_t(span - capacity);
        uint64_t src = 0;
        // kept frames far apart are read one by one: a piece would bring in frames that are skipped
        const bool sparse = spanFrames / std::max<uint32_t>(capacityFrames, 1) * ba >= kSparseBytes;
        for (uint32_t kept = 0; kept < capacityFrames && src < spanFrames; ++kept) {
            if (src < pieceFirst || src >= pieceFirst + pieceFrames) {
                pieceFirst = src;
                const uint64_t want = sparse ? ba : std::min<uint64_t>(capacity, (spanFrames - src) * ba);
                pieceFrames =
                    source.file->ReadAt(source.dataOffset + a + src * ba, piece.data(), std::size_t(want)) /
                    ba;
                if (pieceFrames == 0) {
                    break;
                }
            }
            std::memcpy(buffer.get() + uint64_t(kept) * ba, piece.data() + (src - pieceFirst) * ba, ba);
            accumulator -= int64_t(span);
            while (accumulator < 0) {
                accumulator += int64_t(capacity);
                ++src;
            }
        }
    }
    m_buffer = std::move(buffer);
    m_start = uint32_t(a / ba);
    m_end = uint32_t(b / ba);
    m_capacityFrames = capacityFrames;
    m_factor = factor;
    m_blockAlign = ba;
    m_bits = source.bits;
}

int16_t CDisplayCache::GetSample(uint32_t frame, int track) const noexcept {
    if (!m_buffer || frame < m_start || frame >= m_end || m_end == m_start) {
        return 0;
    }
    const uint32_t bytes = m_bits / 8;
    if (track < 0 || uint32_t(track + 1) * bytes > m_blockAlign) {
        return 0;
    }
    auto index = uint32_t(double(frame - m_start) / double(m_end - m_start) * m_capacityFrames);
    index = std::min(index, m_capacityFrames - 1);
    const uint8_t* p = m_buffer.get() + uint64_t(index) * m_blockAlign + uint32_t(track) * bytes;
    if (bytes == 1) {
        return int16_t((int(p[0]) - 128) * 256);
    }
    return int16_t(uint16_t(p[0] | (p[1] << 8)));
}

void CDisplayCache::Free() noexcept {
    m_buffer.reset();
    m_capacityFrames = 0;
    m_start = m_end = 0;
    m_factor = 0;
}

} // namespace ondrix

#include "store/peak_summary.h"

#include <algorithm>
#include <limits>

#include <unistd.h>

namespace ondrix {

namespace {

/// The bytes read at a time.
constexpr std::size_t kPieceBytes = 256 * 1024;

} // namespace

CPeakSummary::~CPeakSummary() {
    Clear();
}

void CPeakSummary::Clear() noexcept {
    m_cancel.store(true);
    if (m_worker.joinable()) {
        m_worker.join();
    }
    m_cancel.store(false);
    m_ready.store(false);
    m_fine.clear();
    m_coarse.clear();
}

void CPeakSummary::Prepare(const Layout& layout) {
    m_layout = layout;
    m_blockFrames = layout.bits == 8 ? 1024 : 512;
    const uint64_t blocks = (layout.frames + m_blockFrames - 1) / m_blockFrames;
    const uint64_t coarse = (layout.frames + kCoarseFrames - 1) / kCoarseFrames;
    m_fine.assign(blocks * layout.tracks * 2, 0);
    m_coarse.assign(coarse * layout.tracks * 2, 0);
}

void CPeakSummary::Start(int descriptor, const Layout& layout) {
    Clear();
    Prepare(layout);
    m_worker = std::thread([this, descriptor] {
        const uint64_t offset = m_layout.dataOffset;
        Build(
            [descriptor, offset](uint64_t at, void* buffer, std::size_t count) -> std::size_t {
                const ssize_t got = ::pread(descriptor, buffer, count, off_t(offset + at));
                return got > 0 ? std::size_t(got) : 0;
            },
            m_cancel);
        ::close(descriptor);
    });
}

void CPeakSummary::BuildNow(const Reader& read, const Layout& layout) {
    Clear();
    Prepare(layout);
    Build(read, m_cancel);
}

void CPeakSummary::Build(const Reader& read, std::atomic<bool>& cancel) {
    const uint64_t blocks = (m_layout.frames + m_blockFrames - 1) / m_blockFrames;
    if (!SummariseBlocks(read, 0, blocks, cancel)) {
        return;
    }
    BuildCoarse(0, blocks);
    m_ready.store(true, std::memory_order_release);
}

bool CPeakSummary::Refresh(const Reader& read, const Layout& layout, uint64_t firstFrame, uint64_t endFrame) {
    // ready means the worker, if one ran, has written its last block
    if (!IsReady() || layout.tracks != m_layout.tracks || layout.bits != m_layout.bits ||
        layout.frames != m_layout.frames) {
        return false;
    }
    endFrame = std::min(endFrame, m_layout.frames);
    if (firstFrame >= endFrame) {
        return true; // nothing of the data changed
    }
    const uint64_t firstBlock = firstFrame / m_blockFrames;
    const uint64_t endBlock = (endFrame - 1) / m_blockFrames + 1;
    std::atomic<bool> never{false};
    if (!SummariseBlocks(read, firstBlock, endBlock, never)) {
        return false;
    }
    BuildCoarse(firstBlock, endBlock);
    return true;
}

bool CPeakSummary::SummariseBlocks(const Reader& read, uint64_t firstBlock, uint64_t endBlock,
                                   std::atomic<bool>& cancel) {
    const uint32_t tracks = m_layout.tracks;
    const uint32_t bytes = m_layout.bits / 8;
    const uint32_t blockAlign = tracks * bytes;
    if (tracks == 0 || blockAlign == 0) {
        return false;
    }
    const uint64_t piece = std::max<uint64_t>(kPieceBytes / (uint64_t(blockAlign) * m_blockFrames), 1) *
                           blockAlign * m_blockFrames; // whole blocks per piece
    std::vector<uint8_t> buffer(piece);
    std::vector<int16_t> low(tracks);
    std::vector<int16_t> high(tracks);
    const uint64_t total = std::min(endBlock * m_blockFrames, m_layout.frames) * blockAlign;
    for (uint64_t done = firstBlock * m_blockFrames * blockAlign; done < total;) {
        if (cancel.load(std::memory_order_relaxed)) {
            return false;
        }
        const std::size_t want = std::size_t(std::min<uint64_t>(piece, total - done));
        std::size_t got = 0;
        while (got < want) {
            const std::size_t n = read(done + got, buffer.data() + got, want - got);
            if (n == 0) {
                break;
            }
            got += n;
        }
        const uint64_t frames = got / blockAlign;
        const uint64_t pieceBlock = done / blockAlign / m_blockFrames;
        for (uint64_t start = 0; start < frames; start += m_blockFrames) {
            const uint64_t end = std::min<uint64_t>(start + m_blockFrames, frames);
            std::fill(low.begin(), low.end(), std::numeric_limits<int16_t>::max());
            std::fill(high.begin(), high.end(), std::numeric_limits<int16_t>::min());
            const uint8_t* p = buffer.data() + start * blockAlign;
            for (uint64_t f = start; f < end; ++f) {
                for (uint32_t t = 0; t < tracks; ++t) {
                    const int16_t v = bytes == 1 ? int16_t((int(p[t]) - 128) * 256)
                                                 : int16_t(uint16_t(p[2 * t] | (p[2 * t + 1] << 8)));
                    low[t] = std::min(low[t], v);
                    high[t] = std::max(high[t], v);
                }
                p += blockAlign;
            }
            int16_t* out = m_fine.data() + (pieceBlock + start / m_blockFrames) * tracks * 2;
            for (uint32_t t = 0; t < tracks; ++t) {
                out[2 * t] = low[t];
                out[2 * t + 1] = high[t];
            }
        }
        if (got < want) {
            break; // the file ended early: the rest stays silent
        }
        done += got;
    }
    return true;
}

void CPeakSummary::BuildCoarse(uint64_t firstBlock, uint64_t endBlock) {
    const uint32_t tracks = m_layout.tracks;
    const uint64_t blocks = m_fine.size() / (tracks * 2ull);
    const uint64_t perCoarse = kCoarseFrames / m_blockFrames;
    endBlock = std::min(endBlock, blocks);
    for (uint64_t c = firstBlock / perCoarse; c * perCoarse < endBlock; ++c) {
        for (uint32_t t = 0; t < tracks; ++t) {
            int16_t low = std::numeric_limits<int16_t>::max();
            int16_t high = std::numeric_limits<int16_t>::min();
            for (uint64_t b = c * perCoarse; b < std::min(blocks, (c + 1) * perCoarse); ++b) {
                low = std::min(low, m_fine[(b * tracks + t) * 2]);
                high = std::max(high, m_fine[(b * tracks + t) * 2 + 1]);
            }
            m_coarse[(c * tracks + t) * 2] = low;
            m_coarse[(c * tracks + t) * 2 + 1] = high;
        }
    }
}

bool CPeakSummary::Range(uint32_t track, uint64_t first, uint64_t last, int16_t& minimum,
                         int16_t& maximum) const {
    if (!IsReady() || track >= m_layout.tracks) {
        return false;
    }
    last = std::min(last, m_layout.frames);
    if (first >= last) {
        return false;
    }
    const uint32_t tracks = m_layout.tracks;
    int16_t low = std::numeric_limits<int16_t>::max();
    int16_t high = std::numeric_limits<int16_t>::min();
    const auto fine = [&](uint64_t b) {
        low = std::min(low, m_fine[(b * tracks + track) * 2]);
        high = std::max(high, m_fine[(b * tracks + track) * 2 + 1]);
    };
    uint64_t block = first / m_blockFrames;
    const uint64_t endBlock = (last - 1) / m_blockFrames + 1;
    const uint64_t perCoarse = kCoarseFrames / m_blockFrames;
    // fine blocks up to a coarse boundary, whole coarse pairs, fine blocks for the rest
    while (block < endBlock && block % perCoarse != 0) {
        fine(block++);
    }
    while (block + perCoarse <= endBlock) {
        const uint64_t c = block / perCoarse;
        low = std::min(low, m_coarse[(c * tracks + track) * 2]);
        high = std::max(high, m_coarse[(c * tracks + track) * 2 + 1]);
        block += perCoarse;
    }
    while (block < endBlock) {
        fine(block++);
    }
    minimum = low;
    maximum = high;
    return true;
}

uint64_t CPeakSummary::MemoryBytes() const noexcept {
    return (m_fine.size() + m_coarse.size()) * sizeof(int16_t);
}

} // namespace ondrix

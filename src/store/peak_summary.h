#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

namespace ondrix {

/// A per-track minimum/maximum summary of a sound for drawing it zoomed out: one pair per block of
/// frames (512, or 1024 for 8-bit data, so the summary takes at most 1/256 of the data's size) and one
/// pair per 65536 frames. It is built in one sequential pass, on a worker thread from a descriptor of
/// its own, so that the data file may be replaced meanwhile; until it is ready it answers nothing.
class CPeakSummary {
public:
    /// What the summary needs to know about the data.
    struct Layout {
        uint32_t tracks = 0;
        uint32_t bits = 16;
        uint64_t frames = 0;
        uint64_t dataOffset = 0; ///< where the first frame starts in the file
    };
    /// Reads count bytes at a byte offset of the data (from the first frame); returns the bytes read.
    using Reader = std::function<std::size_t(uint64_t offset, void* buffer, std::size_t count)>;

    static constexpr uint32_t kCoarseFrames = 65536;

    CPeakSummary() = default;
    ~CPeakSummary();
    CPeakSummary(const CPeakSummary&) = delete;
    CPeakSummary& operator=(const CPeakSummary&) = delete;

    /// Starts building on a worker thread from an open descriptor, which the summary takes and closes.
    void Start(int descriptor, const Layout& layout);
    /// Builds at once through a reader (a sound in memory).
    void BuildNow(const Reader& read, const Layout& layout);
    /// Brings a ready summary up to date after frames firstFrame .. endFrame - 1 changed, reading just
    /// those blocks at once; false (nothing done) when the summary is not ready, still building, or the
    /// layout differs, so that the caller builds it anew.
    bool Refresh(const Reader& read, const Layout& layout, uint64_t firstFrame, uint64_t endFrame);
    /// Stops a running build and forgets the summary.
    void Clear() noexcept;
    /// Whether the summary is complete.
    bool IsReady() const noexcept { return m_ready.load(std::memory_order_acquire); }
    /// Whether a build runs.
    bool IsBuilding() const noexcept { return m_worker.joinable() && !IsReady(); }
    /// The frames of one fine block.
    uint32_t BlockFrames() const noexcept { return m_blockFrames; }
    /// The least and greatest 16-bit value of a track over the blocks that frames first .. last - 1
    /// touch; false when the summary is not ready or the range is empty.
    bool Range(uint32_t track, uint64_t first, uint64_t last, int16_t& minimum, int16_t& maximum) const;
    /// The bytes the summary holds.
    uint64_t MemoryBytes() const noexcept;

private:
    /// The pass over the data: fills the fine level, then the coarse one.
    void Build(const Reader& read, std::atomic<bool>& cancel);
    /// Summarises the fine blocks firstBlock .. endBlock - 1 from the data; false when cancelled.
    bool SummariseBlocks(const Reader& read, uint64_t firstBlock, uint64_t endBlock,
                         std::atomic<bool>& cancel);
    /// Folds the fine blocks firstBlock .. endBlock - 1 into the coarse pairs that hold them.
    void BuildCoarse(uint64_t firstBlock, uint64_t endBlock);
    /// Allocates both levels for the layout.
    void Prepare(const Layout& layout);

    Layout m_layout;
    uint32_t m_blockFrames = 512;
    std::vector<int16_t> m_fine;   ///< per block, per track: minimum, maximum
    std::vector<int16_t> m_coarse; ///< per 65536 frames, per track: minimum, maximum
    std::thread m_worker;
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_ready{false};
};

} // namespace ondrix

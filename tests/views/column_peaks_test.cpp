#include "views/core/column_peaks.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace ondrix;

namespace {

/// Interleaved 16-bit frames in memory, read as a store's data would be; counts the reads.
struct MemoryPcm {
    std::vector<int16_t> samples;
    int reads = 0;
    uint32_t largest = 0;

    PcmReader Reader() {
        return [this](uint32_t offset, void* buffer, uint32_t count) {
            ++reads;
            largest = std::max(largest, count);
            const uint32_t size = uint32_t(samples.size() * 2);
            const uint32_t n = offset >= size ? 0 : std::min(count, size - offset);
            std::memcpy(buffer, reinterpret_cast<const uint8_t*>(samples.data()) + offset, n);
            return n;
        };
    }
};

} // namespace

TEST(ColumnPeaks, EachColumnSpansItsFramesOnItsOwnTrack) {
    MemoryPcm pcm;
    // two tracks: track 0 counts up from -5, track 1 is 1000 minus the frame
    for (int f = 0; f < 12; ++f) {
        pcm.samples.push_back(int16_t(f - 5));
        pcm.samples.push_back(int16_t(1000 - f));
    }
    const std::vector<int64_t> bounds{2, 5, 9, 12};
    const auto track0 = ReadColumnPeaks(pcm.Reader(), {2, 16}, 0, bounds);
    ASSERT_EQ(track0.size(), 3u);
    EXPECT_EQ(track0[0], (ColumnPeak{-3, -1})); // frames 2..4
    EXPECT_EQ(track0[1], (ColumnPeak{0, 3}));   // frames 5..8
    EXPECT_EQ(track0[2], (ColumnPeak{4, 6}));   // frames 9..11
    const auto track1 = ReadColumnPeaks(pcm.Reader(), {2, 16}, 1, bounds);
    ASSERT_EQ(track1.size(), 3u);
    EXPECT_EQ(track1[1], (ColumnPeak{992, 995}));
}

TEST(ColumnPeaks, AClickInsideALongColumnIsKeptAcrossPieces) {
    MemoryPcm pcm;
    pcm.samples.assign(100000, 0); // mono, 200000 bytes: four pieces of 64 KiB
    pcm.samples[70000] = 32767;
    pcm.samples[99999] = -32768;
    const auto peaks = ReadColumnPeaks(pcm.Reader(), {1, 16}, 0, std::vector<int64_t>{0, 50000, 100000});
    ASSERT_EQ(peaks.size(), 2u);
    EXPECT_EQ(peaks[0], (ColumnPeak{0, 0}));
    EXPECT_EQ(peaks[1], (ColumnPeak{-32768, 32767}));
    EXPECT_EQ(pcm.reads, 4);
    EXPECT_EQ(pcm.largest, 65536u);
}

TEST(ColumnPeaks, EightBitDataAndEndsAndBadArguments) {
    const std::vector<uint8_t> bytes{128, 255, 0, 130};
    const PcmReader read = [&](uint32_t offset, void* buffer, uint32_t count) {
        const uint32_t n =
            offset >= bytes.size() ? 0 : std::min<uint32_t>(count, uint32_t(bytes.size()) - offset);
        std::memcpy(buffer, bytes.data() + offset, n);
        return n;
    };
    const auto peaks = ReadColumnPeaks(read, {1, 8}, 0, std::vector<int64_t>{0, 2, 4});
    ASSERT_EQ(peaks.size(), 2u);
    EXPECT_EQ(peaks[0], (ColumnPeak{0, 127 * 256}));
    EXPECT_EQ(peaks[1], (ColumnPeak{-128 * 256, 2 * 256}));
    // the data ends inside the second of three columns: the columns it reached come back
    EXPECT_EQ(ReadColumnPeaks(read, {1, 8}, 0, std::vector<int64_t>{0, 3, 6, 9}).size(), 2u);
    EXPECT_TRUE(ReadColumnPeaks(read, {1, 8}, 1, std::vector<int64_t>{0, 2}).empty()); // no such track
    EXPECT_TRUE(ReadColumnPeaks(read, {1, 8}, 0, std::vector<int64_t>{0}).empty());
    EXPECT_TRUE(ReadColumnPeaks(read, {1, 8}, 0, std::vector<int64_t>{-1, 2}).empty());
}

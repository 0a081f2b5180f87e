#include "store/data_file.h"
#include "store/display_cache.h"
#include "store/peak_summary.h"
#include "store/sample_store.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <random>
#include <thread>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// Interleaved 16-bit frames of pseudo-random values.
std::vector<int16_t> Noise(uint64_t frames, uint32_t tracks, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(-32768, 32767);
    std::vector<int16_t> samples(frames * tracks);
    for (int16_t& s : samples) {
        s = int16_t(value(random));
    }
    return samples;
}

CPeakSummary::Reader ReaderOf(const std::vector<int16_t>& samples) {
    return [&samples](uint64_t offset, void* buffer, std::size_t count) -> std::size_t {
        const uint64_t size = samples.size() * 2;
        if (offset >= size) {
            return 0;
        }
        const std::size_t n = std::size_t(std::min<uint64_t>(count, size - offset));
        std::memcpy(buffer, reinterpret_cast<const uint8_t*>(samples.data()) + offset, n);
        return n;
    };
}

/// The least and greatest value of a track over the whole blocks that frames first .. last - 1 touch.
std::pair<int16_t, int16_t> BruteForce(const std::vector<int16_t>& samples, uint32_t tracks, uint32_t track,
                                       uint64_t first, uint64_t last, uint32_t block) {
    const uint64_t frames = samples.size() / tracks;
    const uint64_t from = first / block * block;
    const uint64_t to = std::min(frames, ((last - 1) / block + 1) * block);
    int16_t low = 32767;
    int16_t high = -32768;
    for (uint64_t f = from; f < to; ++f) {
        low = std::min(low, samples[f * tracks + track]);
        high = std::max(high, samples[f * tracks + track]);
    }
    return {low, high};
}

TEST(PeakSummary, RangesMatchTheDataAtEveryScale) {
    const uint32_t tracks = 3;
    const uint64_t frames = 300000;
    const std::vector<int16_t> samples = Noise(frames, tracks, 7);
    CPeakSummary peaks;
    peaks.BuildNow(ReaderOf(samples), {tracks, 16, frames, 0});
    ASSERT_TRUE(peaks.IsReady());
    EXPECT_EQ(peaks.BlockFrames(), 512u);
    const std::pair<uint64_t, uint64_t> ranges[] = {
        {0, 1}, {511, 513}, {1000, 5000}, {65000, 200000}, {0, frames}, {131072, 262144}, {299999, 300000}};
    for (const auto& [first, last] : ranges) {
        for (uint32_t t = 0; t < tracks; ++t) {
            int16_t low = 0;
            int16_t high = 0;
            ASSERT_TRUE(peaks.Range(t, first, last, low, high));
            EXPECT_EQ(std::make_pair(low, high), BruteForce(samples, tracks, t, first, last, 512))
                << first << ".." << last << " track " << t;
        }
    }
    int16_t low = 0;
    int16_t high = 0;
    EXPECT_FALSE(peaks.Range(0, frames, frames + 10, low, high)); // past the end
    EXPECT_FALSE(peaks.Range(3, 0, 10, low, high));               // no such track
    // the summary stays below 1/128 of the data
    EXPECT_LE(peaks.MemoryBytes() * 128, samples.size() * 2);
}

TEST(PeakSummary, EightBitDataIsSummarisedAsSixteenBitValues) {
    std::vector<uint8_t> bytes(5000, 128);
    bytes[3000] = 255;
    bytes[3001] = 0;
    CPeakSummary peaks;
    peaks.BuildNow(
        [&bytes](uint64_t offset, void* buffer, std::size_t count) -> std::size_t {
            const std::size_t n = std::size_t(std::min<uint64_t>(count, bytes.size() - offset));
            std::memcpy(buffer, bytes.data() + offset, n);
            return n;
        },
        {1, 8, bytes.size(), 0});
    EXPECT_EQ(peaks.BlockFrames(), 1024u);
    int16_t low = 0;
    int16_t high = 0;
    ASSERT_TRUE(peaks.Range(0, 2048, 3072, low, high));
    EXPECT_EQ(low, -32768);
    EXPECT_EQ(high, 32512);
    ASSERT_TRUE(peaks.Range(0, 0, 1024, low, high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 0);
    EXPECT_LE(peaks.MemoryBytes() * 128, bytes.size());
}

TEST(PeakSummary, AStoreOnDiskIsSummarisedByAWorkerAndAgainAfterAnEdit) {
    TempDir dir;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_TEMPFILE, dir.Path(), 16, 2, 44100, true));
    const std::vector<int16_t> samples = Noise(200000, 2, 3);
    ASSERT_TRUE(store.AppendData(samples.data(), uint32_t(samples.size() * 2)));
    store.RebuildPeaks();
    for (int i = 0; i < 500 && !store.Peaks().IsReady(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(store.Peaks().IsReady());
    int16_t low = 0;
    int16_t high = 0;
    ASSERT_TRUE(store.Peaks().Range(1, 0, 200000, low, high));
    EXPECT_EQ(std::make_pair(low, high), BruteForce(samples, 2, 1, 0, 200000, 512));
    // a quiet stretch written in place: the new summary shows it
    const std::vector<int16_t> quiet(2 * 1024, 5);
    ASSERT_TRUE(store.WriteData(4 * 1024, quiet.data(), uint32_t(quiet.size() * 2)));
    store.RebuildPeaks();
    EXPECT_TRUE(store.Peaks().IsReady()); // just the changed stretch, refreshed at once
    ASSERT_TRUE(store.Peaks().Range(0, 1024, 1536, low, high));
    EXPECT_EQ(low, 5);
    EXPECT_EQ(high, 5);
    // releasing the store stops and forgets the summary
    store.Release();
    EXPECT_FALSE(store.Peaks().IsReady());
}

TEST(PeakSummary, ARefreshRereadsOnlyTheChangedBlocks) {
    const uint32_t tracks = 3;
    const uint64_t frames = 300000;
    std::vector<int16_t> samples = Noise(frames, tracks, 11);
    CPeakSummary peaks;
    const CPeakSummary::Layout layout{tracks, 16, frames, 0};
    peaks.BuildNow(ReaderOf(samples), layout);
    // a loud frame inside one block, and a quiet stretch across a coarse boundary
    samples[70050 * tracks + 1] = 32767;
    for (uint64_t f = 65000; f < 66000; ++f) {
        samples[f * tracks + 2] = 3;
    }
    uint64_t bytesRead = 0;
    const CPeakSummary::Reader counting = [&](uint64_t offset, void* buffer, std::size_t count) {
        const std::size_t n = ReaderOf(samples)(offset, buffer, count);
        bytesRead += n;
        return n;
    };
    ASSERT_TRUE(peaks.Refresh(counting, layout, 70050, 70051));
    ASSERT_TRUE(peaks.Refresh(counting, layout, 65000, 66000));
    EXPECT_LE(bytesRead, 4u * 512 * tracks * 2); // the three or four blocks touched
    for (uint32_t t = 0; t < tracks; ++t) {
        for (const auto& [first, last] : {std::pair<uint64_t, uint64_t>{0, frames},
                                          {65000, 66000},
                                          {70000, 70100},
                                          {64512, 65536},
                                          {65536, 131072}}) {
            int16_t low = 0;
            int16_t high = 0;
            ASSERT_TRUE(peaks.Range(t, first, last, low, high));
            EXPECT_EQ(std::make_pair(low, high), BruteForce(samples, tracks, t, first, last, 512))
                << first << ".." << last << " track " << t;
        }
    }
    // another length or format, or a summary that is not ready, is built anew by the caller
    EXPECT_FALSE(peaks.Refresh(counting, {tracks, 16, frames - 1, 0}, 0, 10));
    EXPECT_FALSE(peaks.Refresh(counting, {tracks, 8, frames, 0}, 0, 10));
    CPeakSummary empty;
    EXPECT_FALSE(empty.Refresh(counting, layout, 0, 10));
}

TEST(PeakSummary, ClearingStopsARunningBuild) {
    TempDir dir;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_TEMPFILE, dir.Path(), 16, 2, 44100, true));
    const std::vector<int16_t> samples = Noise(2000000, 2, 5);
    ASSERT_TRUE(store.AppendData(samples.data(), uint32_t(samples.size() * 2)));
    store.RebuildPeaks();
    store.RebuildPeaks(); // the first build is stopped, the second one finishes
    for (int i = 0; i < 1000 && !store.Peaks().IsReady(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(store.Peaks().IsReady());
}

/// A memory data file that counts the bytes read from it.
class CountingFile final : public CDataFile {
public:
    std::size_t ReadAt(uint64_t offset, void* buffer, std::size_t count) override {
        const std::size_t got = m_file.ReadAt(offset, buffer, count);
        bytesRead += got;
        return got;
    }
    void WriteAt(uint64_t offset, const void* buffer, std::size_t count) override {
        m_file.WriteAt(offset, buffer, count);
    }
    uint64_t GetLength() const override { return m_file.GetLength(); }
    void SetLength(uint64_t length) override { m_file.SetLength(length); }
    uint64_t bytesRead = 0;

private:
    CMemoryDataFile m_file;
};

TEST(DisplayCacheSparse, FarApartKeptFramesAreReadOneByOne) {
    // 32 tracks: the cache keeps 1024 frames, one of every 195 of 200000
    const uint32_t tracks = 32;
    const uint32_t frames = 200000;
    CountingFile file;
    std::vector<int16_t> frame(tracks);
    for (uint32_t f = 0; f < frames; ++f) {
        for (uint32_t t = 0; t < tracks; ++t) {
            frame[t] = int16_t(f % 30000 + t);
        }
        file.WriteAt(uint64_t(f) * tracks * 2, frame.data(), tracks * 2);
    }
    file.bytesRead = 0;
    CDisplayCache cache;
    cache.Build({&file, 0, frames * tracks * 2, tracks * 2, 16}, 0xFFFFFFFF, 0, 0);
    EXPECT_EQ(cache.GetCapacityFrames(), 1024u);
    EXPECT_LE(file.bytesRead, uint64_t(1024) * tracks * 2);
    // each kept frame is a whole frame of the data
    EXPECT_EQ(cache.GetSample(0, 5), 5);
    const int16_t later = cache.GetSample(150000, 7);
    EXPECT_EQ(cache.GetSample(150000, 9), later + 2); // the tracks of one frame stay together
}

} // namespace

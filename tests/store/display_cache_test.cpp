#include "store/data_file.h"
#include "store/display_cache.h"
#include "store/sample_store.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// A mono 16-bit memory file whose frame f holds f (wrapping).
std::unique_ptr<CMemoryDataFile> Ramp(uint32_t frames) {
    auto file = std::make_unique<CMemoryDataFile>();
    for (uint32_t f = 0; f < frames; ++f) {
        const int16_t v = int16_t(uint16_t(f));
        file->Append(&v, 2);
    }
    return file;
}

CDisplayCache::Source SourceOf(std::unique_ptr<CMemoryDataFile>& file) {
    return {file.get(), 0, uint32_t(file->GetLength()), 2, 16};
}

} // namespace

TEST(DisplayCache, SmallDataIsCachedWhole) {
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 2, 8000, true));
    FillRamp16(store, 100);
    ASSERT_TRUE(store.BuildDisplayCache(10, 20, 0));
    EXPECT_EQ(store.GetDisplaySample(0, 0), 0);
    EXPECT_EQ(store.GetDisplaySample(42, 0), 420);
    EXPECT_EQ(store.GetDisplaySample(42, 1), 421);
    EXPECT_EQ(store.GetDisplaySample(99, 1), 991);
    EXPECT_EQ(store.GetDisplaySample(100, 0), 0); // beyond the cache
}

TEST(DisplayCache, EightBitSamplesAreScaledToSixteen) {
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 8, 1, 8000, false));
    const uint8_t bytes[3] = {0, 128, 255};
    ASSERT_TRUE(store.AppendData(bytes, 3));
    ASSERT_TRUE(store.BuildDisplayCache(0xFFFFFFFFu, 0, 0));
    EXPECT_EQ(store.GetDisplaySample(0, 0), -32768);
    EXPECT_EQ(store.GetDisplaySample(1, 0), 0);
    EXPECT_EQ(store.GetDisplaySample(2, 0), 32512);
}

TEST(DisplayCache, WindowOfExactCapacityIsCopiedAsItIs) {
    auto file = Ramp(65536); // 131072 bytes, twice the capacity
    CDisplayCache cache;
    cache.Build(SourceOf(file), 0, 100, 0);
    EXPECT_EQ(cache.GetStart(), 0u);
    EXPECT_EQ(cache.GetEnd(), 32768u);
    EXPECT_EQ(cache.GetCapacityFrames(), 32768u);
    EXPECT_EQ(cache.GetSample(12345, 0), 12345);
    EXPECT_EQ(cache.GetSample(32768, 0), 0);
}

TEST(DisplayCache, LargerSpanKeepsNearestLowerFrames) {
    auto file = Ramp(65536);
    CDisplayCache cache;
    // Factor 2 makes the window twice the capacity: the whole data, every second frame after the first.
    cache.Build(SourceOf(file), 0, 100, 2);
    EXPECT_EQ(cache.GetStart(), 0u);
    EXPECT_EQ(cache.GetEnd(), 65536u);
    EXPECT_EQ(cache.GetSample(0, 0), 0);
    EXPECT_EQ(cache.GetSample(2, 0), 1);
    EXPECT_EQ(cache.GetSample(4, 0), 3);
    EXPECT_EQ(cache.GetSample(100, 0), 99);
    EXPECT_EQ(cache.GetSample(65534, 0), int16_t(uint16_t(65533)));
}

TEST(DisplayCache, ScrollsForwardAndBackward) {
    auto file = Ramp(65536);
    CDisplayCache cache;
    cache.Build(SourceOf(file), 40000, 40100, 0);
    // Forward: the window is clamped at the data end and slides back to a full window.
    EXPECT_EQ(cache.GetStart(), 32768u);
    EXPECT_EQ(cache.GetEnd(), 65536u);
    EXPECT_EQ(cache.GetSample(40000, 0), int16_t(40000 - 65536));
    // A covered range at the same factor leaves the cache as it is; another factor rebuilds it.
    cache.Build(SourceOf(file), 50000, 50010, 0);
    EXPECT_EQ(cache.GetStart(), 32768u);
    // Backward: the window ends at the requested end, moved to 0 and grown to a full window.
    cache.Build(SourceOf(file), 1000, 1100, 0);
    EXPECT_EQ(cache.GetStart(), 0u);
    EXPECT_EQ(cache.GetEnd(), 32768u);
    EXPECT_EQ(cache.GetSample(1000, 0), 1000);
}

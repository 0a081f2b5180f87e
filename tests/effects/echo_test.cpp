#include "effects/echo.h"
#include "effects_test_util.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

TEST(Echo, MixPercentagesStepTowardTheLastWithoutReachingIt) {
    EXPECT_EQ(EchoMixPercent(0, 3, 50, 10), 50);
    EXPECT_EQ(EchoMixPercent(1, 3, 50, 10), 37);
    EXPECT_EQ(EchoMixPercent(2, 3, 50, 10), 24);
    EXPECT_EQ(EchoMixPercent(0, 1, 30, 90), 30);
    // Rising: 10 + (80 x 2) / 3 = 63.
    EXPECT_EQ(EchoMixPercent(2, 3, 10, 90), 63);
    EXPECT_EQ(EchoMixPercent(4, 5, 30, 10), 14);
}

TEST(Echo, AssignmentMapsEditedTracksInOrder) {
    const Mask mask = MaskOf({1, 3});
    const auto a = EchoAssignment(mask.data(), 4);
    EXPECT_EQ(a[0], 255);
    EXPECT_EQ(a[1], 0);
    EXPECT_EQ(a[2], 255);
    EXPECT_EQ(a[3], 1);
    EXPECT_EQ(a[4], 255);
    const auto all = EchoAssignment(nullptr, 3);
    EXPECT_EQ(all[2], 2);
    EXPECT_EQ(all[3], 255);
}

/// The echo computed here from its definition, track by track: echo i mixes the original block at
/// first + (i + 1) x delay with pct(i); mixing past the end extends every track with silence first.
std::vector<std::vector<int32_t>> ExpectedEcho(std::vector<std::vector<int32_t>> tracks, const Mask* mask,
                                               int64_t first, int64_t last, int64_t delay, int n, int pf,
                                               int pl) {
    std::vector<std::vector<int32_t>> block;
    for (const auto& t : tracks) {
        block.emplace_back(t.begin() + first, t.begin() + last + 1);
    }
    int64_t p = first;
    for (int i = 0; i < n; ++i) {
        p += delay;
        const int64_t pct = pf + ((pl - pf) * i) / n;
        for (int64_t j = 0; j <= last - first; ++j) {
            const auto f = std::size_t(p + j);
            for (std::size_t t = 0; t < tracks.size(); ++t) {
                if (f >= tracks[t].size()) {
                    tracks[t].resize(f + 1, 0);
                }
                if (!mask || (*mask)[t] != 0) {
                    tracks[t][f] =
                        int32_t(((100 - pct) * tracks[t][f] + pct * block[t][std::size_t(j)]) / 100);
                }
            }
        }
    }
    return tracks;
}

std::vector<std::vector<int32_t>> Tracks(CSampleStore& store) {
    std::vector<std::vector<int32_t>> tracks;
    for (uint32_t t = 0; t < store.GetTrackCount(); ++t) {
        tracks.push_back(TrackValues(store, t));
    }
    return tracks;
}

class EchoRun : public ::testing::TestWithParam<WidthAndMask> {
protected:
    uint32_t Bits() const { return GetParam().bits; }
    const Mask* MaskRef() const { return GetParam().masked ? &m_mask : nullptr; }
    const uint32_t* MaskPtr() const { return GetParam().masked ? m_mask.data() : nullptr; }
    Mask m_mask = MaskOf({0, 2});
    TempDir m_dir;
    StorageChoice m_temp{STORE_TEMPFILE, m_dir.Path()};
};

TEST_P(EchoRun, ThreeEchoesFromFiftyToTen) {
    // 1000 Hz: a millisecond is a frame. Block 5..24, delay 4, echoes at 9, 13, 17 with 50, 37, 24 %.
    auto store = MakeStore(Bits(), 3, RandomValues(Bits(), 3 * 60, 51), 1000);
    const auto want = ExpectedEcho(Tracks(*store), MaskRef(), 5, 24, 4, 3, 50, 10);
    ASSERT_TRUE(RunEcho(*store, MaskPtr(), 5, 24, EchoParams{4, 3, 50, 10}, m_temp));
    EXPECT_EQ(Tracks(*store), want);
    EXPECT_TRUE(m_dir.Files().empty()); // the temporary store is gone
}

TEST_P(EchoRun, TheSoundGrowsAtItsEnd) {
    // Block 10..19 at the end of a 20-frame sound, delay 3, 3 echoes: 20 + 3 x 3 frames.
    auto store = MakeStore(Bits(), 3, RandomValues(Bits(), 3 * 20, 52), 1000);
    const auto want = ExpectedEcho(Tracks(*store), MaskRef(), 10, 19, 3, 3, 50, 10);
    ASSERT_TRUE(RunEcho(*store, MaskPtr(), 10, 19, EchoParams{3, 3, 50, 10}, m_temp));
    EXPECT_EQ(store->GetFrameCount(), 29u);
    EXPECT_EQ(Tracks(*store), want);
}

TEST_P(EchoRun, OneEchoAndDelayZero) {
    auto store = MakeStore(Bits(), 3, RandomValues(Bits(), 3 * 40, 53), 1000);
    auto again = MakeStore(Bits(), 3, Values(*store), 1000);
    const auto one = ExpectedEcho(Tracks(*store), MaskRef(), 0, 9, 7, 1, 60, 10);
    ASSERT_TRUE(RunEcho(*store, MaskPtr(), 0, 9, EchoParams{7, 1, 60, 10}, m_temp));
    EXPECT_EQ(Tracks(*store), one);
    // Delay 0: every echo lands on the block itself.
    const auto zero = ExpectedEcho(Tracks(*again), MaskRef(), 3, 12, 0, 4, 40, 20);
    ASSERT_TRUE(RunEcho(*again, MaskPtr(), 3, 12, EchoParams{0, 4, 40, 20}, m_temp));
    EXPECT_EQ(Tracks(*again), zero);
}

TEST_P(EchoRun, DelayInMillisecondsRoundsUpToFrames) {
    // 44100 Hz: 1 ms = ceil(44.1) = 45 frames.
    auto store = MakeStore(Bits(), 3, RandomValues(Bits(), 3 * 300, 54), 44100);
    const auto want = ExpectedEcho(Tracks(*store), MaskRef(), 20, 119, 45, 2, 50, 10);
    ASSERT_TRUE(RunEcho(*store, MaskPtr(), 20, 119, EchoParams{1, 2, 50, 10}, m_temp));
    EXPECT_EQ(Tracks(*store), want);
}

INSTANTIATE_TEST_SUITE_P(Widths, EchoRun, ::testing::ValuesIn(kWidthsAndMasks), WidthAndMaskName);

TEST(Echo, ATemporaryStoreThatCannotBeMadeEndsTheEcho) {
    FakeMessageService messages;
    auto store = MakeStore(16, 1, RandomValues(16, 100, 55), 1000);
    const auto before = Values(*store);
    EXPECT_FALSE(RunEcho(*store, nullptr, 0, 49, EchoParams{}, {STORE_TEMPFILE, "/nonexistent/ondrix-echo"}));
    EXPECT_EQ(Values(*store), before);
    ASSERT_EQ(messages.shown.size(), 1u); // 31500, shown once
}

} // namespace

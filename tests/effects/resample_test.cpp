#include "effects/resample_routine.h"
#include "effects_test_util.h"

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// The frames the tempo functions pick, computed here: the block is cut into the driver's pieces of
/// 65536 / align frames; each piece yields floor(bytes x num / den) bytes in whole frames, stepping from
/// the piece's first frame with acc = |den - num|.
std::vector<int64_t> PickedFrames(int64_t first, int64_t last, uint32_t align, int64_t num, int64_t den) {
    const int64_t pieceFrames = 65536 / align;
    std::vector<int64_t> picked;
    for (int64_t start = first; start <= last; start += pieceFrames) {
        const int64_t in = std::min(pieceFrames, last + 1 - start);
        const int64_t out = in * align * num / den / align;
        int64_t acc = std::abs(den - num);
        int64_t read = 0;
        for (int64_t j = 0; j < out; ++j) {
            picked.push_back(start + read);
            acc -= den;
            while (acc < 0) {
                acc += num;
                read = std::min(read + 1, in - 1);
            }
        }
    }
    return picked;
}

/// Runs the resampling over first..last of every track (mask null) or the masked ones.
bool Resample(CSampleStore& store, const uint32_t* mask, int64_t first, int64_t last, TempoRatio ratio) {
    return store.Process(mask, first, last, true, ratio.numerator, ratio.denominator, false, &ResampleRoutine,
                         0, nullptr);
}

class Tempo : public ::testing::TestWithParam<uint32_t> {
protected:
    uint32_t Bits() const { return GetParam(); }
};

TEST_P(Tempo, Velocity200KeepsAboutEverySecondFrame) {
    auto store = MakeStore(Bits(), 1, RandomValues(Bits(), 1000, 41));
    const auto before = Values(*store);
    ASSERT_TRUE(Resample(*store, nullptr, 0, 999, VelocityRatio(200)));
    const auto after = Values(*store);
    ASSERT_EQ(after.size(), 500u);
    // acc starts at 100: frames 0, 1, 3, 5, 7, ...
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], before[1]);
    EXPECT_EQ(after[2], before[3]);
    EXPECT_EQ(after[499], before[997]);
    const auto picked = PickedFrames(0, 999, Bits() / 8, 100, 200);
    for (std::size_t i = 0; i < picked.size(); ++i) {
        ASSERT_EQ(after[i], before[std::size_t(picked[i])]) << i;
    }
}

TEST_P(Tempo, Velocity1RepeatsEveryFrameAHundredTimes) {
    auto store = MakeStore(Bits(), 2, RandomValues(Bits(), 2 * 30, 42));
    const auto before = Values(*store);
    ASSERT_TRUE(Resample(*store, nullptr, 0, 29, VelocityRatio(1)));
    const auto after = Values(*store);
    ASSERT_EQ(after.size(), 2u * 3000);
    for (std::size_t j = 0; j < 3000; ++j) {
        ASSERT_EQ(after[2 * j], before[2 * (j / 100)]) << j;
        ASSERT_EQ(after[2 * j + 1], before[2 * (j / 100) + 1]) << j;
    }
}

TEST_P(Tempo, HalfSpeedAndDoubleLengthRepeatEveryFrameTwice) {
    for (TempoRatio ratio : {VelocityRatio(50), StretchRatio(200, 100)}) {
        auto store = MakeStore(Bits(), 1, RandomValues(Bits(), 100, 43));
        const auto before = Values(*store);
        ASSERT_TRUE(Resample(*store, nullptr, 0, 99, ratio));
        const auto after = Values(*store);
        ASSERT_EQ(after.size(), 200u);
        for (std::size_t j = 0; j < 200; ++j) {
            ASSERT_EQ(after[j], before[j / 2]) << j;
        }
    }
}

TEST_P(Tempo, BlockInTheMiddleKeepsTheDataAfterIt) {
    // All tracks, a block in the middle: the head and the tail stay, the block shrinks or grows.
    for (TempoRatio ratio : {VelocityRatio(200), VelocityRatio(80), StretchRatio(37, 100)}) {
        auto store = MakeStore(Bits(), 2, RandomValues(Bits(), 2 * 300, 44));
        const auto before = Values(*store);
        ASSERT_TRUE(Resample(*store, nullptr, 100, 199, ratio));
        const auto after = Values(*store);
        const auto picked = PickedFrames(100, 199, 2 * Bits() / 8, ratio.numerator, ratio.denominator);
        ASSERT_EQ(after.size(), 2 * (200 + picked.size()));
        for (std::size_t f = 0; f < 100; ++f) {
            ASSERT_EQ(after[2 * f], before[2 * f]);
        }
        for (std::size_t j = 0; j < picked.size(); ++j) {
            ASSERT_EQ(after[2 * (100 + j)], before[2 * std::size_t(picked[j])]);
            ASSERT_EQ(after[2 * (100 + j) + 1], before[2 * std::size_t(picked[j]) + 1]);
        }
        for (std::size_t f = 0; f < 100; ++f) {
            ASSERT_EQ(after[2 * (100 + picked.size() + f)], before[2 * (200 + f)]);
            ASSERT_EQ(after[2 * (100 + picked.size() + f) + 1], before[2 * (200 + f) + 1]);
        }
    }
}

TEST_P(Tempo, SteppingRestartsInEveryPiece) {
    // 16-bit stereo: 16384 frames a piece; 8-bit stereo: 32768. A block of several pieces off boundaries.
    const uint32_t align = 2 * Bits() / 8;
    const int64_t first = 1234;
    const int64_t last = first + 3 * (65536 / align) + 999;
    const auto total = uint32_t(last + 5000);
    for (TempoRatio ratio : {VelocityRatio(120), VelocityRatio(7), StretchRatio(1000, 3001)}) {
        auto store = MakeStore(Bits(), 2, RandomValues(Bits(), 2 * total, 45));
        const auto before = Values(*store);
        ASSERT_TRUE(Resample(*store, nullptr, first, last, ratio));
        const auto after = Values(*store);
        const auto picked = PickedFrames(first, last, align, ratio.numerator, ratio.denominator);
        // Per piece the count rounds down, so the total falls short of one computed over the whole block.
        const int64_t whole = (last - first + 1) * ratio.numerator / ratio.denominator;
        EXPECT_LE(int64_t(picked.size()), whole);
        EXPECT_GE(int64_t(picked.size()), whole - 4);
        ASSERT_EQ(after.size(), 2 * (total - (last - first + 1) + picked.size()));
        for (std::size_t j = 0; j < picked.size(); ++j) {
            ASSERT_EQ(after[2 * (std::size_t(first) + j)], before[2 * std::size_t(picked[j])]) << j;
        }
        const std::size_t tail = 2 * (std::size_t(first) + picked.size());
        ASSERT_TRUE(std::equal(after.begin() + std::ptrdiff_t(tail), after.end(),
                               before.begin() + 2 * std::ptrdiff_t(last + 1)));
    }
}

TEST_P(Tempo, MaskedVelocityResamplesOnlyTheEditedTrack) {
    // Track 0 of two at velocity 200 over frames 10..109: the track's later data moves up and it ends in
    // silence; track 1 keeps its data and the sound keeps its length.
    auto store = MakeStore(Bits(), 2, RandomValues(Bits(), 2 * 200, 46));
    const auto before = Values(*store);
    const Mask mask = MaskOf({0});
    ASSERT_TRUE(Resample(*store, mask.data(), 10, 109, VelocityRatio(200)));
    const auto t0 = TrackValues(*store, 0);
    ASSERT_EQ(t0.size(), 200u);
    EXPECT_EQ(TrackValues(*store, 1), [&] {
        std::vector<int32_t> t1;
        for (std::size_t f = 0; f < 200; ++f) {
            t1.push_back(before[2 * f + 1]);
        }
        return t1;
    }());
    const auto picked = PickedFrames(10, 109, 2 * Bits() / 8, 100, 200);
    ASSERT_EQ(picked.size(), 50u);
    for (std::size_t f = 0; f < 200; ++f) {
        int32_t want = 0;
        if (f < 10) {
            want = before[2 * f];
        } else if (f < 60) {
            want = before[2 * std::size_t(picked[f - 10])];
        } else if (f < 150) {
            want = before[2 * (f + 50)];
        }
        ASSERT_EQ(t0[f], want) << f;
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, Tempo, ::testing::Values(8u, 16u),
                         [](const auto& info) { return std::to_string(info.param) + "Bit"; });

TEST(TempoRatios, VelocityAndStretch) {
    EXPECT_TRUE(VelocityRatio(100).IsIdentity());
    EXPECT_FALSE(VelocityRatio(120).IsIdentity());
    EXPECT_EQ(VelocityRatio(120).numerator, 100u);
    EXPECT_EQ(VelocityRatio(120).denominator, 120u);
    EXPECT_TRUE(StretchRatio(500, 500).IsIdentity());
    EXPECT_EQ(StretchRatio(1000, 500).numerator, 1000u);
}

} // namespace

#include "effects/volume_routines.h"
#include "effects_test_util.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// Three tracks; masked runs edit tracks 0 and 2 and must leave track 1 alone.
class VolumeFunctions : public ::testing::TestWithParam<WidthAndMask> {
protected:
    uint32_t Bits() const { return GetParam().bits; }
    const uint32_t* MaskPtr() const { return GetParam().masked ? m_mask.data() : nullptr; }

    /// A store of three tracks with one frame per value, the same value on every track (track 1 negated).
    std::unique_ptr<CSampleStore> StoreOf(const std::vector<int32_t>& frames) {
        std::vector<int32_t> values;
        for (int32_t v : frames) {
            values.insert(values.end(), {v, int32_t(ClampTo(-int64_t(v), Bits())), v});
        }
        return MakeStore(Bits(), 3, values);
    }

    /// Runs the routine over frames first..last and checks every sample against expect(k, v).
    template <class Expect>
    void RunAndCheck(const std::vector<int32_t>& frames, int64_t first, int64_t last, ProcessRoutine routine,
                     void* context, Expect&& expect) {
        auto store = StoreOf(frames);
        const auto before = Values(*store);
        ASSERT_TRUE(RunInPlace(*store, MaskPtr(), first, last, routine, context));
        ExpectBlockMapped(before, Values(*store), 3, MaskPtr(), first, last,
                          [&](int64_t k, uint32_t, int32_t v) { return expect(k, v); });
    }

    Mask m_mask = MaskOf({0, 2});
};

TEST_P(VolumeFunctions, RaiseLowerScalesTruncatesAndClamps) {
    const int32_t fs = FullScale(Bits());
    std::vector<int32_t> frames{0, 1, -1, 3, -3, fs / 4, -fs / 4, fs - 1, -fs, 7, -7};
    auto volume = VolumeContext::Uniform(150);
    RunAndCheck(frames, 0, int64_t(frames.size()) - 1, &VolumeRoutine, &volume,
                [&](int64_t, int32_t v) { return ClampTo(int64_t(150) * v / 100, Bits()); });
}

TEST_P(VolumeFunctions, Volume999ClipsEverythingAboveATenth) {
    // 16 bits: 3280 x 999 / 100 = 32767 still fits, 3281 clips; 8 bits: 12 fits (119), 13 clips.
    const int32_t edge = Bits() == 8 ? 12 : 3280;
    std::vector<int32_t> frames{edge, edge + 1, -edge, -edge - 1, 1, -1};
    auto volume = VolumeContext::Uniform(999);
    auto store = StoreOf(frames);
    ASSERT_TRUE(RunInPlace(*store, MaskPtr(), 0, 5, &VolumeRoutine, &volume));
    const auto t0 = TrackValues(*store, 0);
    const int32_t max = FullScale(Bits()) - 1;
    const int32_t min = -FullScale(Bits());
    EXPECT_EQ(t0, (std::vector<int32_t>{edge * 999 / 100, max, -edge * 999 / 100, min, 9, -9}));
    if (Bits() == 16) {
        EXPECT_EQ(t0[0], 32767);
    }
}

TEST_P(VolumeFunctions, Volume200On8BitExtremesAndVolumeZero) {
    const int32_t fs = FullScale(Bits());
    std::vector<int32_t> frames{-fs, fs - 1, 5};
    auto twice = VolumeContext::Uniform(200);
    RunAndCheck(frames, 0, 2, &VolumeRoutine, &twice,
                [&](int64_t, int32_t v) { return ClampTo(2 * v, Bits()); });
    auto zero = VolumeContext::Uniform(0);
    RunAndCheck(frames, 0, 2, &VolumeRoutine, &zero, [](int64_t, int32_t) { return 0; });
}

TEST_P(VolumeFunctions, OnlyTheBlockChanges) {
    std::vector<int32_t> frames{10, 20, 30, 40, 50, 60};
    auto volume = VolumeContext::Uniform(50);
    RunAndCheck(frames, 2, 3, &VolumeRoutine, &volume, [](int64_t, int32_t v) { return v / 2; });
}

TEST_P(VolumeFunctions, SilenceZeroesTheBlock) {
    std::vector<int32_t> frames{10, -20, 30, -40};
    RunAndCheck(frames, 1, 2, &SilenceRoutine, nullptr, [](int64_t, int32_t) { return 0; });
    // Silence is the byte 0x80 on 8 bits and 0x0000 on 16 bits.
    auto store = StoreOf(frames);
    ASSERT_TRUE(RunInPlace(*store, nullptr, 0, 3, &SilenceRoutine, nullptr));
    for (uint8_t b : AllBytes(*store)) {
        ASSERT_EQ(b, Bits() == 8 ? 0x80 : 0x00);
    }
}

TEST_P(VolumeFunctions, FadeInRoundsHalvesAwayFromZero) {
    // N = 4: gains 0, 1/4, 2/4, 3/4. 3 x 2/4 = 1.5 -> 2 and -1.5 -> -2; 3 x 1/4 = 0.75 -> 1.
    std::vector<int32_t> frames{3, 3, 3, 3, -3, -3, -3, -3};
    FadeContext fadeIn{true};
    const std::array<int32_t, 4> faded{0, 1, 2, 2};
    const auto expect = [&](int64_t k, int32_t v) {
        return v < 0 ? -faded[std::size_t(k)] : faded[std::size_t(k)];
    };
    RunAndCheck(frames, 0, 3, &FadeRoutine, &fadeIn, expect);
    RunAndCheck(frames, 4, 7, &FadeRoutine, &fadeIn, expect);
}

TEST_P(VolumeFunctions, FadeOutScalesTheLastFrameByOneOverN) {
    // N = 5: gains 5/5 .. 1/5 of 100: 100, 80, 60, 40, 20.
    std::vector<int32_t> frames{0, 100, 100, 100, 100, 100, 0};
    FadeContext fadeOut{false};
    RunAndCheck(frames, 1, 5, &FadeRoutine, &fadeOut,
                [](int64_t k, int32_t v) { return int32_t(v / 100 * (100 - 20 * k)); });
}

TEST_P(VolumeFunctions, FadeOfOneFrame) {
    std::vector<int32_t> frames{50, 77, 50};
    FadeContext fadeIn{true};
    RunAndCheck(frames, 1, 1, &FadeRoutine, &fadeIn, [](int64_t, int32_t) { return 0; });
    FadeContext fadeOut{false};
    RunAndCheck(frames, 1, 1, &FadeRoutine, &fadeOut, [](int64_t, int32_t v) { return v; });
}

TEST_P(VolumeFunctions, DynamicsAtTheWorkedPoints) {
    const int32_t fs = FullScale(Bits());
    std::vector<int32_t> frames{fs / 2, -fs / 2, 0, fs - 1, -fs};
    // D = 100 changes nothing.
    DynamicsContext same{100};
    RunAndCheck(frames, 0, 4, &DynamicsRoutine, &same, [](int64_t, int32_t v) { return v; });
    // D = 0: half scale becomes a quarter of full scale (8 bits: 64 + (64 x -100 x 64) / 12800 = 32).
    DynamicsContext flat{0};
    auto store = StoreOf(frames);
    ASSERT_TRUE(RunInPlace(*store, MaskPtr(), 0, 4, &DynamicsRoutine, &flat));
    const auto t0 = TrackValues(*store, 0);
    EXPECT_EQ(t0[0], fs / 4);
    EXPECT_EQ(t0[1], -fs / 4);
    EXPECT_EQ(t0[2], 0);
    // Full scale lands at (about) 0: 16 bits 32767 -> 32767 - 32766 = 1; 8 bits 127 -> 127 - 126 = 1.
    EXPECT_EQ(t0[3], 1);
    EXPECT_EQ(t0[4], 0);
    // D = 200 gives x |x| / full scale: half scale becomes a quarter.
    DynamicsContext steep{200};
    RunAndCheck(frames, 0, 1, &DynamicsRoutine, &steep,
                [&](int64_t, int32_t v) { return v > 0 ? fs / 4 : -fs / 4; });
}

TEST(Dynamics, TruncatesEachDivisionTowardZero) {
    // 16 bits, D = 150, x = -1000: q = -1000000 / 32768 = -30; d = -30 x 50 / 100 + (-50 x -1000) / 100 =
    // 485.
    EXPECT_EQ(Dynamics16(-1000, 150), -515);
    // 8 bits, D = 150, x = -50: (50 x 50 x -50) / 12800 = -9; (-50 x -50) / 100 = 25; -50 - 9 + 25 = -34.
    EXPECT_EQ(Dynamics8(-50, 150), -34);
    // 8 bits, D = 30, x = 100: (100 x -70 x 100) / 12800 = -54 (from -54.69).
    EXPECT_EQ(Dynamics8(100, 30), 46);
    // 16 bits, D = 0 on -32768: q = -32768, d = 32768 -> 0.
    EXPECT_EQ(Dynamics16(-32768, 0), 0);
}

TEST_P(VolumeFunctions, ZeroLineFullShifts) {
    const int32_t fs = FullScale(Bits());
    std::vector<int32_t> frames{-fs, -2, -1, 0, 1, fs - 1};
    ZeroLineContext up{100};
    RunAndCheck(frames, 0, 5, &ZeroLineRoutine, &up,
                [&](int64_t, int32_t v) { return v >= -1 ? fs - 1 : v + fs; });
    ZeroLineContext down{-100};
    RunAndCheck(frames, 0, 5, &ZeroLineRoutine, &down,
                [&](int64_t, int32_t v) { return v <= 0 ? -fs : v - fs; });
}

TEST_P(VolumeFunctions, ZeroLineShiftIsTruncated) {
    // 10 % of 128 = 12.8 -> 12; -10 % of 32768 = -3276.8 -> -3276.
    std::vector<int32_t> frames{0, 5, -5};
    ZeroLineContext up{10};
    const int32_t upShift = Bits() == 8 ? 12 : 3276;
    RunAndCheck(frames, 0, 2, &ZeroLineRoutine, &up, [&](int64_t, int32_t v) { return v + upShift; });
    ZeroLineContext down{-10};
    RunAndCheck(frames, 0, 2, &ZeroLineRoutine, &down, [&](int64_t, int32_t v) { return v - upShift; });
}

INSTANTIATE_TEST_SUITE_P(Widths, VolumeFunctions, ::testing::ValuesIn(kWidthsAndMasks), WidthAndMaskName);

TEST(Maximise, FactorsRoundDown) {
    PeakContext peaks;
    peaks.peak[0] = 16384;
    peaks.peak[1] = 20000;
    peaks.peak[2] = 32768;
    peaks.peak[3] = 0;
    peaks.peak[4] = 1;
    const auto f16 = MaximiseFactors(peaks, 16);
    EXPECT_EQ(f16.factor[0], 200);
    EXPECT_EQ(f16.factor[1], 163);
    EXPECT_EQ(f16.factor[2], 100);
    EXPECT_EQ(f16.factor[3], 0);
    EXPECT_EQ(f16.factor[4], 3276800);
    PeakContext small;
    small.peak[0] = 64;
    small.peak[1] = 100;
    small.peak[2] = 128;
    const auto f8 = MaximiseFactors(small, 8);
    EXPECT_EQ(f8.factor[0], 200);
    EXPECT_EQ(f8.factor[1], 128);
    EXPECT_EQ(f8.factor[2], 100);
}

TEST_P(VolumeFunctions, MaximiseSearchesPerTrackThenScales) {
    const int32_t fs = FullScale(Bits());
    // Track 0 peaks at fs/2 (factor 200), track 1 at fs (untouched), track 2 at 20000 or 100.
    const int32_t peak2 = Bits() == 8 ? 100 : 20000;
    std::vector<int32_t> values{fs / 2, -fs, -peak2, -fs / 4, 3, peak2 / 2, 1, 0, 7};
    auto store = MakeStore(Bits(), 3, values);
    PeakContext peaks;
    ASSERT_TRUE(store->Process(MaskPtr(), 0, 2, false, 1, 1, false, &PeakSearchRoutine, 0, &peaks));
    EXPECT_EQ(peaks.peak[0], uint32_t(fs / 2));
    EXPECT_EQ(peaks.peak[1], GetParam().masked ? 0u : uint32_t(fs));
    EXPECT_EQ(peaks.peak[2], uint32_t(peak2));
    auto factors = MaximiseFactors(peaks, Bits());
    ASSERT_TRUE(RunInPlace(*store, MaskPtr(), 0, 2, &VolumeRoutine, &factors));
    // fs/2 x 200 % reaches full scale, which clamps to fs - 1 on the positive side.
    EXPECT_EQ(TrackValues(*store, 0), (std::vector<int32_t>{fs - 1, -fs / 2, 2}));
    // 16 bits: factor 163 (not 163.84), so the peak lands at 32600; 8 bits: factor 128.
    if (Bits() == 16) {
        EXPECT_EQ(TrackValues(*store, 2), (std::vector<int32_t>{-32600, 16300, 11}));
    } else {
        EXPECT_EQ(TrackValues(*store, 2), (std::vector<int32_t>{-128, 64, 8}));
    }
    EXPECT_EQ(TrackValues(*store, 1), (std::vector<int32_t>{-fs, 3, 0}));
}

} // namespace

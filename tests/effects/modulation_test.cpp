#include "effects/modulation_routines.h"
#include "effects/oscillator.h"
#include "effects_test_util.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr double kPi = 3.14159265358979323846;

/// The oscillator's percentage computed here from its definition.
int32_t Expected(int waveform, int depth, double phase) {
    double w = 0;
    switch (waveform) {
    case WAVE_SINE:
        w = 100.0 * std::sin(kPi * phase);
        break;
    case WAVE_SQUARE:
        w = phase < 0.5 ? 0.0 : 100.0;
        break;
    case WAVE_TRIANGLE:
        w = phase <= 0.5 ? 200.0 * phase : 200.0 * (1.0 - phase);
        break;
    default:
        w = 100.0 * phase;
        break;
    }
    const double m = w * 0.01 * depth;
    return int32_t(m >= 0 ? std::floor(m + 0.5) : std::ceil(m - 0.5));
}

TEST(Oscillator, WaveformsInFrequencyMode) {
    // 1 Hz at 8 frames per second: phases 0, 1/8, 2/8, ...
    for (int wave = 0; wave < 4; ++wave) {
        const COscillator osc(uint8_t(wave), 80, 0, 1, 8, 0);
        for (uint64_t n = 0; n < 20; ++n) {
            EXPECT_EQ(osc.Value(n), Expected(wave, 80, double(n % 8) / 8.0)) << "wave " << wave << " n " << n;
        }
    }
    const COscillator sine(WAVE_SINE, 100, 0, 1, 8, 0);
    EXPECT_EQ(sine.Value(0), 0);
    EXPECT_EQ(sine.Value(2), 71); // 100 sin(pi / 4) = 70.7
    EXPECT_EQ(sine.Value(4), 100);
    EXPECT_EQ(sine.Value(8), 0);
    const COscillator square(WAVE_SQUARE, 60, 0, 1, 8, 0);
    EXPECT_EQ(square.Value(3), 0);
    EXPECT_EQ(square.Value(4), 60);
    const COscillator triangle(WAVE_TRIANGLE, 100, 0, 1, 8, 0);
    EXPECT_EQ(triangle.Value(2), 50);
    EXPECT_EQ(triangle.Value(6), 50);
}

TEST(Oscillator, HalvesRoundAwayFromZero) {
    // Saw tooth at phase 1/2 and depth 1: 50 x 0.01 x 1 = 0.5 -> 1.
    const COscillator saw(WAVE_SAWTOOTH, 1, 2, 0, 44100, 1);
    EXPECT_EQ(saw.Value(1), 1);
    EXPECT_EQ(saw.Value(0), 0);
}

TEST(Oscillator, PeriodModeAndPreview) {
    const COscillator saw(WAVE_SAWTOOTH, 100, 10, 5, 44100, 1);
    EXPECT_DOUBLE_EQ(saw.Step(), 0.1);
    EXPECT_EQ(saw.Value(3), 30);
    EXPECT_EQ(saw.Value(13), 30);
    // Rate 0: one period spans the amplitude (the preview's width), whatever the mode.
    const COscillator preview(WAVE_SAWTOOTH, 100, 10, 5, 0, 0, 200.0);
    EXPECT_DOUBLE_EQ(preview.Step(), 1.0 / 200.0);
    EXPECT_EQ(preview.Value(50), 25);
}

TEST(Oscillator, WholePeriodsLandExactlyOnPhaseZero) {
    // 1 / 49 x 49 is 0.9999999999999999 in doubles; the oscillator still sees a whole period.
    for (int32_t period : {49, 98, 103, 1000, 44100}) {
        const COscillator saw(WAVE_SAWTOOTH, 100, period, 5, 44100, 1);
        EXPECT_EQ(saw.Value(uint64_t(period)), 0) << period;
        EXPECT_EQ(saw.Value(uint64_t(period) * 3), 0) << period;
    }
}

TEST(Oscillator, PeriodZeroDoesNotDivideByZero) {
    const COscillator osc(WAVE_SAWTOOTH, 100, 0, 5, 44100, 1);
    EXPECT_EQ(osc.Value(0), 0);
    EXPECT_EQ(osc.Value(7), 0);
}

class Tremolo : public ::testing::TestWithParam<WidthAndMask> {
protected:
    uint32_t Bits() const { return GetParam().bits; }
    const uint32_t* MaskPtr() const { return GetParam().masked ? m_mask.data() : nullptr; }
    Mask m_mask = MaskOf({0, 2});
};

TEST_P(Tremolo, SquareAtFullDepthAlternatesWithSilence) {
    auto store = MakeStore(Bits(), 3, RandomValues(Bits(), 3 * 40, 11));
    const auto before = Values(*store);
    ModulationParams params{WAVE_SQUARE, 1, 4, 5, 100};
    ModulationContext context(params, 44100, 31);
    ASSERT_TRUE(RunInPlace(*store, MaskPtr(), 5, 36, &TremoloRoutine, &context));
    ExpectBlockMapped(before, Values(*store), 3, MaskPtr(), 5, 36,
                      [](int64_t k, uint32_t, int32_t v) { return k % 4 < 2 ? v : 0; });
}

TEST_P(Tremolo, FollowsTheFormulaAndNeverAmplifies) {
    auto store = MakeStore(Bits(), 3, RandomValues(Bits(), 3 * 300, 12));
    const auto before = Values(*store);
    ModulationParams params{WAVE_SINE, 0, 0, 441, 80};
    ModulationContext context(params, 44100, 299);
    ASSERT_TRUE(RunInPlace(*store, MaskPtr(), 0, 299, &TremoloRoutine, &context));
    const uint32_t bits = Bits();
    ExpectBlockMapped(before, Values(*store), 3, MaskPtr(), 0, 299, [bits](int64_t k, uint32_t, int32_t v) {
        const int64_t m = Expected(WAVE_SINE, 80, double(k % 100) / 100.0);
        return ClampTo(v - (m * v) / 100, bits);
    });
    const auto after = Values(*store);
    for (std::size_t i = 0; i < after.size(); ++i) {
        ASSERT_LE(std::abs(after[i]), std::abs(before[i]));
        ASSERT_GE(std::abs(after[i]), std::abs(before[i]) * 20 / 100 - 1);
    }
}

TEST_P(Tremolo, PeriodZeroIsTheBlockLength) {
    // Period mode with period 0: one saw tooth over the block (last - first = 8 frames).
    auto store = MakeStore(Bits(), 3, std::vector<int32_t>(3 * 12, 100));
    const auto before = Values(*store);
    ModulationParams params{WAVE_SAWTOOTH, 1, 0, 5, 100};
    ModulationContext context(params, 44100, 8);
    ASSERT_TRUE(RunInPlace(*store, MaskPtr(), 2, 10, &TremoloRoutine, &context));
    // m = round(100 k / 8): 0, 13, 25, 38, 50, 63, 75, 88, 0 (the last frame is a whole period on).
    const std::array<int32_t, 9> m{0, 13, 25, 38, 50, 63, 75, 88, 0};
    ExpectBlockMapped(before, Values(*store), 3, MaskPtr(), 2, 10,
                      [&m](int64_t k, uint32_t, int32_t v) { return v - m[std::size_t(k)] * v / 100; });
}

INSTANTIATE_TEST_SUITE_P(Widths, Tremolo, ::testing::ValuesIn(kWidthsAndMasks), WidthAndMaskName);

/// Cross fade: masked runs use tracks 0 and 2 of three; unmasked runs use a two-track sound.
class CrossFade : public ::testing::TestWithParam<WidthAndMask> {
protected:
    uint32_t Bits() const { return GetParam().bits; }
    uint32_t Tracks() const { return GetParam().masked ? 3 : 2; }
    const uint32_t* MaskPtr() const { return GetParam().masked ? m_mask.data() : nullptr; }
    uint32_t TrackB() const { return GetParam().masked ? 2 : 1; }
    Mask m_mask = MaskOf({0, 2});
};

TEST_P(CrossFade, SawToothOverTheBlockSwapsGradually) {
    // The first preset: saw tooth, period = last - first, depth 100. A holds +v, B holds -v/2.
    const int32_t fs = FullScale(Bits());
    const int64_t first = 3;
    const int64_t last = 3 + 49; // last - first = 49, a period whose reciprocal is inexact
    std::vector<int32_t> values;
    for (uint32_t f = 0; f < 60; ++f) {
        const int32_t a = fs / 2 + int32_t(f);
        values.push_back(a);
        if (Tracks() == 3) {
            values.push_back(77);
        }
        values.push_back(-a / 2);
    }
    auto store = MakeStore(Bits(), Tracks(), values);
    const auto beforeA = TrackValues(*store, 0);
    const auto beforeB = TrackValues(*store, TrackB());
    ModulationParams params{WAVE_SAWTOOTH, 1, 0, 5, 100};
    ModulationContext context(params, 44100, last - first);
    ASSERT_TRUE(RunInPlace(*store, MaskPtr(), first, last, &CrossFadeRoutine, &context));
    const auto a = TrackValues(*store, 0);
    const auto b = TrackValues(*store, TrackB());
    for (int64_t f = 0; f < 60; ++f) {
        const auto i = std::size_t(f);
        int64_t m = 0;
        if (f >= first && f <= last) {
            m = Expected(WAVE_SAWTOOTH, 100, double((f - first) % 49) / 49.0);
        }
        EXPECT_EQ(a[i], (beforeB[i] * m + beforeA[i] * (100 - m)) / 100) << f;
        EXPECT_EQ(b[i], (beforeA[i] * m + beforeB[i] * (100 - m)) / 100) << f;
    }
    // The first frame is unchanged, the one before the last almost swapped, the last unchanged again.
    EXPECT_EQ(a[first], beforeA[first]);
    EXPECT_EQ(a[last], beforeA[last]);
    EXPECT_EQ(b[last], beforeB[last]);
    EXPECT_EQ(a[last - 1], (beforeB[last - 1] * 98 + beforeA[last - 1] * 2) / 100);
    if (Tracks() == 3) {
        EXPECT_EQ(TrackValues(*store, 1), std::vector<int32_t>(60, 77));
    }
}

TEST_P(CrossFade, FullSwapAndMean) {
    std::vector<int32_t> values;
    for (int f = 0; f < 4; ++f) {
        values.push_back(100);
        if (Tracks() == 3) {
            values.push_back(5);
        }
        values.push_back(-51);
    }
    // Square wave, period 2: frame 0 m = 0, frame 1 m = 100 (swap); then depth 50: m = 50 (mean).
    auto store = MakeStore(Bits(), Tracks(), values);
    ModulationParams swap{WAVE_SQUARE, 1, 2, 5, 100};
    ModulationContext context(swap, 44100, 3);
    ASSERT_TRUE(RunInPlace(*store, MaskPtr(), 0, 1, &CrossFadeRoutine, &context));
    ModulationParams mean{WAVE_SQUARE, 1, 2, 5, 50};
    ModulationContext meanContext(mean, 44100, 3);
    meanContext.frame = 1;
    ASSERT_TRUE(RunInPlace(*store, MaskPtr(), 2, 2, &CrossFadeRoutine, &meanContext));
    EXPECT_EQ(TrackValues(*store, 0), (std::vector<int32_t>{100, -51, 24, 100}));
    EXPECT_EQ(TrackValues(*store, TrackB()), (std::vector<int32_t>{-51, 100, 24, -51}));
}

INSTANTIATE_TEST_SUITE_P(Widths, CrossFade, ::testing::ValuesIn(kWidthsAndMasks), WidthAndMaskName);

} // namespace

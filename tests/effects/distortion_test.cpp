#include "effects/distortion_curve.h"
#include "effects/effect_params.h"
#include "effects_test_util.h"

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

int64_t Map16(uint8_t type, int32_t level, int32_t depth, int64_t x) {
    return CDistortionCurve::ForBits(type, 16, level, depth).Map(x);
}
int64_t Map8(uint8_t type, int32_t level, int32_t depth, int64_t x) {
    return CDistortionCurve::ForBits(type, 8, level, depth).Map(x);
}

TEST(DistortionCurve, QuantiseCutsToSteps) {
    // Level 0: steps of 327.68; 1000 -> 3 steps -> 983.04 -> 983.
    EXPECT_EQ(Map16(DIST_QUANTISE, 0, 100, 1000), 983);
    EXPECT_EQ(Map16(DIST_QUANTISE, 0, 100, -1000), -983);
    EXPECT_EQ(Map16(DIST_QUANTISE, 0, 100, 327), 0);
    EXPECT_EQ(Map16(DIST_QUANTISE, 0, 100, 328), 328); // 327.68 -> 328
    // 8 bits, level 0: steps of 1.28; 100 -> 78 steps -> 99.84 -> 100; 3 -> 2 steps -> 2.56 -> 3.
    EXPECT_EQ(Map8(DIST_QUANTISE, 0, 100, 100), 100);
    EXPECT_EQ(Map8(DIST_QUANTISE, 0, 100, 3), 3);
    EXPECT_EQ(Map8(DIST_QUANTISE, 0, 100, 1), 0);
    // Level 99: the step is full scale; everything below it becomes 0.
    EXPECT_EQ(Map16(DIST_QUANTISE, 99, 100, 32767), 0);
    EXPECT_EQ(Map16(DIST_QUANTISE, 99, 100, -32767), 0);
    EXPECT_EQ(Map16(DIST_QUANTISE, 99, 100, -32768), -32768);
    EXPECT_EQ(Map8(DIST_QUANTISE, 99, 100, 127), 0);
    EXPECT_EQ(Map8(DIST_QUANTISE, 99, 100, -128), -128);
}

TEST(DistortionCurve, QuantiseAtLevel100SilencesEverything) {
    // The step would be infinite: every magnitude lies below it.
    for (int64_t x : {-32768, -32767, -1, 0, 1, 16384, 32767}) {
        EXPECT_EQ(Map16(DIST_QUANTISE, 100, 100, x), 0) << x;
    }
    for (int64_t x : {-128, -1, 0, 1, 127}) {
        EXPECT_EQ(Map8(DIST_QUANTISE, 100, 100, x), 0) << x;
    }
}

TEST(DistortionCurve, DiodeThreshold) {
    // Level 0: the threshold is full scale, nothing changes.
    for (int64_t x : {-32768, -32767, -1, 0, 1, 20000, 32767}) {
        EXPECT_EQ(Map16(DIST_DIODE, 0, 100, x), x);
    }
    for (int64_t x : {-128, -1, 0, 1, 127}) {
        EXPECT_EQ(Map8(DIST_DIODE, 0, 100, x), x);
    }
    // Level 100: every non-zero sample becomes depth % of full scale with its sign; 0 stays 0.
    EXPECT_EQ(Map16(DIST_DIODE, 100, 50, 1), 16384);
    EXPECT_EQ(Map16(DIST_DIODE, 100, 50, -1), -16384);
    EXPECT_EQ(Map16(DIST_DIODE, 100, 50, 0), 0);
    EXPECT_EQ(Map8(DIST_DIODE, 100, 50, 127), 64);
    EXPECT_EQ(Map8(DIST_DIODE, 100, 50, -5), -64);
    // Level 50: above round(16384) only.
    EXPECT_EQ(Map16(DIST_DIODE, 50, 10, 16384), 16384);
    EXPECT_EQ(Map16(DIST_DIODE, 50, 10, 16385), 3277); // 3276.8 -> 3277
}

TEST(DistortionCurve, ValveIsConcaveThroughBothCorners) {
    // Values computed independently from the curve's definition (level 20, 50, 80).
    EXPECT_EQ(Map16(DIST_VALVE, 20, 100, 1000), 3576);
    EXPECT_EQ(Map16(DIST_VALVE, 20, 100, 16384), 26070);
    EXPECT_EQ(Map16(DIST_VALVE, 50, 100, -16384), -30060);
    EXPECT_EQ(Map16(DIST_VALVE, 80, 100, 1000), 16345);
    EXPECT_EQ(Map16(DIST_VALVE, 80, 100, 0), 0);
    EXPECT_EQ(Map16(DIST_VALVE, 50, 100, -32768), -32768);
    EXPECT_EQ(Map8(DIST_VALVE, 20, 100, 64), 102);
    EXPECT_EQ(Map8(DIST_VALVE, 50, 100, 1), 10);
    EXPECT_EQ(Map8(DIST_VALVE, 80, 100, -64), -124);
    const auto curve = CDistortionCurve::ForBits(DIST_VALVE, 16, 50, 100);
    for (int64_t x = 0; x < 32768; x += 97) {
        ASSERT_GE(curve.Map(x), x);
        ASSERT_LE(curve.Map(x), curve.Map(x + 97));
    }
}

TEST(DistortionCurve, InverseValveMirrorsTheValveThroughTheCentre) {
    EXPECT_EQ(Map16(DIST_INVERSE_VALVE, 20, 100, 0), 0);
    EXPECT_EQ(Map16(DIST_INVERSE_VALVE, 20, 100, 1000), 263);
    EXPECT_EQ(Map16(DIST_INVERSE_VALVE, 50, 100, -16384), -2708);
    EXPECT_EQ(Map16(DIST_INVERSE_VALVE, 80, 100, 32767), 32736);
    EXPECT_EQ(Map16(DIST_INVERSE_VALVE, 80, 100, -32768), -32768);
    EXPECT_EQ(Map8(DIST_INVERSE_VALVE, 20, 100, 64), 26);
    EXPECT_EQ(Map8(DIST_INVERSE_VALVE, 80, 100, 127), 102);
    const auto curve = CDistortionCurve::ForBits(DIST_INVERSE_VALVE, 16, 50, 100);
    for (int64_t x = 0; x <= 32768; x += 97) {
        ASSERT_LE(curve.Map(x), x); // silence stays silent, loud stays loud: convex below the diagonal
    }
}

TEST(DistortionCurve, SineAddsARipple) {
    // Level 0: a = 0, the identity.
    EXPECT_EQ(Map16(DIST_SINE, 0, 100, 12345), 12345);
    EXPECT_EQ(Map16(DIST_SINE, 50, 100, 1000), -3023);
    EXPECT_EQ(Map16(DIST_SINE, 50, 100, 10000), 20058);
    EXPECT_EQ(Map16(DIST_SINE, 50, 100, -10000), -20058);
    EXPECT_EQ(Map8(DIST_SINE, 50, 40, 50), 36);
    EXPECT_EQ(Map8(DIST_SINE, 50, 40, -100), -76);
}

class DistortRun : public ::testing::TestWithParam<WidthAndMask> {};

TEST_P(DistortRun, EveryEditedSampleThroughTheCurveClamped) {
    const uint32_t bits = GetParam().bits;
    const Mask mask = MaskOf({1});
    const uint32_t* maskPtr = GetParam().masked ? mask.data() : nullptr;
    for (uint8_t type = 0; type < 5; ++type) {
        auto store = MakeStore(bits, 2, RandomValues(bits, 2 * 400, 20 + type));
        const auto before = Values(*store);
        auto curve = CDistortionCurve::ForBits(type, bits, 60, 70);
        ASSERT_TRUE(RunInPlace(*store, maskPtr, 17, 380, &DistortRoutine, &curve));
        ExpectBlockMapped(before, Values(*store), 2, maskPtr, 17, 380,
                          [&](int64_t, uint32_t, int32_t v) { return ClampTo(curve.Map(v), bits); });
    }
}

TEST_P(DistortRun, WorkedQuantiseAndDiodeValuesOnTheEditedTrack) {
    const uint32_t bits = GetParam().bits;
    const Mask mask = MaskOf({1});
    const uint32_t* maskPtr = GetParam().masked ? mask.data() : nullptr;
    // frames of (track 0, track 1); track 0 holds 7 everywhere and changes only without a mask
    struct Case {
        uint8_t type;
        int32_t level;
        int32_t depth;
        std::vector<int32_t> in;
        std::vector<int32_t> out;
    };
    std::vector<Case> cases;
    if (bits == 16) {
        cases.push_back({DIST_QUANTISE, 0, 100, {1000, -1000, 327}, {983, -983, 0}});
        cases.push_back({DIST_DIODE, 100, 50, {1, -1, 0}, {16384, -16384, 0}});
        cases.push_back({DIST_DIODE, 0, 100, {32767, -32768, 5}, {32767, -32768, 5}});
    } else {
        cases.push_back({DIST_QUANTISE, 0, 100, {100, 3, 1}, {100, 3, 0}});
        cases.push_back({DIST_DIODE, 100, 50, {127, -5, 0}, {64, -64, 0}});
        cases.push_back({DIST_DIODE, 0, 100, {127, -128, 5}, {127, -128, 5}});
    }
    for (const Case& c : cases) {
        std::vector<int32_t> frames;
        for (int32_t v : c.in) {
            frames.insert(frames.end(), {7, v});
        }
        auto store = MakeStore(bits, 2, frames);
        auto curve = CDistortionCurve::ForBits(c.type, bits, c.level, c.depth);
        ASSERT_TRUE(RunInPlace(*store, maskPtr, 0, 2, &DistortRoutine, &curve));
        EXPECT_EQ(TrackValues(*store, 1), c.out) << int(c.type) << " level " << c.level;
        const int32_t other = maskPtr ? 7 : int32_t(curve.Map(7));
        EXPECT_EQ(TrackValues(*store, 0), std::vector<int32_t>(3, other));
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, DistortRun, ::testing::ValuesIn(kWidthsAndMasks), WidthAndMaskName);

} // namespace

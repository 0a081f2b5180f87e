#include "controls/meter_scale.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ondrix;

namespace {

/// The levels shown while a sequence of values arrives in peak mode, starting from silence.
std::vector<uint32_t> PeakRun(uint32_t first, int silentTicks) {
    std::vector<uint32_t> shown;
    uint32_t level = NextMeterLevel(0, first, true);
    shown.push_back(level);
    for (int i = 0; i < silentTicks; ++i) {
        level = NextMeterLevel(level, 0, true);
        shown.push_back(level);
    }
    return shown;
}

} // namespace

TEST(MeterScale, PeakModeRisesFastAndFallsByTwelve) {
    EXPECT_EQ(PeakRun(50, 7), (std::vector<uint32_t>{80, 68, 56, 44, 32, 20, 8, 0}));
    // 70 x 1.6 is past full scale; the fall then takes nine ticks to silence
    const std::vector<uint32_t> loud = PeakRun(70, 9);
    EXPECT_EQ(loud.front(), 100u);
    EXPECT_EQ(loud[8], 4u);
    EXPECT_EQ(loud.back(), 0u);
    // a value between silence and the shown level also lets the meter fall
    EXPECT_EQ(NextMeterLevel(80, 50, true), 68u);
    EXPECT_EQ(NextMeterLevel(68, 68, true), 68u);
}

TEST(MeterScale, WithoutPeakModeTheValueShowsUnchanged) {
    EXPECT_EQ(NextMeterLevel(0, 50, false), 50u);
    EXPECT_EQ(NextMeterLevel(90, 10, false), 10u);
    EXPECT_EQ(NextMeterLevel(90, 0, false), 0u);
}

TEST(MeterScale, A126PixelMeterHasTwentyOneSegmentsInStepsOfFive) {
    ASSERT_EQ(MeterSegmentCount(126), 21);
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(MeterSegmentValue(i, 21), uint32_t(5 * i)) << i;
    }
    EXPECT_EQ(MeterSegmentCount(131), 21); // rounded down to whole segments
    EXPECT_EQ(MeterSegmentGroup(65), MeterGroup::Green);
    EXPECT_EQ(MeterSegmentGroup(70), MeterGroup::Yellow);
    EXPECT_EQ(MeterSegmentGroup(85), MeterGroup::Yellow);
    EXPECT_EQ(MeterSegmentGroup(90), MeterGroup::Red);
}

// A fixed step of 600 / (length - 6) divided by zero at 6 pixels and became 0 past 606 pixels, where
// every segment stood for 0 and lit at any level.
TEST(MeterScale, EveryLengthSpreadsItsSegmentsFromZeroToFull) {
    EXPECT_EQ(MeterSegmentCount(6), 1);
    EXPECT_EQ(MeterSegmentValue(0, 1), 0u);
    EXPECT_EQ(MeterSegmentCount(5), 0);
    for (int length : {12, 60, 606, 612, 1200}) {
        const int count = MeterSegmentCount(length);
        EXPECT_EQ(MeterSegmentValue(0, count), 0u) << length;
        EXPECT_EQ(MeterSegmentValue(count - 1, count), 100u) << length;
        for (int i = 1; i < count; ++i) {
            EXPECT_GE(MeterSegmentValue(i, count), MeterSegmentValue(i - 1, count)) << length;
        }
    }
    // on a 1200-pixel meter a level of 1 lights only the first segment
    EXPECT_EQ(MeterSegmentValue(1, 200), 0u);
    EXPECT_EQ(MeterSegmentValue(2, 200), 1u);
}

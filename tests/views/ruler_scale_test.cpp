#include "views/core/ruler_scale.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace ondrix;

namespace {

constexpr uint8_t kMsf = 8;     // minutes:seconds.hundredths
constexpr uint8_t kSeconds = 4; // a format below minutes

std::vector<double> Labelled(const std::vector<RulerTick>& ticks) {
    std::vector<double> positions;
    for (const RulerTick& tick : ticks) {
        if (tick.labelled) {
            positions.push_back(tick.position);
        }
    }
    return positions;
}

TEST(RulerScaleTest, TenSecondsAt44100OverAThousandPixelsLabelEverySecond) {
    const LaneMapping m{0, 0, 441000, 1000}; // 100 pixels per second
    const RulerScale scale = ComputeRulerScale(m, 44100, 50, kMsf);
    EXPECT_DOUBLE_EQ(scale.labelStep, 44100);
    EXPECT_DOUBLE_EQ(scale.tickStep, 4410);
    const auto ticks = RulerTicks(m, scale, 0, 1000, 50);
    const std::vector<double> labels = Labelled(ticks);
    ASSERT_EQ(labels.size(), 11u); // 0 s .. 10 s
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_DOUBLE_EQ(labels[i], 44100.0 * double(i));
    }
    EXPECT_EQ(ticks[10].x, 100);
    EXPECT_EQ(ticks.front().x, 0);
}

TEST(RulerScaleTest, OneHourAt8000HzStepsBySixesInMinuteFormats) {
    const LaneMapping m{0, 0, 8000LL * 3600, 1000}; // 0.278 pixels per second
    // labels 50 pixels wide need 60 pixels between them: 5 minutes (83 pixels)
    EXPECT_DOUBLE_EQ(ComputeRulerScale(m, 8000, 50, kMsf).labelStep, 8000.0 * 300);
    // 90 pixels: 10 minutes; a seconds format went 100 s, 200 s, 500 s instead of 60 s, 120 s, 300 s
    EXPECT_DOUBLE_EQ(ComputeRulerScale(m, 8000, 80, kMsf).labelStep, 8000.0 * 600);
    EXPECT_DOUBLE_EQ(ComputeRulerScale(m, 8000, 80, kSeconds).labelStep, 8000.0 * 500);
    // 210 pixels: 20 minutes in minute formats (the sixes), 1000 s in the plain decades
    EXPECT_DOUBLE_EQ(ComputeRulerScale(m, 8000, 200, kMsf).labelStep, 8000.0 * 1200);
    EXPECT_DOUBLE_EQ(ComputeRulerScale(m, 8000, 200, kSeconds).labelStep, 8000.0 * 1000);
    // 410 pixels: 60 minutes
    EXPECT_DOUBLE_EQ(ComputeRulerScale(m, 8000, 400, kMsf).labelStep, 8000.0 * 3600);
    const RulerScale tenMinutes = ComputeRulerScale(m, 8000, 80, kMsf);
    const std::vector<double> labels = Labelled(RulerTicks(m, tenMinutes, 0, 1000, 80));
    ASSERT_EQ(labels.size(), 7u); // 0, 10, ..., 60 min
    EXPECT_DOUBLE_EQ(labels[1], 8000.0 * 600);
    EXPECT_DOUBLE_EQ(labels.back(), 8000.0 * 3600);
}

TEST(RulerScaleTest, FractionalStepsDoNotDrift) {
    // 4096 Hz: the first step is 409.6 frames; tick n lies at exactly n x 40.96
    const LaneMapping m{1, 0, 4096 * 100, 1000};
    const RulerScale scale = ComputeRulerScale(m, 4096, 30, kMsf);
    EXPECT_DOUBLE_EQ(scale.labelStep, 409.6);
    const auto ticks = RulerTicks(m, scale, 0, 1000, 30);
    ASSERT_GT(ticks.size(), 20u);
    EXPECT_DOUBLE_EQ(ticks[20].position, 819.2);
    EXPECT_TRUE(ticks[20].labelled);
    EXPECT_FALSE(ticks[21].labelled);
}

TEST(RulerScaleTest, AnEmptySoundHasNoTicksAndTheStepSearchEnds) {
    const LaneMapping empty{0, 0, 0, 800};
    const RulerScale scale = ComputeRulerScale(empty, 44100, 50, kMsf);
    EXPECT_EQ(scale.labelStep, 0);
    EXPECT_TRUE(RulerTicks(empty, scale, 0, 800, 50).empty());
    // a width of 0 maps every step to column 0: the search is bounded all the same
    const LaneMapping collapsed{0, 0, 441000, 0};
    const auto started = std::chrono::steady_clock::now();
    const RulerScale bounded = ComputeRulerScale(collapsed, 44100, 50, kMsf);
    EXPECT_GT(bounded.labelStep, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
}

} // namespace

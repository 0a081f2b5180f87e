#include "app/ui/editor_qt_support.h"
#include "controls/ui/level_meter.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

const QColor kGreenOn(0, 255, 0), kGreenOff(0, 128, 0);
const QColor kYellowOn(255, 255, 0), kYellowOff(128, 128, 0);
const QColor kRedOn(255, 0, 0), kRedOff(128, 0, 0);

class LevelMeterTest : public QtApplicationFirst, public ::testing::Test {
protected:
    LevelMeterTest() {
        meter.resize(126, 10);
        meter.show();
        ProcessPendingEvents();
    }

    /// The colour painted at the middle of a segment.
    QColor PaintedSegment(int index) {
        const QImage image = meter.grab().toImage();
        return image.pixelColor(index * 6 + 2, 5);
    }

    CLevelMeter meter;
};

} // namespace

TEST_F(LevelMeterTest, LevelEightyLightsSixteenSegmentsInTheirGroups) {
    meter.SetLevel(80, false);
    ASSERT_EQ(meter.SegmentCount(), 21);
    for (int i = 0; i < 21; ++i) {
        const bool lit = i <= 15;
        const QColor expected = i <= 13   ? (lit ? kGreenOn : kGreenOff)
                                : i <= 17 ? (lit ? kYellowOn : kYellowOff)
                                          : (lit ? kRedOn : kRedOff);
        EXPECT_EQ(meter.SegmentColor(i), expected) << i;
        EXPECT_EQ(PaintedSegment(i), expected) << i;
    }
    // the one-pixel gap after a segment is not painted
    EXPECT_NE(meter.grab().toImage().pixelColor(5, 5), kGreenOn);
}

TEST_F(LevelMeterTest, PeakModeTicksFallToSilence) {
    meter.SetLevel(50, true);
    EXPECT_EQ(meter.GetLevel(), 80u);
    meter.SetLevel(0, true);
    EXPECT_EQ(meter.GetLevel(), 68u);
    meter.SetLevel(0, false);
    EXPECT_EQ(meter.GetLevel(), 0u);
}

TEST_F(LevelMeterTest, VerticalMeterRunsBottomToTop) {
    meter.SetOrientation(false);
    meter.resize(10, 126);
    meter.SetLevel(10, false);
    const QImage image = meter.grab().toImage();
    EXPECT_EQ(image.pixelColor(5, 123), kGreenOn);  // segment 0 at the bottom
    EXPECT_EQ(image.pixelColor(5, 117), kGreenOn);  // segment 1 (value 5)
    EXPECT_EQ(image.pixelColor(5, 111), kGreenOff); // segment 2 (value 10) is not below the level
    EXPECT_EQ(image.pixelColor(5, 2), kRedOff);
}

TEST_F(LevelMeterTest, ClipLatchKeepsTheLastSegmentRedUntilClicked) {
    meter.SetClipped(true);
    meter.SetLevel(0, false);
    EXPECT_EQ(PaintedSegment(20), kRedOn);
    EXPECT_EQ(PaintedSegment(19), kRedOff);
    SendClick(&meter);
    EXPECT_FALSE(meter.IsClipped());
    EXPECT_EQ(PaintedSegment(20), kRedOff);
}

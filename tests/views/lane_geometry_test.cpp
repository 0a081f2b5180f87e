#include "views/core/lane_keys.h"
#include "views/core/lane_layout.h"
#include "views/core/lane_mapping.h"

#include <gtest/gtest.h>

using namespace ondrix;

namespace {

LaneMapping Fitted(int64_t frames, int width) {
    return {0, 0, frames, width};
}

TEST(LaneMappingTest, ZoomZeroFitsTheSoundAndRoundsHalvesAway) {
    const LaneMapping m = Fitted(1000, 800);
    EXPECT_EQ(m.PixelToFrame(1), 1);     // 1.25
    EXPECT_EQ(m.PixelToFrame(2), 3);     // 2.5 rounds away from zero
    EXPECT_EQ(m.PixelToFrame(799), 999); // 998.75
    EXPECT_EQ(m.PixelToFrame(-2), -3);
    EXPECT_EQ(m.FrameToPixel(int64_t(3)), 2); // 2.4
    EXPECT_EQ(m.FrameToPixel(int64_t(1000)), 800);
    EXPECT_EQ(m.FrameToPixel(625.0), 500);
}

TEST(LaneMappingTest, ZoomKCountsColumnsFromTheFirstFrame) {
    const LaneMapping m{4, 2000, 100000, 300};
    EXPECT_EQ(m.PixelToFrame(0), 2000);
    EXPECT_EQ(m.PixelToFrame(10), 2040);
    EXPECT_EQ(m.PixelToFrame(-1), 1996);
    EXPECT_EQ(m.FrameToPixel(int64_t(2043)), 10);
    // frames left of the window give negative columns (signed division truncates toward zero)
    EXPECT_EQ(m.FrameToPixel(int64_t(1990)), -2);
    EXPECT_EQ(m.FrameToPixel(int64_t(1999)), 0);
}

TEST(LaneMappingTest, AnEmptySoundOrAZeroWidthMapsToFrameZero) {
    EXPECT_EQ(Fitted(0, 800).PixelToFrame(400), 0);
    EXPECT_EQ(Fitted(0, 800).FrameToPixel(int64_t(10)), 0);
    EXPECT_EQ((LaneMapping{4, 0, 0, 800}).PixelToFrame(10), 0);
    // a collapsed lane: no division by its width
    EXPECT_EQ(Fitted(1000, 0).PixelToFrame(5), 0);
    EXPECT_EQ(Fitted(1000, 0).FrameToPixel(int64_t(500)), 0);
}

TEST(ScrollMathTest, ThumbAndColumnsFollowTheZoom) {
    // 100000 frames at zoom 4 are 25000 columns: column 500 puts the thumb at 655 (655.34)
    EXPECT_EQ(ColumnCount(100000, 4), 25000);
    EXPECT_EQ(ThumbOfColumn(500, 100000, 4), 655);
    EXPECT_EQ(ColumnOfThumb(655, 100000, 4), 500); // 499.74
    EXPECT_EQ(ColumnOfThumb(32767, 100000, 4), 25000);
    EXPECT_TRUE(IsScrollBarShown(300, 100000, 4));
    EXPECT_FALSE(IsScrollBarShown(300, 100000, 0));
    EXPECT_FALSE(IsScrollBarShown(25000, 100000, 4));
}

TEST(ScrollMathTest, FewerFramesThanTheZoomHideTheBarWithoutDividingByZero) {
    // 3 frames left at zoom 4: no column to scroll
    EXPECT_EQ(ColumnCount(3, 4), 0);
    EXPECT_FALSE(IsScrollBarShown(0, 3, 4));
    EXPECT_EQ(ThumbOfColumn(0, 3, 4), 0);
    EXPECT_EQ(ThumbOfColumn(7, 3, 4), 0);
    EXPECT_EQ(ColumnOfThumb(32767, 3, 4), 0);
}

TEST(LaneLayoutTest, ThreeLanesUnderTheRulerIn250Pixels) {
    const LaneLayout layout = LayOutLanes(250, 3, true);
    ASSERT_EQ(layout.lanes.size(), 3u);
    EXPECT_EQ(layout.lanes[0].top, 23);
    EXPECT_EQ(layout.lanes[0].bottom, 97);
    EXPECT_EQ(layout.lanes[1].top, 100);
    EXPECT_EQ(layout.lanes[1].bottom, 173);
    EXPECT_EQ(layout.lanes[2].top, 176);
    EXPECT_EQ(layout.lanes[2].bottom, 250);
    EXPECT_FALSE(layout.scrolls);
    EXPECT_EQ(layout.contentHeight, 250);
}

TEST(LaneLayoutTest, WithoutTheRulerTheLanesStartAtTheTop) {
    const LaneLayout layout = LayOutLanes(100, 2, false);
    ASSERT_EQ(layout.lanes.size(), 2u);
    EXPECT_EQ(layout.lanes[0].top, 0);
    EXPECT_EQ(layout.lanes[0].bottom, 49); // 48.5 rounds up
    EXPECT_EQ(layout.lanes[1].top, 52);
    EXPECT_EQ(layout.lanes[1].bottom, 100);
}

TEST(LaneLayoutTest, ThirtyTwoLanesInAHundredPixelsKeepTheirLeastHeightAndScroll) {
    const LaneLayout layout = LayOutLanes(100, 32, true);
    ASSERT_EQ(layout.lanes.size(), 32u);
    EXPECT_TRUE(layout.scrolls);
    for (const LaneSpan& span : layout.lanes) {
        EXPECT_EQ(span.bottom - span.top, kMinLaneHeight);
    }
    EXPECT_EQ(layout.lanes[1].top, layout.lanes[0].bottom + kLaneGap);
    EXPECT_EQ(layout.contentHeight, 23 + 32 * 24 + 31 * 3);
    EXPECT_TRUE(LayOutLanes(100, 0, true).lanes.empty());
}

TEST(LaneKeysTest, StepsAtZoomFour) {
    const LaneMapping m{4, 400, 100000, 300};
    EXPECT_EQ(CursorForKey(LaneKey::Right, m, 1000), 1004);
    EXPECT_EQ(CursorForKey(LaneKey::Left, m, 1000), 996);
    EXPECT_EQ(CursorForKey(LaneKey::PageUp, m, 1000), 1600); // 150 columns
    EXPECT_EQ(CursorForKey(LaneKey::PageDown, m, 1000), 400);
    EXPECT_EQ(CursorForKey(LaneKey::Home, m, 1000), 0);
    EXPECT_EQ(CursorForKey(LaneKey::End, m, 1000), 99999);
}

TEST(LaneKeysTest, RightAtZoomZeroDoesNotMoveWhenAColumnRoundsToNoFrame) {
    // 300 frames in 800 columns: one column is 0.375 frames
    const LaneMapping m = Fitted(300, 800);
    EXPECT_EQ(CursorForKey(LaneKey::Right, m, 10), 10);
    EXPECT_EQ(CursorForKey(LaneKey::PageUp, m, 10), 160);
    EXPECT_EQ(ClampToSound(-5, 300), 0);
    EXPECT_EQ(ClampToSound(400, 300), 299);
    EXPECT_EQ(ClampToSound(7, 0), 0);
}

} // namespace

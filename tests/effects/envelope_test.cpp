#include "effects/envelope.h"
#include "effects_test_util.h"

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace ondrix {
void PrintTo(const EnvelopePoint& p, std::ostream* os) {
    *os << "(" << p.position << ", " << p.volume << ")";
}
} // namespace ondrix

namespace {

using Points = std::vector<EnvelopePoint>;

TEST(EnvelopePoints, CompletionAddsTheMissingEnds) {
    Points empty;
    CompleteEnvelope(empty);
    EXPECT_EQ(empty, (Points{{0, 0}, {1024, 0}}));
    Points middle{{512, 100}};
    CompleteEnvelope(middle);
    EXPECT_EQ(middle, (Points{{0, 0}, {512, 100}, {1024, 0}}));
    Points whole{{0, 50}, {1024, 80}};
    CompleteEnvelope(whole);
    EXPECT_EQ(whole, (Points{{0, 50}, {1024, 80}}));
}

TEST(EnvelopePoints, StoredFormAndFramesRoundHalfAway) {
    // 512 / 1024 of 999 frames = 499.5 -> 500; 1 / 1024 of 999 = 0.976 -> 1; of 100 = 0.098 -> 0.
    EXPECT_EQ(EnvelopeToFrames({{512, 70}, {1, 5}, {1024, 0}}, 999), (Points{{500, 70}, {1, 5}, {999, 0}}));
    EXPECT_EQ(EnvelopeToFrames({{1, 5}}, 100), (Points{{0, 5}}));
    // 1 / 3 x 1024 = 341.33 -> 341; 2 / 3 x 1024 = 682.67 -> 683; 3 frames of 6 = 512 exactly.
    EXPECT_EQ(EnvelopeFromFrames({{1, 10}, {2, 20}, {3, 30}}, 3), (Points{{341, 10}, {683, 20}, {1024, 30}}));
    EXPECT_EQ(EnvelopeFromFrames({{3, 30}}, 6), (Points{{512, 30}}));
    // A block of one frame has length 0: every position is 0, no division by zero.
    EXPECT_EQ(EnvelopeFromFrames({{0, 40}}, 0), (Points{{0, 40}}));
}

TEST(EnvelopePoints, PreferenceShapes) {
    // A block of at least two seconds ramps over one second.
    EXPECT_EQ(EnvelopeShapePoints(EnvelopeShape::FadeInFadeOut, 100000, 44100),
              (Points{{44100, 100}, {55900, 100}}));
    EXPECT_EQ(EnvelopeShapePoints(EnvelopeShape::FadeIn, 88200, 44100), (Points{{44100, 100}, {88200, 100}}));
    // A shorter block ramps over a tenth of its length.
    EXPECT_EQ(EnvelopeShapePoints(EnvelopeShape::FadeOut, 50000, 44100), (Points{{0, 100}, {45000, 100}}));
    EXPECT_EQ(EnvelopeShapePoints(EnvelopeShape::FadeIn, 88199, 44100), (Points{{8819, 100}, {88199, 100}}));
}

TEST(EnvelopePoints, LevelInterpolatesWithTruncation) {
    const Points points{{0, 0}, {100, 100}, {1024, 0}};
    std::size_t hint = 0;
    EXPECT_EQ(EnvelopeLevelAt(points, 0, hint), 0);
    EXPECT_EQ(EnvelopeLevelAt(points, 50, hint), 50);
    EXPECT_EQ(EnvelopeLevelAt(points, 100, hint), 100); // a point exactly at x: no interpolation
    EXPECT_EQ(EnvelopeLevelAt(points, 101, hint), 100); // 100 + (-100 x 1) / 924 = 100 - 0
    EXPECT_EQ(EnvelopeLevelAt(points, 562, hint), 50);
    EXPECT_EQ(EnvelopeLevelAt(points, 1023, hint), 1); // 100 + (-100 x 923) / 924 = 100 - 99
    EXPECT_EQ(EnvelopeLevelAt(points, 1024, hint), 0);
    // Going back restarts the search.
    EXPECT_EQ(EnvelopeLevelAt(points, 25, hint), 25);
}

class EnvelopeRun : public ::testing::TestWithParam<WidthAndMask> {
protected:
    uint32_t Bits() const { return GetParam().bits; }
    const uint32_t* MaskPtr() const { return GetParam().masked ? m_mask.data() : nullptr; }
    Mask m_mask = MaskOf({1});
};

TEST_P(EnvelopeRun, NoPointsSilencesTheBlock) {
    auto store = MakeStore(Bits(), 2, RandomValues(Bits(), 2 * 50, 7));
    const auto before = Values(*store);
    EnvelopeContext context;
    CompleteEnvelope(context.points);
    ASSERT_TRUE(RunInPlace(*store, MaskPtr(), 10, 39, &EnvelopeRoutine, &context));
    ExpectBlockMapped(before, Values(*store), 2, MaskPtr(), 10, 39,
                      [](int64_t, uint32_t, int32_t) { return 0; });
}

TEST_P(EnvelopeRun, RampScalesFrameByFrame) {
    // N = 4: x = 0, 256, 512, 768; the ramp 0 -> 100 gives levels 0, 25, 50, 75; EnvLevel 100.
    std::vector<int32_t> values{100, -100, 100, -100, 100, -100, 100, -100, -3, -3, -3, -3};
    auto store = MakeStore(Bits(), 2, values);
    const auto before = Values(*store);
    EnvelopeContext context;
    context.points = {{0, 0}, {1024, 100}};
    ASSERT_TRUE(RunInPlace(*store, MaskPtr(), 0, 3, &EnvelopeRoutine, &context));
    EXPECT_EQ(context.counter, 4u);
    ExpectBlockMapped(before, Values(*store), 2, MaskPtr(), 0, 3,
                      [](int64_t k, uint32_t, int32_t v) { return v * int32_t(25 * k) / 100; });
    // The level scales the curve: 50 % of a flat 100 % curve halves, truncating toward zero.
    auto tail = MakeStore(Bits(), 2, values);
    const auto tailBefore = Values(*tail);
    EnvelopeContext half;
    half.points = {{0, 100}, {1024, 100}};
    half.level = 50;
    ASSERT_TRUE(RunInPlace(*tail, MaskPtr(), 4, 5, &EnvelopeRoutine, &half));
    ExpectBlockMapped(tailBefore, Values(*tail), 2, MaskPtr(), 4, 5,
                      [](int64_t, uint32_t, int32_t v) { return v * 50 / 100; });
}

INSTANTIATE_TEST_SUITE_P(Widths, EnvelopeRun, ::testing::ValuesIn(kWidthsAndMasks), WidthAndMaskName);

} // namespace

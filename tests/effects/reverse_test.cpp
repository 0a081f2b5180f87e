#include "effects/reverse_routines.h"
#include "effects_test_util.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ondrix;
using namespace ondrix::test;

namespace {

class InvertReverse : public ::testing::TestWithParam<WidthAndMask> {
protected:
    uint32_t Bits() const { return GetParam().bits; }
    const uint32_t* MaskPtr() const { return GetParam().masked ? m_mask.data() : nullptr; }

    /// One reverse run over first..last, as the effect runner makes it.
    bool Reverse(CSampleStore& store, int64_t first, int64_t last) {
        ReverseContext context;
        context.store = &store;
        context.tail = uint32_t((last + 1) * store.GetBlockAlign());
        return RunInPlace(store, MaskPtr(), first, ReverseRunEnd(first, last), &ReverseRoutine, &context);
    }

    /// Checks the samples of first..last on the edited tracks are mirrored and everything else is kept.
    void ExpectReversed(const std::vector<int32_t>& before, const std::vector<int32_t>& after,
                        uint32_t tracks, int64_t first, int64_t last) {
        ExpectBlockMapped(before, after, tracks, MaskPtr(), first, last,
                          [&](int64_t k, uint32_t track, int32_t) {
                              return before[std::size_t(last - k) * tracks + track];
                          });
    }

    Mask m_mask = MaskOf({0, 2});
};

TEST_P(InvertReverse, InvertNegatesAndTwiceRestores) {
    const int32_t fs = FullScale(Bits());
    std::vector<int32_t> values{0, 1, -1, fs - 1, -fs, 5, -7, 100 % fs, -(100 % fs)};
    auto store = MakeStore(Bits(), 3, values);
    const auto before = Values(*store);
    ASSERT_TRUE(RunInPlace(*store, MaskPtr(), 0, 2, &InvertRoutine, nullptr));
    // The most negative value has no positive counterpart and stays.
    ExpectBlockMapped(before, Values(*store), 3, MaskPtr(), 0, 2,
                      [fs](int64_t, uint32_t, int32_t v) { return v == -fs ? v : -v; });
    ASSERT_TRUE(RunInPlace(*store, MaskPtr(), 0, 2, &InvertRoutine, nullptr));
    EXPECT_EQ(Values(*store), before);
}

TEST_P(InvertReverse, ReverseOfTwoAndThreeFrames) {
    auto store = MakeStore(Bits(), 3, RandomValues(Bits(), 3 * 10, 31));
    const auto before = Values(*store);
    ASSERT_TRUE(Reverse(*store, 4, 5));
    ExpectReversed(before, Values(*store), 3, 4, 5);
    auto odd = MakeStore(Bits(), 3, RandomValues(Bits(), 3 * 10, 32));
    const auto oddBefore = Values(*odd);
    ASSERT_TRUE(Reverse(*odd, 2, 4));
    ExpectReversed(oddBefore, Values(*odd), 3, 2, 4);
    EXPECT_EQ(TrackValues(*odd, 0)[3], oddBefore[3 * 3]); // the middle frame stays
    // A single frame is its own reverse.
    ASSERT_TRUE(Reverse(*odd, 7, 7));
    ExpectReversed(oddBefore, Values(*odd), 3, 2, 4);
}

TEST_P(InvertReverse, ReverseOverManyPiecesOffBoundaries) {
    // Three tracks of 16 bits: a piece is 10922 frames. Blocks of odd and even length, not aligned.
    const uint32_t frames = 70001;
    for (const auto& [first, last] : {std::pair<int64_t, int64_t>{123, 60000}, {5, 70000}, {0, 43690}}) {
        auto store = MakeStore(Bits(), 3, RandomValues(Bits(), 3 * frames, uint32_t(first + last)));
        const auto before = Values(*store);
        ASSERT_TRUE(Reverse(*store, first, last));
        ExpectReversed(before, Values(*store), 3, first, last);
    }
}

TEST_P(InvertReverse, ReverseOfAFileStoreAndTwiceRestores) {
    TempDir dir;
    auto store = MakeStore(Bits(), 3, RandomValues(Bits(), 3 * 30000, 33), 44100, dir.Path());
    const auto before = Values(*store);
    ASSERT_TRUE(Reverse(*store, 77, 29999));
    ExpectReversed(before, Values(*store), 3, 77, 29999);
    ASSERT_TRUE(Reverse(*store, 77, 29999));
    EXPECT_EQ(Values(*store), before);
}

INSTANTIATE_TEST_SUITE_P(Widths, InvertReverse, ::testing::ValuesIn(kWidthsAndMasks), WidthAndMaskName);

TEST(Invert, BytesAsStored) {
    // (256 - byte) mod 256: 0x80 and 0x00 stay, 0xFF -> 0x01, 0x01 -> 0xFF.
    auto store = MakeStore(8, 1, {0x80 - 128, 0x00 - 128, 0xFF - 128, 0x01 - 128, 0x90 - 128});
    ASSERT_TRUE(RunInPlace(*store, nullptr, 0, 4, &InvertRoutine, nullptr));
    std::vector<uint8_t> bytes(5);
    ASSERT_EQ(store->ReadData(0, bytes.data(), 5), 5u);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0x80, 0x00, 0x01, 0xFF, 0x70}));
}

TEST(Reverse, AFailedTailReadEndsTheRunSilently) {
    FakeMessageService messages;
    auto store = MakeStore(16, 1, RandomValues(16, 100, 34));
    CSampleStore empty;
    ReverseContext context;
    context.store = &empty; // nothing to read: the routine ends the run as an abort
    context.tail = 100 * 2;
    EXPECT_FALSE(RunInPlace(*store, nullptr, 0, ReverseRunEnd(0, 99), &ReverseRoutine, &context));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(Reverse, EveryFrameSizeOverSeveralPieces) {
    // Frames of 1 to 8 bytes (and 64), all tracks: the whole-frame swaps of every size.
    for (uint32_t bits : {8u, 16u}) {
        for (uint32_t tracks : {1u, 2u, 4u, 5u, 32u}) {
            const uint32_t frames = 3 * 65536 / (tracks * bits / 8) + 77;
            auto store =
                MakeStore(bits, tracks, RandomValues(bits, std::size_t(tracks) * frames, tracks + bits));
            const auto before = Values(*store);
            ReverseContext context;
            context.store = store.get();
            const int64_t first = 3;
            const int64_t last = frames - 2;
            context.tail = uint32_t((last + 1) * store->GetBlockAlign());
            ASSERT_TRUE(
                RunInPlace(*store, nullptr, first, ReverseRunEnd(first, last), &ReverseRoutine, &context));
            const auto after = Values(*store);
            for (int64_t f = 0; f < int64_t(frames); ++f) {
                const int64_t from = f >= first && f <= last ? last - (f - first) : f;
                for (uint32_t t = 0; t < tracks; ++t) {
                    ASSERT_EQ(after[std::size_t(f) * tracks + t], before[std::size_t(from) * tracks + t])
                        << bits << " bits, " << tracks << " tracks, frame " << f;
                }
            }
        }
    }
}

TEST(Reverse, MiddleFrame) {
    EXPECT_EQ(ReverseRunEnd(10, 11), 10);
    EXPECT_EQ(ReverseRunEnd(10, 12), 11);
    EXPECT_EQ(ReverseRunEnd(10, 10), 10);
}

} // namespace

#include "process/block_driver.h"
#include "base/progress.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace ondrix;
using namespace ondrix::test;

namespace {

int16_t Sample16(const uint8_t* p) {
    return int16_t(uint16_t(p[0] | (p[1] << 8)));
}
void Put16(uint8_t* p, int v) {
    p[0] = uint8_t(v & 0xFF);
    p[1] = uint8_t((v >> 8) & 0xFF);
}

/// Counts calls and bytes; a read-only observer.
struct Counter {
    int calls = 0;
    uint64_t inputBytes = 0;
    uint64_t outputBytes = 0;
    int abortAfter = -1;
};
uint32_t CountRoutine(PieceBlock* p) {
    auto* c = static_cast<Counter*>(p->context);
    ++c->calls;
    c->inputBytes += p->inputCount;
    c->outputBytes += p->outputCount;
    return c->abortAfter < 0 || c->calls <= c->abortAfter ? 1 : 0;
}

/// Doubles every edited 16-bit sample in place.
uint32_t DoubleRoutine(PieceBlock* p) {
    for (uint32_t i = 0; i < p->inputCount; i += 2) {
        const uint32_t track = (i % p->blockAlign) / 2;
        if (p->IsEdited(track)) {
            Put16(p->input + i, Sample16(p->input + i) * 2);
        }
    }
    return 1;
}

/// Length changes: writes -1 into every edited sample of the output (insertion, overwrite).
uint32_t MarkRoutine(PieceBlock* p) {
    for (uint32_t i = 0; i < p->outputCount; i += 2) {
        if (p->IsEdited((i % p->blockAlign) / 2)) {
            Put16(p->output + i, -1);
        }
    }
    return 1;
}

/// Mixing: output = input + 1 on edited tracks.
uint32_t MixRoutine(PieceBlock* p) {
    for (uint32_t i = 0; i < p->outputCount; i += 2) {
        if (p->IsEdited((i % p->blockAlign) / 2)) {
            Put16(p->output + i, Sample16(p->input + i) + 1);
        }
    }
    return 1;
}

uint32_t NothingRoutine(PieceBlock*) {
    return 1;
}

/// The tempo functions' resampling: nearest preceding frame under integer stepping, per piece.
uint32_t ResampleRoutine(PieceBlock* p) {
    const uint32_t ba = p->blockAlign;
    int64_t acc = int64_t(p->denominator) - int64_t(p->numerator);
    acc = acc < 0 ? -acc : acc;
    uint32_t read = 0;
    const uint32_t inFrames = p->inputCount / ba;
    for (uint32_t out = 0; out < p->outputCount / ba; ++out) {
        const uint32_t from = std::min(read, inFrames - 1);
        for (uint32_t t = 0; t < p->tracks; ++t) {
            if (p->IsEdited(t)) {
                std::memcpy(p->output + out * ba + t * 2, p->input + from * ba + t * 2, 2);
            }
        }
        acc -= p->denominator;
        while (acc < 0) {
            acc += p->numerator;
            ++read;
        }
    }
    return 1;
}

std::vector<int16_t> Range(int first, int last, int step = 10, int offset = 0) {
    std::vector<int16_t> v;
    for (int f = first; f <= last; ++f) {
        v.push_back(int16_t(f * step + offset));
    }
    return v;
}

std::vector<int16_t> Concat(std::vector<int16_t> a, const std::vector<int16_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class BlockDriverTest : public ::testing::Test {
protected:
    void MakeStore(uint32_t tracks, uint32_t frames, StorageMode mode = STORE_TEMPFILE) {
        ASSERT_TRUE(store.Create(mode, dir.Path(), 16, tracks, 8000, true));
        FillRamp16(store, frames);
    }
    TempDir dir;
    CSampleStore store;
    uint32_t track1Only[32] = {0, 1};
};

} // namespace

TEST_F(BlockDriverTest, RefusesWhatItCannotRun) {
    CSampleStore empty;
    EXPECT_FALSE(empty.Process(nullptr, -1, 0, false, 0, 0, false, NothingRoutine, 0, nullptr));
    MakeStore(1, 10);
    EXPECT_FALSE(store.Process(nullptr, -1, 0, false, 0, 0, false, nullptr, 0, nullptr));
    EXPECT_FALSE(store.Process(nullptr, 5, 3, false, 0, 0, false, NothingRoutine, 0,
                               nullptr)); // ends before it starts
    CSampleStore nothing;
    ASSERT_TRUE(nothing.Create(STORE_MEMORY, "", 8, 1, 8000, false));
    Counter c;
    EXPECT_TRUE(nothing.Process(nullptr, -1, 0, false, 0, 0, false, CountRoutine, 0, &c));
    EXPECT_EQ(c.calls, 0);
}

TEST_F(BlockDriverTest, ReadOnlyEmptyStretchCallsNothing) {
    MakeStore(2, 100);
    Counter c;
    EXPECT_TRUE(store.Process(nullptr, 10, 9, false, 0, 0, false, CountRoutine, 0, &c));
    EXPECT_EQ(c.calls, 0);
}

TEST_F(BlockDriverTest, ReadOnlyRunVisitsWholeDataInPiecesOf64KiB) {
    MakeStore(3, 30000); // 180000 bytes; pieces of 65532 bytes
    Counter c;
    EXPECT_TRUE(store.Process(nullptr, -1, 0, false, 0, 0, false, CountRoutine, 0, &c));
    EXPECT_EQ(c.calls, 3);
    EXPECT_EQ(c.inputBytes, 180000u);
    EXPECT_EQ(c.outputBytes, 0u);
}

TEST_F(BlockDriverTest, InPlaceRunChangesOnlyTheStretchAndMaskedTracks) {
    MakeStore(2, 100);
    ASSERT_TRUE(store.Process(track1Only, 10, 19, true, 1, 1, false, DoubleRoutine, 0, nullptr));
    EXPECT_EQ(store.GetDataSize(), 400u);
    EXPECT_EQ(Track16(store, 0), Range(0, 99));
    EXPECT_EQ(Track16(store, 1),
              Concat(Concat(Range(0, 9, 10, 1), Range(10, 19, 20, 2)), Range(20, 99, 10, 1)));
}

TEST_F(BlockDriverTest, InPlaceRunRefusedForInPlaceStore) {
    // Simulated by a store whose storage is STORE_INPLACE is covered with the WAVE loader; a last frame past
    // the data end is cut to it.
    MakeStore(1, 50);
    ASSERT_TRUE(store.Process(nullptr, 40, 1000, true, 1, 1, false, DoubleRoutine, 0, nullptr));
    EXPECT_EQ(Track16(store, 0), Concat(Range(0, 39), Range(40, 49, 20)));
}

TEST_F(BlockDriverTest, DeletionOnAllTracksShortensTheStore) {
    MakeStore(2, 100);
    ASSERT_TRUE(store.Process(nullptr, 10, 19, true, 0, 1, false, NothingRoutine, 0, nullptr));
    EXPECT_EQ(store.GetDataSize(), 90u * 4);
    EXPECT_EQ(Track16(store, 0), Concat(Range(0, 9), Range(20, 99)));
    EXPECT_EQ(Track16(store, 1), Concat(Range(0, 9, 10, 1), Range(20, 99, 10, 1)));
}

TEST_F(BlockDriverTest, DeletionOnOneTrackKeepsLengthAndEndsInSilence) {
    MakeStore(2, 100);
    ASSERT_TRUE(store.Process(track1Only, 10, 19, true, 0, 1, false, NothingRoutine, 0, nullptr));
    EXPECT_EQ(store.GetDataSize(), 400u);
    EXPECT_EQ(Track16(store, 0), Range(0, 99));
    EXPECT_EQ(Track16(store, 1),
              Concat(Concat(Range(0, 9, 10, 1), Range(20, 99, 10, 1)), std::vector<int16_t>(10, 0)));
}

TEST_F(BlockDriverTest, InsertionOnAllAndOnOneTrack) {
    MakeStore(2, 100);
    ASSERT_TRUE(store.Process(nullptr, 10, -1, true, 50 * 4, 0, true, MarkRoutine, 0, nullptr));
    EXPECT_EQ(store.GetDataSize(), 150u * 4);
    EXPECT_EQ(Track16(store, 0), Concat(Concat(Range(0, 9), std::vector<int16_t>(50, -1)), Range(10, 99)));

    CSampleStore other;
    ASSERT_TRUE(other.Create(STORE_MEMORY, "", 16, 2, 8000, true));
    FillRamp16(other, 100);
    ASSERT_TRUE(other.Process(track1Only, 10, -1, true, 50 * 4, 0, true, MarkRoutine, 0, nullptr));
    EXPECT_EQ(other.GetDataSize(), 150u * 4);
    EXPECT_EQ(Track16(other, 0), Concat(Range(0, 99), std::vector<int16_t>(50, 0)));
    EXPECT_EQ(Track16(other, 1),
              Concat(Concat(Range(0, 9, 10, 1), std::vector<int16_t>(50, -1)), Range(10, 99, 10, 1)));
}

TEST_F(BlockDriverTest, OverwriteAndMixNearTheEndGrowTheStore) {
    MakeStore(2, 100);
    ASSERT_TRUE(store.Process(nullptr, 90, -1, true, 50 * 4, 0, false, MarkRoutine, 0, nullptr));
    EXPECT_EQ(store.GetDataSize(), 140u * 4);
    EXPECT_EQ(Track16(store, 0), Concat(Range(0, 89), std::vector<int16_t>(50, -1)));

    CSampleStore mixed;
    ASSERT_TRUE(mixed.Create(STORE_MEMORY, "", 16, 2, 8000, true));
    FillRamp16(mixed, 100);
    ASSERT_TRUE(mixed.Process(nullptr, 90, -1, true, 50 * 4, 0, false, MixRoutine, 0, nullptr));
    EXPECT_EQ(mixed.GetDataSize(), 140u * 4);
    // Frames 90..99 mix with the old data, the rest with silence.
    EXPECT_EQ(Track16(mixed, 0),
              Concat(Concat(Range(0, 89), Range(90, 99, 10, 1)), std::vector<int16_t>(40, 1)));
}

TEST_F(BlockDriverTest, OverwriteInsideKeepsLengthWithAndWithoutMask) {
    MakeStore(2, 100);
    ASSERT_TRUE(store.Process(nullptr, 10, -1, true, 50 * 4, 0, false, MarkRoutine, 0, nullptr));
    EXPECT_EQ(store.GetDataSize(), 400u);
    EXPECT_EQ(Track16(store, 1),
              Concat(Concat(Range(0, 9, 10, 1), std::vector<int16_t>(50, -1)), Range(60, 99, 10, 1)));

    CSampleStore masked;
    ASSERT_TRUE(masked.Create(STORE_TEMPFILE, dir.Path(), 16, 2, 8000, true));
    FillRamp16(masked, 100);
    ASSERT_TRUE(masked.Process(track1Only, 10, -1, true, 50 * 4, 0, false, MarkRoutine, 0, nullptr));
    EXPECT_EQ(masked.GetDataSize(), 400u);
    EXPECT_EQ(Track16(masked, 0), Range(0, 99));
    EXPECT_EQ(Track16(masked, 1),
              Concat(Concat(Range(0, 9, 10, 1), std::vector<int16_t>(50, -1)), Range(60, 99, 10, 1)));
}

TEST_F(BlockDriverTest, AllSetMaskIsTreatedAsNoMask) {
    MakeStore(2, 100);
    uint32_t both[32] = {1, 1};
    ASSERT_TRUE(store.Process(both, 10, 19, true, 0, 1, false, NothingRoutine, 0, nullptr));
    EXPECT_EQ(store.GetDataSize(), 90u * 4);
}

TEST_F(BlockDriverTest, RatioOverBlockKeepsTheDataAfterTheBlock) {
    MakeStore(1, 100);
    // Stretch frames 10..19 to twice their length: every frame repeated twice.
    ASSERT_TRUE(store.Process(nullptr, 10, 19, true, 2, 1, false, ResampleRoutine, 0, nullptr));
    std::vector<int16_t> doubled;
    for (int f = 10; f <= 19; ++f) {
        doubled.push_back(int16_t(f * 10));
        doubled.push_back(int16_t(f * 10));
    }
    EXPECT_EQ(store.GetDataSize(), 110u * 2);
    EXPECT_EQ(Track16(store, 0), Concat(Concat(Range(0, 9), doubled), Range(20, 99)));
}

TEST_F(BlockDriverTest, RatioOverWholeDataAndGranularity) {
    MakeStore(2, 1000);
    // Halving: 4000 bytes x 1 / 2 = 2000 bytes.
    ASSERT_TRUE(store.Process(nullptr, -1, 0, true, 1, 2, false, ResampleRoutine, 0, nullptr));
    EXPECT_EQ(store.GetDataSize(), 2000u);
    // A track count change: 2 tracks to 3 tracks is 3:2 with the granularity of the new block align.
    CSampleStore three;
    ASSERT_TRUE(three.Create(STORE_MEMORY, "", 8, 2, 8000, true));
    FillRamp8(three, 33333); // 66666 bytes: two pieces
    Counter c;
    ASSERT_TRUE(three.Process(nullptr, -1, 0, true, 3, 2, false, CountRoutine, 3, &c));
    EXPECT_EQ(three.GetDataSize(), 33333u * 3);
    EXPECT_EQ(c.outputBytes, 33333u * 3);
}

TEST_F(BlockDriverTest, MaskedRatioCarriesOtherTracksAtTheirPositions) {
    MakeStore(2, 100);
    ASSERT_TRUE(store.Process(track1Only, 10, 19, true, 2, 1, false, ResampleRoutine, 0, nullptr));
    EXPECT_EQ(store.GetDataSize(), 110u * 4);
    EXPECT_EQ(Track16(store, 0), Concat(Range(0, 99), std::vector<int16_t>(10, 0)));
    std::vector<int16_t> doubled;
    for (int f = 10; f <= 19; ++f) {
        doubled.insert(doubled.end(), 2, int16_t(f * 10 + 1));
    }
    EXPECT_EQ(Track16(store, 1), Concat(Concat(Range(0, 9, 10, 1), doubled), Range(20, 99, 10, 1)));
}

TEST_F(BlockDriverTest, HugeRatioStaysWithinTheOutputBound) {
    CSampleStore small;
    ASSERT_TRUE(small.Create(STORE_TEMPFILE, dir.Path(), 8, 1, 8000, false));
    const uint8_t frames[3] = {10, 20, 30};
    ASSERT_TRUE(small.AppendData(frames, 3));
    // Stretch 3 frames to 60 million: one input frame yields 20 million output bytes, more than the bound.
    Counter c;
    ASSERT_TRUE(small.Process(nullptr, -1, 0, true, 60000000, 3, false, CountRoutine, 0, &c));
    EXPECT_EQ(small.GetDataSize(), 60000000u);
    EXPECT_EQ(c.outputBytes, 60000000u);
    EXPECT_GE(c.calls, 4);
}

TEST_F(BlockDriverTest, HugeRatioRepeatsTheFrameAcrossOutputPieces) {
    CSampleStore small;
    ASSERT_TRUE(small.Create(STORE_TEMPFILE, dir.Path(), 16, 1, 8000, false));
    const int16_t frames[2] = {111, 222};
    ASSERT_TRUE(small.AppendData(frames, 4));
    const uint32_t outFrames = 20000000; // 40 MB of output
    ASSERT_TRUE(small.Process(nullptr, -1, 0, true, outFrames, 2, false, ResampleRoutine, 0, nullptr));
    ASSERT_EQ(small.GetDataSize(), outFrames * 2);
    int16_t v = 0;
    small.ReadData(0, &v, 2);
    EXPECT_EQ(v, 111);
    small.ReadData(outFrames - 2, &v, 2); // the middle of the first frame's repeats, in a later piece
    EXPECT_EQ(v, 111);
    small.ReadData(outFrames * 2 - 2, &v, 2);
    EXPECT_EQ(v, 222);
}

TEST_F(BlockDriverTest, GrowingPastFourGigabytesIsRefusedUpFront) {
    FakeMessageService messages;
    MakeStore(1, 100);
    ASSERT_FALSE(store.Process(nullptr, -1, 0, true, 0xFFFFFFFFu, 1, false, NothingRoutine, 0, nullptr));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, 32002u);
    EXPECT_EQ(store.GetDataSize(), 200u);
    EXPECT_EQ(dir.Files().size(), 1u);
}

TEST_F(BlockDriverTest, RoutineAbortKeepsOldDataAndRemovesReplacement) {
    FakeMessageService messages;
    MakeStore(2, 40000); // several pieces
    const std::string oldName = store.GetTempFileName();
    Counter c;
    c.abortAfter = 1;
    EXPECT_FALSE(store.Process(nullptr, 10, 30009, true, 0, 1, false, CountRoutine, 0, &c)); // two pieces
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(store.GetDataSize(), 160000u);
    EXPECT_EQ(store.GetTempFileName(), oldName);
    EXPECT_EQ(dir.Files().size(), 1u);
    EXPECT_EQ(Track16(store, 0), Range(0, 39999));
}

TEST_F(BlockDriverTest, InPlaceAbortKeepsPiecesAlreadyWritten) {
    MakeStore(1, 70000); // 140000 bytes: three pieces
    struct State {
        int calls = 0;
    } state;
    auto routine = [](PieceBlock* p) -> uint32_t {
        auto* s = static_cast<State*>(p->context);
        if (++s->calls == 2) {
            return 0;
        }
        return DoubleRoutine(p);
    };
    EXPECT_FALSE(store.Process(nullptr, -1, 0, true, 1, 1, false, routine, 0, &state));
    const auto track = Track16(store, 0);
    EXPECT_EQ(track[100], int16_t(2000));
    EXPECT_EQ(track[40000], int16_t(uint16_t(400000)));
}

TEST_F(BlockDriverTest, ProgressIsShownAndAbortQuestionHonoursOnlyYes) {
    FakeMessageService messages;
    CHeadlessProgress progress;
    RegisterProgressDisplay(kStatusBarWindowId, &progress);
    MakeStore(1, 400000); // 800000 bytes: 13 pieces, a new percentage every piece
    store.m_progressWindowId = kStatusBarWindowId;
    store.m_progressTextId = 1103;

    messages.answers = {MsgAnswer::No};
    progress.RequestAbort();
    EXPECT_TRUE(store.Process(nullptr, -1, 0, true, 1, 1, false, DoubleRoutine, 0, nullptr));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, 31901u);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_FALSE(progress.IsActive());

    messages.answers = {MsgAnswer::Yes};
    progress.RequestAbort();
    EXPECT_FALSE(store.Process(nullptr, 0, 399999, true, 0, 1, false, NothingRoutine, 0, nullptr));
    EXPECT_EQ(messages.shown.size(), 2u); // the question, and no error message after it
    EXPECT_EQ(store.GetDataSize(), 800000u);
    EXPECT_EQ(dir.Files().size(), 1u);
    EXPECT_TRUE(progress.IsAbortRequested()); // stays set until the next BeginProgress
    RegisterProgressDisplay(kStatusBarWindowId, nullptr);
}

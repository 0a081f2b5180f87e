#include "base/progress.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/sound_model.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// The sample conversions, written out independently of the code under test.
int To8(int s16) {
    return s16 / 256 + 128;
}
int To16(int u8) {
    return (u8 - 128) * 256;
}

SoundModel ConvertedBits(const SoundModel& in, uint32_t bits) {
    SoundModel out{bits, in.tracks, in.frames};
    for (auto& frame : out.frames) {
        for (int& s : frame) {
            s = bits == 8 ? To8(s) : To16(s);
        }
    }
    return out;
}

/// Rate conversion by the accumulator, which runs on across the driver's 64 KiB pieces while the read
/// frame restarts in each piece; a piece whose input runs out repeats its last frame.
SoundModel Resampled(const SoundModel& in, uint32_t oldRate, uint32_t newRate) {
    const uint32_t align = in.tracks * in.bits / 8;
    const uint32_t pieceFrames = 65536 / align;
    SoundModel out{in.bits, in.tracks, {}};
    int64_t acc = std::llabs(int64_t(oldRate) - int64_t(newRate));
    for (std::size_t start = 0; start < in.frames.size(); start += pieceFrames) {
        const uint32_t inFrames = uint32_t(std::min<std::size_t>(pieceFrames, in.frames.size() - start));
        const uint64_t outFrames = uint64_t(inFrames) * align * newRate / oldRate / align;
        uint32_t read = 0;
        for (uint64_t o = 0; o < outFrames; ++o) {
            out.frames.push_back(in.frames[start + std::min(read, inFrames - 1)]);
            if (read < inFrames) {
                acc -= oldRate;
                while (acc < 0) {
                    acc += newRate;
                    ++read;
                }
            }
        }
    }
    return out;
}

class FormatTest : public ::testing::TestWithParam<uint32_t> {
protected:
    TempDir dir;
};

} // namespace

TEST(ConvertBits, BoundaryValues) {
    SoundModel sixteen{16, 1, {{-1}, {-256}, {-255}, {32767}, {-32768}, {255}, {256}}};
    CSampleStore store;
    sixteen.ToStore(store);
    ASSERT_TRUE(store.ConvertBits(8));
    EXPECT_EQ(store.GetBitsPerSample(), 8u);
    EXPECT_EQ(store.GetBlockAlign(), 1u);
    EXPECT_EQ(SoundModel::FromStore(store).frames,
              (std::vector<std::vector<int>>{{128}, {127}, {128}, {255}, {0}, {128}, {129}}));

    SoundModel eight{8, 1, {{0}, {255}, {128}, {127}}};
    eight.ToStore(store);
    ASSERT_TRUE(store.ConvertBits(16));
    EXPECT_EQ(SoundModel::FromStore(store).frames,
              (std::vector<std::vector<int>>{{-32768}, {32512}, {0}, {-256}}));
    EXPECT_TRUE(store.ConvertBits(16)); // unchanged: nothing to do
    EXPECT_FALSE(store.ConvertBits(12));
}

TEST_P(FormatTest, ConvertBitsOverManyPiecesMatchesTheRule) {
    const uint32_t bits = GetParam();
    const auto model = SoundModel::Random(bits, 3, 50001, 7);
    CSampleStore store;
    model.ToStore(store, STORE_TEMPFILE, dir.Path());
    ASSERT_TRUE(store.ConvertBits(bits == 8 ? 16 : 8));
    EXPECT_EQ(SoundModel::FromStore(store), ConvertedBits(model, bits == 8 ? 16 : 8));
}

TEST(SetSampleRate, HalvingAndDoublingByHand) {
    SoundModel ten{16, 1, {}};
    for (int f = 0; f < 10; ++f) {
        ten.frames.push_back({f});
    }
    CSampleStore store;
    ten.ToStore(store, STORE_MEMORY, "", 8000);
    ASSERT_TRUE(store.SetSampleRate(4000, true));
    EXPECT_EQ(store.GetSampleRate(), 4000u);
    EXPECT_EQ(SoundModel::FromStore(store).frames, (std::vector<std::vector<int>>{{0}, {1}, {3}, {5}, {7}}));

    SoundModel five{16, 1, {{0}, {1}, {2}, {3}, {4}}};
    five.ToStore(store, STORE_MEMORY, "", 4000);
    ASSERT_TRUE(store.SetSampleRate(8000, true));
    EXPECT_EQ(SoundModel::FromStore(store).frames,
              (std::vector<std::vector<int>>{{0}, {0}, {1}, {1}, {2}, {2}, {3}, {3}, {4}, {4}}));
}

TEST(SetSampleRate, WithoutResamplingOnlyTheRateChanges) {
    const auto model = SoundModel::Random(16, 2, 1000, 3);
    CSampleStore store;
    model.ToStore(store, STORE_MEMORY, "", 22050);
    ASSERT_TRUE(store.SetSampleRate(44100, false));
    EXPECT_EQ(store.GetSampleRate(), 44100u);
    EXPECT_EQ(SoundModel::FromStore(store), model);
    EXPECT_FALSE(store.SetSampleRate(0, false));
}

TEST_P(FormatTest, ResamplingOverManyPiecesLeavesNoByteUnwritten) {
    const uint32_t bits = GetParam();
    const auto model = SoundModel::Random(bits, 2, 70001, 11);
    for (auto [from, to] : {std::pair{8000u, 44100u}, std::pair{44100u, 22050u}, std::pair{44100u, 32000u}}) {
        CSampleStore store;
        model.ToStore(store, STORE_TEMPFILE, dir.Path(), from);
        ASSERT_TRUE(store.SetSampleRate(to, true));
        const auto expected = Resampled(model, from, to);
        EXPECT_EQ(SoundModel::FromStore(store), expected) << from << " to " << to;
        EXPECT_EQ(store.GetDataSize(), expected.frames.size() * store.GetBlockAlign());
    }
}

TEST_P(FormatTest, TrackCountInsertAndDeleteMatchTheRule) {
    const uint32_t bits = GetParam();
    const auto model = SoundModel::Random(bits, 4, 40000, 5);
    const int silence = model.Silence();

    CSampleStore store;
    model.ToStore(store, STORE_TEMPFILE, dir.Path());
    ASSERT_TRUE(store.SetTrackCount(1));
    SoundModel one{bits, 1, {}};
    for (const auto& f : model.frames) {
        one.frames.push_back({f[0]});
    }
    EXPECT_EQ(SoundModel::FromStore(store), one);

    model.ToStore(store, STORE_TEMPFILE, dir.Path());
    ASSERT_TRUE(store.SetTrackCount(6));
    SoundModel six = model;
    six.tracks = 6;
    for (auto& f : six.frames) {
        f.push_back(silence);
        f.push_back(silence);
    }
    EXPECT_EQ(SoundModel::FromStore(store), six);

    model.ToStore(store, STORE_TEMPFILE, dir.Path());
    ASSERT_TRUE(store.InsertTrack(2));
    SoundModel inserted = model;
    inserted.tracks = 5;
    for (auto& f : inserted.frames) {
        f.insert(f.begin() + 2, silence);
    }
    EXPECT_EQ(SoundModel::FromStore(store), inserted);

    ASSERT_TRUE(store.DeleteTrack(2));
    EXPECT_EQ(SoundModel::FromStore(store), model);
    ASSERT_TRUE(store.DeleteTrack(3));
    SoundModel deleted = model;
    deleted.tracks = 3;
    for (auto& f : deleted.frames) {
        f.pop_back();
    }
    EXPECT_EQ(SoundModel::FromStore(store), deleted);
}

INSTANTIATE_TEST_SUITE_P(Bits, FormatTest, ::testing::Values(8u, 16u));

TEST(InsertTrack, MovesThePerTrackSettingsUp) {
    CSampleStore store;
    store.m_defaultTrackFlags = TRACK_SHOWN;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 2, 8000, true));
    FillRamp16(store, 10);
    store.m_trackNames[0] = "Voice";
    store.m_trackNames[1] = "Piano";
    store.m_trackFlags[0] = TRACK_EDITED;
    store.m_trackFlags[1] = TRACK_SHOWN | TRACK_EDITED;
    MixerBlock m = store.Mixer();
    m.volume[0] = 80;
    m.volume[1] = 90;
    store.SetMixer(m);
    store.SetPlayOff(1, true);
    ASSERT_TRUE(store.InsertTrack(0));
    EXPECT_EQ(store.GetTrackCount(), 3u);
    EXPECT_EQ(store.m_trackNames[0], "");
    EXPECT_EQ(store.m_trackNames[1], "Voice");
    EXPECT_EQ(store.m_trackNames[2], "Piano");
    EXPECT_EQ(store.m_trackFlags[0], TRACK_SHOWN);
    EXPECT_EQ(store.m_trackFlags[1], TRACK_EDITED);
    EXPECT_EQ(store.Mixer().volume[0], 100);
    EXPECT_EQ(store.Mixer().volume[1], 80);
    EXPECT_EQ(store.Mixer().volume[2], 90);
    EXPECT_EQ(store.Mixer().balance[0], 0);
    EXPECT_EQ(store.Mixer().balance[1], -100);
    EXPECT_EQ(store.Mixer().balance[2], 100);
    EXPECT_FALSE(store.GetPlayOff(1));
    EXPECT_TRUE(store.GetPlayOff(2));
    EXPECT_EQ(Track16(store, 0), std::vector<int16_t>(10, 0));
    EXPECT_EQ(Track16(store, 2)[3], 31);

    ASSERT_TRUE(store.DeleteTrack(0));
    EXPECT_EQ(store.m_trackNames[0], "Voice");
    EXPECT_EQ(store.Mixer().balance[1], 100);
    EXPECT_TRUE(store.GetPlayOff(1));
}

TEST(FormatArguments, OutOfRangeIsRefusedWithoutMessageOrChange) {
    FakeMessageService messages;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 8, 1, 8000, false));
    FillRamp8(store, 10);
    EXPECT_FALSE(store.SetTrackCount(33));
    EXPECT_FALSE(store.SetTrackCount(0));
    EXPECT_FALSE(store.DeleteTrack(0)); // the only track
    EXPECT_FALSE(store.InsertTrack(2)); // beyond the tracks
    ASSERT_TRUE(store.SetTrackCount(32));
    EXPECT_FALSE(store.InsertTrack(0));
    EXPECT_FALSE(store.DeleteTrack(32));
    EXPECT_EQ(store.GetTrackCount(), 32u);
    EXPECT_EQ(store.GetDataSize(), 320u);
    EXPECT_TRUE(messages.shown.empty());
    CSampleStore empty;
    EXPECT_FALSE(empty.ConvertBits(8));
    EXPECT_FALSE(empty.SetSampleRate(8000, true));
    EXPECT_FALSE(empty.InsertTrack(0));
}

TEST(FormatFailure, AbortedConversionKeepsFormatAndData) {
    FakeMessageService messages;
    CHeadlessProgress progress;
    RegisterProgressDisplay(kStatusBarWindowId, &progress);
    const auto model = SoundModel::Random(16, 2, 200000, 9);
    CSampleStore store;
    model.ToStore(store);
    store.m_progressWindowId = kStatusBarWindowId;
    progress.SetAbortWithoutAsking(true);
    progress.RequestAbort();
    EXPECT_FALSE(store.ConvertBits(8));
    EXPECT_EQ(store.GetBitsPerSample(), 16u);
    EXPECT_EQ(SoundModel::FromStore(store), model);
    progress.RequestAbort();
    EXPECT_FALSE(store.InsertTrack(0));
    EXPECT_EQ(store.GetTrackCount(), 2u);
    EXPECT_TRUE(messages.shown.empty());
    RegisterProgressDisplay(kStatusBarWindowId, nullptr);
}

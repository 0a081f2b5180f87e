#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/sound_model.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr uint8_t kNone = 255;

/// A sample of source track a converted to the target's bit width.
int Convert(int sample, uint32_t from, uint32_t to) {
    if (from == to) {
        return sample;
    }
    return to == 16 ? (sample - 128) * 256 : sample / 256 + 128;
}

/// The frames a paste uses: this rate x source frames / source rate of them, the source frame stepping
/// by the accumulator without a seam between pieces.
std::vector<std::size_t> PasteSequence(std::size_t sourceFrames, uint32_t sourceRate, uint32_t rate) {
    const uint64_t count = uint64_t(rate) * sourceFrames / sourceRate;
    std::vector<std::size_t> sequence;
    int64_t acc = std::llabs(int64_t(sourceRate) - int64_t(rate));
    std::size_t s = 0;
    for (uint64_t k = 0; k < count; ++k) {
        sequence.push_back(std::min(s, sourceFrames - 1));
        acc -= sourceRate;
        while (acc < 0) {
            acc += rate;
            ++s;
        }
    }
    return sequence;
}

enum class Mode { Insert, Overwrite, Mix };

/// The expected result of PasteBlock on the model.
SoundModel Pasted(const SoundModel& target, const SoundModel& source, const std::vector<uint8_t>& assignment,
                  std::size_t at, Mode mode, int pct, uint32_t sourceRate, uint32_t rate) {
    const auto sequence = PasteSequence(source.frames.size(), sourceRate, rate);
    const std::size_t n = sequence.size();
    SoundModel out = target;
    const std::size_t oldFrames = target.frames.size();
    const bool allTracks = std::all_of(assignment.begin(), assignment.begin() + target.tracks,
                                       [](uint8_t a) { return a != kNone; });
    if (mode == Mode::Insert) {
        // Assigned tracks: data moves after the pasted frames. Unassigned tracks keep their positions and end
        // in silence (or, on all tracks, everything moves).
        out.frames.assign(oldFrames + n, target.SilentFrame());
        for (uint32_t t = 0; t < target.tracks; ++t) {
            for (std::size_t f = 0; f < oldFrames + n; ++f) {
                if (assignment[t] != kNone || allTracks) {
                    if (f < at) {
                        out.frames[f][t] = target.frames[f][t];
                    } else if (f >= at + n) {
                        out.frames[f][t] = target.frames[f - n][t];
                    }
                } else if (f < oldFrames) {
                    out.frames[f][t] = target.frames[f][t];
                }
            }
        }
    } else if (at + n > oldFrames) {
        out.frames.resize(at + n, target.SilentFrame());
    }
    for (std::size_t k = 0; k < n; ++k) {
        for (uint32_t t = 0; t < target.tracks; ++t) {
            const uint8_t a = assignment[t];
            if (a == kNone) {
                continue;
            }
            const int y = source.frames[sequence[k]][a];
            int& x = out.frames[at + k][t];
            if (mode != Mode::Mix) {
                x = Convert(y, source.bits, target.bits);
            } else if (target.bits == 16) {
                x = ((100 - pct) * x + (source.bits == 16 ? pct * y : ((y - 128) * pct) * 256)) / 100;
            } else {
                x = ((100 - pct) * (x - 128) + pct * (source.bits == 8 ? y - 128 : y / 256)) / 100 + 128;
            }
        }
    }
    return out;
}

std::vector<uint8_t> Assignment(std::initializer_list<int> entries) {
    std::vector<uint8_t> a(32, kNone);
    std::size_t i = 0;
    for (int e : entries) {
        a[i++] = uint8_t(e);
    }
    return a;
}

class BlocksTest : public ::testing::Test {
protected:
    TempDir dir;
};

} // namespace

TEST_F(BlocksTest, DeleteBlockOnAllAndOnMaskedTracksOverManyPieces) {
    for (uint32_t bits : {8u, 16u}) {
        const auto model = SoundModel::Random(bits, 3, 60000, bits);
        CSampleStore store;
        model.ToStore(store, STORE_TEMPFILE, dir.Path());
        ASSERT_TRUE(store.DeleteBlock(nullptr, 1000, 40999));
        SoundModel all = model;
        all.frames.erase(all.frames.begin() + 1000, all.frames.begin() + 41000);
        EXPECT_EQ(SoundModel::FromStore(store), all);

        model.ToStore(store, STORE_TEMPFILE, dir.Path());
        const uint32_t mask[32] = {0, 1, 0};
        ASSERT_TRUE(store.DeleteBlock(mask, 1000, 40999));
        SoundModel masked = model;
        for (std::size_t f = 1000; f < masked.frames.size(); ++f) {
            masked.frames[f][1] =
                f + 40000 < model.frames.size() ? model.frames[f + 40000][1] : model.Silence();
        }
        EXPECT_EQ(SoundModel::FromStore(store), masked);
    }
}

TEST_F(BlocksTest, CopyBlockTakesTheMaskedTracksRenumbered) {
    const auto model = SoundModel::Random(16, 4, 50000, 4);
    CSampleStore store, target;
    model.ToStore(store, STORE_TEMPFILE, dir.Path());
    const uint32_t mask[32] = {0, 1, 0, 1};
    ASSERT_TRUE(target.Create(STORE_TEMPFILE, dir.Path(), 16, 2, 44100, true));
    ASSERT_TRUE(store.CopyBlock(mask, 100, 39999, &target));
    SoundModel expected{16, 2, {}};
    for (std::size_t f = 100; f < 40000; ++f) {
        expected.frames.push_back({model.frames[f][1], model.frames[f][3]});
    }
    EXPECT_EQ(SoundModel::FromStore(target), expected);
    EXPECT_EQ(SoundModel::FromStore(store), model); // the source is only read

    CSampleStore whole;
    ASSERT_TRUE(whole.Create(STORE_MEMORY, "", 16, 4, 44100, true));
    ASSERT_TRUE(store.CopyBlock(nullptr, 0, 100000, &whole)); // past the end: to the end
    EXPECT_EQ(SoundModel::FromStore(whole), model);

    CSampleStore wrong;
    ASSERT_TRUE(wrong.Create(STORE_MEMORY, "", 16, 3, 44100, true));
    EXPECT_FALSE(store.CopyBlock(mask, 0, 10, &wrong));
    EXPECT_FALSE(store.CopyBlock(mask, 0, 10, nullptr));
}

TEST_F(BlocksTest, PasteAtEqualRatesReproducesTheSourceFrameForFrame) {
    const auto target = SoundModel::Random(16, 1, 100, 1);
    const auto source = SoundModel::Random(16, 1, 1001, 2);
    CSampleStore store, clip;
    target.ToStore(store, STORE_MEMORY, "", 8000);
    source.ToStore(clip, STORE_MEMORY, "", 8000);
    const auto a = Assignment({0});
    ASSERT_TRUE(store.PasteBlock(a.data(), 50, true, &clip, false, 0));
    EXPECT_EQ(store.GetFrameCount(), 1101u);
    SoundModel expected = target;
    expected.frames.insert(expected.frames.begin() + 50, source.frames.begin(), source.frames.end());
    EXPECT_EQ(SoundModel::FromStore(store), expected);
}

TEST_F(BlocksTest, PasteDoublesAHalfRateSourceFrameByFrame) {
    SoundModel source{16, 1, {}};
    for (int f = 0; f < 1000; ++f) {
        source.frames.push_back({f});
    }
    CSampleStore store, clip;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 1, 44100, false));
    source.ToStore(clip, STORE_MEMORY, "", 22050);
    const auto a = Assignment({0});
    ASSERT_TRUE(store.PasteBlock(a.data(), 0, true, &clip, false, 0));
    const auto result = SoundModel::FromStore(store);
    ASSERT_EQ(result.frames.size(), 2000u);
    for (int f = 0; f < 2000; ++f) {
        ASSERT_EQ(result.frames[f][0], f / 2) << f;
    }
}

TEST_F(BlocksTest, MixFormulasForEveryBitWidthPair) {
    struct Case {
        uint32_t storeBits, sourceBits;
        int x, y, pct, expected;
    };
    const Case cases[] = {
        {16, 16, -1000, 1000, 50, 0},
        {16, 16, 1000, 3, 33, (67 * 1000 + 33 * 3) / 100},
        {16, 8, 100, 200, 25, (75 * 100 + (72 * 25) * 256) / 100},
        {8, 8, 10, 250, 50, (50 * -118 + 50 * 122) / 100 + 128},
        {8, 16, 200, -32768, 40, (60 * 72 + 40 * -128) / 100 + 128},
        {8, 16, 128, -255, 100, 128}, // -255 / 256 truncates to 0
    };
    for (const Case& c : cases) {
        SoundModel target{c.storeBits, 1, {{c.x}}};
        SoundModel source{c.sourceBits, 1, {{c.y}}};
        CSampleStore store, clip;
        target.ToStore(store, STORE_MEMORY, "", 8000);
        source.ToStore(clip, STORE_MEMORY, "", 8000);
        const auto a = Assignment({0});
        ASSERT_TRUE(store.PasteBlock(a.data(), 0, true, &clip, true, uint32_t(c.pct)));
        EXPECT_EQ(SoundModel::FromStore(store).frames, (std::vector<std::vector<int>>{{c.expected}}))
            << c.storeBits << "/" << c.sourceBits << " pct " << c.pct;
    }
}

TEST_F(BlocksTest, AssignmentsWithUnassignedTracksSwapsAndConversions) {
    const auto target = SoundModel::Random(16, 2, 300, 5);
    const auto source = SoundModel::Random(8, 2, 100, 6);
    for (Mode mode : {Mode::Insert, Mode::Overwrite, Mode::Mix}) {
        for (const auto& a : {Assignment({255, 0}), Assignment({1, 0}), Assignment({1, 255})}) {
            for (std::size_t at : {std::size_t(20), std::size_t(250)}) {
                CSampleStore store, clip;
                target.ToStore(store, STORE_TEMPFILE, dir.Path(), 8000);
                source.ToStore(clip, STORE_MEMORY, "", 8000);
                ASSERT_TRUE(store.PasteBlock(a.data(), int64_t(at), mode == Mode::Insert, &clip,
                                             mode == Mode::Mix, 30));
                EXPECT_EQ(SoundModel::FromStore(store), Pasted(target, source, a, at, mode, 30, 8000, 8000))
                    << int(mode) << " at " << at << " a " << int(a[0]) << "," << int(a[1]);
            }
        }
    }
}

TEST_F(BlocksTest, EightBitStereoSourceIntoSixteenBitMono) {
    SoundModel source{8, 2, {{0, 255}, {128, 1}}};
    CSampleStore store, clip;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 1, 8000, false));
    source.ToStore(clip, STORE_MEMORY, "", 8000);
    const auto a = Assignment({1});
    ASSERT_TRUE(store.PasteBlock(a.data(), 0, true, &clip, false, 0));
    EXPECT_EQ(SoundModel::FromStore(store).frames, (std::vector<std::vector<int>>{{32512}, {-32512}}));
}

TEST_F(BlocksTest, PasteAcrossRatesOverManyPiecesHasNoSeams) {
    for (uint32_t bits : {8u, 16u}) {
        const auto target = SoundModel::Random(bits, 2, 40000, 7);
        const auto source = SoundModel::Random(bits, 2, 50001, 8);
        for (auto [sourceRate, rate] : {std::pair{22050u, 44100u}, std::pair{44100u, 32000u}}) {
            for (Mode mode : {Mode::Insert, Mode::Overwrite, Mode::Mix}) {
                const auto a = mode == Mode::Mix ? Assignment({0, 255}) : Assignment({0, 1});
                CSampleStore store, clip;
                target.ToStore(store, STORE_TEMPFILE, dir.Path(), rate);
                source.ToStore(clip, STORE_TEMPFILE, dir.Path(), sourceRate);
                ASSERT_TRUE(
                    store.PasteBlock(a.data(), 1234, mode == Mode::Insert, &clip, mode == Mode::Mix, 70));
                EXPECT_EQ(SoundModel::FromStore(store),
                          Pasted(target, source, a, 1234, mode, 70, sourceRate, rate))
                    << bits << " bits " << sourceRate << " to " << rate << " mode " << int(mode);
            }
        }
    }
}

TEST_F(BlocksTest, PasteRefusesBadArgumentsWithoutMessage) {
    FakeMessageService messages;
    CSampleStore store, clip, empty;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 2, 8000, true));
    FillRamp16(store, 10);
    ASSERT_TRUE(clip.Create(STORE_MEMORY, "", 16, 1, 8000, false));
    FillRamp16(clip, 10);
    const auto a = Assignment({0, 0});
    EXPECT_FALSE(store.PasteBlock(a.data(), 0, true, nullptr, false, 0));
    EXPECT_FALSE(store.PasteBlock(a.data(), 0, true, &empty, false, 0));
    EXPECT_FALSE(store.PasteBlock(a.data(), 11, true, &clip, false, 0)); // beyond the end
    EXPECT_FALSE(store.PasteBlock(a.data(), -1, true, &clip, false, 0));
    const auto bad = Assignment({1, 0}); // the source has one track only
    EXPECT_FALSE(store.PasteBlock(bad.data(), 0, true, &clip, false, 0));
    EXPECT_EQ(store.GetFrameCount(), 10u);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(store.PasteBlock(a.data(), 10, true, &clip, false, 0)); // at the very end
    EXPECT_EQ(store.GetFrameCount(), 20u);
}

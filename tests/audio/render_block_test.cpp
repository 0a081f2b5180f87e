#include "audio/render_block.h"
#include "audio_test_support.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ondrix;
using namespace ondrix::test;

namespace {

std::vector<uint8_t> Convert(const std::vector<uint8_t>& in, const FrameLayout& from, const FrameLayout& to) {
    const uint32_t frames = uint32_t(in.size()) / from.BlockAlign();
    std::vector<uint8_t> out(ConvertedSize(frames, from, to));
    EXPECT_EQ(ConvertFrames(in.data(), frames, from, out.data(), to), out.size());
    return out;
}

std::vector<int16_t> Ramp16(uint32_t frames) {
    std::vector<int16_t> samples;
    for (uint32_t f = 0; f < frames; ++f) {
        samples.push_back(int16_t(f));
    }
    return samples;
}

} // namespace

TEST(ConvertFrames, HalvingTheRateKeepsTheFirstThenEverySecondOddFrame) {
    // Accumulator 22050: frame 0, then 1 (one step), then every second frame: 3, 5, 7 ...
    const auto out = Decode16(Convert(Samples16(Ramp16(10)), {1, 16, 44100}, {1, 16, 22050}));
    EXPECT_EQ(out, (std::vector<int16_t>{0, 1, 3, 5, 7}));
}

TEST(ConvertFrames, DoublingTheRateRepeatsFrames) {
    const auto out = Decode16(Convert(Samples16({10, 20, 30}), {1, 16, 22050}, {1, 16, 44100}));
    EXPECT_EQ(out, (std::vector<int16_t>{10, 10, 20, 20, 30, 30}));
}

TEST(ConvertFrames, SameRateCopiesEveryFrame) {
    const auto in = Samples16({1, -2, 3, -4});
    EXPECT_EQ(Convert(in, {2, 16, 8000}, {2, 16, 8000}), in);
}

TEST(ConvertFrames, SixteenBitStereoToEightBitMono) {
    // ((L + R) / 2) / 256 + 128, truncating towards zero at each step
    const auto in = Samples16({32767, 32767, -32768, -32768, 383, 129, -383, -129, 255, 255, 512, -1});
    const auto out = Convert(in, {2, 16, 8000}, {1, 8, 8000});
    EXPECT_EQ(out, (std::vector<uint8_t>{255, 0, 129, 127, 128, 128}));
}

TEST(ConvertFrames, EightBitStereoToSixteenBitMono) {
    // the average of (L - 128) and (R - 128), truncated, times 256
    const std::vector<uint8_t> in{255, 255, 0, 0, 129, 128, 127, 128, 200, 100};
    const auto out = Decode16(Convert(in, {2, 8, 8000}, {1, 16, 8000}));
    EXPECT_EQ(out, (std::vector<int16_t>{127 * 256, -128 * 256, 0, 0, 22 * 256}));
}

TEST(ConvertFrames, MonoIsDuplicatedToStereo) {
    const std::vector<uint8_t> in{0, 128, 255};
    EXPECT_EQ(Decode16(Convert(in, {1, 8, 8000}, {2, 16, 8000})),
              (std::vector<int16_t>{-32768, -32768, 0, 0, 32512, 32512}));
    EXPECT_EQ(Convert(Samples16({-32768, 256, 32767}), {1, 16, 8000}, {2, 8, 8000}),
              (std::vector<uint8_t>{0, 0, 129, 129, 255, 255}));
}

TEST(ConvertFrames, EmptyBlockGivesNothing) {
    EXPECT_EQ(ConvertFrames(nullptr, 0, {1, 16, 44100}, nullptr, {1, 8, 22050}), 0u);
    EXPECT_EQ(ConvertedSize(1, {1, 16, 44100}, {1, 16, 22050}), 0u); // half a frame rounds down
}

TEST(MixDown, PlainStereoPairCopiesTheData) {
    CSampleStore source;
    MakeStore16(source, 2, 44100, true, {1, 2, 3, 4, 5, 6, -7, -8});
    CSampleStore target;
    ASSERT_TRUE(target.MixDown(STORE_MEMORY, "", &source, -1, -1, 0, 0));
    EXPECT_EQ(target.GetTrackCount(), 2u);
    EXPECT_EQ(target.GetSampleRate(), 44100u);
    EXPECT_EQ(target.GetBitsPerSample(), 16u);
    EXPECT_TRUE(target.GetStereo());
    EXPECT_FALSE(target.IsMixerNonStandard());
    EXPECT_EQ(AllBytes(target), AllBytes(source));
}

TEST(MixDown, ThreeTracksBecomeTheirAverageAsPlaybackHearsIt) {
    CSampleStore source;
    MakeStore16(source, 3, 22050, true, {300, 600, 900, -3, 0, 0, 30000, 30000, -30000});
    CSampleStore target;
    ASSERT_TRUE(target.MixDown(STORE_MEMORY, "", &source, -1, -1, 0, 0));
    EXPECT_EQ(target.GetTrackCount(), 2u);
    EXPECT_EQ(Decode16(AllBytes(target)), (std::vector<int16_t>{600, 600, -1, -1, 10000, 10000}));
}

TEST(MixDown, MutedTracksAndRangeAreHonoured) {
    CSampleStore source;
    MakeStore16(source, 2, 8000, true, {1, 100, 2, 200, 3, 300, 4, 400, 5, 500});
    source.SetPlayOff(0, true);
    CSampleStore target;
    ASSERT_TRUE(target.MixDown(STORE_MEMORY, "", &source, 1, 3, 0, 0));
    // track 0 muted: left silent, right carries track 1 (full right, full gain); frames 1..3
    EXPECT_EQ(Decode16(AllBytes(target)), (std::vector<int16_t>{0, 200, 0, 300, 0, 400}));
}

TEST(MixDown, ConvertsRateBitsAndChannels) {
    CSampleStore source;
    std::vector<int16_t> samples;
    for (int f = 0; f < 8; ++f) {
        samples.push_back(int16_t(f * 1024)); // left
        samples.push_back(int16_t(-f * 512)); // right
    }
    MakeStore16(source, 2, 44100, true, samples);
    CSampleStore target;
    ASSERT_TRUE(target.MixDown(STORE_MEMORY, "", &source, -1, -1, 22050, 8, 1));
    EXPECT_EQ(target.GetTrackCount(), 1u);
    EXPECT_EQ(target.GetBitsPerSample(), 8u);
    EXPECT_EQ(target.GetSampleRate(), 22050u);
    EXPECT_FALSE(target.GetStereo());
    // frames 0, 1, 3, 5: ((L + R) / 2) / 256 + 128 = f * 256 / 256 + 128
    EXPECT_EQ(AllBytes(target), (std::vector<uint8_t>{128, 129, 129 + 2, 129 + 4}));
}

TEST(MixDown, MonoSourceToStereoSixteenBits) {
    CSampleStore source;
    MakeStore8(source, 1, 11025, false, {0, 128, 255});
    CSampleStore target;
    ASSERT_TRUE(target.MixDown(STORE_TEMPFILE, "", &source, -1, -1, 11025, 16, 2));
    EXPECT_EQ(target.GetStorageMode(), STORE_TEMPFILE);
    EXPECT_EQ(Decode16(AllBytes(target)), (std::vector<int16_t>{-32768, -32768, 0, 0, 32512, 32512}));
}

TEST(MixDown, SetsAndRestoresTheProgressText) {
    CSampleStore source;
    MakeStore16(source, 1, 8000, false, {1, 2, 3});
    source.m_progressTextId = 1103;
    CSampleStore target;
    ASSERT_TRUE(target.MixDown(STORE_MEMORY, "", &source, -1, -1, 0, 0));
    EXPECT_EQ(source.m_progressTextId, 1103u);
    EXPECT_EQ(Decode16(AllBytes(target)), (std::vector<int16_t>{1, 2, 3}));
}

TEST(MixDown, RefusesWhatItCannotRender) {
    CSampleStore source;
    MakeStore16(source, 1, 8000, false, {1, 2, 3});
    CSampleStore target;
    EXPECT_FALSE(target.MixDown(STORE_INPLACE, "", &source, -1, -1, 0, 0));
    EXPECT_FALSE(target.MixDown(STORE_MEMORY, "", nullptr, -1, -1, 0, 0));
    EXPECT_FALSE(source.MixDown(STORE_MEMORY, "", &source, -1, -1, 0, 0));
    EXPECT_FALSE(target.MixDown(STORE_MEMORY, "", &source, -1, -1, 22050, 12));
    CSampleStore empty;
    EXPECT_FALSE(target.MixDown(STORE_MEMORY, "", &empty, -1, -1, 0, 0));
}

TEST(MixDown, LargeSourceRendersInPiecesWithoutLosingFrames) {
    CSampleStore source;
    const uint32_t frames = 100000; // several 64 KiB pieces
    std::vector<int16_t> samples;
    for (uint32_t f = 0; f < frames; ++f) {
        samples.push_back(int16_t(f));
        samples.push_back(int16_t(f / 2));
        samples.push_back(int16_t(-int32_t(f % 1000)));
    }
    MakeStore16(source, 3, 44100, false, samples);
    CSampleStore target;
    ASSERT_TRUE(target.MixDown(STORE_MEMORY, "", &source, -1, -1, 0, 0));
    const auto out = Decode16(AllBytes(target));
    ASSERT_EQ(out.size(), frames);
    for (uint32_t f = 0; f < frames; f += 997) {
        const int32_t sum = int16_t(f) + int16_t(f / 2) - int32_t(f % 1000);
        EXPECT_EQ(out[f], int16_t(sum * 100 / 300)) << f;
    }
}

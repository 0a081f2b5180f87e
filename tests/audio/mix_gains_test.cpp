#include "audio/mix_gains.h"
#include "audio_test_support.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ondrix;
using namespace ondrix::test;

namespace {

MixerBlock StandardMixer(uint32_t tracks, bool stereo) {
    MixerBlock mixer{};
    mixer.stereo = stereo ? 1 : 0;
    mixer.mainLeft = 100;
    mixer.mainRight = 100;
    for (int t = 0; t < kMaxTracks; ++t) {
        mixer.volume[t] = 100;
    }
    if (tracks == 2) {
        mixer.balance[0] = -100;
        mixer.balance[1] = 100;
    }
    return mixer;
}

std::vector<int16_t> Mix16(const MixGains& gains, uint32_t tracks, const std::vector<int16_t>& in) {
    const auto bytes = Samples16(in);
    std::vector<uint8_t> out(bytes.size() * 2 + 4);
    const uint32_t written = MixFrames(gains, 16, tracks, out.data(), bytes.data(), uint32_t(bytes.size()));
    out.resize(written);
    return Decode16(out);
}

std::vector<uint8_t> Mix8(const MixGains& gains, uint32_t tracks, const std::vector<uint8_t>& in) {
    std::vector<uint8_t> out(in.size() * 2 + 4);
    out.resize(MixFrames(gains, 8, tracks, out.data(), in.data(), uint32_t(in.size())));
    return out;
}

const uint8_t kNoneOff[kMaxTracks] = {};

} // namespace

TEST(MixGains, PassThroughLayoutsNeedNoMixing) {
    EXPECT_FALSE(ComputeMixGains(StandardMixer(1, false), kNoneOff, 1, false).mixNeeded);
    EXPECT_FALSE(ComputeMixGains(StandardMixer(2, true), kNoneOff, 2, true).mixNeeded);

    MixerBlock quieter = StandardMixer(1, false);
    quieter.volume[0] = 99;
    EXPECT_TRUE(ComputeMixGains(quieter, kNoneOff, 1, false).mixNeeded);
    EXPECT_TRUE(ComputeMixGains(StandardMixer(1, true), kNoneOff, 1, true).mixNeeded);
    EXPECT_TRUE(ComputeMixGains(StandardMixer(2, false), kNoneOff, 2, false).mixNeeded);
    EXPECT_TRUE(ComputeMixGains(StandardMixer(3, true), kNoneOff, 3, true).mixNeeded);

    uint8_t off[kMaxTracks] = {};
    off[1] = 1;
    EXPECT_TRUE(ComputeMixGains(StandardMixer(2, true), off, 2, true).mixNeeded);
    // Only the store's own tracks count.
    uint8_t beyond[kMaxTracks] = {};
    beyond[5] = 1;
    EXPECT_FALSE(ComputeMixGains(StandardMixer(2, true), beyond, 2, true).mixNeeded);
}

TEST(MixGains, PlainStereoPairMixesToItself) {
    const MixGains gains = ComputeMixGains(StandardMixer(2, true), kNoneOff, 2, true);
    // left: track 0 = 200 of sum 200, scaled by 2 tracks x 100 / 200 -> 200; track 1 -> 0
    EXPECT_EQ(gains.left[0], 200);
    EXPECT_EQ(gains.left[1], 0);
    EXPECT_EQ(gains.right[0], 0);
    EXPECT_EQ(gains.right[1], 200);
    EXPECT_EQ(Mix16(gains, 2, {1000, -2000, -32768, 32767}),
              (std::vector<int16_t>{1000, -2000, -32768, 32767}));
}

TEST(MixGains, ThreeCentredTracksAverageOnBothSides) {
    const MixGains gains = ComputeMixGains(StandardMixer(3, true), kNoneOff, 3, true);
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(gains.left[t], 100);
        EXPECT_EQ(gains.right[t], 100);
    }
    // (300 + 600 + 901) * 100 / 300 = 600 (truncated); (-1 - 1 + 0) * 100 / 300 = 0 towards zero
    EXPECT_EQ(Mix16(gains, 3, {300, 600, 901, -1, -1, 0}), (std::vector<int16_t>{600, 600, 0, 0}));

    const MixGains mono = ComputeMixGains(StandardMixer(3, false), kNoneOff, 3, false);
    EXPECT_EQ(mono.channels, 1u);
    EXPECT_EQ(Mix16(mono, 3, {300, 600, 900, -300, -600, -901}), (std::vector<int16_t>{600, -600}));
}

TEST(MixGains, BalanceAndVolumeByHand) {
    MixerBlock mixer = StandardMixer(2, true);
    mixer.balance[0] = -50; // left 150, right 50
    mixer.balance[1] = 50;  // left 50, right 150
    mixer.volume[1] = 50;   // left 25, right 75
    const MixGains gains = ComputeMixGains(mixer, kNoneOff, 2, true);
    // sums: left 150 + 25 = 175, right 50 + 75 = 125; M = 175; scale 200
    EXPECT_EQ(gains.left[0], 150 * 200 / 175);
    EXPECT_EQ(gains.left[1], 25 * 200 / 175);
    EXPECT_EQ(gains.right[0], 50 * 200 / 175);
    EXPECT_EQ(gains.right[1], 75 * 200 / 175);
    const int64_t left = (1000LL * gains.left[0] + 2000LL * gains.left[1]) / 200;
    const int64_t right = (1000LL * gains.right[0] + 2000LL * gains.right[1]) / 200;
    EXPECT_EQ(Mix16(gains, 2, {1000, 2000}), (std::vector<int16_t>{int16_t(left), int16_t(right)}));
}

TEST(MixGains, AllMutedGivesSilence) {
    uint8_t off[kMaxTracks];
    std::fill(std::begin(off), std::end(off), uint8_t(1));
    const MixGains gains = ComputeMixGains(StandardMixer(3, true), off, 3, true);
    EXPECT_TRUE(gains.mixNeeded);
    EXPECT_EQ(Mix16(gains, 3, {1000, 2000, 3000}), (std::vector<int16_t>{0, 0}));
    EXPECT_EQ(Mix8(gains, 3, {0, 255, 17}), (std::vector<uint8_t>{128, 128}));
}

TEST(MixGains, MutedTrackIsLeftOutOfTheAverage) {
    uint8_t off[kMaxTracks] = {};
    off[2] = 1;
    const MixGains gains = ComputeMixGains(StandardMixer(3, false), off, 3, false);
    // two tracks of 100 sum to 200; scaled by 300 / 200 -> 150 each: (100 + 200) * 150 / 300 = 150
    EXPECT_EQ(gains.left[0], 150);
    EXPECT_EQ(gains.left[2], 0);
    EXPECT_EQ(Mix16(gains, 3, {100, 200, 30000}), (std::vector<int16_t>{150}));
}

TEST(MixGains, VolumesAreRelativeWeights) {
    MixerBlock loud = StandardMixer(3, true);
    for (int t = 0; t < 3; ++t) {
        loud.volume[t] = 200;
    }
    const std::vector<int16_t> frames{1200, -3000, 700, 32767, 32767, 32767};
    EXPECT_EQ(Mix16(ComputeMixGains(loud, kNoneOff, 3, true), 3, frames),
              Mix16(ComputeMixGains(StandardMixer(3, true), kNoneOff, 3, true), 3, frames));
}

TEST(MixGains, MainVolumeFiftyHalves) {
    MixerBlock half = StandardMixer(2, true);
    half.mainLeft = 50;
    half.mainRight = 50;
    const MixGains gains = ComputeMixGains(half, kNoneOff, 2, true);
    EXPECT_TRUE(gains.mixNeeded);
    EXPECT_EQ(Mix16(gains, 2, {1000, -3001}), (std::vector<int16_t>{500, -1500}));
    EXPECT_EQ(Mix8(gains, 2, {228, 28}), (std::vector<uint8_t>{178, 78}));
}

TEST(MixGains, EightBitSamplesMixAroundTheirOffset) {
    const MixGains gains = ComputeMixGains(StandardMixer(3, true), kNoneOff, 3, true);
    // (10 + 20 - 30) = 0 -> 128; (127 + 127 + 127) / 3 = 127 -> 255; (-128 * 3) / 3 -> 0; (-1 + 0 + 0) / 3 ->
    // 0 -> 128
    EXPECT_EQ(Mix8(gains, 3, {138, 148, 98, 255, 255, 255, 0, 0, 0, 127, 128, 128}),
              (std::vector<uint8_t>{128, 128, 255, 255, 0, 0, 128, 128}));
}

TEST(MixGains, MainVolumesAboveHundredClipInsteadOfWrapping) {
    MixerBlock loud = StandardMixer(1, false);
    loud.mainLeft = 200;
    const MixGains gains = ComputeMixGains(loud, kNoneOff, 1, false);
    EXPECT_EQ(Mix16(gains, 1, {20000, -20000, 1000}), (std::vector<int16_t>{32767, -32768, 2000}));
    EXPECT_EQ(Mix8(gains, 1, {250, 3, 138}), (std::vector<uint8_t>{255, 0, 148}));
}

TEST(MixGains, DamagedBalancesCountAsFullLeftOrRight) {
    MixerBlock damaged = StandardMixer(2, true);
    damaged.balance[0] = -128;
    damaged.balance[1] = 127;
    const MixGains gains = ComputeMixGains(damaged, kNoneOff, 2, true);
    const MixGains plain = ComputeMixGains(StandardMixer(2, true), kNoneOff, 2, true);
    EXPECT_EQ(gains.left, plain.left);
    EXPECT_EQ(gains.right, plain.right);
}

TEST(MixGains, ThirtyTwoFullScaleTracksStayInRange) {
    MixerBlock mixer = StandardMixer(32, true);
    mixer.mainLeft = 200;
    mixer.mainRight = 200;
    std::vector<int16_t> frame(32, -32768);
    const MixGains gains = ComputeMixGains(mixer, kNoneOff, 32, true);
    EXPECT_EQ(Mix16(gains, 32, frame), (std::vector<int16_t>{-32768, -32768}));
    std::fill(frame.begin(), frame.end(), int16_t(16384));
    const MixGains plain = ComputeMixGains(StandardMixer(32, true), kNoneOff, 32, true);
    EXPECT_EQ(Mix16(plain, 32, frame), (std::vector<int16_t>{16384, 16384}));
}

TEST(MixGains, LevelsOfOneFrame) {
    uint32_t left = 0;
    uint32_t right = 0;
    const auto frame16 = Samples16({16384, -32768});
    LevelsOfFrame(frame16.data(), 16, 2, left, right);
    EXPECT_EQ(left, 50u);
    EXPECT_EQ(right, 100u);
    LevelsOfFrame(frame16.data(), 16, 1, left, right);
    EXPECT_EQ(left, 50u);
    EXPECT_EQ(right, 50u);
    const uint8_t frame8[2] = {0, 192};
    LevelsOfFrame(frame8, 8, 2, left, right);
    EXPECT_EQ(left, 100u);
    EXPECT_EQ(right, 50u);
    const uint8_t silent[2] = {128, 128};
    LevelsOfFrame(silent, 8, 2, left, right);
    EXPECT_EQ(left, 0u);
    EXPECT_EQ(right, 0u);
}

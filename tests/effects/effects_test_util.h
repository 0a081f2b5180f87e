#pragma once

// Helpers shared by the effects tests: stores built from signed sample values, masks, runs of the driver.

#include "store/sample_store.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <random>
#include <vector>

namespace ondrix::test {

using Mask = std::array<uint32_t, kMaxTracks>;

/// A mask with the given tracks set.
inline Mask MaskOf(std::initializer_list<int> tracks) {
    Mask mask{};
    for (int t : tracks) {
        mask[std::size_t(t)] = 1;
    }
    return mask;
}

/// A store in memory (or a temporary file in dir) holding the interleaved signed values (byte - 128 for 8
/// bits).
inline std::unique_ptr<CSampleStore> MakeStore(uint32_t bits, uint32_t tracks,
                                               const std::vector<int32_t>& values, uint32_t rate = 44100,
                                               const std::string& dir = {}) {
    auto store = std::make_unique<CSampleStore>();
    EXPECT_TRUE(store->Create(dir.empty() ? STORE_MEMORY : STORE_TEMPFILE, dir, bits, tracks, rate, false));
    std::vector<uint8_t> bytes;
    bytes.reserve(values.size() * (bits / 8));
    for (int32_t v : values) {
        if (bits == 8) {
            bytes.push_back(uint8_t(v + 128));
        } else {
            bytes.push_back(uint8_t(uint32_t(v) & 0xFF));
            bytes.push_back(uint8_t((uint32_t(v) >> 8) & 0xFF));
        }
    }
    if (!bytes.empty()) {
        EXPECT_TRUE(store->AppendData(bytes.data(), uint32_t(bytes.size())));
    }
    return store;
}

/// Every sample of the store as signed values, interleaved.
inline std::vector<int32_t> Values(CSampleStore& store) {
    std::vector<uint8_t> bytes(store.GetDataSize());
    if (!bytes.empty()) {
        EXPECT_EQ(store.ReadData(0, bytes.data(), uint32_t(bytes.size())), bytes.size());
    }
    std::vector<int32_t> values;
    if (store.GetBitsPerSample() == 8) {
        for (uint8_t b : bytes) {
            values.push_back(int32_t(b) - 128);
        }
    } else {
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            values.push_back(int16_t(uint16_t(bytes[i] | (bytes[i + 1] << 8))));
        }
    }
    return values;
}

/// The signed values of one track.
inline std::vector<int32_t> TrackValues(CSampleStore& store, uint32_t track) {
    const auto all = Values(store);
    std::vector<int32_t> out;
    for (std::size_t i = track; i < all.size(); i += store.GetTrackCount()) {
        out.push_back(all[i]);
    }
    return out;
}

/// Random signed values over the full range of a sample width.
inline std::vector<int32_t> RandomValues(uint32_t bits, std::size_t count, uint32_t seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int32_t> dist(bits == 8 ? -128 : -32768, bits == 8 ? 127 : 32767);
    std::vector<int32_t> values(count);
    for (auto& v : values) {
        v = dist(rng);
    }
    return values;
}

/// One in-place (1:1) run of a routine over frames first..last.
inline bool RunInPlace(CSampleStore& store, const uint32_t* mask, int64_t first, int64_t last,
                       ProcessRoutine routine, void* context) {
    return store.Process(mask, first, last, true, 1, 1, false, routine, 0, context);
}

/// Full scale of a width: 128 or 32768.
constexpr int32_t FullScale(uint32_t bits) {
    return bits == 8 ? 128 : 32768;
}

/// Clamp to a width's range.
constexpr int64_t ClampTo(int64_t v, uint32_t bits) {
    const int64_t lo = -FullScale(bits);
    const int64_t hi = FullScale(bits) - 1;
    return v < lo ? lo : (v > hi ? hi : v);
}

/// Checks that the samples of frames first..last on the edited tracks (all without a mask) equal
/// expect(k, track, before) with k counted from first, and that every other sample is unchanged.
template <class Expect>
void ExpectBlockMapped(const std::vector<int32_t>& before, const std::vector<int32_t>& after, uint32_t tracks,
                       const uint32_t* mask, int64_t first, int64_t last, Expect&& expect) {
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        const auto frame = int64_t(i / tracks);
        const auto track = uint32_t(i % tracks);
        const bool inBlock = frame >= first && frame <= last && (!mask || mask[track] != 0);
        const int64_t want = inBlock ? int64_t(expect(frame - first, track, before[i])) : before[i];
        if (after[i] != want) {
            ADD_FAILURE() << "frame " << frame << " track " << track << ": was " << before[i] << ", got "
                          << after[i] << ", want " << want;
            return;
        }
    }
}

/// The bit widths and masking of a parameterised test.
struct WidthAndMask {
    uint32_t bits;
    bool masked;
};

inline std::string WidthAndMaskName(const ::testing::TestParamInfo<WidthAndMask>& info) {
    return std::to_string(info.param.bits) + (info.param.masked ? "BitMasked" : "BitAll");
}

inline const std::vector<WidthAndMask> kWidthsAndMasks{{8, false}, {8, true}, {16, false}, {16, true}};

} // namespace ondrix::test

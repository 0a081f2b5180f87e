#include "support/sound_model.h"

#include <gtest/gtest.h>

namespace ondrix::test {

SoundModel SoundModel::Random(uint32_t bits, uint32_t tracks, uint32_t frameCount, uint32_t seed) {
    SoundModel model{bits, tracks, {}};
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> range(bits == 8 ? 0 : -32768, bits == 8 ? 255 : 32767);
    model.frames.resize(frameCount, std::vector<int>(tracks));
    for (auto& frame : model.frames) {
        for (auto& sample : frame) {
            sample = range(random);
        }
    }
    return model;
}

SoundModel SoundModel::FromStore(CSampleStore& store) {
    SoundModel model{store.GetBitsPerSample(), store.GetTrackCount(), {}};
    std::vector<uint8_t> bytes(store.GetDataSize());
    if (!bytes.empty()) {
        EXPECT_EQ(store.ReadData(0, bytes.data(), uint32_t(bytes.size())), bytes.size());
    }
    const uint32_t size = model.bits / 8;
    const uint32_t align = size * model.tracks;
    for (std::size_t at = 0; at + align <= bytes.size(); at += align) {
        std::vector<int> frame(model.tracks);
        for (uint32_t t = 0; t < model.tracks; ++t) {
            const uint8_t* p = &bytes[at + t * size];
            frame[t] = size == 1 ? int(p[0]) : int(int16_t(uint16_t(p[0] | (p[1] << 8))));
        }
        model.frames.push_back(std::move(frame));
    }
    return model;
}

void SoundModel::ToStore(CSampleStore& store, StorageMode mode, const std::string& directory,
                         uint32_t rate) const {
    ASSERT_TRUE(store.Create(mode, directory, bits, tracks, rate, tracks > 1));
    std::vector<uint8_t> bytes;
    bytes.reserve(frames.size() * tracks * (bits / 8));
    for (const auto& frame : frames) {
        for (int sample : frame) {
            bytes.push_back(uint8_t(sample & 0xFF));
            if (bits == 16) {
                bytes.push_back(uint8_t((sample >> 8) & 0xFF));
            }
        }
    }
    if (!bytes.empty()) {
        ASSERT_TRUE(store.AppendData(bytes.data(), uint32_t(bytes.size())));
    }
}

} // namespace ondrix::test

// PCM whose samples have fewer bits than their containers: they load as the container's 8 or 16 bits,
// samples as stored, and are saved as plain PCM of that width.
#include "fileformat/wave_builder.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// A 16-byte plain "fmt " body with every field as given.
std::vector<uint8_t> FmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t blockAlign,
                             uint16_t bits) {
    std::vector<uint8_t> body = Join({{uint8_t(tag), uint8_t(tag >> 8), uint8_t(channels), 0},
                                      U32(rate),
                                      U32(rate * blockAlign),
                                      {uint8_t(blockAlign), 0, uint8_t(bits), 0}});
    return body;
}

/// Loads bytes from a file, saves the store again and returns the saved file.
std::vector<uint8_t> LoadAndSave(CSampleStore& store, const std::vector<uint8_t>& bytes) {
    TempDir dir;
    WriteFile(dir.Path() + "/in.wav", bytes);
    EXPECT_TRUE(store.Load(dir.Path() + "/in.wav", STORE_TEMPFILE, dir.Path()));
    EXPECT_TRUE(store.Save(dir.Path() + "/out.wav", false));
    return ReadFile(dir.Path() + "/out.wav");
}

} // namespace

TEST(WaveContainer, TwelveBitsInSixteenLoadAsStoredAndSaveAsSixteenBitPcm) {
    // 12-bit samples sit in the top bits of their 16-bit containers.
    const auto samples = Samples16({0x7FF0, -0x8000, 0x0010, -0x0010, 0x1230, -0x1230});
    const auto extensible = WaveBuilder().FmtExtensible(2, 32000, 16, 12).Data(samples).Bytes();
    const auto tagOne = WaveBuilder().Fmt(2, 32000, 12).Data(samples).Bytes();
    for (const auto& bytes : {extensible, tagOne}) {
        FakeMessageService messages;
        CSampleStore store;
        const auto saved = LoadAndSave(store, bytes);
        EXPECT_EQ(store.GetBitsPerSample(), 16u);
        EXPECT_EQ(store.GetTrackCount(), 2u);
        EXPECT_EQ(store.GetSampleRate(), 32000u);
        EXPECT_EQ(AllBytes(store), samples);
        EXPECT_EQ(saved, WaveBuilder().Fmt(2, 32000, 16).Data(samples).Bytes());
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST(WaveContainer, FourBitsInEightLoadAsStoredAndSaveAsEightBitPcm) {
    const std::vector<uint8_t> samples = {0x00, 0x10, 0x80, 0xF0, 0x70};
    CSampleStore store;
    const auto saved = LoadAndSave(store, WaveBuilder().Fmt(1, 8000, 4).Data(samples).Bytes());
    EXPECT_EQ(store.GetBitsPerSample(), 8u);
    EXPECT_EQ(AllBytes(store), samples);
    EXPECT_EQ(saved, WaveBuilder().Fmt(1, 8000, 8).Data(samples).Bytes());
}

TEST(WaveContainer, ValidBitsUnsetOrAShortExtensionSizeStillLoad) {
    const auto samples = Samples16({5, -5});
    auto unset = WaveBuilder().FmtExtensible(1, 8000, 16, 0).Data(samples).Bytes();
    auto shortExtension = WaveBuilder().FmtExtensible(1, 8000, 16, 16).Data(samples).Bytes();
    shortExtension[36] = 0; // cbSize 0 in a 40-byte chunk
    for (const auto& bytes : {unset, shortExtension}) {
        CSampleStore store;
        ASSERT_TRUE(store.Load(bytes.data(), bytes.size(), STORE_MEMORY, ""));
        EXPECT_EQ(store.GetBitsPerSample(), 16u);
        EXPECT_EQ(AllBytes(store), samples);
    }
}

TEST(WaveContainer, OtherWidthsAndPackedSamplesAreStillRefusedWith31502) {
    const auto samples = Ramp(24);
    const std::vector<std::vector<uint8_t>> refused = {
        WaveBuilder().FmtExtensible(2, 48000, 24, 24).Data(samples).Bytes(),
        WaveBuilder().FmtExtensible(2, 48000, 16, 20).Data(samples).Bytes(), // more valid bits than room
        WaveBuilder().FmtExtensible(2, 48000, 12, 12).Data(samples).Bytes(), // no 12-bit container
        WaveBuilder().Chunk("fmt ", FmtBody(1, 2, 8000, 3, 12)).Data(samples).Bytes(), // packed 12-bit pairs
        WaveBuilder().Chunk("fmt ", FmtBody(1, 1, 8000, 1, 0)).Data(samples).Bytes(),
        WaveBuilder().Fmt(1, 8000, 17).Data(samples).Bytes(),
        WaveBuilder().Fmt(1, 8000, 12, 3).Data(samples).Bytes(),
    };
    for (std::size_t i = 0; i < refused.size(); ++i) {
        SCOPED_TRACE(i);
        FakeMessageService messages;
        CSampleStore store;
        EXPECT_FALSE(store.Load(refused[i].data(), refused[i].size(), STORE_MEMORY, ""));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].helpId, 31502u);
    }
}

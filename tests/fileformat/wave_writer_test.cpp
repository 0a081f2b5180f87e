#include "fileformat/wave_builder.h"
#include "fileformat/wave_clipboard.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// The 44 bytes every saved WAVE file starts with, spelled out field by field.
std::vector<uint8_t> Header(uint32_t riffSize, uint16_t channels, uint32_t rate, uint16_t bits,
                            uint32_t dataSize) {
    const uint16_t align = uint16_t(channels * bits / 8);
    return Join({Text("RIFF", false),
                 U32(riffSize),
                 Text("WAVEfmt ", false),
                 U32(16),
                 {1, 0, uint8_t(channels), uint8_t(channels >> 8)},
                 U32(rate),
                 U32(rate * align),
                 {uint8_t(align), uint8_t(align >> 8), uint8_t(bits), 0},
                 Text("data", false),
                 U32(dataSize)});
}

std::vector<uint8_t> SaveToBytes(CSampleStore& store, const TempDir& dir, bool raw = false) {
    const std::string path = dir.Path() + "/out.wav";
    EXPECT_TRUE(store.Save(path, raw));
    return ReadFile(path);
}

std::vector<uint8_t> StandardMixer(uint8_t stereo) {
    std::vector<uint8_t> mixer = {stereo, 100, 100};
    mixer.insert(mixer.end(), 32, 100);
    mixer.insert(mixer.end(), 32, 0);
    return mixer;
}

} // namespace

TEST(WaveWriterLayout, OddDataGetsAPadByteAndAPlainMonoFileNoChunks) {
    TempDir dir;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 8, 1, 11025, false));
    const std::vector<uint8_t> samples = {0x80, 0x01, 0xFF};
    ASSERT_TRUE(store.AppendData(samples.data(), 3));
    EXPECT_EQ(SaveToBytes(store, dir), Join({Header(40, 1, 11025, 8, 3), samples, {0}}));
}

TEST(WaveWriterLayout, PlainStereoFileHasNoExtensionChunks) {
    TempDir dir;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 2, 44100, true));
    FillRamp16(store, 3);
    const auto data = AllBytes(store);
    EXPECT_EQ(SaveToBytes(store, dir), Join({Header(36 + 12, 2, 44100, 16, 12), data}));
}

TEST(WaveWriterLayout, FiveTracksWithOneNameWriteMixerAndEveryName) {
    TempDir dir;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 8, 5, 22050, true));
    FillRamp8(store, 1);
    store.m_trackNames[2] = "Bass";
    const auto data = AllBytes(store);
    ASSERT_EQ(data.size(), 5u);
    // "chtt": 4 empty names of 5 bytes each and "Bass" of 4 + 5 bytes: 29, odd, so padded.
    const std::vector<uint8_t> names = Join({Text("chtt", false),
                                             U32(29),
                                             U32(1),
                                             {0},
                                             U32(1),
                                             {0},
                                             U32(5),
                                             Text("Bass"),
                                             U32(1),
                                             {0},
                                             U32(1),
                                             {0},
                                             {0}});
    const std::vector<uint8_t> chnn = Join({Text("chnn", false), U32(67), StandardMixer(1), {0}});
    const uint32_t riffSize = uint32_t(36 + 5 + 1 + chnn.size() + names.size());
    EXPECT_EQ(SaveToBytes(store, dir), Join({Header(riffSize, 5, 22050, 8, 5), data, {0}, chnn, names}));
}

TEST(WaveWriterLayout, InfoListInStoreOrderWithCreationDateCutTo11) {
    TempDir dir;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 8, 1, 8000, false));
    FillRamp8(store, 2);
    store.m_infoTexts[9] = "Song";              // INAM: 5 bytes, padded
    store.m_infoTexts[4] = "2024-01-02 and so"; // ICRD: cut to 11 characters, always 12 bytes
    store.m_infoTexts[2] = "ab";                // ICMT: 3 bytes, padded
    const std::vector<uint8_t> list = Join({Text("LIST", false),
                                            U32(50),
                                            Text("INFO", false),
                                            Text("ICMT", false),
                                            U32(3),
                                            Text("ab"),
                                            {0},
                                            Text("ICRD", false),
                                            U32(12),
                                            Text("2024-01-02 "),
                                            Text("INAM", false),
                                            U32(5),
                                            Text("Song"),
                                            {0}});
    const auto bytes = SaveToBytes(store, dir);
    EXPECT_EQ(bytes, Join({Header(uint32_t(36 + 2 + list.size()), 1, 8000, 8, 2), AllBytes(store), list}));

    store.m_infoTexts[4] = "1999"; // a short date is filled with zero bytes up to 12
    const auto shortDate = SaveToBytes(store, dir);
    const std::vector<uint8_t> expected =
        Join({Text("ICRD", false), U32(12), Text("1999"), std::vector<uint8_t>(7, 0)});
    EXPECT_NE(std::search(shortDate.begin(), shortDate.end(), expected.begin(), expected.end()),
              shortDate.end());
}

TEST(WaveWriterLayout, NonStandardMonoMixerIsWrittenByteForByte) {
    TempDir dir;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 1, 8000, false));
    FillRamp16(store, 1);
    MixerBlock mixer = store.Mixer();
    mixer.volume[0] = 50;
    mixer.balance[0] = -30;
    mixer.mainLeft = 150;
    store.SetMixer(mixer);
    std::vector<uint8_t> body = StandardMixer(0);
    body[1] = 150;
    body[3] = 50;
    body[35] = uint8_t(-30);
    EXPECT_EQ(
        SaveToBytes(store, dir),
        Join(
            {Header(36 + 2 + 76, 1, 8000, 16, 2), AllBytes(store), Text("chnn", false), U32(67), body, {0}}));
}

TEST(WaveWriterLayout, RawFileIsTheSamplesOnly) {
    TempDir dir;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 8, 3, 8000, true));
    FillRamp8(store, 7);
    store.m_trackNames[0] = "not written";
    store.m_infoTexts[0] = "nor this";
    EXPECT_EQ(SaveToBytes(store, dir, true), AllBytes(store));
}

TEST(WaveWriterLayout, EmptyStoreIsRefusedWithoutAMessage) {
    TempDir dir;
    FakeMessageService messages;
    CSampleStore store;
    EXPECT_FALSE(store.Save(dir.Path() + "/x.wav", false));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(dir.Files().empty());
}

TEST(WaveClipboardBlock, IsTheHeaderAndSamplesWithoutAnyChunk) {
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 8, 3, 8000, true));
    FillRamp8(store, 5); // 15 bytes: odd, yet no pad byte in a clipboard block
    store.m_trackNames[1] = "Lead";
    store.m_infoTexts[9] = "Title";
    ASSERT_TRUE(store.Save("", false));
    std::vector<uint8_t> block;
    ASSERT_TRUE(WaveClipboard().GetWave(block));
    EXPECT_EQ(block, Join({Header(36 + 15, 3, 8000, 8, 15), AllBytes(store)}));

    ASSERT_TRUE(store.Save("", true));
    ASSERT_TRUE(WaveClipboard().GetWave(block));
    EXPECT_EQ(block, AllBytes(store));
}

#include "fileformat/wave_builder.h"
#include "fileformat/wave_format.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace ondrix;
using namespace ondrix::test;

namespace {

bool LoadBytes(CSampleStore& store, const std::vector<uint8_t>& bytes) {
    return store.Load(bytes.data(), bytes.size(), STORE_MEMORY, "");
}

std::vector<uint8_t> InfoList(std::initializer_list<std::vector<uint8_t>> subChunks) {
    std::vector<uint8_t> body = Text("INFO", false);
    for (const auto& sub : subChunks) {
        body.insert(body.end(), sub.begin(), sub.end());
    }
    return body;
}

std::vector<uint8_t> Sub(const char* id, const std::vector<uint8_t>& body) {
    std::vector<uint8_t> out = Join({Text(id, false), U32(uint32_t(body.size())), body});
    if (body.size() % 2) {
        out.push_back(0);
    }
    return out;
}

} // namespace

TEST(WaveReaderFormat, ThreeChannelsWithoutMixerChunkAreStereoWithBalanceZero) {
    FakeMessageService messages;
    CSampleStore store;
    store.m_defaultTrackFlags = TRACK_SHOWN | TRACK_EDITED;
    const auto samples = Samples16({1, -2, 3, 400, -500, 600});
    ASSERT_TRUE(LoadBytes(store, WaveBuilder().Fmt(3, 8000, 16).Data(samples).Bytes()));
    EXPECT_EQ(store.GetTrackCount(), 3u);
    EXPECT_EQ(store.GetBitsPerSample(), 16u);
    EXPECT_EQ(store.GetSampleRate(), 8000u);
    EXPECT_EQ(store.GetDataSize(), 12u);
    EXPECT_EQ(store.GetFrameCount(), 2u);
    EXPECT_EQ(AllBytes(store), samples);
    EXPECT_TRUE(store.GetStereo());
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(store.Mixer().balance[t], 0);
        EXPECT_EQ(store.Mixer().volume[t], 100);
        EXPECT_EQ(store.m_trackFlags[t], TRACK_SHOWN | TRACK_EDITED);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST(WaveReaderFormat, PlainStereoLoadsLeftRightAndSavesBackIdentically) {
    TempDir dir;
    const auto bytes = WaveBuilder().Fmt(2, 44100, 16).Data(Samples16({1, 2, 3, 4, -5, -6})).Bytes();
    WriteFile(dir.Path() + "/in.wav", bytes);
    CSampleStore store;
    ASSERT_TRUE(store.Load(dir.Path() + "/in.wav", STORE_TEMPFILE, dir.Path()));
    EXPECT_TRUE(store.GetStereo());
    EXPECT_EQ(store.Mixer().balance[0], -100);
    EXPECT_EQ(store.Mixer().balance[1], 100);
    EXPECT_FALSE(store.IsMixerNonStandard());
    ASSERT_TRUE(store.Save(dir.Path() + "/out.wav", false));
    EXPECT_EQ(ReadFile(dir.Path() + "/out.wav"), bytes);
}

TEST(WaveReaderFormat, MonoWithoutMixerChunkIsNotStereo) {
    CSampleStore store;
    ASSERT_TRUE(LoadBytes(store, WaveBuilder().Fmt(1, 11025, 8).Data(Ramp(10)).Bytes()));
    EXPECT_FALSE(store.GetStereo());
    EXPECT_EQ(store.Mixer().balance[0], 0);
    EXPECT_EQ(store.Mixer().mainLeft, 100);
    EXPECT_EQ(store.Mixer().mainRight, 100);
}

TEST(WaveReaderChunks, OddUnknownChunkBeforeDataIsSkippedWithItsPad) {
    CSampleStore store;
    ASSERT_TRUE(
        LoadBytes(store, WaveBuilder().Fmt(1, 8000, 8).Chunk("abcd", Ramp(5)).Data(Ramp(6, 50)).Bytes()));
    EXPECT_EQ(AllBytes(store), Ramp(6, 50));
}

TEST(WaveReaderChunks, ChunksAfterAnOddDataSizeAndItsPadAreFound) {
    CSampleStore store;
    const auto bytes = WaveBuilder()
                           .Fmt(1, 8000, 8)
                           .Data(Ramp(7))
                           .Chunk("chtt", Join({U32(6), Text("Voice")}))
                           .Chunk("LIST", InfoList({Sub("INAM", Text("Title")), Sub("ICOP", Text("(c) me"))}))
                           .Bytes();
    ASSERT_TRUE(LoadBytes(store, bytes));
    EXPECT_EQ(store.GetDataSize(), 7u);
    EXPECT_EQ(store.m_trackNames[0], "Voice");
    EXPECT_EQ(store.m_infoTexts[9], "Title");
    EXPECT_EQ(store.m_infoTexts[3], "(c) me");
}

TEST(WaveReaderChunks, CreationDateNeedsTwelveBytesAndEmptyTextsAreIgnored) {
    CSampleStore store;
    const auto withDate = [&](const std::vector<uint8_t>& date) {
        const auto bytes =
            WaveBuilder()
                .Fmt(1, 8000, 8)
                .Data(Ramp(2))
                .Chunk("LIST", InfoList({Sub("ICRD", date), Sub("IART", {0}), Sub("IGNR", Text("Jazz"))}))
                .Bytes();
        EXPECT_TRUE(LoadBytes(store, bytes));
    };
    withDate(Join({Text("2001-02-03", false), {0}}));
    EXPECT_EQ(store.m_infoTexts[4], ""); // 11 bytes: ignored
    withDate(Join({Text("2001-02-03"), {0}}));
    EXPECT_EQ(store.m_infoTexts[4], "2001-02-03");
    EXPECT_EQ(store.m_infoTexts[0], ""); // size 1: ignored
    EXPECT_EQ(store.m_infoTexts[6], "Jazz");
}

TEST(WaveReaderChunks, InfoTextsOutsideAListAreIgnored) {
    CSampleStore store;
    const auto bytes = WaveBuilder()
                           .Fmt(1, 8000, 8)
                           .Data(Ramp(2))
                           .Chunk("INAM", Text("Loose"))
                           .Chunk("LIST", Join({Text("adtl", false), Sub("INAM", Text("x"))}))
                           .Bytes();
    ASSERT_TRUE(LoadBytes(store, bytes));
    EXPECT_EQ(store.m_infoTexts[9], "");
}

TEST(WaveReaderChunks, ChunkClaimingMoreThanTheFileEndsTheTrailingChunksKeepingEarlierOnes) {
    CSampleStore store;
    const auto bytes = WaveBuilder()
                           .Fmt(2, 8000, 8)
                           .Data(Ramp(4))
                           .Chunk("chtt", Join({U32(2), Text("L"), U32(2), Text("R")}))
                           .Chunk("junk", Ramp(4), true, 5000)
                           .Chunk("LIST", InfoList({Sub("INAM", Text("Lost"))}))
                           .Bytes();
    ASSERT_TRUE(LoadBytes(store, bytes));
    EXPECT_EQ(store.m_trackNames[0], "L");
    EXPECT_EQ(store.m_trackNames[1], "R");
    EXPECT_EQ(store.m_infoTexts[9], "");
}

TEST(WaveReaderChunks, MixerChunkReplacesTheDefaultsAndWrongSizesAreSkipped) {
    std::vector<uint8_t> mixer = {0, 80, 90};
    mixer.insert(mixer.end(), 32, 100);
    mixer.insert(mixer.end(), 32, 0);
    mixer[3] = 0;
    mixer[36] = uint8_t(-40);
    CSampleStore store;
    ASSERT_TRUE(LoadBytes(store, WaveBuilder().Fmt(2, 8000, 8).Data(Ramp(4)).Chunk("chnn", mixer).Bytes()));
    EXPECT_FALSE(store.GetStereo());
    EXPECT_EQ(store.Mixer().mainLeft, 80);
    EXPECT_EQ(store.Mixer().mainRight, 90);
    EXPECT_EQ(store.Mixer().volume[0], 0);
    EXPECT_EQ(store.Mixer().balance[0], 0);
    EXPECT_EQ(store.Mixer().balance[1], -40);

    mixer.push_back(0); // 68 bytes: not a mixer block
    ASSERT_TRUE(LoadBytes(store, WaveBuilder().Fmt(2, 8000, 8).Data(Ramp(4)).Chunk("chnn", mixer).Bytes()));
    EXPECT_TRUE(store.GetStereo());
    EXPECT_EQ(store.Mixer().balance[0], -100);
}

TEST(WaveReaderChunks, MixerValuesOutOfRangeAreClamped) {
    std::vector<uint8_t> mixer = {1, 255, 201};
    mixer.insert(mixer.end(), 32, 250);
    mixer.insert(mixer.end(), 32, uint8_t(-128));
    mixer[35 + 1] = 127;
    CSampleStore store;
    ASSERT_TRUE(LoadBytes(store, WaveBuilder().Fmt(2, 8000, 8).Data(Ramp(4)).Chunk("chnn", mixer).Bytes()));
    EXPECT_EQ(store.Mixer().mainLeft, 200);
    EXPECT_EQ(store.Mixer().mainRight, 200);
    EXPECT_EQ(store.Mixer().volume[5], 200);
    EXPECT_EQ(store.Mixer().balance[0], -100);
    EXPECT_EQ(store.Mixer().balance[1], 100);
}

TEST(WaveReaderChunks, NamesEndAtTheirZeroAndAShortNameTableLeavesTheRestEmpty) {
    CSampleStore store;
    const auto bytes = WaveBuilder()
                           .Fmt(3, 8000, 8)
                           .Data(Ramp(3))
                           .Chunk("chtt", Join({U32(6), Text("ab"), Text("cd"), U32(3), Text("xy")}))
                           .Bytes();
    ASSERT_TRUE(LoadBytes(store, bytes));
    EXPECT_EQ(store.m_trackNames[0], "ab");
    EXPECT_EQ(store.m_trackNames[1], "xy");
    EXPECT_EQ(store.m_trackNames[2], "");
}

TEST(WaveReaderLegacy, OldMixerTitleAndCopyrightChunksBeforeFmt) {
    // Codes for tracks 0..3: 0 mutes, 1 centres, 2 left, 3 right; 9 leaves the track alone.
    std::vector<uint8_t> chni = {1, 0, 1, 2, 3, 9};
    chni.resize(17, 9);
    const auto bytes = WaveBuilder()
                           .Chunk("titl", Text("Old title", false), false)
                           .Chunk("chni", chni, false)
                           .Chunk("copy", Text("Old copy", false), false)
                           .Fmt(5, 8000, 8)
                           .Data(Ramp(5))
                           .Bytes();
    CSampleStore store;
    ASSERT_TRUE(LoadBytes(store, bytes));
    EXPECT_EQ(store.m_infoTexts[9], "Old title");
    EXPECT_EQ(store.m_infoTexts[3], "Old copy");
    EXPECT_TRUE(store.GetStereo());
    EXPECT_EQ(store.Mixer().volume[0], 0);
    EXPECT_EQ(store.Mixer().balance[0], 0);
    EXPECT_EQ(store.Mixer().volume[1], 100);
    EXPECT_EQ(store.Mixer().balance[1], 0);
    EXPECT_EQ(store.Mixer().balance[2], -100);
    EXPECT_EQ(store.Mixer().balance[3], 100);
    EXPECT_EQ(store.Mixer().balance[4], 0);

    // A two-track file with an old mixer chunk keeps what the chunk says instead of left/right.
    std::vector<uint8_t> centre(17, 1);
    CSampleStore two;
    ASSERT_TRUE(
        LoadBytes(two, WaveBuilder().Chunk("chni", centre, false).Fmt(2, 8000, 8).Data(Ramp(2)).Bytes()));
    EXPECT_EQ(two.Mixer().balance[0], 0);
    EXPECT_EQ(two.Mixer().balance[1], 0);
}

TEST(WaveReaderExtensible, PcmSubFormatLoadsLikePlainPcm) {
    CSampleStore store;
    const auto samples = Samples16({1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_TRUE(LoadBytes(store, WaveBuilder().FmtExtensible(4, 48000, 16, 16).Data(samples).Bytes()));
    EXPECT_EQ(store.GetTrackCount(), 4u);
    EXPECT_EQ(store.GetSampleRate(), 48000u);
    EXPECT_EQ(AllBytes(store), samples);
}

TEST(WaveReaderTruncated, DataClaimingMoreThanTheFileLoadsTheWholeFramesThere) {
    TempDir dir;
    auto bytes = WaveBuilder().Fmt(2, 8000, 16).Data(Samples16({1, 2, 3, 4, 5, 6})).Bytes();
    bytes.resize(bytes.size() - 3); // a recording cut off in the middle of its last frame
    WriteFile(dir.Path() + "/cut.wav", bytes);
    for (const StorageMode mode : {STORE_MEMORY, STORE_TEMPFILE, STORE_INPLACE}) {
        CSampleStore store;
        ASSERT_TRUE(store.Load(dir.Path() + "/cut.wav", mode, dir.Path()));
        EXPECT_EQ(store.GetDataSize(), 8u);
        EXPECT_EQ(AllBytes(store), Samples16({1, 2, 3, 4}));
    }
}

TEST(WaveReaderMessages, NotAWaveFileShows31501OnceWithTheFileName) {
    TempDir dir;
    const std::string path = dir.Path() + "/notes.txt";
    WriteFile(path, Text("just some text, long enough", false));
    FakeMessageService messages;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 8, 1, 8000, false));
    EXPECT_FALSE(store.Load(path, STORE_TEMPFILE, dir.Path()));
    EXPECT_FALSE(store.HasData());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "The file " + path + " has no valid WAVE format.\nThis file cannot be opened.");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
    EXPECT_EQ(messages.shown[0].helpId, 31501u);
    ASSERT_EQ(messages.beeps.size(), 1u);
    EXPECT_EQ(messages.beeps[0], MsgIcon::Stop);
    EXPECT_EQ(dir.Files().size(), 1u); // no temporary file left
}

TEST(WaveReaderMessages, UnknownFormatShows31502AndMemorySourcesHaveNoName) {
    FakeMessageService messages;
    CSampleStore store;
    EXPECT_FALSE(LoadBytes(store, WaveBuilder().Fmt(1, 8000, 16, 3).Data(Ramp(4)).Bytes()));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "The WAVE- file  has an unknown WAVE- format.\nPlease check the file for "
              "errors.\nYou can load this file in raw format.");
    EXPECT_EQ(messages.shown[0].helpId, 31502u);
    EXPECT_FALSE(LoadBytes(store, Text("RIFF", false)));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "The file  has no valid WAVE format.\nThis file cannot be opened.");
}

TEST(WaveReaderMessages, ShowErrorsClearIsSilent) {
    FakeMessageService messages;
    CSampleStore store;
    store.m_showErrors = 0;
    EXPECT_FALSE(LoadBytes(store, Text("nothing", false)));
    EXPECT_FALSE(store.Load("/nonexistent/file.wav", STORE_MEMORY, ""));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(messages.beeps.empty());
}

TEST(WaveReaderMessages, MissingFileIsReportedOnceWithTheStandardText) {
    FakeMessageService messages;
    CSampleStore store;
    EXPECT_FALSE(store.Load("/nonexistent/file.wav", STORE_MEMORY, ""));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "/nonexistent/file.wav was not found.");
}

TEST(WaveReaderMessages, TemporaryFileThatCannotBeMadeShows31500) {
    FakeMessageService messages;
    CSampleStore store;
    const auto bytes = WaveBuilder().Fmt(1, 8000, 8).Data(Ramp(4)).Bytes();
    EXPECT_FALSE(store.Load(bytes.data(), bytes.size(), STORE_TEMPFILE, "/nonexistent/directory"));
    EXPECT_FALSE(store.HasData());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, 31500u);
}

TEST(WaveReaderArguments, MemorySourcesRefuseInPlaceAndAbsentBlocks) {
    FakeMessageService messages;
    CSampleStore store;
    const auto bytes = WaveBuilder().Fmt(1, 8000, 8).Data(Ramp(4)).Bytes();
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 8, 1, 8000, false));
    EXPECT_FALSE(store.Load(bytes.data(), bytes.size(), STORE_INPLACE, ""));
    EXPECT_TRUE(store.HasData()); // refused at once: the store is untouched
    EXPECT_FALSE(store.Load(nullptr, 10, STORE_MEMORY, ""));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(WaveReaderStorage, InPlaceReadsTheSourceFileAndNeverDeletesIt) {
    TempDir dir;
    const std::string path = dir.Path() + "/song.wav";
    WriteFile(path, WaveBuilder().Fmt(1, 8000, 8).Chunk("junk", Ramp(3)).Data(Ramp(9, 7)).Bytes());
    {
        CSampleStore store;
        ASSERT_TRUE(store.Load(path, STORE_INPLACE, ""));
        EXPECT_EQ(store.GetStorageMode(), STORE_INPLACE);
        EXPECT_EQ(store.GetTempFileName(), path);
        EXPECT_EQ(AllBytes(store), Ramp(9, 7));
        uint8_t byte = 0;
        EXPECT_FALSE(store.WriteData(0, &byte, 1));
        EXPECT_EQ(dir.Files().size(), 1u);
    }
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST(WaveReaderStorage, TempFileLivesInTheGivenDirectoryWithTheTrkPrefix) {
    TempDir dir;
    const auto bytes = WaveBuilder().Fmt(1, 8000, 8).Data(Ramp(5)).Bytes();
    CSampleStore store;
    ASSERT_TRUE(store.Load(bytes.data(), bytes.size(), STORE_TEMPFILE, dir.Path()));
    ASSERT_EQ(dir.Files().size(), 1u);
    EXPECT_EQ(dir.Files()[0].substr(0, 3), "TRK");
    EXPECT_EQ(store.GetTempDirectory(), dir.Path());
    EXPECT_EQ(AllBytes(store), Ramp(5));
    store.Release();
    EXPECT_TRUE(dir.Files().empty());
}

TEST(WaveReaderRoundTrip, EveryTravellingFieldSurvivesAndPlayOffFlagsDoNot) {
    TempDir dir;
    CSampleStore store;
    store.m_defaultTrackFlags = TRACK_EDITED;
    ASSERT_TRUE(store.Create(STORE_TEMPFILE, dir.Path(), 8, 5, 22050, true));
    FillRamp8(store, 101); // 505 bytes: odd
    MixerBlock mixer = store.Mixer();
    mixer.volume[3] = 7;
    mixer.balance[4] = 55;
    mixer.mainRight = 120;
    store.SetMixer(mixer);
    store.m_trackNames[0] = "Drums";
    store.m_trackNames[4] = "Vocals";
    store.m_infoTexts[9] = "Name";
    store.m_infoTexts[4] = "2020-05-06";
    store.m_infoTexts[15] = "Tech";
    store.SetPlayOff(1, true);
    store.m_trackFlags[2] = TRACK_SHOWN;
    const std::string path = dir.Path() + "/trip.wav";
    ASSERT_TRUE(store.Save(path, false));

    CSampleStore loaded;
    loaded.m_defaultTrackFlags = TRACK_SHOWN | TRACK_EDITED;
    ASSERT_TRUE(loaded.Load(path, STORE_MEMORY, ""));
    EXPECT_EQ(loaded.GetTrackCount(), 5u);
    EXPECT_EQ(loaded.GetBitsPerSample(), 8u);
    EXPECT_EQ(loaded.GetSampleRate(), 22050u);
    EXPECT_EQ(AllBytes(loaded), AllBytes(store));
    EXPECT_EQ(std::memcmp(&loaded.Mixer(), &store.Mixer(), sizeof(MixerBlock)), 0);
    EXPECT_EQ(loaded.m_trackNames, store.m_trackNames);
    EXPECT_EQ(loaded.m_infoTexts, store.m_infoTexts);
    for (int t = 0; t < 5; ++t) {
        EXPECT_FALSE(loaded.GetPlayOff(t));
        EXPECT_EQ(loaded.m_trackFlags[t], TRACK_SHOWN | TRACK_EDITED);
    }
}

TEST(WaveReaderRaw, DataFromTheOffsetToTheEndInWholeFrames) {
    TempDir dir;
    const std::string path = dir.Path() + "/raw.bin";
    WriteFile(path, Ramp(1001));
    CSampleStore store;
    ASSERT_TRUE(store.LoadRaw(path, RawFormat{11025, 1, 8, 1}, STORE_MEMORY, ""));
    EXPECT_EQ(store.GetDataSize(), 1000u);
    EXPECT_EQ(store.GetSampleRate(), 11025u);
    EXPECT_EQ(AllBytes(store), Ramp(1000, 1));
    EXPECT_FALSE(store.GetStereo());

    ASSERT_TRUE(store.LoadRaw(path, RawFormat{8000, 2, 16, 0}, STORE_INPLACE, ""));
    EXPECT_EQ(store.GetDataSize(), 1000u); // 1001 bytes hold 250 frames of 4 bytes
    EXPECT_EQ(store.Mixer().balance[0], -100);
    EXPECT_EQ(store.Mixer().balance[1], 100);
    EXPECT_TRUE(store.GetStereo());

    ASSERT_TRUE(store.LoadRaw(path, RawFormat{8000, 1, 8, 5000}, STORE_TEMPFILE, dir.Path()));
    EXPECT_EQ(store.GetDataSize(), 0u); // an offset past the end leaves nothing, never a wrapped size
}

TEST(WaveReaderRaw, ImpossibleFormatsAreRefusedWithoutAMessage) {
    TempDir dir;
    const std::string path = dir.Path() + "/raw.bin";
    WriteFile(path, Ramp(100));
    FakeMessageService messages;
    CSampleStore store;
    EXPECT_FALSE(store.LoadRaw(path, RawFormat{8000, 0, 8, 0}, STORE_MEMORY, ""));
    EXPECT_FALSE(store.LoadRaw(path, RawFormat{8000, 33, 8, 0}, STORE_MEMORY, ""));
    EXPECT_FALSE(store.LoadRaw(path, RawFormat{8000, 1, 24, 0}, STORE_MEMORY, ""));
    EXPECT_FALSE(store.LoadRaw(path, RawFormat{0, 1, 8, 0}, STORE_MEMORY, ""));
    EXPECT_TRUE(messages.shown.empty());
}

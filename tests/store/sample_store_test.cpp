#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ondrix;
using namespace ondrix::test;

TEST(SampleStoreFormat, EmptyStoreReportsZeroAndBlockAlignOne) {
    CSampleStore store;
    EXPECT_FALSE(store.HasData());
    EXPECT_EQ(store.GetBlockAlign(), 1u);
    EXPECT_EQ(store.GetBitsPerSample(), 0u);
    EXPECT_EQ(store.GetTrackCount(), 0u);
    EXPECT_EQ(store.GetSampleRate(), 0u);
    EXPECT_EQ(store.GetDataSize(), 0u);
    EXPECT_EQ(store.MsToFrames(1000), 0);
    EXPECT_EQ(store.FramesToMs(1000), 0);
    uint8_t byte = 0;
    EXPECT_EQ(store.ReadData(0, &byte, 1), 0u);
    EXPECT_FALSE(store.WriteData(0, &byte, 1));
    EXPECT_FALSE(store.AppendData(&byte, 1));
    EXPECT_FALSE(store.BuildDisplayCache(0, 10, 0));
}

TEST(SampleStoreFormat, CreateSetsDefaultsPerTrackCount) {
    CSampleStore store;
    store.m_defaultTrackFlags = TRACK_SHOWN | TRACK_EDITED;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 2, 44100, true));
    EXPECT_EQ(store.GetBlockAlign(), 4u);
    const MixerBlock& m = store.Mixer();
    EXPECT_EQ(m.stereo, 1);
    EXPECT_EQ(m.mainLeft, 100);
    EXPECT_EQ(m.mainRight, 100);
    EXPECT_EQ(m.balance[0], -100);
    EXPECT_EQ(m.balance[1], 100);
    EXPECT_EQ(m.volume[1], 100);
    EXPECT_EQ(store.m_trackFlags[1], TRACK_SHOWN | TRACK_EDITED);
    EXPECT_FALSE(store.IsMixerNonStandard());

    CSampleStore mono;
    ASSERT_TRUE(mono.Create(STORE_MEMORY, "", 8, 1, 8000, false));
    EXPECT_FALSE(mono.IsMixerNonStandard());
    EXPECT_EQ(mono.Mixer().balance[0], 0);
    EXPECT_EQ(mono.GetBlockAlign(), 1u);

    CSampleStore three;
    ASSERT_TRUE(three.Create(STORE_MEMORY, "", 8, 3, 8000, true));
    EXPECT_TRUE(three.IsMixerNonStandard());
    EXPECT_TRUE(three.IsMixNeeded());
}

TEST(SampleStoreFormat, CreateRefusesBadFormats) {
    CSampleStore store;
    EXPECT_FALSE(store.Create(STORE_MEMORY, "", 12, 1, 8000, false));
    EXPECT_FALSE(store.Create(STORE_MEMORY, "", 8, 0, 8000, false));
    EXPECT_FALSE(store.Create(STORE_MEMORY, "", 8, 33, 8000, false));
    EXPECT_FALSE(store.Create(STORE_INPLACE, "", 8, 1, 8000, false));
    EXPECT_FALSE(store.HasData());
}

TEST(SampleStoreMixer, NonStandardRulesForOneAndTwoTracks) {
    CSampleStore mono;
    ASSERT_TRUE(mono.Create(STORE_MEMORY, "", 16, 1, 8000, false));
    MixerBlock m = mono.Mixer();
    m.mainRight = 50; // the right main volume does not count for one track
    mono.SetMixer(m);
    EXPECT_FALSE(mono.IsMixerNonStandard());
    m.balance[0] = 10;
    mono.SetMixer(m);
    EXPECT_TRUE(mono.IsMixerNonStandard());
    mono.SetStereo(true);
    m = mono.Mixer();
    m.balance[0] = 0;
    EXPECT_TRUE(mono.IsMixerNonStandard());

    CSampleStore stereo;
    ASSERT_TRUE(stereo.Create(STORE_MEMORY, "", 16, 2, 8000, true));
    EXPECT_FALSE(stereo.IsMixNeeded());
    stereo.SetPlayOff(1, true);
    EXPECT_TRUE(stereo.GetPlayOff(1));
    EXPECT_FALSE(stereo.IsMixerNonStandard());
    EXPECT_TRUE(stereo.IsMixNeeded());
    stereo.SetPlayOff(1, false);
    stereo.SetStereo(false);
    EXPECT_TRUE(stereo.IsMixerNonStandard());
    stereo.SetStereo(true);
    m = stereo.Mixer();
    m.volume[1] = 99;
    stereo.SetMixer(m);
    EXPECT_TRUE(stereo.IsMixerNonStandard());
    // A play-off flag beyond the track count does not ask for mixing.
    CSampleStore other;
    ASSERT_TRUE(other.Create(STORE_MEMORY, "", 16, 2, 8000, true));
    other.SetPlayOff(5, true);
    EXPECT_FALSE(other.IsMixNeeded());
}

TEST(SampleStoreTime, MsAndFramesConversions) {
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 1, 44100, false));
    EXPECT_EQ(store.MsToFrames(1), 45); // ceil(44.1)
    EXPECT_EQ(store.MsToFrames(0), 0);
    EXPECT_EQ(store.MsToFrames(-7), -7);
    EXPECT_EQ(store.FramesToMs(44099), 999); // truncated
    EXPECT_EQ(store.FramesToMs(44100), 1000);
    EXPECT_EQ(store.FramesToMs(-3), -3);
    CSampleStore low;
    ASSERT_TRUE(low.Create(STORE_MEMORY, "", 8, 1, 8000, false));
    EXPECT_EQ(low.MsToFrames(3), 24);
    EXPECT_EQ(low.FramesToMs(7), 0);
}

TEST(SampleStoreData, ReadWriteAppendByOffset) {
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 8, 1, 8000, false));
    const uint8_t a[4] = {1, 2, 3, 4};
    ASSERT_TRUE(store.AppendData(a, 4));
    ASSERT_TRUE(store.AppendData(a, 2));
    EXPECT_EQ(store.GetDataSize(), 6u);
    const uint8_t b[2] = {9, 9};
    ASSERT_TRUE(store.WriteData(1, b, 2));
    EXPECT_EQ(store.GetDataSize(), 6u);
    EXPECT_EQ(AllBytes(store), (std::vector<uint8_t>{1, 9, 9, 4, 1, 2}));
    uint8_t out[10] = {};
    EXPECT_EQ(store.ReadData(4, out, 10), 2u); // reads stop at the data size
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(store.ReadData(6, out, 1), 0u);
    EXPECT_EQ(store.ReadData(0, nullptr, 1), 0u);
    EXPECT_FALSE(store.AppendData(nullptr, 1));
}

TEST(SampleStoreFiles, TempFileIsNamedTrkInChosenDirectoryAndRemovedOnRelease) {
    TempDir dir;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_TEMPFILE, dir.Path(), 16, 2, 22050, true));
    const auto files = dir.Files();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].rfind("TRK", 0), 0u);
    EXPECT_EQ(store.GetTempFileName(), dir.Path() + "/" + files[0]);
    EXPECT_EQ(store.GetTempDirectory(), dir.Path());
    FillRamp16(store, 100);
    EXPECT_EQ(std::filesystem::file_size(store.GetTempFileName()), 400u);
    store.Release();
    EXPECT_FALSE(store.HasData());
    EXPECT_TRUE(dir.Files().empty());
}

TEST(SampleStoreFiles, TwoStoresInOneDirectoryGetTheirOwnFiles) {
    TempDir dir;
    CSampleStore a, b;
    ASSERT_TRUE(a.Create(STORE_TEMPFILE, dir.Path(), 8, 1, 8000, false));
    ASSERT_TRUE(b.Create(STORE_TEMPFILE, dir.Path(), 8, 1, 8000, false));
    EXPECT_NE(a.GetTempFileName(), b.GetTempFileName());
    EXPECT_EQ(dir.Files().size(), 2u);
}

TEST(SampleStoreFiles, MissingDirectoryShows31500OnceAndLeavesStoreEmpty) {
    FakeMessageService messages;
    CSampleStore store;
    EXPECT_FALSE(store.Create(STORE_TEMPFILE, "/nonexistent/ondrix/dir", 8, 1, 8000, false));
    EXPECT_FALSE(store.HasData());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, 31500u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Stop);
    EXPECT_NE(messages.shown[0].text.find("An error occured creating temporary file."), std::string::npos);
    ASSERT_EQ(messages.beeps.size(), 1u);
    EXPECT_EQ(messages.beeps[0], MsgIcon::Stop);

    store.m_showErrors = 0;
    EXPECT_FALSE(store.Create(STORE_TEMPFILE, "/nonexistent/ondrix/dir", 8, 1, 8000, false));
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(SampleStoreCopy, CopyFromCopiesEverythingBetweenStorageModes) {
    TempDir dir;
    for (StorageMode sourceMode : {STORE_MEMORY, STORE_TEMPFILE}) {
        for (StorageMode targetMode : {STORE_MEMORY, STORE_TEMPFILE}) {
            CSampleStore source;
            ASSERT_TRUE(source.Create(sourceMode, dir.Path(), 16, 3, 32000, true));
            FillRamp16(source, 70000); // more than one 64 KiB piece
            source.m_trackNames[2] = "Bass";
            source.m_infoTexts[9] = "Title";
            source.m_trackFlags[1] = TRACK_EDITED;
            source.SetPlayOff(0, true);
            MixerBlock m = source.Mixer();
            m.volume[2] = 150;
            m.balance[1] = -30;
            source.SetMixer(m);

            CSampleStore copy;
            ASSERT_TRUE(copy.CopyFrom(targetMode, dir.Path(), &source));
            EXPECT_EQ(copy.GetStorageMode(), targetMode);
            EXPECT_EQ(copy.GetSampleRate(), 32000u);
            EXPECT_EQ(copy.GetTrackCount(), 3u);
            EXPECT_EQ(copy.GetDataSize(), source.GetDataSize());
            EXPECT_EQ(AllBytes(copy), AllBytes(source));
            EXPECT_EQ(copy.m_trackNames[2], "Bass");
            EXPECT_EQ(copy.m_infoTexts[9], "Title");
            EXPECT_EQ(copy.m_trackFlags[1], TRACK_EDITED);
            EXPECT_TRUE(copy.GetPlayOff(0));
            EXPECT_EQ(copy.Mixer().volume[2], 150);
            EXPECT_EQ(copy.Mixer().balance[1], -30);
        }
    }
}

TEST(SampleStoreCopy, CopyFromRefusesAbsentSourceAndInPlace) {
    CSampleStore source, copy, empty;
    ASSERT_TRUE(source.Create(STORE_MEMORY, "", 8, 1, 8000, false));
    EXPECT_FALSE(copy.CopyFrom(STORE_MEMORY, "", nullptr));
    EXPECT_FALSE(copy.CopyFrom(STORE_INPLACE, "", &source));
    EXPECT_FALSE(copy.CopyFrom(STORE_MEMORY, "", &empty));
}

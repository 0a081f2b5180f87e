#include "fileformat/wave_builder.h"
#include "fileformat/wave_corpus.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// Loads every corpus image from a file in each storage mode and checks message, format and leftovers.
void CheckCorpusFromFiles(StorageMode mode) {
    for (const CorpusCase& c : MalformedCorpus()) {
        SCOPED_TRACE(c.name);
        TempDir source;
        TempDir temp;
        const std::string path = source.Path() + "/" + c.name + ".wav";
        WriteFile(path, c.bytes);
        FakeMessageService messages;
        CSampleStore store;
        const bool loaded = store.Load(path, mode, temp.Path());
        if (c.message != 0) {
            EXPECT_FALSE(loaded);
            EXPECT_FALSE(store.HasData());
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].helpId, c.message);
            EXPECT_NE(messages.shown[0].text.find(path), std::string::npos);
            EXPECT_TRUE(temp.Files().empty());
        } else {
            ASSERT_TRUE(loaded);
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(store.GetTrackCount(), c.tracks);
            EXPECT_EQ(store.GetBitsPerSample(), c.bits);
            EXPECT_EQ(store.GetDataSize(), c.dataSize);
            EXPECT_EQ(AllBytes(store).size(), c.dataSize);
            EXPECT_EQ(temp.Files().size(), mode == STORE_TEMPFILE ? 1u : 0u);
        }
        store.Release();
        EXPECT_TRUE(temp.Files().empty());
        EXPECT_EQ(source.Files().size(), 1u);
    }
}

} // namespace

TEST(WaveCorpus, FromMemoryEveryCaseGivesItsMessageOrItsPartialResult) {
    for (const CorpusCase& c : MalformedCorpus()) {
        SCOPED_TRACE(c.name);
        FakeMessageService messages;
        CSampleStore store;
        static const uint8_t nothing = 0;
        const bool loaded =
            store.Load(c.bytes.empty() ? &nothing : c.bytes.data(), c.bytes.size(), STORE_MEMORY, "");
        EXPECT_EQ(loaded, c.message == 0);
        if (c.message != 0) {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].helpId, c.message);
            EXPECT_EQ(messages.beeps.size(), 1u);
        } else {
            EXPECT_EQ(store.GetDataSize(), c.dataSize);
            EXPECT_EQ(store.GetTrackCount(), c.tracks);
        }
    }
}

TEST(WaveCorpus, FromFilesIntoTemporaryFiles) {
    CheckCorpusFromFiles(STORE_TEMPFILE);
}

TEST(WaveCorpus, FromFilesInPlace) {
    CheckCorpusFromFiles(STORE_INPLACE);
}

TEST(WaveCorpus, TrailingDamageKeepsWhatCameBefore) {
    FakeMessageService messages;
    CSampleStore store;
    for (const CorpusCase& c : MalformedCorpus()) {
        if (c.name == "chtt-huge-entry") {
            ASSERT_TRUE(store.Load(c.bytes.data(), c.bytes.size(), STORE_MEMORY, ""));
            EXPECT_EQ(store.m_trackNames[0], "abc");
            EXPECT_EQ(store.m_trackNames[1], "");
        }
        if (c.name == "list-claims-too-much" || c.name == "info-outside-list") {
            ASSERT_TRUE(store.Load(c.bytes.data(), c.bytes.size(), STORE_MEMORY, ""));
            EXPECT_EQ(store.m_infoTexts[9], "");
        }
        if (c.name == "chnn-wrong-size" || c.name == "chnn-cut") {
            ASSERT_TRUE(store.Load(c.bytes.data(), c.bytes.size(), STORE_MEMORY, ""));
            EXPECT_EQ(store.Mixer().balance[0], -100);
            EXPECT_EQ(store.Mixer().mainLeft, 100);
        }
    }
    EXPECT_TRUE(messages.shown.empty());
}

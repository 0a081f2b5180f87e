#include "base/progress.h"
#include "store/sample_store.h"
#include "support/fake_message_service.h"
#include "support/small_disk.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// Writes a 16-bit, 3-track ramp of frames frames (longer than one piece) as a WAVE file.
std::vector<uint8_t> WriteRamp(const std::string& path, uint32_t frames) {
    CSampleStore sound;
    EXPECT_TRUE(sound.Create(STORE_MEMORY, "", 16, 3, 22050, false));
    FillRamp16(sound, frames);
    sound.m_trackNames[1] = "middle";
    EXPECT_TRUE(sound.Save(path, false));
    return AllBytes(sound);
}

/// Asks for an abort as soon as a progress display begins.
class AbortAtOnce final : public CHeadlessProgress {
public:
    AbortAtOnce() {
        SetAbortWithoutAsking(true);
        RegisterProgressDisplay(kStatusBarWindowId, this);
    }
    ~AbortAtOnce() override { RegisterProgressDisplay(kStatusBarWindowId, nullptr); }

protected:
    void OnBegin() override { RequestAbort(); }
};

} // namespace

TEST(InPlaceStore, MakeWritableCopiesTheSamplesAndLeavesTheFileAlone) {
    TempDir files;
    TempDir temp;
    const std::string path = files.Path() + "/ramp.wav";
    const std::vector<uint8_t> samples = WriteRamp(path, 40000); // 240 KB
    const std::string before = FileBytes(path);
    {
        CSampleStore store;
        ASSERT_TRUE(store.Load(path, STORE_INPLACE, ""));
        ASSERT_EQ(store.GetStorageMode(), STORE_INPLACE);
        EXPECT_FALSE(store.DeleteBlock(nullptr, 0, 9)); // an in-place store is only read
        EXPECT_TRUE(store.MakeWritable(STORE_TEMPFILE, temp.Path()));
        EXPECT_EQ(store.GetStorageMode(), STORE_TEMPFILE);
        EXPECT_EQ(store.GetTempDirectory(), temp.Path());
        EXPECT_EQ(temp.Files().size(), 1u);
        EXPECT_EQ(AllBytes(store), samples);
        EXPECT_EQ(store.m_trackNames[1], "middle");
        EXPECT_TRUE(store.MakeWritable(STORE_TEMPFILE, temp.Path())); // nothing left to do
        EXPECT_EQ(temp.Files().size(), 1u);
        ASSERT_TRUE(store.DeleteBlock(nullptr, 0, 9));
        EXPECT_EQ(store.GetFrameCount(), 39990u);
        EXPECT_EQ(temp.Files().size(), 1u); // the replacement lives where the copy went
        EXPECT_EQ(FileBytes(path), before);
    }
    EXPECT_TRUE(temp.Files().empty());
    EXPECT_EQ(FileBytes(path), before);

    CSampleStore memory;
    ASSERT_TRUE(memory.Load(path, STORE_INPLACE, ""));
    EXPECT_TRUE(memory.MakeWritable(STORE_MEMORY, ""));
    EXPECT_EQ(memory.GetStorageMode(), STORE_MEMORY);
    EXPECT_EQ(AllBytes(memory), samples);
    EXPECT_FALSE(memory.MakeWritable(STORE_INPLACE, ""));
    CSampleStore empty;
    EXPECT_FALSE(empty.MakeWritable(STORE_TEMPFILE, temp.Path()));
}

TEST(InPlaceStore, AFailedOrAbortedCopyLeavesTheStoreReadingTheFile) {
    TempDir files;
    const std::string path = files.Path() + "/ramp.wav";
    const std::vector<uint8_t> samples = WriteRamp(path, 40000);
    FakeMessageService messages;
    CSampleStore store;
    ASSERT_TRUE(store.Load(path, STORE_INPLACE, ""));
    {
        SmallDisk disk(96 * 1024);
        EXPECT_FALSE(store.MakeWritable(STORE_TEMPFILE, disk.Path()));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "Destination disk drive is full.");
        EXPECT_EQ(disk.FileCount(), 0u);
    }
    EXPECT_EQ(store.GetStorageMode(), STORE_INPLACE);
    EXPECT_EQ(AllBytes(store), samples);

    TempDir temp;
    store.m_progressWindowId = kStatusBarWindowId;
    store.m_progressTextId = 1028;
    AbortAtOnce abort;
    EXPECT_FALSE(store.MakeWritable(STORE_TEMPFILE, temp.Path()));
    EXPECT_EQ(messages.shown.size(), 1u); // an abort is silent
    EXPECT_TRUE(temp.Files().empty());
    EXPECT_EQ(store.GetStorageMode(), STORE_INPLACE);
    EXPECT_EQ(AllBytes(store), samples);
}

#include "app/ui/editor_fixture.h"
#include "controls/time_format.h"
#include "resources/command_ids.h"
#include "support/small_disk.h"
#include "support/test_store.h"

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// A WAVE file opened on a disk Editor path is read in place until a command changes its samples.
class InPlaceOpenTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        g_settings.sampleWindow.timeFmt = TIMEFMT_SAMPLES;
        g_settings.edit.allTracks = 1;
    }
};

} // namespace

TEST_F(InPlaceOpenTest, TheFirstChangeCopiesTheSoundAndEverythingBehavesAsIfCopiedAtOpen) {
    const std::string path = MakeWave("long.wav", 2, 16, 22050, 40000); // 160 KB
    ASSERT_TRUE(OpenByCommand(path));
    COndrixDoc* doc = Doc();
    ASSERT_EQ(doc->GetStore()->GetStorageMode(), STORE_INPLACE);
    EXPECT_TRUE(temp.Files().empty()); // nothing was copied
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(Status(3), "40000");
    const std::vector<uint8_t> original = AllBytes(*doc->GetStore());

    // names and mixer live in the store's fields: no copy, and saving over the file works
    doc->GetStore()->m_trackNames[0] = "left";
    doc->SetModifiedFlag(true);
    frame->ExecuteCommand(cmd::kFileSave);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetStore()->GetStorageMode(), STORE_INPLACE);
    EXPECT_TRUE(temp.Files().empty());
    CSampleStore saved;
    ASSERT_TRUE(saved.Load(path, STORE_MEMORY, ""));
    EXPECT_EQ(saved.m_trackNames[0], "left");
    EXPECT_EQ(AllBytes(saved), original);
    const std::string file = FileBytes(path);

    doc->SetBlock(0, 9);
    ChooseMenuItem(cmd::kEditDelete);
    EXPECT_EQ(doc->GetStore()->GetStorageMode(), STORE_TEMPFILE);
    EXPECT_EQ(doc->GetStore()->GetTempDirectory(), temp.Path());
    EXPECT_EQ(doc->GetStore()->GetFrameCount(), 39990u);
    EXPECT_EQ(Status(3), "39990");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetStore()->m_trackNames[0], "left");
    EXPECT_EQ(FileBytes(path), file); // the file itself is never written
    ASSERT_EQ(doc->GetUndoHistory().GetCount(), 1u);

    PressInSample(Qt::Key_Z);
    EXPECT_EQ(AllBytes(*doc->GetStore()), original);
    EXPECT_EQ(Status(3), "40000");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(FileBytes(path), file);
}

TEST_F(InPlaceOpenTest, ACopyThatDoesNotFitLeavesTheSoundInPlaceAndTheCommandUndone) {
    const std::string path = MakeWave("long.wav", 2, 16, 22050, 40000);
    ASSERT_TRUE(OpenByCommand(path));
    COndrixDoc* doc = Doc();
    const std::vector<uint8_t> original = AllBytes(*doc->GetStore());
    SmallDisk disk(96 * 1024);
    g_settings.tempPath.editor = disk.Path();
    doc->SetBlock(0, 9);
    ChooseMenuItem(cmd::kEditDelete);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Destination disk drive is full.");
    EXPECT_EQ(doc->GetStore()->GetStorageMode(), STORE_INPLACE);
    EXPECT_EQ(AllBytes(*doc->GetStore()), original);
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 0u);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(disk.FileCount(), 0u);

    frame->ExecuteCommand(cmd::kInvert); // an effect takes the same step first
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(AllBytes(*doc->GetStore()), original);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(InPlaceOpenTest, OnTheMemoryEditorPathTheFileIsCopiedAtOpen) {
    g_settings.tempPath.editor.clear();
    const std::string path = MakeWave("short.wav", 1, 16, 22050, 1000);
    ASSERT_TRUE(OpenByCommand(path));
    EXPECT_EQ(Doc()->GetStore()->GetStorageMode(), STORE_MEMORY);
}

#include "document/ui/document_fixture.h"
#include "resources/command_ids.h"

#include <filesystem>

using namespace ondrix;
using namespace ondrix::test;

namespace {

class FileCommandsTest : public DocumentFixture {};

TEST_F(FileCommandsTest, SavingIsEnabledWhileIdleEvenForAnEmptySound) {
    MakeSound(2, 0);
    for (uint32_t id : {cmd::kFileSave, cmd::kFileSaveAs, cmd::kSaveRaw, cmd::kSaveStandardWave}) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    EXPECT_TRUE(Enabled(cmd::kFileClose));
}

TEST_F(FileCommandsTest, SaveWithoutAPathAsksAndTakesTheChosenOne) {
    MakeSound(1, 100);
    doc->SetModifiedFlag(true);
    EXPECT_TRUE(Run(cmd::kFileSave)); // the command ran; the dialog was cancelled
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].save);
    EXPECT_EQ(requests[0].title, ""); // the standard title
    EXPECT_EQ(requests[0].initial, doc->GetTitle());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->GetPathName().empty());

    const std::string path = files.Path() + "/saved.wav";
    fileAnswers.push_back(path);
    Run(cmd::kFileSave);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetPathName(), path);
    EXPECT_EQ(doc->GetTitle(), "saved.wav");
    EXPECT_TRUE(std::filesystem::exists(path));

    // with a path, "&Save" asks nothing
    doc->SetModifiedFlag(true);
    Run(cmd::kFileSave);
    EXPECT_EQ(requests.size(), 2u);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(FileCommandsTest, RawAndStandardCopiesAskWithTheirTitlesAndLeaveTheDocumentModified) {
    MakeSound(3, 100);
    doc->SetModifiedFlag(true);
    fileAnswers = {files.Path() + "/a.raw", files.Path() + "/b.wav"};
    Run(cmd::kSaveRaw);
    Run(cmd::kSaveStandardWave);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].title, "Save in raw format");
    EXPECT_EQ(requests[1].title, "Save as standard WAVE");
    EXPECT_EQ(std::filesystem::file_size(files.Path() + "/a.raw"), 100u * 3 * 2);
    EXPECT_TRUE(std::filesystem::exists(files.Path() + "/b.wav"));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->GetPathName().empty());
}

TEST_F(FileCommandsTest, SaveModifiedAsksOnlyWhenModified) {
    MakeSound(1, 100);
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_TRUE(messages.shown.empty());

    doc->SetModifiedFlag(true);
    messages.answers = {MsgAnswer::No, MsgAnswer::Cancel, MsgAnswer::Yes};
    EXPECT_TRUE(doc->SaveModified());  // No: discard
    EXPECT_FALSE(doc->SaveModified()); // Cancel
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "Save changes to " + doc->GetTitle() + "?");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(messages.shown[0].helpId, 32710u);
    EXPECT_FALSE(doc->SaveModified()); // Yes, but the file dialog is cancelled: the close must stop
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(FileCommandsTest, CloseAsksTheWindowToClose) {
    MakeSound(1, 10);
    int requested = 0;
    doc->m_onCloseRequest = [&] { ++requested; };
    Run(cmd::kFileClose);
    EXPECT_EQ(requested, 1);
}

} // namespace

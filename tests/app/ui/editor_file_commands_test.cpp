#include "app/ui/editor_fixture.h"
#include "document/dialogs/raw_format_dialog.h"
#include "document/dialogs/sample_params_dialog.h"
#include "resources/command_ids.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QUrl>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace ondrix;
using namespace ondrix::test;

namespace {

using FileCommandTest = EditorFixture;

QPushButton* OkButton(QWidget* dialog) {
    return dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

QPushButton* CancelButton(QWidget* dialog) {
    return dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
}

QLineEdit* EditorOf(QWidget* box) {
    return box->findChild<QLineEdit*>();
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(FileCommandTest, NewAsksForParametersThatBecomeTheDefaults) {
    bool presetSeen = false;
    WhenModal([&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Parameters of new WAVE file");
        auto* rate = dialog->findChild<QComboBox*>("Rate");
        EXPECT_EQ(rate->currentText(), "44100");
        ReplaceText(EditorOf(rate), "22050");
        ReplaceText(EditorOf(dialog->findChild<QSpinBox*>("Tracks")), "3");
        SendClick(dialog->findChild<QRadioButton*>("Bits8"));
        SendClick(dialog->findChild<QCheckBox*>("Stereo"));
        SendClick(OkButton(dialog));
    });
    frame->ExecuteCommand(cmd::kFileNew);
    ASSERT_EQ(frame->Children().size(), 1u);
    const CSampleStore* store = Doc()->GetStore();
    EXPECT_EQ(store->GetSampleRate(), 22050u);
    EXPECT_EQ(store->GetTrackCount(), 3u);
    EXPECT_EQ(store->GetBitsPerSample(), 8u);
    EXPECT_FALSE(store->GetStereo());
    EXPECT_EQ(store->GetDataSize(), 0u);
    EXPECT_EQ(store->m_infoTexts[12], "Ondrix 2.0");
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(g_settings.desktop.sampleRate, 22050);
    EXPECT_EQ(g_settings.desktop.channels, 3);
    EXPECT_EQ(g_settings.desktop.bitsPerSample, 8);
    EXPECT_EQ(g_settings.desktop.stereo, 0);
    // the next dialog starts with them; Cancel makes no document
    WhenModal([&](QWidget* dialog) {
        presetSeen = dialog->findChild<QComboBox*>("Rate")->currentText() == "22050" &&
                     dialog->findChild<QSpinBox*>("Tracks")->value() == 3 &&
                     dialog->findChild<QRadioButton*>("Bits8")->isChecked() &&
                     !dialog->findChild<QCheckBox*>("Stereo")->isChecked();
        SendClick(CancelButton(dialog));
    });
    frame->ExecuteCommand(cmd::kFileNew);
    EXPECT_TRUE(presetSeen);
    EXPECT_EQ(frame->Children().size(), 1u);
}

TEST_F(FileCommandTest, ARateOutOfRangeIsRefusedAndTheDialogStays) {
    // only rates a WAVE file can be read back with: 4096 to 88200 Hz
    for (const char* rate : {"4095", "88201"}) {
        bool stayed = false;
        WhenModal([&](QWidget* dialog) {
            ReplaceText(EditorOf(dialog->findChild<QComboBox*>("Rate")), rate);
            SendClick(OkButton(dialog));
            stayed = dialog->isVisible();
            SendClick(CancelButton(dialog));
        });
        frame->ExecuteCommand(cmd::kFileNew);
        EXPECT_TRUE(stayed) << rate;
        ASSERT_FALSE(messages.shown.empty());
        EXPECT_EQ(messages.shown.back().text, "Please enter an integer between 4096 and 88200.");
        EXPECT_TRUE(frame->Children().empty());
    }
    EXPECT_EQ(messages.shown.size(), 2u);
    // both ends are accepted
    for (const char* rate : {"4096", "88200"}) {
        WhenModal([&](QWidget* dialog) {
            ReplaceText(EditorOf(dialog->findChild<QComboBox*>("Rate")), rate);
            SendClick(OkButton(dialog));
        });
        frame->ExecuteCommand(cmd::kFileNew);
        ASSERT_NE(Doc(), nullptr);
        EXPECT_EQ(Doc()->GetStore()->GetSampleRate(), uint32_t(std::atoi(rate)));
    }
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(FileCommandTest, OpenTakesTheFormatAsDefaultsAndListsTheFile) {
    const std::string path = MakeWave("take one.wav", 3, 8, 8000, 500);
    ASSERT_TRUE(OpenByCommand(path));
    EXPECT_EQ(Doc()->GetTitle(), "take one.wav");
    EXPECT_EQ(Doc()->GetPathName(), path);
    EXPECT_EQ(frame->ActiveChild()->windowTitle(), "take one.wav[*]");
    EXPECT_EQ(g_settings.desktop.channels, 3);
    EXPECT_EQ(g_settings.desktop.sampleRate, 8000);
    EXPECT_EQ(g_settings.desktop.bitsPerSample, 8);
    EXPECT_EQ(g_settings.desktop.lastFileName, path);
    ASSERT_FALSE(g_settings.recentFiles.Paths().empty());
    EXPECT_EQ(g_settings.recentFiles.Paths().front(), path);
    // opening it again shows the same window
    EXPECT_FALSE(OpenByCommand(path));
    EXPECT_EQ(frame->Children().size(), 1u);
    // a file that is no WAVE file is refused with the loader's message and opens no window
    const std::string bad = files.Path() + "/bad.wav";
    std::ofstream(bad) << "not a wave file at all";
    EXPECT_FALSE(OpenByCommand(bad));
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().helpId, 31501u);
}

TEST_F(FileCommandTest, TheRecentFileListOpensItsFilesAndForgetsMissingOnes) {
    const std::string first = MakeWave("first.wav", 1, 16, 8000, 100);
    const std::string second = MakeWave("second.wav", 2, 16, 8000, 100);
    g_settings.recentFiles.Clear();
    ASSERT_TRUE(OpenByCommand(first));
    ASSERT_TRUE(OpenByCommand(second));
    ASSERT_EQ(g_settings.recentFiles.Paths(), (std::vector<std::string>{second, first}));
    while (frame->ActiveChild()) {
        frame->ActiveChild()->close();
        ProcessPendingEvents();
    }
    frame->ExecuteCommand(cmd::kFileMruFirst + 1);
    ASSERT_EQ(frame->Children().size(), 1u);
    EXPECT_EQ(Doc()->GetPathName(), first);
    EXPECT_EQ(g_settings.recentFiles.Paths(), (std::vector<std::string>{first, second}));
    frame->ActiveChild()->close();
    ProcessPendingEvents();
    // a file that has gone since is reported and leaves the list
    std::filesystem::remove(second);
    messages.shown.clear();
    frame->ExecuteCommand(cmd::kFileMruFirst + 1);
    EXPECT_TRUE(frame->Children().empty());
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(g_settings.recentFiles.Paths(), (std::vector<std::string>{first}));
}

TEST_F(FileCommandTest, RawOpenWithAnOffset) {
    const std::string path = files.Path() + "/data.raw";
    {
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < 1001; ++i) {
            out.put(char(i & 0xFF));
        }
    }
    fileAnswers.push_back(path);
    WhenModal([&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Format of Sample File");
        auto* offset = dialog->findChild<QSpinBox*>("Offset");
        EXPECT_EQ(offset->maximum(), 1000);
        ReplaceText(EditorOf(offset), "1");
        ReplaceText(EditorOf(dialog->findChild<QSpinBox*>("Tracks")), "1");
        ReplaceText(EditorOf(dialog->findChild<QComboBox*>("Rate")), "11025");
        SendClick(dialog->findChild<QRadioButton*>("Bits8"));
        SendClick(OkButton(dialog));
    });
    frame->ExecuteCommand(cmd::kOpenRaw);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].title, "Open file in raw format");
    ASSERT_EQ(frame->Children().size(), 1u);
    const CSampleStore* store = Doc()->GetStore();
    EXPECT_EQ(store->GetDataSize(), 1000u);
    EXPECT_EQ(store->GetTrackCount(), 1u);
    EXPECT_EQ(store->GetSampleRate(), 11025u);
    EXPECT_EQ(Track8(*const_cast<CSampleStore*>(store), 0)[0], 1);
    EXPECT_EQ(g_settings.desktop.fileOffset, 1);
    EXPECT_EQ(g_settings.desktop.bitsPerSample, 8);
    EXPECT_FALSE(Doc()->HasFilePath()); // saving asks for a WAVE file name instead of overwriting the raw one
    EXPECT_TRUE(g_settings.recentFiles.Paths().empty());
}

TEST_F(FileCommandTest, SaveAndSaveAsWriteTheSoundAndClearTheModifiedFlag) {
    const std::string path = MakeWave("a.wav", 2, 16, 8000, 300);
    ASSERT_TRUE(OpenByCommand(path));
    frame->ExecuteCommand(cmd::kInsertTrackAfter);
    ASSERT_TRUE(Doc()->IsModified());
    EXPECT_EQ(frame->ActiveChild()->windowTitle(), "a.wav[*]");
    EXPECT_TRUE(frame->ActiveChild()->isWindowModified());
    frame->ExecuteCommand(cmd::kFileSave);
    EXPECT_FALSE(Doc()->IsModified());
    CSampleStore reread;
    ASSERT_TRUE(reread.Load(path, STORE_MEMORY, ""));
    EXPECT_EQ(reread.GetTrackCount(), 3u);
    EXPECT_EQ(AllBytes(reread), AllBytes(*Doc()->GetStore()));

    const std::string other = files.Path() + "/b.wav";
    fileAnswers.push_back(other);
    frame->ExecuteCommand(cmd::kFileSaveAs);
    EXPECT_EQ(Doc()->GetPathName(), other);
    EXPECT_EQ(Doc()->GetTitle(), "b.wav");
    EXPECT_EQ(frame->ActiveChild()->windowTitle(), "b.wav[*]"); // saved unmodified: the caption follows
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(other)));
}

TEST_F(FileCommandTest, SaveAsStandardWaveOfAFourTrackSound) {
    const std::string path = MakeWave("four.wav", 4, 16, 8000, 200);
    ASSERT_TRUE(OpenByCommand(path));
    ASSERT_TRUE(Doc()->GetStore()->GetStereo()); // more than two tracks without mixer chunk: stereo
    const std::string standard = files.Path() + "/standard.wav";
    fileAnswers.push_back(standard);
    frame->ExecuteCommand(cmd::kSaveStandardWave);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].title, "Save as standard WAVE");
    EXPECT_TRUE(requests[1].save);
    CSampleStore reread;
    ASSERT_TRUE(reread.Load(standard, STORE_MEMORY, ""));
    EXPECT_EQ(reread.GetTrackCount(), 2u);
    EXPECT_EQ(reread.GetFrameCount(), 200u);
    EXPECT_EQ(reread.GetBitsPerSample(), 16u);
    // four centred tracks heard on both sides: each side is their average
    const std::vector<int16_t> left = Track16(reread, 0);
    EXPECT_EQ(left[10], int16_t((100 + 101 + 102 + 103) / 4));
    EXPECT_EQ(Track16(reread, 1), left);
    // an export leaves the document as it was
    EXPECT_EQ(Doc()->GetPathName(), path);
    EXPECT_EQ(Doc()->GetStore()->GetTrackCount(), 4u);
}

TEST_F(FileCommandTest, SaveRawWritesTheSampleBytesOnly) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 8000, 100)));
    frame->ExecuteCommand(cmd::kInsertTrackAfter);
    const std::string raw = files.Path() + "/a.raw";
    fileAnswers.push_back(raw);
    frame->ExecuteCommand(cmd::kSaveRaw);
    EXPECT_EQ(requests.back().title, "Save in raw format");
    EXPECT_EQ(ReadBytes(raw), AllBytes(*Doc()->GetStore()));
    EXPECT_TRUE(Doc()->IsModified()); // the raw copy holds no names or mixer: the work is not saved yet
}

TEST_F(FileCommandTest, ClosingAModifiedDocumentAsks) {
    const std::string path = MakeWave("a.wav", 2, 16, 8000, 100);
    const std::vector<uint8_t> before = ReadBytes(path);
    ASSERT_TRUE(OpenByCommand(path));
    frame->ExecuteCommand(cmd::kInsertTrackAfter);
    messages.answers = {MsgAnswer::Cancel};
    frame->ExecuteCommand(cmd::kFileClose);
    ProcessPendingEvents();
    ASSERT_EQ(frame->Children().size(), 1u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Save changes to a.wav?");
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNoCancel);
    messages.answers = {MsgAnswer::No};
    frame->ActiveChild()->close();
    ProcessPendingEvents();
    EXPECT_TRUE(frame->Children().empty());
    EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(FileCommandTest, AFailedSaveKeepsTheDocumentOpenAndModified) {
    NewSound(16, 2, 8000);
    Doc()->SetModifiedFlag(true);
    messages.answers = {MsgAnswer::Yes};
    fileAnswers.push_back(files.Path() + "/no such folder/x.wav");
    frame->ActiveChild()->close();
    ProcessPendingEvents();
    ASSERT_EQ(frame->Children().size(), 1u);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_GE(messages.shown.size(), 2u); // the question, then the writer's error
    // the main frame asks as well and stays open on Cancel
    messages.answers = {MsgAnswer::Cancel};
    frame->close();
    ProcessPendingEvents();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->Children().size(), 1u);
    // Yes with a good name saves and closes everything
    messages.answers = {MsgAnswer::Yes};
    fileAnswers.push_back(files.Path() + "/saved.wav");
    frame->close();
    ProcessPendingEvents();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(files.Path() + "/saved.wav")));
}

TEST_F(FileCommandTest, DroppedFilesOpen) {
    const std::string path = MakeWave("dropped.wav", 1, 16, 8000, 10);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &drop);
    ProcessPendingEvents();
    ASSERT_EQ(frame->Children().size(), 1u);
    EXPECT_EQ(Doc()->GetTitle(), "dropped.wav");
}

} // namespace

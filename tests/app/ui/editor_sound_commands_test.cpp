#include "app/ui/editor_fixture.h"
#include "controls/time_format.h"
#include "controls/ui/range_edit.h"
#include "document/dialogs/sample_params_dialog.h"
#include "document/dialogs/undo_steps_dialog.h"
#include "document/dialogs/wave_info_dialog.h"
#include "resources/command_ids.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolBar>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// The "INFO" entries of a WAVE file: id to bytes (without the terminating zero).
std::map<std::string, std::string> InfoEntries(const std::string& path) {
    const std::string data = FileBytes(path);
    std::map<std::string, std::string> entries;
    const auto u32 = [&](std::size_t at) {
        uint32_t value = 0;
        std::memcpy(&value, data.data() + at, 4);
        return value;
    };
    std::size_t at = 12;
    while (at + 8 <= data.size()) {
        const std::string id = data.substr(at, 4);
        const uint32_t size = u32(at + 4);
        if (id == "LIST" && data.substr(at + 8, 4) == "INFO") {
            std::size_t in = at + 12;
            while (in + 8 <= at + 8 + size) {
                const uint32_t length = u32(in + 4);
                std::string text = data.substr(in + 8, length);
                while (!text.empty() && text.back() == '\0') {
                    text.pop_back();
                }
                entries[data.substr(in, 4)] = text;
                in += 8 + length + (length & 1);
            }
        }
        at += 8 + size + (size & 1);
    }
    return entries;
}

/// Undo, the undo steps, the sample parameters and the wave information through menus and shortcuts.
class SoundCommandsTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        g_settings.sampleWindow.timeFmt = TIMEFMT_SAMPLES;
        g_settings.edit.allTracks = 1;
    }
    /// A window with a 16-bit ramp (sample i of every track = i % 30000) longer than one piece.
    COndrixDoc* Ramp(uint32_t frames, uint32_t rate = 44100, uint32_t tracks = 1) {
        COndrixDoc* doc = NewSound(16, tracks, rate, false);
        std::vector<int16_t> data(std::size_t(frames) * tracks);
        for (std::size_t i = 0; i < data.size(); ++i) {
            data[i] = int16_t((i / tracks) % 30000);
        }
        EXPECT_TRUE(doc->GetStore()->AppendData(data.data(), uint32_t(data.size() * 2)));
        doc->UpdateAllViews(nullptr, 3);
        ProcessPendingEvents();
        return doc;
    }
    bool Enabled(uint32_t id) {
        frame->UpdateCommandStates();
        return frame->Action(id)->isEnabled();
    }
    static QPushButton* Button(QWidget* dialog, QDialogButtonBox::StandardButton which) {
        return dialog->findChild<QDialogButtonBox*>()->button(which);
    }
    /// Answers dialog 131 with a rate, bits and track count.
    void AnswerSampleParameters(const QString& rate, uint32_t bits, int tracks) {
        WhenModal([=](QWidget* modal) {
            auto* dialog = qobject_cast<CSampleParamsDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            ReplaceText(dialog->RateBox()->lineEdit(), rate);
            (bits == 8 ? dialog->findChild<QRadioButton*>("Bits8")
                       : dialog->findChild<QRadioButton*>("Bits16"))
                ->click();
            dialog->TracksBox()->setValue(tracks);
            SendClick(Button(dialog, QDialogButtonBox::Ok));
        });
    }
};

TEST_F(SoundCommandsTest, UndoAndRedoRestoreEachStepAndAreDisabledAtTheEndsOfTheHistory) {
    g_settings.edit.undoCount = 2;
    COndrixDoc* doc = Ramp(40000);
    const std::vector<int16_t> original = Track16(*doc->GetStore(), 0);
    EXPECT_FALSE(Enabled(cmd::kEditUndo));
    doc->SetBlock(100, 10099);
    PressInSample(Qt::Key_X);
    std::vector<int16_t> cut = original;
    cut.erase(cut.begin() + 100, cut.begin() + 10100);
    ASSERT_EQ(Track16(*doc->GetStore(), 0), cut);
    doc->SetBlock(-1, 0);
    PressInSample(Qt::Key_V);
    std::vector<int16_t> pasted = cut;
    pasted.insert(pasted.begin(), original.begin() + 100, original.begin() + 10100);
    ASSERT_EQ(Track16(*doc->GetStore(), 0), pasted);
    EXPECT_TRUE(Enabled(cmd::kEditUndo));
    EXPECT_EQ(frame->Action(cmd::kEditUndo)->text(), "&Undo\tCtrl+Z");

    PressInSample(Qt::Key_Z);
    EXPECT_EQ(Track16(*doc->GetStore(), 0), cut);
    EXPECT_EQ(Status(3), "30000"); // the status shows the restored length
    EXPECT_FALSE(doc->HasBlock());
    ChooseMenuItem(cmd::kEditUndo);
    EXPECT_EQ(Track16(*doc->GetStore(), 0), original);
    EXPECT_EQ(Status(3), "40000");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_FALSE(Enabled(cmd::kEditUndo));
    PressInSample(Qt::Key_Z); // nothing left: nothing happens
    EXPECT_EQ(Track16(*doc->GetStore(), 0), original);

    // Redo walks forward again: Ctrl+Y, then the menu item; at the newest step it is disabled
    EXPECT_TRUE(Enabled(cmd::kEditRedo));
    EXPECT_EQ(frame->Action(cmd::kEditRedo)->text(), "&Redo\tCtrl+Y");
    doc->SetBlock(5, 20);
    PressInSample(Qt::Key_Y);
    EXPECT_EQ(Track16(*doc->GetStore(), 0), cut);
    EXPECT_EQ(Status(3), "30000");
    EXPECT_FALSE(doc->HasBlock());
    EXPECT_TRUE(Enabled(cmd::kEditUndo));
    ChooseMenuItem(cmd::kEditRedo);
    EXPECT_EQ(Track16(*doc->GetStore(), 0), pasted);
    EXPECT_EQ(Status(3), "40000");
    EXPECT_FALSE(Enabled(cmd::kEditRedo));
    PressInSample(Qt::Key_Y); // nothing left to redo
    EXPECT_EQ(Track16(*doc->GetStore(), 0), pasted);
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 2u);

    // and back again with Ctrl+Z and forward with Ctrl+Shift+Z
    PressInSample(Qt::Key_Z);
    EXPECT_EQ(Track16(*doc->GetStore(), 0), cut);
    PressInSample(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Track16(*doc->GetStore(), 0), pasted);
}

TEST_F(SoundCommandsTest, AnEditAfterUndoEndsRedo) {
    g_settings.edit.undoCount = 3;
    COndrixDoc* doc = Ramp(40000);
    const std::vector<int16_t> original = Track16(*doc->GetStore(), 0);
    EXPECT_FALSE(Enabled(cmd::kEditRedo));
    doc->SetBlock(0, 99);
    ChooseMenuItem(cmd::kEditDelete);
    PressInSample(Qt::Key_Z);
    ASSERT_EQ(Track16(*doc->GetStore(), 0), original);
    EXPECT_TRUE(Enabled(cmd::kEditRedo));

    doc->SetBlock(0, 9);
    ChooseMenuItem(cmd::kEditDelete);
    const std::vector<int16_t> edited(original.begin() + 10, original.end());
    ASSERT_EQ(Track16(*doc->GetStore(), 0), edited);
    EXPECT_FALSE(Enabled(cmd::kEditRedo));
    EXPECT_EQ(doc->GetUndoHistory().GetRedoCount(), 0u);
    PressInSample(Qt::Key_Y); // the undone delete does not come back
    EXPECT_EQ(Track16(*doc->GetStore(), 0), edited);
    PressInSample(Qt::Key_Z);
    EXPECT_EQ(Track16(*doc->GetStore(), 0), original);
    EXPECT_FALSE(Enabled(cmd::kEditUndo));
}

TEST_F(SoundCommandsTest, RedoStandsUnderUndoInTheEditMenuAndBesideItOnTheToolBar) {
    Ramp(20000);
    frame->UpdateCommandStates();
    QMenu* edit = nullptr;
    for (QAction* top : frame->menuBar()->actions()) {
        if (top->text() == "&Edit") {
            edit = top->menu();
        }
    }
    ASSERT_NE(edit, nullptr);
    const QList<QAction*> items = edit->actions();
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items[0], frame->Action(cmd::kEditUndo));
    EXPECT_EQ(items[1], frame->Action(cmd::kEditRedo));
    QAction* redo = frame->Action(cmd::kEditRedo);
    EXPECT_EQ(redo->statusTip(), "Redo the last undone change");
    EXPECT_EQ(redo->toolTip(), "Redo");
    EXPECT_FALSE(redo->isEnabled());
    bool besideUndo = false;
    for (QToolBar* bar : frame->findChildren<QToolBar*>()) {
        const QList<QAction*> buttons = bar->actions();
        const qsizetype undo = buttons.indexOf(frame->Action(cmd::kEditUndo));
        besideUndo |= undo >= 0 && undo + 1 < buttons.size() && buttons[undo + 1] == redo;
    }
    EXPECT_TRUE(besideUndo);
}

TEST_F(SoundCommandsTest, UndoAfterAStereoChangeTellsTheViewsAndTheStatus) {
    COndrixDoc* doc = Ramp(20000, 8000, 2);
    ASSERT_FALSE(doc->GetStore()->GetStereo());
    doc->GetStore()->SetStereo(true); // the state saved below is stereo
    doc->SetBlock(0, 99);
    ChooseMenuItem(cmd::kEditDelete);
    doc->GetStore()->SetStereo(false);
    doc->UpdateStatus(0);
    EXPECT_EQ(Status(6), "Mono");
    PressInSample(Qt::Key_Z);
    EXPECT_TRUE(doc->GetStore()->GetStereo());
    EXPECT_EQ(Status(6), "Stereo");
    EXPECT_EQ(Status(3), "20000");
}

TEST_F(SoundCommandsTest, UndoStepsShowsTheCountAndAChangeClearsEveryHistory) {
    COndrixDoc* first = Ramp(20000);
    first->SetBlock(0, 9);
    ChooseMenuItem(cmd::kEditDelete);
    COndrixDoc* second = Ramp(20000);
    second->SetBlock(0, 9);
    ChooseMenuItem(cmd::kEditDelete);
    frame->UpdateCommandStates();
    EXPECT_EQ(frame->Action(cmd::kUndoSteps)->text(), "&Undo Steps...\t(1)");

    // the same count: the histories stay
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CUndoStepsDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Undo");
        EXPECT_TRUE(dialog->EnableBox()->hasFocus());
        EXPECT_TRUE(dialog->EnableBox()->isChecked());
        EXPECT_TRUE(dialog->CountEdit()->isVisibleTo(dialog));
        SendKey(dialog->EnableBox(), Qt::Key_Return);
    });
    ChooseMenuItem(cmd::kUndoSteps);
    EXPECT_EQ(first->GetUndoHistory().GetCount(), 1u);

    // 11 is refused with the range message; 3 is taken and clears both histories
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CUndoStepsDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        ReplaceText(dialog->CountEdit()->Field(), "11");
        SendKey(dialog->CountEdit()->Field(), Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible());
        ReplaceText(dialog->CountEdit()->Field(), "3");
        SendKey(dialog->CountEdit()->Field(), Qt::Key_Return);
    });
    ChooseMenuItem(cmd::kUndoSteps);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(g_settings.edit.undoCount, 3);
    EXPECT_EQ(first->GetUndoHistory().GetCount(), 0u);
    EXPECT_EQ(second->GetUndoHistory().GetCount(), 0u);
    frame->UpdateCommandStates();
    EXPECT_EQ(frame->Action(cmd::kUndoSteps)->text(), "&Undo Steps...\t(3)");

    // unchecked: undo is off, the count row hides, the menu says "(none)", Undo stays disabled
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CUndoStepsDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        SendKey(dialog->EnableBox(), Qt::Key_Space);
        EXPECT_FALSE(dialog->CountEdit()->isVisibleTo(dialog));
        SendKey(dialog->EnableBox(), Qt::Key_Return);
    });
    ChooseMenuItem(cmd::kUndoSteps);
    EXPECT_EQ(g_settings.edit.undoCount, 0);
    frame->UpdateCommandStates();
    EXPECT_EQ(frame->Action(cmd::kUndoSteps)->text(), "&Undo Steps...\t(none)");
    second->SetBlock(0, 9);
    ChooseMenuItem(cmd::kEditDelete);
    EXPECT_EQ(second->GetUndoHistory().GetCount(), 0u);
    EXPECT_FALSE(Enabled(cmd::kEditUndo));
    // reopened with undo off: the box is clear and the count shows 1
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CUndoStepsDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(dialog->EnableBox()->isChecked());
        EXPECT_EQ(dialog->CountEdit()->Field()->text(), "1");
        SendKey(dialog->EnableBox(), Qt::Key_Escape);
    });
    ChooseMenuItem(cmd::kUndoSteps);
}

TEST_F(SoundCommandsTest, HalvingTheRateWithYesHalvesTheFramesWithNoKeepsThem) {
    COndrixDoc* doc = Ramp(40000);
    messages.answers = {MsgAnswer::Yes};
    AnswerSampleParameters("22050", 16, 1);
    PressInSample(Qt::Key_R);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "You have changed the sampling rate.\nDo you want to adapt the velocity of the WAVE file?");
    EXPECT_EQ(messages.shown[0].helpId, 1043u);
    EXPECT_EQ(doc->GetStore()->GetSampleRate(), 22050u);
    EXPECT_EQ(doc->GetStore()->GetFrameCount(), 20000u);
    EXPECT_EQ(Status(7), "22050 Hz");

    COndrixDoc* other = Ramp(40000);
    messages.answers = {MsgAnswer::No};
    AnswerSampleParameters("22050", 16, 1);
    ChooseMenuItem(cmd::kSampleParameters);
    EXPECT_EQ(other->GetStore()->GetSampleRate(), 22050u);
    EXPECT_EQ(other->GetStore()->GetFrameCount(), 40000u);
    EXPECT_EQ(Track16(*other->GetStore(), 0)[12345], 12345);
}

TEST_F(SoundCommandsTest, CancelAtTheRateQuestionKeepsTheBitsAndOneUndoRestoresAll) {
    COndrixDoc* doc = Ramp(40000);
    const std::vector<int16_t> original = Track16(*doc->GetStore(), 0);
    messages.answers = {MsgAnswer::Cancel};
    AnswerSampleParameters("22050", 8, 1);
    ChooseMenuItem(cmd::kSampleParameters);
    EXPECT_EQ(doc->GetStore()->GetBitsPerSample(), 8u);
    EXPECT_EQ(doc->GetStore()->GetSampleRate(), 44100u);
    EXPECT_EQ(Status(5), "8 Bit");
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 1u);
    PressInSample(Qt::Key_Z);
    EXPECT_EQ(doc->GetStore()->GetBitsPerSample(), 16u);
    EXPECT_EQ(Track16(*doc->GetStore(), 0), original);
    EXPECT_EQ(Status(5), "16 Bit");

    // a track count change answered No changes nothing and keeps no undo state
    messages.answers = {MsgAnswer::No};
    AnswerSampleParameters("44100", 16, 3);
    ChooseMenuItem(cmd::kSampleParameters);
    EXPECT_EQ(messages.shown.back().helpId, 1083u);
    EXPECT_EQ(messages.shown.back().text, "Do you really want to change the number of tracks?");
    EXPECT_EQ(doc->GetStore()->GetTrackCount(), 1u);
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 0u);
    messages.answers = {MsgAnswer::Yes};
    AnswerSampleParameters("44100", 16, 3);
    ChooseMenuItem(cmd::kSampleParameters);
    EXPECT_EQ(doc->GetStore()->GetTrackCount(), 3u);
    EXPECT_EQ(Status(1), "Tr. 1/3");
}

TEST_F(SoundCommandsTest, WaveInformationShowsWritesAndKeepsTheTexts) {
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 1, 8000, false));
    FillRamp16(store, 40000);
    store.m_infoTexts[9] = "Only a title";
    const std::string path = files.Path() + "/titled.wav";
    ASSERT_TRUE(store.Save(path, false));
    ASSERT_TRUE(OpenByCommand(path));
    ASSERT_EQ(InfoEntries(path), (std::map<std::string, std::string>{{"INAM", "Only a title"}}));

    // Cancel changes nothing
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CWaveInfoDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        ReplaceText(dialog->TitleEdit(), "Other");
        SendKey(dialog->TitleEdit(), Qt::Key_Escape);
    });
    PressInSample(Qt::Key_I);
    EXPECT_EQ(Doc()->GetStore()->m_infoTexts[9], "Only a title");
    EXPECT_FALSE(Doc()->IsModified());

    // Comments, Genre and Creation Date typed one after the other; Software is shown read-only
    QString title;
    QString software;
    bool softwareReadOnly = false;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CWaveInfoDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->TitleEdit()->text();
        QListWidget* list = dialog->InfoList();
        EXPECT_EQ(list->count(), 14);
        EXPECT_EQ(list->item(13)->text(), "Technican");
        list->setFocus();
        const auto select = [&](int row) {
            while (list->currentRow() < row) {
                SendKey(list, Qt::Key_Down);
            }
            while (list->currentRow() > row) {
                SendKey(list, Qt::Key_Up);
            }
        };
        select(2); // Comments
        TypeText(dialog->DescriptionEdit(), "A comment");
        select(5); // Genre
        TypeText(dialog->DescriptionEdit(), "Rock");
        select(10); // Software
        software = dialog->DescriptionEdit()->toPlainText();
        softwareReadOnly = dialog->DescriptionEdit()->isReadOnly();
        select(3); // Creation Date, still in the field when OK is pressed
        TypeText(dialog->DescriptionEdit(), "2026-12-09");
        SendClick(Button(dialog, QDialogButtonBox::Ok));
    });
    ChooseMenuItem(cmd::kWaveInformation);
    EXPECT_EQ(title, "Only a title");
    EXPECT_EQ(software, "Ondrix 2.0");
    EXPECT_TRUE(softwareReadOnly);
    EXPECT_TRUE(Doc()->IsModified());
    ChooseMenuItem(cmd::kFileSave);
    EXPECT_EQ(InfoEntries(path), (std::map<std::string, std::string>{{"INAM", "Only a title"},
                                                                     {"ICMT", "A comment"},
                                                                     {"IGNR", "Rock"},
                                                                     {"ICRD", "2026-12-09"},
                                                                     {"ISFT", "Ondrix 2.0"}}));
}

TEST_F(SoundCommandsTest, ALatin1TextIsShownAsSuchAndKeepsItsBytes) {
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 1, 8000, false));
    FillRamp16(store, 100);
    store.m_infoTexts[0] = "Caf\xe9 M\xfcller";          // Latin-1
    store.m_infoTexts[3] = "\xc2\xa9 2026 K\xc3\xb6nig"; // UTF-8
    const std::string path = files.Path() + "/latin.wav";
    ASSERT_TRUE(store.Save(path, false));
    ASSERT_TRUE(OpenByCommand(path));
    QString artist;
    QString copyright;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CWaveInfoDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        artist = dialog->DescriptionEdit()->toPlainText(); // entry 0, Artist, is shown first
        copyright = dialog->CopyrightEdit()->text();
        ReplaceText(dialog->TitleEdit(), QStringLiteral("T\u00e4nze"));
        SendClick(Button(dialog, QDialogButtonBox::Ok));
    });
    ChooseMenuItem(cmd::kWaveInformation);
    EXPECT_EQ(artist, QStringLiteral("Caf\u00e9 M\u00fcller"));
    EXPECT_EQ(copyright, QStringLiteral("\u00a9 2026 K\u00f6nig"));
    EXPECT_EQ(Doc()->GetStore()->m_infoTexts[0], "Caf\xe9 M\xfcller");          // untouched: its bytes
    EXPECT_EQ(Doc()->GetStore()->m_infoTexts[3], "\xc2\xa9 2026 K\xc3\xb6nig"); // untouched
    EXPECT_EQ(Doc()->GetStore()->m_infoTexts[9], "T\xc3\xa4nze");               // edited: UTF-8
}

} // namespace

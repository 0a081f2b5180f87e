#include "app/ui/editor_fixture.h"
#include "resources/command_ids.h"
#include "resources/menu_layout.h"
#include "resources/string_table.h"
#include "views/sample_view.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolBar>

using namespace ondrix;
using namespace ondrix::test;

namespace {

using MainFrameTest = EditorFixture;

QStringList MenuTitles(QMenuBar* bar) {
    QStringList titles;
    for (QAction* action : bar->actions()) {
        titles << action->text();
    }
    return titles;
}

TEST_F(MainFrameTest, TheFrameMenuWithoutDocumentsAndTheDocumentMenuWithOne) {
    EXPECT_EQ(MenuTitles(frame->menuBar()),
              QStringList({"&File", "&View", "&Playback", "&Options", "&Help"}));
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 44100, 1000)));
    EXPECT_EQ(MenuTitles(frame->menuBar()),
              QStringList({"&File", "&Edit", "&Tracks", "&View", "&Playback", "&Record", "&Volume Functions",
                           "&Effects", "Tempo &Functions", "&Options", "&Window", "&Help"}));
    // every command of the document menu has its action, with the menu text and the prompt
    ForEachCommand(DocumentMenu(), [this](const MenuNode& node) {
        QAction* action = frame->Action(node.commandId);
        EXPECT_TRUE(action->text().startsWith(QString::fromStdString(LoadString(node.textId))))
            << node.commandId;
        EXPECT_FALSE(action->statusTip().isEmpty()) << node.commandId;
    });
    frame->Children().front()->close();
    ProcessPendingEvents();
    EXPECT_EQ(MenuTitles(frame->menuBar()).size(), 5);
}

TEST_F(MainFrameTest, MenuItemsShowTheirShortcutNames) {
    EXPECT_EQ(frame->Action(cmd::kFileOpen)->text(), "&Open...\tCtrl+O");
    EXPECT_EQ(frame->Action(cmd::kPlayStart)->text(), "&Start\tF5");
    EXPECT_EQ(frame->Action(cmd::kSettings)->text(), "&Settings...\tF4");
    EXPECT_EQ(frame->Action(cmd::kEditUndo)->text(), "&Undo\tCtrl+Z"); // the last of its two bindings
    EXPECT_EQ(frame->Action(cmd::kEditCut)->text(), "Cu&t\tCtrl+X");
    EXPECT_EQ(frame->Action(cmd::kEditCopy)->text(), "&Copy\tCtrl+C");
    EXPECT_EQ(frame->Action(cmd::kStartFromCursor)->text(), "Start From &Cursor (Block)");
    // a new table renames and rebinds at once; without shortcuts the names go
    frame->SetShortcuts({});
    EXPECT_EQ(frame->Action(cmd::kFileOpen)->text(), "&Open...");
    EXPECT_TRUE(frame->Action(cmd::kFileOpen)->shortcuts().isEmpty());
    frame->SetShortcuts({{FVIRTKEY | FCONTROL | FSHIFT, 'O', cmd::kFileOpen}});
    EXPECT_EQ(frame->Action(cmd::kFileOpen)->text(), "&Open...\tCtrl+Shift+O");
}

TEST_F(MainFrameTest, BarsAndStatusPanes) {
    EXPECT_EQ(frame->StandardBar()->windowTitle(), "Standard");
    EXPECT_EQ(frame->PlayBar()->windowTitle(), "Play/Record");
    const QList<QAction*> play = frame->PlayBar()->actions();
    ASSERT_EQ(play.size(), 4);
    EXPECT_EQ(play[0]->data().toUInt(), cmd::kStop);
    EXPECT_EQ(play[1]->data().toUInt(), cmd::kPlayStart);
    EXPECT_EQ(play[2]->data().toUInt(), cmd::kRecordStart);
    EXPECT_EQ(play[3]->data().toUInt(), cmd::kPause);
    for (QAction* action : frame->StandardBar()->actions()) {
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << action->data().toUInt();
        }
    }
    const int widths[] = {350, 50, 50, 50, 80, 35, 35, 50};
    for (int pane = 0; pane < CProgressBar::kPaneCount; ++pane) {
        EXPECT_EQ(frame->StatusBar()->Pane(pane)->minimumWidth(), widths[pane]);
    }
    EXPECT_EQ(frame->toolBarArea(frame->VolumeBar()), Qt::TopToolBarArea);
}

TEST_F(MainFrameTest, BarTogglesHideShowAndMark) {
    EXPECT_TRUE(frame->QueryCommand(cmd::kViewToolbar).IsChecked());
    frame->ExecuteCommand(cmd::kViewToolbar);
    EXPECT_TRUE(frame->StandardBar()->isHidden());
    EXPECT_FALSE(frame->QueryCommand(cmd::kViewToolbar).IsChecked());
    frame->ExecuteCommand(cmd::kViewPlayBar);
    EXPECT_TRUE(frame->PlayBar()->isHidden());
    frame->ExecuteCommand(cmd::kViewToolbar);
    EXPECT_FALSE(frame->StandardBar()->isHidden());
    EXPECT_EQ(frame->toolBarArea(frame->StandardBar()), Qt::TopToolBarArea);
    // "&Adapt Tool Bars" is a toggle of its setting
    EXPECT_TRUE(frame->QueryCommand(cmd::kAdaptBars).IsChecked());
    frame->ExecuteCommand(cmd::kAdaptBars);
    EXPECT_EQ(g_settings.desktop.recalcBars, 0);
    EXPECT_FALSE(frame->QueryCommand(cmd::kAdaptBars).IsChecked());
}

TEST_F(MainFrameTest, PlaybackOptionsAreToggles) {
    EXPECT_TRUE(frame->QueryCommand(cmd::kStartFromCursor).IsChecked());
    EXPECT_FALSE(frame->QueryCommand(cmd::kLoop).IsChecked());
    frame->ExecuteCommand(cmd::kLoop);
    frame->ExecuteCommand(cmd::kStartFromCursor);
    frame->ExecuteCommand(cmd::kMoveCursor);
    EXPECT_EQ(g_settings.playBack.loop, 1);
    EXPECT_EQ(g_settings.playBack.cursor, 0);
    EXPECT_EQ(g_settings.playBack.scrollCursor, 0);
    EXPECT_TRUE(frame->QueryCommand(cmd::kLoop).IsChecked());
}

TEST_F(MainFrameTest, CommandsOfLaterFunctionsAreInTheMenusButDisabled) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 44100, 1000)));
    // without a block, and for functions the program does not have ("Searc&h...")
    for (uint32_t id : {cmd::kVolumeRaiseLower, cmd::kEcho, cmd::kVelocity, cmd::kEditCopy, cmd::kSearch,
                        cmd::kEqualizer}) {
        EXPECT_FALSE(frame->QueryCommand(id).IsEnabled()) << id;
    }
    for (uint32_t id : {cmd::kGoTo, cmd::kSelectBlock, cmd::kUndoSteps, cmd::kSampleParameters,
                        cmd::kMidiAccompaniment, cmd::kCdPlayer}) {
        EXPECT_TRUE(frame->QueryCommand(id).IsEnabled()) << id;
    }
    EXPECT_TRUE(frame->QueryCommand(cmd::kFileSave).IsEnabled());
    EXPECT_TRUE(frame->QueryCommand(cmd::kPlayStart).IsEnabled());
    EXPECT_TRUE(frame->QueryCommand(cmd::kRecordStart).IsEnabled());
}

TEST_F(MainFrameTest, MenusUpdateTheirItemsBeforeTheyShow) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 44100, 1000)));
    QMenu* tracks = nullptr;
    for (QAction* action : frame->menuBar()->actions()) {
        if (action->text() == "&Tracks") {
            tracks = action->menu();
        }
    }
    ASSERT_NE(tracks, nullptr);
    frame->Action(cmd::kDeleteTrack)->setEnabled(true);
    emit tracks->aboutToShow();
    EXPECT_FALSE(frame->Action(cmd::kDeleteTrack)->isEnabled()); // one track
}

TEST_F(MainFrameTest, ShortcutKeysRunCommandsThroughTheRoute) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 44100, 1000)));
    Doc()->SetZoom(1);
    frame->UpdateCommandStates();
    SendKey(frame->ActiveChild()->GetSampleView(), Qt::Key_F9); // "&Adapt"
    EXPECT_EQ(Doc()->GetZoom(), 0);
    SendKey(frame->ActiveChild()->GetSampleView(), Qt::Key_F12); // "&Full Detail"
    EXPECT_EQ(Doc()->GetZoom(), 1);
}

TEST_F(MainFrameTest, ACommandSentDuringAnOperationWaitsForItsEnd) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 44100, 1000)));
    CProgressBar* bar = frame->StatusBar();
    bar->BeginProgress(1103, true, true);
    frame->PostCommand(cmd::kViewToolbar);
    frame->Action(cmd::kViewPlayBar)->trigger();
    bar->SetProgress(10); // pumps the posted command: it must not run inside the operation
    EXPECT_FALSE(frame->StandardBar()->isHidden());
    EXPECT_FALSE(frame->PlayBar()->isHidden());
    EXPECT_EQ(frame->StatusBar()->PaneText(1), Status(1)); // status fields are left alone
    bar->EndProgress();
    ProcessPendingEvents();
    EXPECT_TRUE(frame->StandardBar()->isHidden());
    EXPECT_TRUE(frame->PlayBar()->isHidden());
}

TEST_F(MainFrameTest, TheStatusFieldsAreNotWrittenWhileAnOperationRuns) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 44100, 1000)));
    EXPECT_EQ(Status(1), "Tr. 1/2");
    frame->StatusBar()->BeginProgress(1103, true, true);
    EXPECT_FALSE(frame->IsStatusAvailable());
    Doc()->SetCurrentTrack(1);
    Doc()->UpdateStatus(0);
    frame->StatusBar()->EndProgress();
    EXPECT_EQ(Status(1), "Tr. 1/2");
    Doc()->UpdateStatus(1);
    EXPECT_EQ(Status(1), "Tr. 2/2");
}

TEST_F(MainFrameTest, TheKeyboardGoesBackToTheWindowBeneathAClosedDialog) {
    // without a window manager nothing else would give it back, and the next shortcut would be lost
    ASSERT_TRUE(OpenByCommand(MakeWave("focus.wav", 1, 16, 8000, 100)));
    QString shown;
    WhenModal([&](QWidget* modal) {
        shown = modal->windowTitle();
        SendKey(modal, Qt::Key_Escape);
    });
    PressInSample(Qt::Key_G);
    EXPECT_EQ(shown, "Go To Position");
    EXPECT_EQ(QApplication::activeWindow(), frame);

    // a message box over a dialog: the dialog has the keyboard again, then the main window
    QDialog dialog(frame);
    QWidget* activeAfterBox = nullptr;
    WhenModal([&](QWidget* modal) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Ondrix"), QStringLiteral("?"), QMessageBox::Ok,
                        modal);
        WhenModal([](QWidget* inner) { SendKey(inner, Qt::Key_Escape); });
        box.exec();
        ProcessPendingEvents();
        activeAfterBox = QApplication::activeWindow();
        SendKey(modal, Qt::Key_Escape);
    });
    dialog.exec();
    ProcessPendingEvents();
    EXPECT_EQ(activeAfterBox, &dialog);
    EXPECT_EQ(QApplication::activeWindow(), frame);
}

} // namespace

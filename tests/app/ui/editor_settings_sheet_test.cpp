#include "app/ui/editor_fixture.h"
#include "resources/command_ids.h"
#include "settings/hot_key_edit.h"
#include "settings/pages/accel_page.h"
#include "settings/pages/memory_page.h"
#include "settings/pages/sample_page.h"
#include "settings/settings_sheet.h"
#include "views/sample_view.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

using namespace ondrix;
using namespace ondrix::test;

namespace {

class EditorSettingsSheetTest : public EditorFixture {
protected:
    /// Opens the sheet with F4 from the sample view of the active window and runs act on it.
    void WithSheet(const std::function<void(CSettingsSheet&)>& act) {
        bool shown = false;
        WhenModal([&](QWidget* modal) {
            auto* sheet = qobject_cast<CSettingsSheet*>(modal);
            ASSERT_NE(sheet, nullptr);
            shown = true;
            act(*sheet);
            if (sheet->isVisible()) {
                sheet->reject();
            }
        });
        if (frame->ActiveChild()) {
            frame->activateWindow(); // the window the last dialog left
            ProcessPendingEvents();
            SendKey(frame->ActiveChild()->GetSampleView(), Qt::Key_F4);
        } else {
            frame->ExecuteCommand(cmd::kSettings);
        }
        ProcessPendingEvents();
        EXPECT_TRUE(shown);
    }

    /// The colour of the sample view's background.
    QColor Background() const {
        CSampleView* view = frame->ActiveChild()->GetSampleView();
        return view->grab().toImage().pixelColor(view->width() - 2, view->height() - 2);
    }
};

TEST_F(EditorSettingsSheetTest, AnAssignedKeyShowsInTheMenuRunsAndSurvivesARestart) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 44100, 1000)));
    EXPECT_EQ(frame->Action(cmd::kEditDelete)->text(), "&Delete");
    WithSheet([](CSettingsSheet& sheet) {
        sheet.Tabs()->setCurrentIndex(CSettingsSheet::KEYBOARD);
        auto* page = static_cast<CAccelPage*>(sheet.PageAt(CSettingsSheet::KEYBOARD));
        page->MenuList()->setCurrentRow(1); // Edit
        const auto items = page->CommandList()->findItems("Delete", Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        page->CommandList()->setCurrentItem(items[0]);
        page->HotKeyField()->setFocus();
        SendKey(page->HotKeyField(), Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        SendClick(page->AssignButton());
        SendClick(sheet.OkButton());
    });
    EXPECT_EQ(frame->Action(cmd::kEditDelete)->text(), "&Delete\tCtrl+Shift+K");
    EXPECT_TRUE(
        frame->Action(cmd::kEditDelete)->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Shift+K"))));

    frame->close();
    ProcessPendingEvents();
    EXPECT_EQ(profile.GetInt("Accels", "Count", 0), int(BuiltInAccelTable().size()) + 1);
    app.reset();
    Start("");
    EXPECT_EQ(frame->Action(cmd::kEditDelete)->text(), "&Delete\tCtrl+Shift+K");
}

TEST_F(EditorSettingsSheetTest, ColoursChangeInTheOpenWindowsAndCancelRestoresThem) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 44100, 1000)));
    EXPECT_EQ(Background(), QColor(0, 0, 0));
    QColor during;
    WithSheet([&](CSettingsSheet& sheet) {
        auto* page = static_cast<CSamplePage*>(sheet.PageAt(CSettingsSheet::SAMPLE));
        sheet.Tabs()->setCurrentIndex(CSettingsSheet::SAMPLE);
        page->ColourSpin()->setFocus();
        for (int i = 0; i < 7; ++i) {
            SendKey(page->ColourSpin(), Qt::Key_Up); // index 7: dark blue
        }
        ProcessPendingEvents();
        during = Background();
        SendClick(sheet.CancelButton());
    });
    EXPECT_EQ(during, QColor(0, 0, 128));
    ProcessPendingEvents();
    EXPECT_EQ(Background(), QColor(0, 0, 0));
    EXPECT_EQ(g_settings.sampleWindow.backGround, 0);
}

TEST_F(EditorSettingsSheetTest, ANewEditorPathAsksWithADocumentOpenNoKeepsItYesClosesTheWindows) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 44100, 1000)));
    const std::string old = g_settings.tempPath.editor;
    const auto chooseRam = [](CSettingsSheet& sheet) {
        sheet.Tabs()->setCurrentIndex(CSettingsSheet::MEMORY);
        auto* page = static_cast<CMemoryPage*>(sheet.PageAt(CSettingsSheet::MEMORY));
        ChooseEntry(page->KindList(CMemoryPage::EDITOR), CMemoryPage::IN_RAM);
        SendClick(sheet.OkButton());
    };
    messages.answers = {MsgAnswer::No};
    WithSheet(chooseRam);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, 1066u);
    EXPECT_EQ(g_settings.tempPath.editor, old);
    EXPECT_EQ(frame->Children().size(), 1u);

    messages.answers = {MsgAnswer::Yes};
    WithSheet(chooseRam);
    ProcessPendingEvents();
    EXPECT_EQ(g_settings.tempPath.editor, "");
    EXPECT_TRUE(frame->Children().empty());
}

} // namespace

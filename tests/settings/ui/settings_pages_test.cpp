#include "settings/hot_key_edit.h"
#include "settings/pages/accel_page.h"
#include "settings/pages/sample_page.h"
#include "settings/pages/synchro_page.h"
#include "settings/ui/settings_sheet_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

using Sheet = CSettingsSheet;

/// Selects the row of a list whose text is text, by clicking it.
void ClickRow(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << text.toStdString();
    list->scrollToItem(items[0]);
    SendClick(list->viewport(), Qt::LeftButton, list->visualItemRect(items[0]).center());
}

QStringList Rows(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) {
        rows << list->item(i)->text();
    }
    return rows;
}

TEST_F(SettingsSheetTest, WaveWindowColoursChangeAtOnceAndCancelRestoresThem) {
    Open();
    auto* page = Show<CSamplePage>(Sheet::SAMPLE);
    EXPECT_EQ(page->ColourSpin()->value(), 0); // background first
    page->ColourSpin()->setFocus();
    SendKey(page->ColourSpin(), Qt::Key_Up);
    SendKey(page->ColourSpin(), Qt::Key_Up);
    EXPECT_EQ(settings.sampleWindow.backGround, 2); // applied as a preview
    EXPECT_EQ(host.refreshes, 2);
    EXPECT_EQ(page->ColourButton()->palette().color(QPalette::Window), QColor(128, 128, 0));
    ChooseEntry(page->ElementList(), CSamplePage::ZERO_LINE);
    EXPECT_EQ(page->ColourSpin()->value(), 1);
    SendKey(page->ColourSpin(), Qt::Key_Down);
    SendKey(page->ColourSpin(), Qt::Key_Down); // clamped at 0
    EXPECT_EQ(settings.sampleWindow.zeroLine, 0);
    ClickBox(page->SolidBox());
    EXPECT_EQ(settings.sampleWindow.solidSample, 0);
    const int before = host.refreshes;
    SendClick(sheet->CancelButton());
    EXPECT_EQ(host.refreshes, before + 1);
    EXPECT_EQ(Ini("SampleWindow", "BackGround"), "0");
    EXPECT_EQ(Ini("SampleWindow", "ZeroLine"), "1");
    EXPECT_EQ(Ini("SampleWindow", "SolidSample"), "1");
}

TEST_F(SettingsSheetTest, WaveWindowOkKeepsTheColoursAndStandardResetsOnlyThatPage) {
    settings.sampleWindow = {5, 6, 7, 8, 0, 0, 3, 25, 1, 0, 0};
    settings.synchroPlay.useFile = 0;
    Open();
    auto* page = Show<CSamplePage>(Sheet::SAMPLE);
    EXPECT_FALSE(page->ShowSampleBox()->isChecked());
    SendClick(sheet->StandardButton());
    EXPECT_EQ(settings.sampleWindow.foreGround, 13);
    EXPECT_TRUE(page->ShowSampleBox()->isChecked());
    EXPECT_EQ(page->TimeFormatList()->currentIndex(), 8);
    SendClick(sheet->OkButton());
    EXPECT_EQ(Ini("SampleWindow", "BackGround"), "0");
    EXPECT_EQ(Ini("SampleWindow", "ForeGround"), "13");
    EXPECT_EQ(Ini("SampleWindow", "Selected"), "11");
    EXPECT_EQ(Ini("SampleWindow", "ZeroLine"), "1");
    EXPECT_EQ(Ini("SampleWindow", "Inverse"), "0");
    EXPECT_EQ(Ini("SampleWindow", "TimeFmt"), "8");
    EXPECT_EQ(Ini("SampleWindow", "FPS"), "30");
    EXPECT_EQ(Ini("SynchroPlay", "UseFile"), "0"); // the other pages keep their values
}

TEST_F(SettingsSheetTest, FramesPerSecondShowsOnlyWithItsFormatAndIsClamped) {
    Open();
    auto* page = Show<CSamplePage>(Sheet::SAMPLE);
    EXPECT_FALSE(page->FpsList()->isVisibleTo(page));
    ChooseEntry(page->TimeFormatList(), 1);
    EXPECT_EQ(page->TimeFormatList()->currentText(), "Frames per Second");
    EXPECT_TRUE(page->FpsList()->isVisibleTo(page));
    ReplaceText(page->FpsList()->lineEdit(), "0");
    EXPECT_EQ(settings.sampleWindow.fps, 1);
    ReplaceText(page->FpsList()->lineEdit(), "250");
    EXPECT_EQ(settings.sampleWindow.fps, 99);
    ChooseEntry(page->TimeFormatList(), 2);
    EXPECT_FALSE(page->FpsList()->isVisibleTo(page));
    SendClick(sheet->OkButton());
    EXPECT_EQ(Ini("SampleWindow", "FPS"), "99");
    EXPECT_EQ(Ini("SampleWindow", "TimeFmt"), "2");
}

TEST_F(SettingsSheetTest, KeyboardPageListsMenusCommandsKeysAndDescriptions) {
    Open();
    auto* page = Show<CAccelPage>(Sheet::KEYBOARD);
    EXPECT_EQ(page->MenuList()->item(0)->text(), "File");
    ClickRow(page->MenuList(), "Edit");
    EXPECT_TRUE(Rows(page->CommandList()).contains("Select Block")); // "&" gone, cut before "..."
    ClickRow(page->CommandList(), "Paste");
    EXPECT_EQ(Rows(page->KeyList()), QStringList({"Ctrl+V", "Shift+Insert"}));
    EXPECT_FALSE(page->Description()->text().isEmpty());
    EXPECT_FALSE(page->Description()->text().contains('\n'));
    EXPECT_FALSE(page->RemoveButton()->isEnabled());
    ClickRow(page->KeyList(), "Shift+Insert");
    EXPECT_TRUE(page->RemoveButton()->isEnabled());
    SendClick(page->RemoveButton());
    EXPECT_EQ(Rows(page->KeyList()), QStringList({"Ctrl+V"}));
    EXPECT_EQ(host.shortcutCalls, 0); // nothing is applied before OK
}

TEST_F(SettingsSheetTest, KeyboardPageAssignsAKeyAndOkStoresItInTheAcceleratorLayout) {
    Open();
    auto* page = Show<CAccelPage>(Sheet::KEYBOARD);
    ClickRow(page->MenuList(), "Edit");
    ClickRow(page->CommandList(), "Mix");
    page->HotKeyField()->setFocus();
    SendKey(page->HotKeyField(), Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(page->HotKeyField()->text(), "Ctrl+Shift+K");
    SendClick(page->AssignButton());
    EXPECT_EQ(Rows(page->KeyList()), QStringList({"Ctrl+M", "Ctrl+Shift+K"}));
    // a key used elsewhere is appended all the same: both entries stay
    page->HotKeyField()->setFocus();
    SendKey(page->HotKeyField(), Qt::Key_A, Qt::ControlModifier);
    SendClick(page->AssignButton());
    SendClick(sheet->OkButton());

    const AccelEntry ctrlShiftK{FVIRTKEY | FCONTROL | FSHIFT, 'K', 32855};
    const AccelEntry ctrlA{FVIRTKEY | FCONTROL, 'A', 32855};
    EXPECT_EQ(host.shortcuts, settings.accels);
    EXPECT_EQ(ShortcutsOf(settings.accels, 32855),
              (AccelTable{{FVIRTKEY | FCONTROL, 'M', 32855}, ctrlShiftK, ctrlA}));
    EXPECT_EQ(ShortcutsOf(settings.accels, 57642).size(), 1u); // Select All keeps its Ctrl+A
    const int count = Ini("Accels", "Count").toInt();
    EXPECT_EQ(count, int(BuiltInAccelTable().size()) + 2);
    const QString last = QString::number(count - 1);
    EXPECT_EQ(Ini("Accels", ("Flags" + last).toLatin1()), "9");
    EXPECT_EQ(Ini("Accels", ("Keys" + last).toLatin1()), "65");
    EXPECT_EQ(Ini("Accels", ("Cmd" + last).toLatin1()), "32855");

    // the next run reads the same table back
    CQtProfileStore store(QString::fromStdString(dir.Path() + "/Ondrix.ini"));
    Settings next;
    LoadSettings(store, false, next);
    EXPECT_EQ(next.accels, settings.accels);
}

TEST_F(SettingsSheetTest, ResetAllLeavesNoShortcutsAndStandardRestoresTheBuiltInTable) {
    Open();
    auto* page = Show<CAccelPage>(Sheet::KEYBOARD);
    SendClick(page->ResetAllButton());
    EXPECT_EQ(page->KeyList()->count(), 0);
    SendClick(sheet->OkButton());
    EXPECT_TRUE(host.shortcuts.empty());
    EXPECT_EQ(Ini("Accels", "Count"), "0");

    Open();
    SendClick(sheet->StandardButton());
    SendClick(sheet->OkButton());
    EXPECT_EQ(host.shortcuts, BuiltInAccelTable());
}

TEST_F(SettingsSheetTest, HotKeyFieldLeavesTabReturnAndEscapeToTheDialog) {
    Open();
    auto* page = Show<CAccelPage>(Sheet::KEYBOARD);
    page->HotKeyField()->setFocus();
    SendKey(page->HotKeyField(), Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(page->HotKeyField()->text(), ""); // a modifier alone is no key
    SendKey(page->HotKeyField(), Qt::Key_F4);
    EXPECT_EQ(page->HotKeyField()->text(), "F4");
    SendKey(page->HotKeyField(), Qt::Key_Escape);
    EXPECT_FALSE(sheet->isVisible());
}

} // namespace

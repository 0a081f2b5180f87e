#include "settings/pages/memory_page.h"
#include "settings/pages/sound_card_page.h"
#include "settings/pages/synchro_page.h"
#include "settings/pages/user_mode_page.h"
#include "settings/ui/settings_sheet_support.h"
#include "store/temp_paths.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

using Sheet = CSettingsSheet;

TEST_F(SettingsSheetTest, StandardOnTheSynchronousPlaybackPageThenOkWritesTheDefaults) {
    settings.synchroPlay = {0, 22050, 8, 0, -1, 65536};
    Open();
    auto* page = Show<CSynchroPage>(Sheet::SYNCHRO);
    EXPECT_TRUE(page->RateList()->isEnabled());
    SendClick(sheet->StandardButton());
    EXPECT_FALSE(page->RateList()->isEnabled()); // the sound's own format again: the format is disabled
    EXPECT_EQ(settings.synchroPlay.useFile, 0);  // nothing is stored before OK
    SendKey(sheet.get(), Qt::Key_Return);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(Ini("SynchroPlay", "UseFile"), "1");
    EXPECT_EQ(Ini("SynchroPlay", "SampleRate"), "44100");
    EXPECT_EQ(Ini("SynchroPlay", "Stereo"), "1");
    EXPECT_EQ(Ini("SynchroPlay", "BitsPerSample"), "16");
}

TEST_F(SettingsSheetTest, SynchronousPlaybackRateOutOfRangeIsRefusedAndTheSheetStaysOpen) {
    settings.synchroPlay.useFile = 0;
    Open();
    auto* page = Show<CSynchroPage>(Sheet::SYNCHRO);
    ClickBox(page->Bits8Button());
    ReplaceText(page->RateList()->lineEdit(), "300");
    sheet->Tabs()->setCurrentIndex(Sheet::SAMPLE); // OK from another page still checks the rate
    SendClick(sheet->OkButton());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Please enter an integer between 4000 and 99999.");
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->Tabs()->currentIndex(), int(Sheet::SYNCHRO));
    EXPECT_EQ(settings.synchroPlay.bitsPerSample, 16);
    ReplaceText(page->RateList()->lineEdit(), "22050");
    SendClick(sheet->OkButton());
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(Ini("SynchroPlay", "SampleRate"), "22050");
    EXPECT_EQ(Ini("SynchroPlay", "BitsPerSample"), "8");
}

TEST_F(SettingsSheetTest, DevicePagesStoreNoSoundCardTheMapperAndDevicesByTheSameNumbering) {
    settings.playBack.port = 0;
    settings.record.port = 0;
    settings.synchroPlay.port = 1;
    settings.record.midiPort = -2;
    Open();
    auto* playback = Show<CSoundCardPage>(Sheet::PLAYBACK);
    EXPECT_EQ(playback->DeviceList()->count(), 4); // none, mapper, two outputs
    EXPECT_EQ(playback->DeviceList()->itemText(0), "No Sound Card");
    EXPECT_EQ(playback->DeviceList()->itemText(1), "Wave Mapper");
    EXPECT_EQ(playback->DeviceList()->currentIndex(), 2);
    ChooseEntry(playback->DeviceList(), 0);
    auto* record = Show<CSoundCardPage>(Sheet::RECORD);
    EXPECT_EQ(record->DeviceList()->itemText(1), "Wave Mapper"); // the record page has its mapper entry
    EXPECT_EQ(record->DeviceList()->itemText(2), "Microphone");
    ChooseEntry(record->DeviceList(), 1);
    auto* synchro = Show<CSoundCardPage>(Sheet::SYNCHRO_DEVICE);
    EXPECT_EQ(synchro->DeviceList()->currentIndex(), 3); // device 1 is entry 3, not 2
    ChooseEntry(synchro->DeviceList(), 1);
    auto* midi = Show<CSoundCardPage>(Sheet::MIDI);
    EXPECT_EQ(midi->DeviceList()->itemText(1), "Midi Mapper");
    EXPECT_FALSE(midi->BufferList()->isVisibleTo(midi));
    ChooseEntry(midi->DeviceList(), 1);
    SendClick(sheet->OkButton());
    EXPECT_EQ(Ini("PlayBack", "Port"), "-2");
    EXPECT_EQ(Ini("Record", "Port"), "-1");
    EXPECT_EQ(Ini("SynchroPlay", "Port"), "-1");
    EXPECT_EQ(Ini("Record", "MidiPort"), "-1");
}

TEST_F(SettingsSheetTest, DefaultRecordDeviceIsTheMapperAndOkKeepsIt) {
    Open();
    auto* record = Show<CSoundCardPage>(Sheet::RECORD);
    EXPECT_EQ(record->DeviceList()->currentIndex(), 1);
    auto* synchro = Show<CSoundCardPage>(Sheet::SYNCHRO_DEVICE);
    ChooseEntry(synchro->DeviceList(), 2); // the first device is device 0
    SendClick(sheet->OkButton());
    EXPECT_EQ(Ini("Record", "Port"), "-1");
    EXPECT_EQ(Ini("SynchroPlay", "Port"), "0");
}

TEST_F(SettingsSheetTest, TheRecordPageEditsTheLatencyCompensationWithinItsRange) {
    settings.record.latencyMs = 120;
    Open();
    auto* playback = Show<CSoundCardPage>(Sheet::PLAYBACK);
    EXPECT_TRUE(playback->LatencyField()->isHidden()); // only the record page has the row
    auto* record = Show<CSoundCardPage>(Sheet::RECORD);
    QSpinBox* latency = record->LatencyField();
    ASSERT_FALSE(latency->isHidden());
    EXPECT_EQ(latency->value(), 120);
    const QLabel* label = nullptr;
    for (const QLabel* candidate : record->findChildren<QLabel*>()) {
        label = candidate->buddy() == latency ? candidate : label;
    }
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "&Latency compensation [ms]:");
    EXPECT_EQ(latency->minimum(), 0);
    EXPECT_EQ(latency->maximum(), 1000);
    ReplaceText(latency, "5000"); // the fourth digit would pass the range and is refused
    EXPECT_EQ(latency->value(), 500);
    ReplaceText(latency, "35");
    SendClick(sheet->OkButton());
    EXPECT_EQ(Ini("Record", "LatencyMs"), "35");
    EXPECT_EQ(settings.record.latencyMs, 35);
}

TEST_F(SettingsSheetTest, BufferSizesSelectTheirEntryOrTheNearestAndStoreInBytes) {
    settings.playBack.buffer = 1 << 22; // beyond the list: the largest entry
    settings.synchroPlay.buffer = 20000;
    Open();
    auto* playback = Show<CSoundCardPage>(Sheet::PLAYBACK);
    EXPECT_EQ(playback->BufferList()->currentText(), "512 kByte");
    auto* synchro = Show<CSoundCardPage>(Sheet::SYNCHRO_DEVICE);
    EXPECT_EQ(synchro->BufferList()->currentText(), "32 kByte");
    auto* record = Show<CSoundCardPage>(Sheet::RECORD);
    EXPECT_EQ(record->BufferList()->currentText(), "64 kByte");
    ChooseEntry(record->BufferList(), 1);
    EXPECT_EQ(record->BufferList()->currentText(), "16 kByte");
    SendClick(sheet->OkButton());
    EXPECT_EQ(Ini("Record", "Buffer"), "16384");
    EXPECT_EQ(Ini("PlayBack", "Buffer"), "524288");
    EXPECT_EQ(Ini("SynchroPlay", "Buffer"), "32768");
}

TEST_F(SettingsSheetTest, DevicePagesShowTheCapabilitiesOfTheSelectedDevice) {
    Open();
    auto* playback = Show<CSoundCardPage>(Sheet::PLAYBACK);
    EXPECT_EQ(playback->Capability(0)->text(), "44100 Hz"); // the mapper
    EXPECT_EQ(playback->Capability(1)->text(), "16 Bit");
    EXPECT_EQ(playback->Capability(2)->text(), "2");
    ChooseEntry(playback->DeviceList(), 3); // cannot be queried: empty
    EXPECT_EQ(playback->Capability(0)->text(), "");
    ChooseEntry(playback->DeviceList(), 0);
    EXPECT_EQ(playback->Capability(1)->text(), "");
    auto* record = Show<CSoundCardPage>(Sheet::RECORD);
    ChooseEntry(record->DeviceList(), 2);
    EXPECT_EQ(record->Capability(0)->text(), "22050 Hz");
    EXPECT_EQ(record->Capability(1)->text(), "8 Bit");
    auto* midi = Show<CSoundCardPage>(Sheet::MIDI);
    EXPECT_EQ(midi->Capability(0)->text(), "Preferred Device (Wave Mapper)");
    EXPECT_EQ(midi->Capability(1)->text(), "");
}

TEST_F(SettingsSheetTest, TheSheetOpensOnThePageLastShownAndCancelDropsThePages) {
    Open();
    EXPECT_EQ(sheet->Tabs()->count(), 9);
    EXPECT_EQ(sheet->Tabs()->tabText(0), "WAVE Window");
    EXPECT_EQ(sheet->Tabs()->tabText(5), "Midi");
    EXPECT_EQ(sheet->Tabs()->tabText(8), "User Mode");
    EXPECT_EQ(sheet->Tabs()->currentIndex(), 0);
    auto* mode = Show<CUserModePage>(Sheet::USER_MODE);
    EXPECT_TRUE(mode->Explanation()->isVisible());
    EXPECT_TRUE(mode->Explanation()->text().startsWith("In expert mode, you can specify all parameters"));
    ClickBox(mode->ExpertButton());
    SendKey(sheet.get(), Qt::Key_Escape);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(Ini("Desktop", "ExpertMode"), "0");
    EXPECT_EQ(Ini("Desktop", "LastPropertyPage"), "8");

    Open();
    EXPECT_EQ(sheet->Tabs()->currentIndex(), 8);
    mode = Show<CUserModePage>(Sheet::USER_MODE);
    ClickBox(mode->ExpertButton());
    Show<CSynchroPage>(Sheet::SYNCHRO); // closing on page 7
    SendClick(sheet->OkButton());
    EXPECT_EQ(Ini("Desktop", "ExpertMode"), "1");
    EXPECT_EQ(Ini("Desktop", "LastPropertyPage"), "6");
    Open();
    EXPECT_EQ(sheet->Tabs()->currentIndex(), 6);
    EXPECT_EQ(sheet->focusWidget(), static_cast<CSynchroPage*>(sheet->PageAt(Sheet::SYNCHRO))->UseFileBox());
}

TEST_F(SettingsSheetTest, MemoryPageShowsTheKindOfEachPath) {
    settings.tempPath = {"", "@~", "/var/tmp/ondrix", "@~"}; // editor, clipboard, record, synchro
    Open();
    auto* page = Show<CMemoryPage>(Sheet::MEMORY);
    const QString systemTemp = QString::fromStdString(SystemTempDirectory());
    EXPECT_EQ(page->KindList(CMemoryPage::EDITOR)->currentText(), "in RAM");
    EXPECT_FALSE(page->PathField(CMemoryPage::EDITOR)->isVisibleTo(page));
    EXPECT_FALSE(page->DisplayText(CMemoryPage::EDITOR)->isVisibleTo(page));
    EXPECT_EQ(page->KindList(CMemoryPage::CLIPBOARD)->currentText(), "Windows Temp- Path");
    EXPECT_EQ(page->DisplayText(CMemoryPage::CLIPBOARD)->text(), systemTemp);
    EXPECT_EQ(page->KindList(CMemoryPage::RECORD)->currentText(), "User Defined Path");
    EXPECT_EQ(page->PathField(CMemoryPage::RECORD)->text(), "/var/tmp/ondrix");

    ChooseEntry(page->KindList(CMemoryPage::EDITOR), CMemoryPage::USER_DEFINED);
    EXPECT_TRUE(page->PathField(CMemoryPage::EDITOR)->isVisibleTo(page));
    EXPECT_EQ(page->PathField(CMemoryPage::EDITOR)->text(), systemTemp);
    ReplaceText(page->PathField(CMemoryPage::EDITOR), "/srv/sounds");
    EXPECT_EQ(page->PathOf(CMemoryPage::EDITOR), "/srv/sounds");
    ReplaceText(page->PathField(CMemoryPage::RECORD), "");
    EXPECT_EQ(page->PathOf(CMemoryPage::RECORD), "@~"); // an emptied user path is no "in RAM"
    SendClick(sheet->StandardButton());
    for (int group = 0; group < CMemoryPage::GROUP_COUNT; ++group) {
        EXPECT_EQ(page->PathOf(CMemoryPage::Group(group)), "@~");
    }
}

TEST_F(SettingsSheetTest, ChangingOnlyTheRecordPathNeverAsksToCloseTheWindows) {
    host.documentsOpen = true;
    Open();
    auto* page = Show<CMemoryPage>(Sheet::MEMORY);
    ChooseEntry(page->KindList(CMemoryPage::RECORD), CMemoryPage::IN_RAM);
    SendClick(sheet->OkButton());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(host.closeCalls, 0);
    EXPECT_EQ(Ini("TempPath", "Record"), "");
    EXPECT_EQ(Ini("TempPath", "Editor"), "@~");
    EXPECT_TRUE(host.clipboardPaths.empty());
}

TEST_F(SettingsSheetTest, ChangingTheEditorPathWithDocumentsOpenAsksAndNoKeepsTheOldPath) {
    host.documentsOpen = true;
    messages.answers = {MsgAnswer::No};
    Open();
    auto* page = Show<CMemoryPage>(Sheet::MEMORY);
    ChooseEntry(page->KindList(CMemoryPage::EDITOR), CMemoryPage::IN_RAM);
    ChooseEntry(page->KindList(CMemoryPage::SYNCHRO_PLAY), CMemoryPage::IN_RAM);
    SendClick(sheet->OkButton());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "You have changed the memory settings.\nTo use these settings, all windows "
              "must be closed.\nClose all windows?");
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(messages.shown[0].helpId, 1066u);
    EXPECT_EQ(messages.beeps, std::vector<MsgIcon>{MsgIcon::Question});
    EXPECT_EQ(host.closeCalls, 0);
    EXPECT_EQ(Ini("TempPath", "Editor"), "@~");
    EXPECT_EQ(Ini("TempPath", "SynchroPlay"), ""); // taken at once all the same
}

TEST_F(SettingsSheetTest, YesClosesTheDocumentsAndANewClipboardPathGetsANewClipboard) {
    host.documentsOpen = true;
    messages.answers = {MsgAnswer::Yes};
    Open();
    auto* page = Show<CMemoryPage>(Sheet::MEMORY);
    ChooseEntry(page->KindList(CMemoryPage::EDITOR), CMemoryPage::IN_RAM);
    ChooseEntry(page->KindList(CMemoryPage::CLIPBOARD), CMemoryPage::IN_RAM);
    SendClick(sheet->OkButton());
    EXPECT_EQ(host.closeCalls, 1);
    EXPECT_EQ(Ini("TempPath", "Editor"), "");
    // the custom clipboard is made again once the new path holds
    EXPECT_EQ(host.clipboardPaths, std::vector<std::string>{""});
}

TEST_F(SettingsSheetTest, ARefusedSaveKeepsTheOldEditorPath) {
    host.documentsOpen = true;
    host.closeSucceeds = false;
    messages.answers = {MsgAnswer::Yes};
    Open();
    ChooseEntry(Show<CMemoryPage>(Sheet::MEMORY)->KindList(CMemoryPage::EDITOR), CMemoryPage::IN_RAM);
    SendClick(sheet->OkButton());
    EXPECT_EQ(host.closeCalls, 1);
    EXPECT_EQ(Ini("TempPath", "Editor"), "@~");
}

} // namespace

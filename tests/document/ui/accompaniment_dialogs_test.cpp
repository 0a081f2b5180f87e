#include "app/ui/editor_qt_support.h"
#include "audio/accompaniment_backends.h"
#include "audio/midi_file.h"
#include "audio/ui/test_stop_buttons.h"
#include "controls/ui/range_edit.h"
#include "document/dialogs/cd_playback_dialog.h"
#include "document/dialogs/midi_accompaniment_dialog.h"
#include "document/ui/fake_accompaniment_devices.h"
#include "document/ui/scripted_file_chooser.h"
#include "resources/string_ids.h"
#include "settings/core/settings.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <fstream>
#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

class AccompanimentDialogTest : public ::testing::Test, public QtApplicationFirst {
protected:
    void SetUp() override {
        settings.record.syncTrack = 3;
        settings.record.syncBreak = 0;
        settings.record.syncMidiFile = midiPath;
        settings.record.syncTempo = 100;
        WriteSmallMidiFile(midiPath);
    }
    void TearDown() override { std::remove(midiPath.c_str()); }

    FakeDevices devices;
    ScopedAccompanimentBackends scope{&devices, &devices};
    FakeMessageService messages;
    Settings settings;
    TempDir scratch;
    std::string midiPath = scratch.Path() + "/dialog-test.mid"; // a file of 100 bpm
};

} // namespace

TEST_F(AccompanimentDialogTest, CdDialogShowsTheSettingsAndOkWritesThem) {
    CCdPlaybackDialog dialog(settings);
    dialog.show();
    EXPECT_EQ(dialog.focusWidget(), dialog.StartCheck());
    EXPECT_FALSE(dialog.StartCheck()->isChecked());
    EXPECT_FALSE(dialog.StopAfterTrackCheck()->isChecked());
    EXPECT_EQ(dialog.TrackField()->Field()->text(), QStringLiteral("3"));
    SendKey(dialog.StartCheck(), Qt::Key_Space);
    ReplaceText(dialog.TrackField()->Field(), QStringLiteral("12"));
    SendKey(dialog.TrackField()->Field(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.record.syncCD, 1);
    EXPECT_EQ(settings.record.syncBreak, 0);
    EXPECT_EQ(settings.record.syncTrack, 12);
}

TEST_F(AccompanimentDialogTest, CdDialogRefusesATrackOutsideItsRange) {
    CCdPlaybackDialog dialog(settings);
    dialog.show();
    ReplaceText(dialog.TrackField()->Field(), QStringLiteral("101"));
    SendKey(dialog.TrackField()->Field(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(settings.record.syncTrack, 3);
    SendKey(dialog.TrackField()->Field(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(settings.record.syncTrack, 3);
}

TEST_F(AccompanimentDialogTest, CdTestShowsStopAndStopShowsTest) {
    CCdPlaybackDialog dialog(settings);
    dialog.show();
    CTestStopButtons* buttons = dialog.TestButtons();
    EXPECT_TRUE(buttons->TestButton()->isVisible());
    EXPECT_FALSE(buttons->StopButton()->isVisible());
    SendClick(buttons->TestButton());
    EXPECT_TRUE(dialog.IsTesting());
    EXPECT_TRUE(buttons->StopButton()->isVisible());
    EXPECT_FALSE(buttons->TestButton()->isVisible());
    EXPECT_EQ(devices.log.tracksPlayed, std::vector<int>{3});
    EXPECT_EQ(devices.log.toTrackEnd, std::vector<bool>{true}); // a test always stops after its track
    SendClick(buttons->StopButton());
    EXPECT_FALSE(dialog.IsTesting());
    EXPECT_EQ(devices.log.open, 0);
    EXPECT_TRUE(buttons->TestButton()->isVisible());
}

TEST_F(AccompanimentDialogTest, CdTestEndsWithItsTrack) {
    CCdPlaybackDialog dialog(settings);
    dialog.show();
    SendClick(dialog.TestButtons()->TestButton());
    devices.EndPlay();
    ProcessPendingEvents();
    EXPECT_FALSE(dialog.IsTesting());
    EXPECT_EQ(devices.log.open, 0);
    EXPECT_TRUE(dialog.TestButtons()->TestButton()->isVisible());
}

TEST_F(AccompanimentDialogTest, ChangingTheTrackDuringATestIgnoresTheOldTracksEnd) {
    CCdPlaybackDialog dialog(settings);
    dialog.show();
    SendClick(dialog.TestButtons()->TestButton());
    QLineEdit* track = dialog.TrackField()->Field();
    track->setFocus();
    SendKey(track, Qt::Key_A, Qt::ControlModifier);
    TypeText(track, QStringLiteral("5")); // typed over the old number: one change
    EXPECT_EQ(devices.log.tracksPlayed, (std::vector<int>{3, 5}));
    EXPECT_TRUE(dialog.IgnoresNextEnd());
    ProcessPendingEvents(); // the end of track 3, cut off
    EXPECT_TRUE(dialog.IsTesting());
    EXPECT_FALSE(dialog.IgnoresNextEnd());
    EXPECT_TRUE(dialog.TestButtons()->StopButton()->isVisible());
    devices.EndPlay(); // track 5 ends
    ProcessPendingEvents();
    EXPECT_FALSE(dialog.IsTesting());
    EXPECT_TRUE(dialog.TestButtons()->TestButton()->isVisible());
}

TEST_F(AccompanimentDialogTest, ChangingToATrackThatIsNotThereStopsTheTest) {
    CCdPlaybackDialog dialog(settings);
    dialog.show();
    SendClick(dialog.TestButtons()->TestButton());
    ReplaceText(dialog.TrackField()->Field(), QStringLiteral("42"));
    EXPECT_FALSE(dialog.IsTesting());
    EXPECT_TRUE(dialog.TestButtons()->TestButton()->isVisible());
    ProcessPendingEvents();
    EXPECT_TRUE(messages.shown.empty());
    // A new test hears its own end.
    ReplaceText(dialog.TrackField()->Field(), QStringLiteral("2"));
    SendClick(dialog.TestButtons()->TestButton());
    devices.EndPlay();
    ProcessPendingEvents();
    EXPECT_FALSE(dialog.IsTesting());
}

TEST_F(AccompanimentDialogTest, ClosingTheCdDialogWhileTestingStopsTheDevice) {
    auto dialog = std::make_unique<CCdPlaybackDialog>(settings);
    dialog->show();
    SendClick(dialog->TestButtons()->TestButton());
    ASSERT_EQ(devices.log.open, 1);
    SendKey(dialog->TrackField()->Field(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(devices.log.open, 0);
    EXPECT_EQ(settings.record.syncCD, 0);
}

TEST_F(AccompanimentDialogTest, CdTestWithoutADiscShowsTheCdMessage) {
    devices.log.noDisc = true;
    CCdPlaybackDialog dialog(settings);
    dialog.show();
    SendClick(dialog.TestButtons()->TestButton());
    EXPECT_FALSE(dialog.IsTesting());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, str::kCdPlaybackError);
    EXPECT_EQ(messages.beeps, std::vector<MsgIcon>{MsgIcon::Stop});
    EXPECT_TRUE(dialog.TestButtons()->TestButton()->isVisible());
}

TEST_F(AccompanimentDialogTest, MidiDialogShowsTheSettingsAndOkWritesThemWithTheTempoClamped) {
    settings.record.syncTempo = 999; // clamped when the dialog loads it
    CMidiAccompanimentDialog dialog(settings);
    dialog.show();
    EXPECT_EQ(dialog.focusWidget(), dialog.StartCheck());
    EXPECT_EQ(dialog.FileField()->text().toStdString(), midiPath);
    EXPECT_EQ(dialog.TempoField()->Field()->text(), QStringLiteral("256"));
    SendKey(dialog.StartCheck(), Qt::Key_Space);
    ReplaceText(dialog.TempoField()->Field(), QStringLiteral("5"));
    SendKey(dialog.TempoField()->Field(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.record.syncMidi, 1);
    EXPECT_EQ(settings.record.syncTempo, 16);
}

TEST_F(AccompanimentDialogTest, BrowseTakesTheFileAndItsTempo) {
    ScriptedFileChooser chooser;
    chooser.answers.push_back(midiPath);
    settings.record.syncMidiFile.clear();
    CMidiAccompanimentDialog dialog(settings);
    dialog.show();
    SendClick(dialog.findChild<QPushButton*>(QString(), Qt::FindDirectChildrenOnly)); // "&Browse"
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_FALSE(chooser.requests[0].save);
    EXPECT_EQ(chooser.requests[0].filter, "Midi Files (*.rmi;*.mid)|*.rmi;*.mid|All Files (*.*)|*.*||");
    EXPECT_EQ(dialog.FileField()->text().toStdString(), midiPath);
    EXPECT_EQ(dialog.TempoField()->Field()->text(), QStringLiteral("100"));
}

TEST_F(AccompanimentDialogTest, MidiTestAppliesTheTypedTempoClamped) {
    CMidiAccompanimentDialog dialog(settings);
    dialog.show();
    SendClick(dialog.TestButtons()->TestButton());
    ASSERT_TRUE(dialog.IsTesting());
    EXPECT_TRUE(dialog.TestButtons()->StopButton()->isVisible());
    EXPECT_EQ(devices.log.tempos, std::vector<int>{100});
    EXPECT_TRUE(devices.log.portsSet.empty()); // -1 leaves the synthesizer
    devices.log.tempos.clear();
    ReplaceText(dialog.TempoField()->Field(), QStringLiteral("300"));
    EXPECT_EQ(devices.log.tempos.back(), 256);
    ReplaceText(dialog.TempoField()->Field(), QStringLiteral("5"));
    EXPECT_EQ(devices.log.tempos.back(), 16);
    EXPECT_EQ(dialog.TempoField()->Field()->text(), QStringLiteral("5")); // the field keeps what was typed
    SendClick(dialog.TestButtons()->StopButton());
    EXPECT_FALSE(dialog.IsTesting());
    EXPECT_EQ(devices.log.open, 0);
    EXPECT_TRUE(dialog.TestButtons()->TestButton()->isVisible());
}

TEST_F(AccompanimentDialogTest, MidiTestEndsWithItsFileAndClosingStopsIt) {
    auto dialog = std::make_unique<CMidiAccompanimentDialog>(settings);
    dialog->show();
    SendClick(dialog->TestButtons()->TestButton());
    devices.EndPlay();
    ProcessPendingEvents();
    EXPECT_FALSE(dialog->IsTesting());
    EXPECT_TRUE(dialog->TestButtons()->TestButton()->isVisible());
    SendClick(dialog->TestButtons()->TestButton());
    ASSERT_EQ(devices.log.open, 1);
    SendKey(dialog->FileField(), Qt::Key_Escape);
    EXPECT_EQ(devices.log.open, 0);
    EXPECT_EQ(settings.record.syncMidi, 0);
}

TEST_F(AccompanimentDialogTest, MidiTestOfAMissingFileOrPortShowsTheMidiMessage) {
    settings.record.syncMidiFile = scratch.Path() + "/no-such.mid";
    CMidiAccompanimentDialog dialog(settings);
    dialog.show();
    SendClick(dialog.TestButtons()->TestButton());
    EXPECT_FALSE(dialog.IsTesting());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, str::kMidiPlaybackError);
    ReplaceText(dialog.FileField(), QString::fromStdString(midiPath));
    settings.record.midiPort = 4; // no such port
    SendClick(dialog.TestButtons()->TestButton());
    EXPECT_FALSE(dialog.IsTesting());
    EXPECT_EQ(devices.log.open, 0);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].helpId, str::kMidiPlaybackError);
}

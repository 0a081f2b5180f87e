#include "app/ui/editor_fixture.h"
#include "app/ui/manual_device.h"
#include "audio/signal_source.h"
#include "document/record_session.h"
#include "resources/command_ids.h"
#include "resources/string_ids.h"
#include "support/small_disk.h"
#include "views/sample_view.h"

#include <chrono>
#include <thread>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// Recording through the main frame's commands and shortcuts on a simulated input that records only as
/// far as the test moves its clock.
class RecordTest : public EditorFixture {
protected:
    void SetUp() override {
        device.backend.SetInputSource([](const AudioFormat& format) {
            return std::unique_ptr<ISignalSource>(CGeneratorSource::Ramp(format));
        });
        EditorFixture::SetUp();
        g_settings.record.buffer = 400;
        g_settings.tempPath.record = temp.Path();
        g_settings.tempPath.synchroPlay = temp.Path();
    }

    /// Sends a key to the active sample view, as the user presses it.
    void Press(Qt::Key key) {
        SendKey(frame->ActiveChild()->GetSampleView(), key);
        ProcessPendingEvents();
    }

    /// Lets the input record frames in steps the worker keeps up with; stops early when the run ended.
    void Record(uint32_t frames, uint32_t rate) {
        for (uint32_t done = 0; done < frames && device.backend.IsInputOpen(); done += 50) {
            device.clock.AdvanceFrames(std::min(50u, frames - done), rate);
            for (int i = 0; i < 2000 && device.backend.InputQueued() < 2 && device.backend.IsInputOpen();
                 ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        ProcessPendingEvents();
    }

    /// Waits until the stop message has been handled: the frame forgot the recording.
    bool WaitForStop() {
        for (int i = 0; i < 5000; ++i) {
            ProcessPendingEvents();
            if (!frame->GetRecordingStore() && !frame->Transport().GetRecordingDocument()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    ManualDevice device;
};

TEST_F(RecordTest, F7PreparesF8StartsAndF6TakesTheTakeIntoTheSound) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 8000, 1000)));
    EXPECT_TRUE(frame->QueryCommand(cmd::kRecordStart).IsEnabled());
    Doc()->SetCursor(400);
    Press(Qt::Key_F7);
    ASSERT_NE(Doc()->GetRecording(), nullptr);
    EXPECT_EQ(frame->Transport().GetRecordingDocument(), Doc());
    EXPECT_EQ(frame->GetRecordingStore(), Doc()->GetRecordStore());
    CCmdUI record = frame->QueryCommand(cmd::kRecordStart);
    EXPECT_TRUE(record.IsChecked());
    EXPECT_FALSE(record.IsEnabled());
    EXPECT_FALSE(frame->QueryCommand(cmd::kPlayStart).IsEnabled());
    EXPECT_FALSE(frame->QueryCommand(cmd::kEditSelectAll).IsEnabled()); // nothing edits meanwhile
    EXPECT_TRUE(frame->QueryCommand(cmd::kPause).IsEnabled());
    EXPECT_TRUE(frame->QueryCommand(cmd::kPause).IsChecked()); // prepared: the take waits for F8
    EXPECT_TRUE(device.backend.IsInputRunning());              // while the input runs for the meters
    EXPECT_EQ(Doc()->GetRecording()->Target().GetAudioPosition(), 0u);

    Press(Qt::Key_F8);
    EXPECT_TRUE(device.backend.IsInputRunning());
    EXPECT_FALSE(frame->QueryCommand(cmd::kPause).IsChecked());
    Record(200, 8000);
    g_settings.sampleWindow.timeFmt = 0;
    Doc()->UpdateStatus(0);       // what the view's 100 ms timer does
    EXPECT_EQ(Status(2), "200");  // the frames recorded
    EXPECT_EQ(Status(3), "1200"); // inserting: they add to the length
    Press(Qt::Key_F8);            // pause: nothing is recorded meanwhile
    Record(300, 8000);
    Press(Qt::Key_F8);
    Record(100, 8000);

    Press(Qt::Key_F6);
    ASSERT_TRUE(WaitForStop());
    EXPECT_EQ(Doc()->GetRecording(), nullptr);
    EXPECT_FALSE(device.backend.IsInputOpen());
    EXPECT_EQ(Doc()->GetStore()->GetFrameCount(), 1300u);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetUndoHistory().GetCount(), 1u);
    EXPECT_TRUE(frame->QueryCommand(cmd::kRecordStart).IsEnabled());
    EXPECT_FALSE(frame->QueryCommand(cmd::kRecordStart).IsChecked());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RecordTest, TheRecordMenuItemPreparesAndSynchronousPlaybackIsAToggle) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 8000, 1000)));
    EXPECT_FALSE(frame->QueryCommand(cmd::kSynchronousPlayback).IsChecked());
    frame->Action(cmd::kSynchronousPlayback)->trigger();
    EXPECT_EQ(g_settings.record.syncPlay, 1);
    EXPECT_TRUE(frame->QueryCommand(cmd::kSynchronousPlayback).IsChecked());
    frame->Action(cmd::kRecordStart)->trigger();
    ProcessPendingEvents();
    ASSERT_NE(Doc()->GetRecording(), nullptr);
    EXPECT_NE(Doc()->GetRecording()->GetSyncStore(), nullptr);
    frame->UpdateCommandStates();
    ASSERT_TRUE(frame->Action(cmd::kStop)->isEnabled());
    frame->Action(cmd::kStop)->trigger();
    ASSERT_TRUE(WaitForStop());
    EXPECT_EQ(Doc()->GetStore()->GetFrameCount(), 1000u);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(RecordTest, ClosingTheRecordingDocumentAsksAndTheFrameForgetsIt) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 8000, 1000)));
    Press(Qt::Key_F7);
    Press(Qt::Key_F8);
    Record(100, 8000);
    messages.answers = {MsgAnswer::Cancel};
    frame->ActiveChild()->close();
    ProcessPendingEvents();
    ASSERT_EQ(frame->Children().size(), 1u); // Cancel: the recording goes on
    EXPECT_TRUE(device.backend.IsInputRunning());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, str::kCloseWhileRecordingText);

    messages.answers = {MsgAnswer::No}; // drop the take
    frame->ActiveChild()->close();
    ProcessPendingEvents();
    EXPECT_TRUE(frame->Children().empty());
    EXPECT_EQ(frame->Transport().GetRecordingDocument(), nullptr);
    EXPECT_EQ(frame->GetRecordingStore(), nullptr); // deleted with the document: not to be read again
    ASSERT_TRUE(WaitForStop());                     // the late stop message reaches no closed document
    EXPECT_FALSE(device.backend.IsInputOpen());
}

TEST_F(RecordTest, ClosingTheProgramWhileRecordingTakesTheTakeInBeforeTheSaveQuestion) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 8000, 1000)));
    Press(Qt::Key_F7);
    Press(Qt::Key_F8);
    Record(100, 8000);
    messages.answers = {MsgAnswer::Yes, MsgAnswer::Cancel}; // take it in, then cancel the save question
    frame->close();
    ProcessPendingEvents();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].helpId, str::kSaveChanges);
    ASSERT_EQ(frame->Children().size(), 1u);
    EXPECT_EQ(Doc()->GetStore()->GetFrameCount(), 1100u);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(frame->GetRecordingStore(), nullptr); // the take's store is gone: the meters must not read it
    EXPECT_FALSE(device.backend.IsInputOpen());
    EXPECT_TRUE(WaitForStop());
}

TEST_F(RecordTest, AFullDiskDuringTheTakeKeepsWhatWasRecordedAndSaysSoOnce) {
    SmallDisk disk(16 * 1024);
    g_settings.tempPath.record = disk.Path();
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 8000, 1000)));
    Press(Qt::Key_F7);
    Press(Qt::Key_F8);
    Record(20000, 8000); // 40000 bytes: the disk fills first
    ASSERT_TRUE(WaitForStop());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, str::kRecordWriteFailedText);
    const uint32_t kept = Doc()->GetStore()->GetFrameCount() - 1000;
    EXPECT_GT(kept, 1000u);
    EXPECT_LE(kept, 8192u);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(disk.FileCount(), 0u);
}

TEST_F(RecordTest, ADeviceFaultMidTakeKeepsWhatWasRecordedAndSaysSoOnce) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 16, 8000, 1000)));
    device.backend.FailAfterBytes(2000);
    Press(Qt::Key_F7);
    Press(Qt::Key_F8);
    Record(4000, 8000);
    ASSERT_TRUE(WaitForStop());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, str::kRecordDeviceFailedText);
    const uint32_t kept = Doc()->GetStore()->GetFrameCount() - 1000;
    EXPECT_GT(kept, 0u);
    EXPECT_LE(kept, 1000u);
}

TEST_F(RecordTest, TheRecordSwitchOfTheCommandLinePreparesARecording) {
    const std::string path = MakeWave("b.wav", 1, 16, 8000, 500);
    frame->ProcessCommandLine(QString("/r ") + QString::fromStdString(path));
    ProcessPendingEvents();
    ASSERT_NE(Doc(), nullptr);
    ASSERT_NE(Doc()->GetRecording(), nullptr);
    EXPECT_TRUE(Doc()->GetRecording()->IsPrepared());
    frame->ExecuteCommand(cmd::kStop);
    EXPECT_TRUE(WaitForStop());
}

} // namespace

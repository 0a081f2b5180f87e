#include "app/help_window.h"
#include "app/ui/editor_fixture.h"
#include "app/ui/manual_device.h"
#include "app/work_recovery.h"
#include "audio/signal_source.h"
#include "document/record_session.h"
#include "document/track_mixer.h"
#include "resources/command_ids.h"
#include "resources/string_ids.h"
#include "store/leftover_stores.h"
#include "store/recovery_note.h"
#include "support/child_process.h"

#include <QTextBrowser>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

using namespace ondrix;
using namespace ondrix::test;

namespace {

std::vector<uint8_t> Pattern(uint32_t bytes) {
    std::vector<uint8_t> data(bytes);
    for (uint32_t i = 0; i < bytes; ++i) {
        data[i] = uint8_t(i * 131 + i / 251);
    }
    return data;
}

/// The description beside a store's data file, read back; nothing when there is none.
std::optional<StoreDescription> DescriptionOf(const CSampleStore& store) {
    std::ifstream file(DescriptionPathFor(store.GetTempFileName()));
    if (!file) {
        return std::nullopt;
    }
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return ParseDescription(text);
}

/// The editor's start-up after a crashed run: every temporary path in the test's own directory.
class RecoveryTest : public EditorFixture {
protected:
    void SetUp() override {
        device.backend.SetInputSource([](const AudioFormat& format) {
            return std::unique_ptr<ISignalSource>(CGeneratorSource::Ramp(format));
        });
        EditorFixture::SetUp();
        // every path in the test's folder: a look into the system's would meet other programs' files
        profile.WriteString("TempPath", "Record", temp.Path());
        profile.WriteString("TempPath", "SynchroPlay", temp.Path());
        g_settings.tempPath.record = temp.Path();
        g_settings.tempPath.synchroPlay = temp.Path();
        g_settings.record.buffer = 400;
    }

    /// Ends the editor and starts it again with the offer of the crashed run's work; meanwhile runs
    /// between the two (the settings were written at the end).
    void Restart(const std::function<void()>& meanwhile = {}) {
        frame->close();
        ProcessPendingEvents();
        app.reset();
        if (meanwhile) {
            meanwhile();
        }
        g_settings = Settings{};
        recoverWork = true;
        Start("");
        EXPECT_EQ(TemporaryStoreDirectories(g_settings.tempPath), std::vector<std::string>{temp.Path()});
    }

    /// Leaves a store as a killed program leaves it: data and description, never released.
    void LeaveCrashedStore(uint32_t bits, uint32_t tracks, uint32_t rate, const std::vector<uint8_t>& data,
                           const RecoveryIdentity& identity,
                           const std::function<void(CSampleStore&)>& edit = {}) {
        KillChild(RunInChild([&] {
            auto* store = new CSampleStore;
            store->Create(STORE_TEMPFILE, temp.Path(), bits, tracks, rate, tracks == 2);
            store->AppendData(data.data(), uint32_t(data.size()));
            if (edit) {
                edit(*store);
            }
            store->KeepRecoveryNote(identity);
        }));
    }

    std::vector<std::string> DataFiles() const {
        std::vector<std::string> names = temp.Files();
        names.erase(
            std::remove_if(names.begin(), names.end(), [](const std::string& n) { return n.size() != 9; }),
            names.end());
        return names;
    }

    ManualDevice device;
};

TEST_F(RecoveryTest, AKilledTakeOpensAgainAsAModifiedRecordingWithItsFramesIntact) {
    const std::vector<uint8_t> pattern = Pattern(44100 * 4); // one second of 16-bit stereo
    LeaveCrashedStore(16, 2, 44100, pattern, {RecoveryKind::Take, "/music/song.wav", "song.wav", 1765290000});
    messages.answers = {MsgAnswer::Yes};
    Restart();
    ASSERT_EQ(messages.shown.size(), 1u);
    const auto& question = messages.shown[0];
    EXPECT_EQ(question.text.rfind("Recover the recording of ", 0), 0u) << question.text;
    EXPECT_NE(question.text.find(" (00:01.00)?"), std::string::npos) << question.text;
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(question.helpId, str::kRecoverTakeText);
    EXPECT_EQ(messages.beeps, std::vector<MsgIcon>{MsgIcon::Question});

    ASSERT_EQ(frame->Children().size(), 1u);
    COndrixDoc* doc = Doc();
    EXPECT_EQ(doc->GetTitle(), "Recording");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetStore()->GetStorageMode(), STORE_TEMPFILE);
    EXPECT_EQ(AllBytes(*doc->GetStore()), pattern);
    EXPECT_TRUE(doc->GetUndoHistory().GetState(0) == nullptr); // undo states are not recovered
    // the recovered sound is this run's work now: described as changes to "Recording"
    const auto description = DescriptionOf(*doc->GetStore());
    ASSERT_TRUE(description);
    EXPECT_EQ(description->identity.kind, RecoveryKind::Changes);
    EXPECT_EQ(description->identity.title, "Recording");
    EXPECT_EQ(description->identity.time, 1765290000);
}

TEST_F(RecoveryTest, ChangesOpenWithTheirFormatMixerNamesAndTheDocumentsPath) {
    LeaveCrashedStore(8, 3, 22050, Pattern(3 * 700), {RecoveryKind::Changes, "/music/a.wav", "a.wav", 0},
                      [](CSampleStore& store) {
                          MixerBlock mixer;
                          store.GetMixer(mixer);
                          mixer.volume[1] = 60;
                          mixer.balance[2] = 40;
                          store.SetMixer(mixer);
                          store.m_trackNames[0] = "Drums";
                          store.m_trackFlags[2] = TRACK_SHOWN;
                      });
    messages.answers = {MsgAnswer::Yes};
    Restart();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Recover the changes to a.wav?");
    EXPECT_EQ(messages.shown[0].helpId, str::kRecoverChangesText);
    ASSERT_EQ(frame->Children().size(), 1u);
    COndrixDoc* doc = Doc();
    EXPECT_EQ(doc->GetTitle(), "a.wav");
    EXPECT_EQ(doc->GetPathName(), "/music/a.wav");
    EXPECT_TRUE(doc->IsModified());
    const CSampleStore& store = *doc->GetStore();
    EXPECT_EQ(store.GetBitsPerSample(), 8u);
    EXPECT_EQ(store.GetTrackCount(), 3u);
    EXPECT_EQ(store.GetSampleRate(), 22050u);
    EXPECT_EQ(store.GetFrameCount(), 700u);
    EXPECT_EQ(store.Mixer().volume[1], 60);
    EXPECT_EQ(store.Mixer().balance[2], 40);
    EXPECT_EQ(store.m_trackNames[0], "Drums");
    EXPECT_EQ(store.m_trackFlags[2], TRACK_SHOWN);
    EXPECT_EQ(AllBytes(*doc->GetStore()), Pattern(3 * 700));
}

TEST_F(RecoveryTest, ARecoveredSoundStandsForItsFileAmongTheLastRunsDocuments) {
    const std::string path = MakeWave("d.wav", 1, 16, 8000, 50);
    LeaveCrashedStore(16, 1, 8000, Pattern(2 * 70), {RecoveryKind::Changes, path, "d.wav", 0});
    messages.answers = {MsgAnswer::Yes};
    Restart([&] {
        profile.WriteInt("Windows-Summary", "Count", 1);
        profile.WriteString("Windows-Window0", "Path", path);
    });
    ASSERT_EQ(frame->Children().size(), 1u); // the file is not opened beside its changes
    EXPECT_EQ(Doc()->GetPathName(), path);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetStore()->GetFrameCount(), 70u);
}

TEST_F(RecoveryTest, DeclinedOffersAndLeftoversWithoutADescriptionAreDeleted) {
    LeaveCrashedStore(16, 1, 8000, Pattern(800), {RecoveryKind::Take, "", "Untitled 1", 0});
    LeaveCrashedStore(16, 1, 8000, Pattern(800), {RecoveryKind::Changes, "", "Untitled 2", 0});
    std::ofstream(temp.Path() + "/TRKundo01") << "an undo state of the crashed run";
    std::filesystem::last_write_time(temp.Path() + "/TRKundo01",
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    ASSERT_EQ(DataFiles().size(), 3u);
    messages.answers = {MsgAnswer::No, MsgAnswer::No};
    Restart();
    EXPECT_EQ(messages.shown.size(), 2u); // nothing asked for the undo state
    EXPECT_TRUE(frame->Children().empty());
    EXPECT_TRUE(temp.Files().empty());
}

TEST_F(RecoveryTest, CancelKeepsTheWorkForTheNextStart) {
    const std::vector<uint8_t> pattern = Pattern(800 * 2);
    LeaveCrashedStore(16, 1, 8000, pattern, {RecoveryKind::Take, "", "Untitled 1", 0});
    const std::vector<std::string> before = temp.Files();
    messages.answers = {MsgAnswer::Cancel};
    Restart();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(frame->Children().empty());
    EXPECT_EQ(temp.Files(), before); // data and description both kept
    messages.shown.clear();
    messages.answers = {MsgAnswer::Yes};
    Restart();
    ASSERT_EQ(messages.shown.size(), 1u); // offered again
    ASSERT_EQ(frame->Children().size(), 1u);
    EXPECT_EQ(AllBytes(*Doc()->GetStore()), pattern);
}

TEST_F(RecoveryTest, TheQuestionsHelpSaysWhatYesAndNoDo) {
    CHelpWindow help;
    for (const uint32_t id : {str::kRecoverTakeText, str::kRecoverChangesText}) {
        help.ShowTopic(id);
        ASSERT_EQ(help.CurrentTopic(), id);
        const QString shown = help.Browser()->toPlainText();
        EXPECT_TRUE(shown.contains("No deletes it for good. Cancel leaves it")) << shown.toStdString();
        EXPECT_FALSE(shown.contains("%s"));
    }
}

TEST_F(RecoveryTest, ARunningEditorsStoresAreNotOffered) {
    COndrixDoc* doc = NewSound(16, 1, 8000, false);
    FillRamp16(*doc->GetStore(), 100);
    doc->SetModifiedFlag(true);
    ASSERT_TRUE(DescriptionOf(*doc->GetStore()));
    const auto before = temp.Files();
    // a second editor starting meanwhile (its own settings, the same folders)
    LeftoverScan scan = ScanForLeftovers(TemporaryStoreDirectories(g_settings.tempPath));
    EXPECT_TRUE(scan.offers.empty());
    EXPECT_EQ(temp.Files(), before);
}

TEST_F(RecoveryTest, AChangedDocumentKeepsItsDescriptionUpToDateUntilItIsSafe) {
    ASSERT_TRUE(OpenByCommand(MakeWave("b.wav", 2, 16, 8000, 500)));
    COndrixDoc* doc = Doc();
    EXPECT_FALSE(DescriptionOf(*doc->GetStore())); // as opened: the file holds it
    CTrackMixer mixer(*doc, nullptr);
    mixer.SetName(1, "Bass");
    auto description = DescriptionOf(*doc->GetStore());
    ASSERT_TRUE(description);
    EXPECT_EQ(description->identity.kind, RecoveryKind::Changes);
    EXPECT_EQ(description->identity.title, "b.wav");
    EXPECT_EQ(description->identity.documentPath, files.Path() + "/b.wav");
    EXPECT_EQ(description->trackNames[1], "Bass");
    mixer.SetVolumeBalance(0, 130, -20);
    ASSERT_TRUE(doc->ApplyChange([doc] { return doc->GetStore()->DeleteBlock(nullptr, 0, 99); }, 0));
    description = DescriptionOf(*doc->GetStore());
    ASSERT_TRUE(description);
    EXPECT_EQ(description->mixer.volume[0], 130);
    EXPECT_EQ(description->mixer.balance[0], -20);
    EXPECT_EQ(DataFiles().size(), 2u); // the sound and its undo state; the description follows the sound
    ASSERT_TRUE(doc->OnSaveDocument(files.Path() + "/b.wav", SaveKind::Wave));
    EXPECT_FALSE(DescriptionOf(*doc->GetStore()));
    ASSERT_TRUE(doc->Undo()); // undo brings the undo state in as the sound
    EXPECT_TRUE(DescriptionOf(*doc->GetStore()));
    doc->SetModifiedFlag(false);
    frame->close();
    ProcessPendingEvents();
    app.reset();
    EXPECT_TRUE(temp.Files().empty());
}

TEST_F(RecoveryTest, ASoundOpenedFromTheClipboardIsDescribedAtOnce) {
    CSampleStore* clip = app->GetCustomClipboard();
    ASSERT_NE(clip, nullptr);
    ASSERT_TRUE(clip->Create(STORE_MEMORY, "", 16, 1, 44100, false));
    FillRamp16(*clip, 10);
    frame->ExecuteCommand(cmd::kFromClipboard);
    ProcessPendingEvents();
    ASSERT_NE(Doc(), nullptr);
    ASSERT_TRUE(Doc()->IsModified()); // it is nowhere else on disk
    const auto description = DescriptionOf(*Doc()->GetStore());
    ASSERT_TRUE(description);
    EXPECT_EQ(description->identity.kind, RecoveryKind::Changes);
    EXPECT_EQ(description->identity.title, "Clipboard");
}

TEST_F(RecoveryTest, ATakeIsDescribedFromTheRecordCommandOnAndNotAfterItWasTakenIn) {
    ASSERT_TRUE(OpenByCommand(MakeWave("c.wav", 1, 16, 8000, 300)));
    COndrixDoc* doc = Doc();
    ASSERT_TRUE(doc->PrepareRecording());
    CSampleStore* take = doc->GetRecordStore();
    ASSERT_NE(take, nullptr);
    auto description = DescriptionOf(*take);
    ASSERT_TRUE(description);
    EXPECT_EQ(description->identity.kind, RecoveryKind::Take);
    EXPECT_EQ(description->identity.title, "c.wav");
    const std::string takePath = take->GetTempFileName();
    doc->StopRecording();
    for (int i = 0; i < 5000 && doc->GetRecording(); ++i) {
        ProcessPendingEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_FALSE(std::filesystem::exists(DescriptionPathFor(takePath)));

    // straight into an empty sound: the sound itself carries the take's description, until it is over
    COndrixDoc* empty = NewSound(16, 1, 8000, false);
    ASSERT_TRUE(empty->PrepareRecording());
    ASSERT_EQ(empty->GetRecordStore(), nullptr);
    description = DescriptionOf(*empty->GetStore());
    ASSERT_TRUE(description);
    EXPECT_EQ(description->identity.kind, RecoveryKind::Take);
    empty->StopRecording();
    for (int i = 0; i < 5000 && empty->GetRecording(); ++i) {
        ProcessPendingEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_FALSE(empty->IsModified());
    EXPECT_FALSE(DescriptionOf(*empty->GetStore())); // nothing was recorded
}

} // namespace

#include "app/ui/editor_qt_support.h"
#include "audio/engine_waiter.h"
#include "audio/signal_source.h"
#include "audio/sim_session.h"
#include "audio/take_latency.h"
#include "base/user_abort.h"
#include "document/core/enabling_rules.h"
#include "document/dialogs/track_assignment_dialog.h"
#include "document/record_accompaniment.h"
#include "document/record_session.h"
#include "document/ui/document_fixture.h"
#include "resources/command_ids.h"
#include "resources/string_ids.h"
#include "store/temp_paths.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

#include <chrono>
#include <thread>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// A host whose engine messages a waiter keeps, and which notes the recording document.
class RecordHost final : public IDocumentHost {
public:
    bool IsStatusAvailable() const override { return true; }
    void SetStatusText(int field, const std::string& text) override { status[field] = text; }
    bool ClipboardHasData() const override { return false; }
    IEngineListener* GetEngineListener() override { return &waiter; }
    void SetRecordingDocument(COndrixDoc* doc) override { recordingDocument = doc; }
    bool OpenTakeDocument(std::unique_ptr<CSampleStore> take) override {
        opened.push_back(std::make_unique<COndrixDoc>(this));
        opened.back()->AdoptTake(std::move(take));
        return true;
    }

    CEngineWaiter waiter;
    COndrixDoc* recordingDocument = nullptr;
    std::vector<std::unique_ptr<COndrixDoc>> opened;
    std::map<int, std::string> status;
};

/// What the accompaniment saw, with the devices' state at each call.
struct AccompanimentLog {
    std::vector<std::string> calls;
    bool takeRunningAtStart = true;
    std::function<bool()>
        takeRunning; ///< whether the take has started (the input itself runs for the levels)
    bool syncPlayingAtStart = false;
    bool failOpen = false;
    AccompanimentEnded ended;
};

class LoggingAccompaniment final : public IRecordAccompaniment {
public:
    LoggingAccompaniment(AccompanimentLog& log, CSimAudioBackend& backend) : m_log(log), m_backend(backend) {}
    void Open() override {
        m_log.calls.push_back("open");
        if (m_log.failOpen) {
            throw UserAbort(); // as after "file not found" was shown
        }
    }
    void Start() override {
        m_log.calls.push_back("start");
        m_log.takeRunningAtStart = m_log.takeRunning();
        m_log.syncPlayingAtStart = m_backend.IsOutputOpen();
    }
    void Close() override { m_log.calls.push_back("close"); }

private:
    AccompanimentLog& m_log;
    CSimAudioBackend& m_backend;
};

class RecordSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication(); // the wait cursor of the stop
        g_settings = Settings{};
        g_settings.tempPath.editor = temp.Path();
        g_settings.tempPath.clipboard = temp.Path();
        g_settings.tempPath.record = temp.Path();
        g_settings.tempPath.synchroPlay = temp.Path();
        g_settings.record.buffer = 400;
        g_settings.synchroPlay.buffer = 400;
        sim.backend.SetInputSource([](const AudioFormat& format) {
            return std::unique_ptr<ISignalSource>(CGeneratorSource::Ramp(format));
        });
        accompaniment.takeRunning = [this] {
            return doc && doc->GetRecording() &&
                   (doc->GetRecording()->Target().GetAudioState() & AUDIO_PAUSED) == 0;
        };
        SetAccompanimentFactory([this](AccompanimentEnded ended) {
            accompaniment.ended = std::move(ended);
            return std::make_unique<LoggingAccompaniment>(accompaniment, sim.backend);
        });
    }
    void TearDown() override {
        doc.reset();
        host.opened.clear();
        SetAccompanimentFactory(nullptr);
    }

    void MakeSound(uint32_t tracks, uint32_t frames, bool stereo, uint32_t rate = 8000) {
        m_rate = rate;
        doc = std::make_unique<COndrixDoc>(&host);
        ASSERT_TRUE(doc->CreateNew(16, tracks, rate, stereo));
        if (frames > 0) {
            FillRamp16(*doc->GetStore(), frames);
        }
        doc->SetSampleShown(true);
    }

    /// Prepares and starts a recording the way F7 and F8 do.
    void PrepareAndStart() {
        ASSERT_TRUE(doc->PrepareRecording());
        doc->StartOrPauseRecording();
        doc->GetRecording()->Target().TogglePause();
    }

    /// Lets the input record frames (in steps the worker keeps up with); with heardToo each step also
    /// waits until the synchronous playback has a buffer queued, so that none of its time goes unheard.
    void Record(uint32_t frames, bool heardToo = false) {
        for (uint32_t done = 0; done < frames; done += 50) {
            for (int i = 0; heardToo && i < 2000 && sim.backend.OutputQueued() == 0; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            sim.clock.AdvanceFrames(std::min(50u, frames - done), m_rate);
            for (int i = 0; i < 2000 && sim.backend.InputQueued() < 2 && sim.backend.IsInputOpen(); ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
    }

    /// Lets the input record frames, then stops it and hands the stop message to the document.
    void RecordAndStop(uint32_t frames) {
        CSampleStore& target = doc->GetRecording()->Target();
        Record(frames);
        const int stops = host.waiter.Count(WM_RECORDSTOPPED);
        doc->StopRecording();
        ASSERT_TRUE(host.waiter.WaitFor(WM_RECORDSTOPPED, stops + 1));
        ASSERT_EQ(target.GetAudioState(), 0u);
        doc->OnRecordingStopped();
    }

    CSimSession sim{CSimClock::Mode::Manual, true};
    FakeMessageService messages;
    RecordHost host;
    TempDir temp;
    AccompanimentLog accompaniment;
    std::unique_ptr<COndrixDoc> doc;
    uint32_t m_rate = 8000;
};

/// What the ramp generator records on one channel: frame * 7.
std::vector<int16_t> TakeRamp(uint32_t count) {
    std::vector<int16_t> samples;
    for (uint32_t f = 0; f < count; ++f) {
        samples.push_back(int16_t(uint16_t(f * 7)));
    }
    return samples;
}

/// The mono ramp FillRamp16 wrote: frame * 10.
std::vector<int16_t> SoundRamp(uint32_t first, uint32_t count) {
    std::vector<int16_t> samples;
    for (uint32_t f = first; f < first + count; ++f) {
        samples.push_back(int16_t(uint16_t(f * 10)));
    }
    return samples;
}

/// A part of a vector.
std::vector<int16_t> Slice(const std::vector<int16_t>& all, std::size_t first, std::size_t count) {
    return {all.begin() + std::ptrdiff_t(first), all.begin() + std::ptrdiff_t(first + count)};
}

TEST_F(RecordSessionTest, TheAccompanimentOpensAtPrepareStartsBeforeTheInputAndClosesAtTheEnd) {
    MakeSound(1, 1000, false);
    g_settings.record.syncPlay = 1;
    ASSERT_TRUE(doc->PrepareRecording());
    EXPECT_EQ(host.recordingDocument, doc.get());
    ASSERT_NE(doc->GetRecording(), nullptr);
    EXPECT_TRUE(doc->GetRecording()->IsPrepared());
    EXPECT_NE(doc->GetRecording()->GetSyncStore(), nullptr);
    EXPECT_EQ(accompaniment.calls, (std::vector<std::string>{"open"}));

    doc->StartOrPauseRecording();
    doc->GetRecording()->Target().TogglePause(); // the transport starts the input last
    EXPECT_FALSE(doc->GetRecording()->IsPrepared());
    EXPECT_EQ(accompaniment.calls, (std::vector<std::string>{"open", "start"}));
    EXPECT_TRUE(accompaniment.syncPlayingAtStart);
    EXPECT_FALSE(accompaniment.takeRunningAtStart);
    EXPECT_TRUE(sim.backend.IsInputRunning());

    RecordAndStop(200);
    EXPECT_EQ(accompaniment.calls, (std::vector<std::string>{"open", "start", "close"}));
    EXPECT_EQ(doc->GetRecording(), nullptr);
    EXPECT_FALSE(sim.backend.IsOutputOpen());
}

TEST_F(RecordSessionTest, AFailingAccompanimentDoesNotCancelThePrepare) {
    MakeSound(1, 0, false);
    accompaniment.failOpen = true;
    ASSERT_TRUE(doc->PrepareRecording());
    ASSERT_NE(doc->GetRecording(), nullptr);
    doc->StartOrPauseRecording();
    doc->GetRecording()->Target().TogglePause();
    EXPECT_TRUE(sim.backend.IsInputRunning());
    RecordAndStop(100);
    EXPECT_EQ(doc->GetStore()->GetFrameCount(), 100u);
}

TEST_F(RecordSessionTest, AnEmptyNewDocumentRecordsStraightIntoItsOwnStore) {
    TempDir records;
    g_settings.tempPath.record = records.Path();
    MakeSound(1, 0, false, 44100);
    PrepareAndStart();
    EXPECT_EQ(doc->GetRecordStore(), nullptr);
    EXPECT_EQ(&doc->GetRecording()->Target(), doc->GetStore());
    Record(300);
    EXPECT_TRUE(records.Files().empty());
    RecordAndStop(0);
    EXPECT_EQ(doc->GetStore()->GetFrameCount(), 300u);
    EXPECT_EQ(Track16(*doc->GetStore(), 0), TakeRamp(300));
    EXPECT_TRUE(records.Files().empty());
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 0u);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(RecordSessionTest, TheTakeIsInsertedOrOverwrittenAtTheCursorAndTheUndoStateHoldsTheOriginal) {
    MakeSound(1, 1000, false);
    doc->SetCursor(500);
    PrepareAndStart();
    ASSERT_NE(doc->GetRecordStore(), nullptr);
    RecordAndStop(150);
    ASSERT_EQ(doc->GetStore()->GetFrameCount(), 1150u);
    const auto inserted = Track16(*doc->GetStore(), 0);
    EXPECT_EQ(Slice(inserted, 0, 500), SoundRamp(0, 500));
    EXPECT_EQ(Slice(inserted, 500, 150), TakeRamp(150));
    EXPECT_EQ(Slice(inserted, 650, 500), SoundRamp(500, 500));
    EXPECT_TRUE(doc->IsModified());
    ASSERT_EQ(doc->GetUndoHistory().GetCount(), 1u);
    auto* before = const_cast<CSampleStore*>(doc->GetUndoHistory().GetState(0));
    EXPECT_EQ(Track16(*before, 0), SoundRamp(0, 1000));

    MakeSound(1, 1000, false);
    g_settings.edit.overWrite = 1;
    doc->SetCursor(500);
    PrepareAndStart();
    RecordAndStop(200);
    ASSERT_EQ(doc->GetStore()->GetFrameCount(), 1000u);
    const auto overwritten = Track16(*doc->GetStore(), 0);
    EXPECT_EQ(Slice(overwritten, 0, 500), SoundRamp(0, 500));
    EXPECT_EQ(Slice(overwritten, 500, 200), TakeRamp(200));
    EXPECT_EQ(Slice(overwritten, 700, 300), SoundRamp(700, 300));
}

TEST_F(RecordSessionTest, PrepareThenStopLeavesTheDocumentAsItWas) {
    TempDir records;
    g_settings.tempPath.record = records.Path();
    MakeSound(1, 1000, false);
    ASSERT_TRUE(doc->PrepareRecording());
    EXPECT_FALSE(IsIdle(doc->GetState())); // nothing edits the sound while the input is open
    EXPECT_EQ(records.Files().size(), 2u); // the record store and the description that survives a crash
    RecordAndStop(0);
    EXPECT_EQ(doc->GetStore()->GetFrameCount(), 1000u);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 0u);
    EXPECT_FALSE(sim.backend.IsInputOpen());
    EXPECT_TRUE(records.Files().empty());
    EXPECT_TRUE(IsIdle(doc->GetState()));
}

TEST_F(RecordSessionTest, AFailedPrepareDeletesTheRecordStoreAndLeavesTheDocumentIdle) {
    TempDir records;
    g_settings.tempPath.record = records.Path();
    MakeSound(1, 1000, false);
    sim.backend.FailNextOpen(DeviceResult::Allocated);
    EXPECT_FALSE(doc->PrepareRecording());
    EXPECT_EQ(messages.shown.size(), 1u); // the device's message, once
    EXPECT_EQ(doc->GetRecording(), nullptr);
    EXPECT_EQ(host.recordingDocument, nullptr);
    EXPECT_TRUE(records.Files().empty());
    EXPECT_TRUE(IsIdle(doc->GetState()));
    EXPECT_EQ(std::count(accompaniment.calls.begin(), accompaniment.calls.end(), "open"), 0);
}

TEST_F(RecordSessionTest, ATakeThatCannotBeAssignedOpensAsADocumentOfItsOwn) {
    MakeSound(1, 1000, true); // a stereo take into a one-track sound
    PrepareAndStart();
    ASSERT_EQ(doc->GetRecordStore()->GetTrackCount(), 2u);
    CSampleStore* take = doc->GetRecordStore();
    bool asked = false;
    WhenModal([&](QWidget* modal) {
        asked = qobject_cast<CTrackAssignmentDialog*>(modal) != nullptr;
        SendKey(modal, Qt::Key_Escape);
    });
    RecordAndStop(120);
    EXPECT_TRUE(asked);
    EXPECT_EQ(doc->GetStore()->GetFrameCount(), 1000u);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 0u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, str::kTakeKeptText);
    ASSERT_EQ(host.opened.size(), 1u);
    COndrixDoc& kept = *host.opened[0];
    EXPECT_EQ(kept.GetStore(), take); // adopted, not copied
    EXPECT_EQ(kept.GetTitle(), "Recording");
    EXPECT_TRUE(kept.IsModified());
    EXPECT_EQ(kept.GetStore()->GetFrameCount(), 120u);
    EXPECT_EQ(Track16(*kept.GetStore(), 0), TakeRamp(120));
}

TEST_F(RecordSessionTest, ATakeWithMoreTracksGoesInThroughTheTrackAssignment) {
    MakeSound(1, 1000, true);
    doc->SetCursor(300);
    PrepareAndStart();
    WhenModal([](QWidget* modal) { SendKey(modal, Qt::Key_Return); }); // take track 1 onto track 1
    RecordAndStop(120);
    ASSERT_EQ(doc->GetStore()->GetFrameCount(), 1120u);
    const auto track = Track16(*doc->GetStore(), 0);
    EXPECT_EQ(Slice(track, 0, 300), SoundRamp(0, 300));
    EXPECT_EQ(Slice(track, 300, 120), TakeRamp(120));
    EXPECT_EQ(Slice(track, 420, 700), SoundRamp(300, 700));
    EXPECT_EQ(doc->GetUndoHistory().GetCount(), 1u);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(host.opened.empty());
}

TEST_F(RecordSessionTest, ClosingWhileRecordingAsks) {
    MakeSound(1, 1000, false);
    PrepareAndStart();
    Record(100);
    messages.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(doc->SaveModified());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].helpId, str::kCloseWhileRecordingText);
    ASSERT_NE(doc->GetRecording(), nullptr);
    EXPECT_TRUE(sim.backend.IsInputRunning());

    Record(100);
    messages.answers = {MsgAnswer::Yes, MsgAnswer::No}; // take it in, then do not save
    EXPECT_TRUE(doc->SaveModified());
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[2].helpId, str::kSaveChanges);
    EXPECT_EQ(doc->GetRecording(), nullptr);
    EXPECT_FALSE(sim.backend.IsInputOpen());
    EXPECT_EQ(doc->GetStore()->GetFrameCount(), 1200u);

    PrepareAndStart();
    messages.answers = {MsgAnswer::No, MsgAnswer::No}; // drop the take, do not save
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_EQ(doc->GetRecording(), nullptr);
    EXPECT_FALSE(sim.backend.IsInputOpen());
    EXPECT_EQ(doc->GetStore()->GetFrameCount(), 1200u);
}

TEST_F(RecordSessionTest, SynchronousPlaybackPlaysTheWholeBlockOrFromTheCursorToTheEnd) {
    g_settings.record.syncPlay = 1;
    MakeSound(1, 1000, false);
    doc->SetBlock(100, 399); // dragged left to right: the cursor is on the last frame
    ASSERT_TRUE(doc->PrepareRecording());
    ASSERT_NE(doc->GetRecording()->GetSyncStore(), nullptr);
    EXPECT_EQ(Track16(*doc->GetRecording()->GetSyncStore(), 0), SoundRamp(100, 300));
    RecordAndStop(0);

    doc->SetBlock(-1, 900);
    ASSERT_TRUE(doc->PrepareRecording());
    ASSERT_NE(doc->GetRecording()->GetSyncStore(), nullptr);
    EXPECT_EQ(Track16(*doc->GetRecording()->GetSyncStore(), 0), SoundRamp(900, 100));
    RecordAndStop(0);

    doc->SetBlock(-1, 1000); // at the end: nothing to play, the recording goes on
    ASSERT_TRUE(doc->PrepareRecording());
    EXPECT_EQ(doc->GetRecording()->GetSyncStore(), nullptr);
    RecordAndStop(0);
}

TEST_F(RecordSessionTest, SynchronousPlaybackRendersAsPlaybackHearsIt) {
    g_settings.record.syncPlay = 1;
    // a stereo pass-through sound plays byte for byte, from its own format
    MakeSound(2, 600, true);
    ASSERT_TRUE(doc->PrepareRecording());
    CSampleStore* sync = doc->GetRecording()->GetSyncStore();
    ASSERT_NE(sync, nullptr);
    EXPECT_EQ(AllBytes(*sync), AllBytes(*doc->GetStore()));
    doc->StartOrPauseRecording();
    doc->GetRecording()->Target().TogglePause();
    Record(600, true);
    std::vector<uint8_t> heard = sim.backend.TakeCapture();
    ASSERT_GE(heard.size(), 400u * 4);
    heard.resize(400 * 4);
    auto expected = AllBytes(*doc->GetStore());
    expected.resize(400 * 4);
    EXPECT_EQ(heard, expected);
    RecordAndStop(0);

    // UseFile off at 22050 Hz: a 44100 Hz mono ramp keeps every second frame after the first step
    g_settings.synchroPlay.useFile = 0;
    g_settings.synchroPlay.sampleRate = 22050;
    g_settings.synchroPlay.bitsPerSample = 16;
    MakeSound(1, 2000, false, 44100);
    ASSERT_TRUE(doc->PrepareRecording());
    sync = doc->GetRecording()->GetSyncStore();
    ASSERT_NE(sync, nullptr);
    EXPECT_EQ(sync->GetSampleRate(), 22050u);
    const auto picked = Track16(*sync, 0);
    ASSERT_EQ(picked.size(), 1000u);
    EXPECT_EQ(picked[0], 0);
    for (std::size_t k = 1; k < picked.size(); ++k) {
        ASSERT_EQ(picked[k], int16_t((2 * k - 1) * 10)) << k;
    }
    RecordAndStop(0);

    // three centred tracks of 300, 600 and 900 are heard as 600 on both sides
    g_settings.synchroPlay.useFile = 1;
    MakeSound(3, 0, true);
    std::vector<int16_t> frames;
    for (int f = 0; f < 50; ++f) {
        frames.insert(frames.end(), {300, 600, 900});
    }
    ASSERT_TRUE(doc->GetStore()->AppendData(frames.data(), uint32_t(frames.size() * 2)));
    ASSERT_TRUE(doc->PrepareRecording());
    sync = doc->GetRecording()->GetSyncStore();
    ASSERT_NE(sync, nullptr);
    EXPECT_EQ(Track16(*sync, 0), std::vector<int16_t>(50, 600));
    EXPECT_EQ(Track16(*sync, 1), std::vector<int16_t>(50, 600));
    RecordAndStop(0);
}

TEST_F(RecordSessionTest, TheRecordPathDecidesTheTemporaryFiles) {
    TempDir system;
    const char* oldTmp = std::getenv("TMPDIR");
    const std::string savedTmp = oldTmp ? oldTmp : "";
    setenv("TMPDIR", system.Path().c_str(), 1);
    g_settings.tempPath.editor = "";
    g_settings.tempPath.clipboard = "";
    g_settings.tempPath.record = kSystemTempPath;
    MakeSound(1, 1000, false);
    PrepareAndStart();
    Record(100);
    auto during = system.Files();
    std::sort(during.begin(), during.end());
    RecordAndStop(100);
    const auto after = system.Files();

    g_settings.tempPath.record = "";
    PrepareAndStart();
    Record(100);
    const auto inMemory = system.Files();
    RecordAndStop(100);
    if (oldTmp) {
        setenv("TMPDIR", savedTmp.c_str(), 1);
    } else {
        unsetenv("TMPDIR");
    }
    ASSERT_EQ(during.size(), 2u); // one data file, and its description
    EXPECT_EQ(during[0].rfind("TRK", 0), 0u);
    EXPECT_EQ(during[1], during[0] + ".recovery");
    EXPECT_TRUE(after.empty());
    EXPECT_TRUE(inMemory.empty());
    EXPECT_EQ(doc->GetStore()->GetFrameCount(), 1400u);
}

} // namespace

TEST_F(RecordSessionTest, ThePreparedInputShowsItsLevelsAndTheTakeStartsAtTheStart) {
    MakeSound(1, 1000, false);
    doc->SetCursor(500);
    ASSERT_TRUE(doc->PrepareRecording());
    CSampleStore& target = doc->GetRecording()->Target();
    EXPECT_TRUE(sim.backend.IsInputRunning()); // the input runs for the meters
    Record(300);                               // the user sets the level: nothing is kept
    uint32_t left = 0;
    uint32_t right = 0;
    target.GetAudioLevels(left, right);
    EXPECT_EQ(left, uint32_t(299 * 7) * 100 >> 15);
    EXPECT_EQ(target.GetAudioPosition(), 0u);
    EXPECT_TRUE(doc->GetRecording()->IsPrepared());

    doc->StartOrPauseRecording(); // F8: the take begins with the frame the input captures now
    target.TogglePause();
    RecordAndStop(150);
    ASSERT_EQ(doc->GetStore()->GetFrameCount(), 1150u);
    const auto sound = Track16(*doc->GetStore(), 0);
    EXPECT_EQ(Slice(sound, 500, 150), Slice(TakeRamp(450), 300, 150));
    EXPECT_EQ(Slice(sound, 650, 500), SoundRamp(500, 500));
}

TEST_F(RecordSessionTest, ATakeHeardWithSynchronousPlaybackMovesEarlierByTheLatency) {
    // 10 ms at 8000 Hz are 80 frames: of a take of 200 frames the last 120 stay, at the cursor
    MakeSound(1, 1000, false);
    g_settings.record.syncPlay = 1;
    g_settings.record.latencyMs = 10;
    PrepareAndStart();
    ASSERT_NE(doc->GetRecording()->GetSyncStore(), nullptr);
    RecordAndStop(200);
    ASSERT_EQ(doc->GetStore()->GetFrameCount(), 1120u);
    EXPECT_EQ(Slice(Track16(*doc->GetStore(), 0), 0, 120), Slice(TakeRamp(200), 80, 120));

    // 3 ms are 24 frames (rounded up); a setting beyond the range moves by 1000 ms, more than the take
    MakeSound(1, 1000, false);
    CSampleStore probe;
    ASSERT_TRUE(probe.Create(STORE_MEMORY, "", 16, 1, 8000, false));
    FillRamp16(probe, 9000);
    EXPECT_EQ(LatencyShiftFrames(probe, 3), 24);
    EXPECT_EQ(LatencyShiftFrames(probe, 5000), 8000);
    EXPECT_EQ(LatencyShiftFrames(probe, -5), 0);
    ASSERT_TRUE(ShiftTakeEarlier(probe, 1001));
    EXPECT_EQ(probe.GetFrameCount(), 1000u);
    ASSERT_TRUE(ShiftTakeEarlier(probe, 1000));
    EXPECT_EQ(probe.GetFrameCount(), 0u);

    // without synchronous playback nothing was heard late: the take stays whole
    g_settings.record.syncPlay = 0;
    PrepareAndStart();
    RecordAndStop(200);
    EXPECT_EQ(doc->GetStore()->GetFrameCount(), 1200u);
}

#include "app/ui/editor_qt_support.h"
#include "audio/engine_waiter.h"
#include "audio/signal_source.h"
#include "audio/sim_session.h"
#include "base/user_abort.h"
#include "document/record_accompaniment.h"
#include "document/record_session.h"
#include "document/ui/document_fixture.h"
#include "resources/command_ids.h"

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

    CEngineWaiter waiter;
    COndrixDoc* recordingDocument = nullptr;
    std::map<int, std::string> status;
};

/// What the accompaniment saw, with the devices' state at each call.
struct AccompanimentLog {
    std::vector<std::string> calls;
    bool inputRunningAtStart = true;
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
        m_log.inputRunningAtStart = m_backend.IsInputRunning();
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
        SetAccompanimentFactory([this](AccompanimentEnded ended) {
            accompaniment.ended = std::move(ended);
            return std::make_unique<LoggingAccompaniment>(accompaniment, sim.backend);
        });
    }
    void TearDown() override {
        doc.reset();
        SetAccompanimentFactory(nullptr);
    }

    void MakeSound(uint32_t tracks, uint32_t frames, bool stereo) {
        doc = std::make_unique<COndrixDoc>(&host);
        ASSERT_TRUE(doc->CreateNew(16, tracks, 8000, stereo));
        if (frames > 0) {
            FillRamp16(*doc->GetStore(), frames);
        }
        doc->SetSampleShown(true);
    }

    /// Lets the input record frames, then stops it and hands the stop message to the document.
    void RecordAndStop(uint32_t frames) {
        CSampleStore& target = doc->GetRecording()->Target();
        for (uint32_t done = 0; done < frames; done += 50) {
            sim.clock.AdvanceFrames(std::min(50u, frames - done), 8000);
            for (int i = 0; i < 2000 && sim.backend.InputQueued() < 2; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
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
};

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
    EXPECT_FALSE(accompaniment.inputRunningAtStart);
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

} // namespace

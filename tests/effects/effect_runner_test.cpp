#include "base/progress.h"
#include "effects/effect_runner.h"
#include "effects_test_util.h"
#include "process/undo_history.h"
#include "support/fake_message_service.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr uint32_t kWindow = 4711;

/// Records the progress texts shown; can abort the run at its first progress step.
class RecordingProgress : public CHeadlessProgress {
public:
    std::vector<uint32_t> texts;

protected:
    void OnBegin() override { texts.push_back(GetTextId()); }
};

class EffectRunner : public ::testing::Test {
protected:
    EffectRunner() { RegisterProgressDisplay(kWindow, &m_progress); }
    ~EffectRunner() override { RegisterProgressDisplay(kWindow, nullptr); }

    std::unique_ptr<CSampleStore> Sound(uint32_t bits, uint32_t tracks, uint32_t frames,
                                        uint32_t rate = 44100) {
        auto store = MakeStore(bits, tracks, RandomValues(bits, std::size_t(tracks) * frames, frames), rate);
        store->m_progressWindowId = kWindow;
        return store;
    }

    EffectOutcome Run(CSampleStore& store, EffectKind kind, int64_t first, int64_t last,
                      const uint32_t* mask = nullptr) {
        EffectRequest request;
        request.kind = kind;
        request.settings = &m_settings;
        request.trackMask = mask;
        request.firstFrame = first;
        request.lastFrame = last;
        request.tempStorage = {STORE_TEMPFILE, m_dir.Path()};
        return RunEffect(store, request, m_undo);
    }

    FakeMessageService m_messages;
    RecordingProgress m_progress;
    CUndoHistory m_history;
    UndoTarget m_undo{&m_history, 3, ""};
    EffectSettings m_settings;
    TempDir m_dir;
};

TEST_F(EffectRunner, InPlaceFunctionSavesUndoAndSendsHint11) {
    auto store = Sound(16, 2, 1000);
    const auto before = Values(*store);
    m_settings.volume.volume = 50;
    const EffectOutcome outcome = Run(*store, EffectKind::Volume, 10, 20);
    EXPECT_TRUE(outcome.modified);
    EXPECT_EQ(outcome.hint, kHintDataChanged);
    ASSERT_EQ(m_history.GetCount(), 1u);
    EXPECT_EQ(Values(*const_cast<CSampleStore*>(m_history.GetState(0))), before);
    EXPECT_EQ(Values(*store)[2 * 10], before[2 * 10] / 2);
    EXPECT_EQ(m_progress.texts, (std::vector<uint32_t>{1103}));
}

TEST_F(EffectRunner, MaximiseSearchesThenScalesWithItsOwnTexts) {
    auto store = MakeStore(16, 1, {100, 16384, -8192, 1000}, 44100);
    store->m_progressWindowId = kWindow;
    const EffectOutcome outcome = Run(*store, EffectKind::Maximise, 0, 2);
    EXPECT_EQ(outcome.hint, kHintDataChanged);
    EXPECT_EQ(Values(*store), (std::vector<int32_t>{200, 32767, -16384, 1000}));
    EXPECT_EQ(m_progress.texts, (std::vector<uint32_t>{1114, 1115}));
    EXPECT_EQ(m_history.GetCount(), 1u);
}

TEST_F(EffectRunner, AbortedSearchChangesNothingAndSavesNoState) {
    auto store = Sound(16, 2, 200000);
    const auto before = Values(*store);
    m_progress.SetAbortWithoutAsking(true);
    m_progress.RequestAbort();
    const EffectOutcome outcome = Run(*store, EffectKind::Maximise, 0, 199999);
    EXPECT_FALSE(outcome.modified);
    EXPECT_EQ(outcome.hint, 0u);
    EXPECT_EQ(m_history.GetCount(), 0u);
    EXPECT_EQ(Values(*store), before);
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(EffectRunner, AbortedRunDropsTheStateAndKeepsThePiecesWritten) {
    m_undo.history->SaveUndoState(*Sound(8, 1, 10), 3, ""); // an older state that must survive
    auto store = Sound(16, 2, 200000);
    const auto before = Values(*store);
    m_progress.SetAbortWithoutAsking(true);
    m_progress.RequestAbort();
    const EffectOutcome outcome = Run(*store, EffectKind::Invert, 0, 199999);
    EXPECT_FALSE(outcome.modified);
    EXPECT_TRUE(outcome.failed);
    EXPECT_EQ(m_history.GetCount(), 1u);
    EXPECT_EQ(m_history.GetState(0)->GetBitsPerSample(), 8u);
    // The first piece (16384 frames) was inverted and written before the abort; the rest is as it was.
    const auto after = Values(*store);
    EXPECT_EQ(after[0], before[0] == -32768 ? -32768 : -before[0]);
    EXPECT_EQ(after[2 * 16383 + 1], before[2 * 16383 + 1] == -32768 ? -32768 : -before[2 * 16383 + 1]);
    EXPECT_TRUE(std::equal(after.begin() + 2 * 16384, after.end(), before.begin() + 2 * 16384));
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(EffectRunner, AbortedTempoRunKeepsTheOldData) {
    auto store = Sound(16, 2, 200000);
    const auto before = Values(*store);
    m_settings.velocity.speed = 150;
    m_progress.SetAbortWithoutAsking(true);
    m_progress.RequestAbort();
    EXPECT_FALSE(Run(*store, EffectKind::Velocity, 0, 199999).modified);
    EXPECT_EQ(m_history.GetCount(), 0u);
    EXPECT_EQ(Values(*store), before);
}

TEST_F(EffectRunner, TempoFunctionsThatKeepTheLengthDoNothing) {
    auto store = Sound(8, 1, 500);
    const auto before = Values(*store);
    m_settings.velocity.speed = 100;
    EffectOutcome outcome = Run(*store, EffectKind::Velocity, 0, 499);
    EXPECT_FALSE(outcome.modified);
    EXPECT_FALSE(outcome.failed); // nothing to do is no failure
    m_settings.stretch.length = 101;
    outcome = Run(*store, EffectKind::Stretch, 100, 200);
    EXPECT_FALSE(outcome.modified);
    EXPECT_FALSE(outcome.failed);
    // Values outside the dialogs' ranges are refused.
    m_settings.stretch.length = 0;
    EXPECT_TRUE(Run(*store, EffectKind::Stretch, 100, 200).failed);
    m_settings.velocity.speed = 201;
    EXPECT_TRUE(Run(*store, EffectKind::Velocity, 100, 200).failed);
    EXPECT_EQ(m_history.GetCount(), 0u);
    EXPECT_EQ(Values(*store), before);
    EXPECT_TRUE(m_progress.texts.empty());
}

TEST_F(EffectRunner, TempoFunctionsSendHint4) {
    auto store = Sound(16, 1, 1000);
    m_settings.velocity.speed = 200;
    EffectOutcome outcome = Run(*store, EffectKind::Velocity, 0, 999);
    EXPECT_EQ(outcome.hint, kHintLengthChanged);
    EXPECT_EQ(store->GetFrameCount(), 500u);
    m_settings.stretch.length = 1200;
    outcome = Run(*store, EffectKind::Stretch, 100, 199);
    EXPECT_EQ(outcome.hint, kHintLengthChanged);
    EXPECT_EQ(store->GetFrameCount(), 1600u);
    EXPECT_EQ(m_history.GetCount(), 2u);
    EXPECT_EQ(m_progress.texts, (std::vector<uint32_t>{1063, 1153}));
}

TEST_F(EffectRunner, CrossFadeNeedsExactlyTwoTracks) {
    auto store = Sound(16, 3, 100);
    const auto before = Values(*store);
    const Mask one = MaskOf({1});
    EXPECT_TRUE(Run(*store, EffectKind::CrossFade, 0, 99, one.data()).failed);
    EXPECT_FALSE(Run(*store, EffectKind::CrossFade, 0, 99, nullptr).modified); // all three
    ASSERT_EQ(m_messages.shown.size(), 2u);
    EXPECT_EQ(m_messages.shown[0].helpId, 1141u);
    EXPECT_EQ(m_messages.shown[0].icon, MsgIcon::Stop);
    EXPECT_EQ(m_messages.shown[0].text.rfind("You have selected one or more than two tracks", 0), 0u);
    ASSERT_EQ(m_messages.beeps.size(), 2u);
    EXPECT_EQ(m_history.GetCount(), 0u);
    EXPECT_EQ(Values(*store), before);
    const Mask two = MaskOf({0, 2});
    EXPECT_TRUE(Run(*store, EffectKind::CrossFade, 0, 99, two.data()).modified);
    EXPECT_EQ(m_history.GetCount(), 1u);
}

TEST_F(EffectRunner, CrossFadePresetOnePeriodIsTheBlock) {
    auto store = MakeStore(16, 2, {1000, -1000, 1000, -1000, 1000, -1000, 1000, -1000, 1000, -1000}, 44100);
    m_settings.crossFade = ModulationParams{WAVE_SAWTOOTH, 1, 0, 5, 100};
    ASSERT_TRUE(Run(*store, EffectKind::CrossFade, 0, 4).modified);
    // Period 4 (last - first): m = 0, 25, 50, 75, 0.
    EXPECT_EQ(TrackValues(*store, 0), (std::vector<int32_t>{1000, 500, 0, -500, 1000}));
    EXPECT_EQ(TrackValues(*store, 1), (std::vector<int32_t>{-1000, -500, 0, 500, -1000}));
}

TEST_F(EffectRunner, EnvelopeIsCompletedAndSorted) {
    auto store = MakeStore(16, 1, {1000, 1000, 1000, 1000}, 44100);
    m_settings.envelope.points = {{768, 100}, {256, 100}}; // unsorted, without ends
    ASSERT_TRUE(Run(*store, EffectKind::Envelope, 0, 3).modified);
    // x = 0, 256, 512, 768 over (0, 0), (256, 100), (768, 100), (1024, 0).
    EXPECT_EQ(Values(*store), (std::vector<int32_t>{0, 1000, 1000, 1000}));
    m_settings.envelope.points.clear();
    ASSERT_TRUE(Run(*store, EffectKind::Envelope, 0, 3).modified);
    EXPECT_EQ(Values(*store), (std::vector<int32_t>(4, 0)));
}

TEST_F(EffectRunner, ReverseAndFadesThroughTheRunner) {
    auto store = MakeStore(16, 1, {1, 2, 3, 4, 5, 6}, 44100);
    store->m_progressWindowId = kWindow;
    ASSERT_TRUE(Run(*store, EffectKind::Reverse, 1, 9).modified); // the block is cut to the sound
    EXPECT_EQ(Values(*store), (std::vector<int32_t>{1, 6, 5, 4, 3, 2}));
    EXPECT_EQ(m_progress.texts, (std::vector<uint32_t>{1135}));
}

TEST_F(EffectRunner, AnEchoThatWroteNothingDropsItsUndoState) {
    auto store = Sound(16, 1, 100, 1000);
    const auto before = Values(*store);
    // a real state from an earlier run, which the useless one must not evict (the history holds 1)
    m_undo.undoCount = 1;
    ASSERT_TRUE(Run(*store, EffectKind::Invert, 0, 9).modified);
    const auto inverted = Values(*store);
    m_settings.echo = EchoParams{10, 2, 50, 10};
    EffectRequest request;
    request.kind = EffectKind::Echo;
    request.settings = &m_settings;
    request.firstFrame = 0;
    request.lastFrame = 49;
    request.tempStorage = {STORE_TEMPFILE, "/nonexistent/ondrix-echo"};
    const EffectOutcome failed = RunEffect(*store, request, m_undo);
    EXPECT_FALSE(failed.modified);
    EXPECT_TRUE(failed.failed);
    EXPECT_EQ(failed.hint, 0u);
    EXPECT_EQ(Values(*store), inverted);
    ASSERT_EQ(m_history.GetCount(), 1u);
    ASSERT_NE(m_history.Undo(store, ""), 0u);
    EXPECT_EQ(Values(*store), before); // the state kept is the invert's
    // Echoes over the end lengthen the sound: hint 4.
    const EffectOutcome grown = Run(*store, EffectKind::Echo, 50, 99);
    EXPECT_EQ(grown.hint, kHintLengthChanged);
    EXPECT_EQ(store->GetFrameCount(), 120u);
}

TEST_F(EffectRunner, AnEchoDelayTypedInFramesIsRunInFrames) {
    // 44100 Hz: 3 frames are 0 ms when stored (68 microseconds), yet the run uses the 3 frames typed.
    std::vector<int32_t> impulse(20, 0);
    impulse[0] = 10000;
    auto store = MakeStore(16, 1, impulse, 44100);
    store->m_progressWindowId = kWindow;
    m_settings.echo = EchoParams{0, 1, 50, 10};
    EffectRequest request;
    request.kind = EffectKind::Echo;
    request.settings = &m_settings;
    request.firstFrame = 0;
    request.lastFrame = 9;
    request.tempStorage = {STORE_TEMPFILE, m_dir.Path()};
    request.echoDelayFrames = 3;
    ASSERT_TRUE(RunEffect(*store, request, m_undo).modified);
    const auto values = Values(*store);
    EXPECT_EQ(values[0], 10000);
    EXPECT_EQ(values[3], 5000);
}

TEST_F(EffectRunner, ParametersOutsideTheirRangesAreRefused) {
    // Settings edited by hand can hold anything; the runner refuses rather than compute garbage.
    auto store = Sound(16, 2, 100);
    const auto before = Values(*store);
    m_settings.dynamics.dynamic = 100000;
    EXPECT_TRUE(Run(*store, EffectKind::Dynamics, 0, 99).failed);
    m_settings.distort.type = 9;
    EXPECT_TRUE(Run(*store, EffectKind::Distort, 0, 99).failed);
    m_settings.tremolo.depth = 101;
    EXPECT_TRUE(Run(*store, EffectKind::Tremolo, 0, 99).failed);
    m_settings.echo.count = 0;
    EXPECT_TRUE(Run(*store, EffectKind::Echo, 0, 99).failed);
    EXPECT_EQ(Values(*store), before);
    EXPECT_EQ(m_history.GetCount(), 0u);
}

TEST_F(EffectRunner, UndoOffSavesNothing) {
    auto store = Sound(16, 1, 100);
    m_undo.undoCount = 0;
    EXPECT_TRUE(Run(*store, EffectKind::Silence, 0, 9).modified);
    EXPECT_EQ(m_history.GetCount(), 0u);
    auto empty = std::make_unique<CSampleStore>();
    EXPECT_FALSE(Run(*empty, EffectKind::Silence, 0, 9).modified);
    EXPECT_FALSE(Run(*store, EffectKind::Silence, 100, 120).modified); // the block lies past the end
}

} // namespace

namespace {

TEST_F(EffectRunner, VolumeAtOneHundredChangesNothingAndSavesNoState) {
    auto store = Sound(16, 2, 100);
    const auto before = Values(*store);
    m_settings.volume.volume = 100;
    const EffectOutcome outcome = Run(*store, EffectKind::Volume, 0, 99);
    EXPECT_FALSE(outcome.modified);
    EXPECT_FALSE(outcome.failed);
    EXPECT_EQ(m_history.GetCount(), 0u);
    EXPECT_EQ(Values(*store), before);
}

} // namespace

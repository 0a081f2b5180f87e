#include "app/ui/editor_fixture.h"
#include "process/undo_history.h"
#include "resources/command_ids.h"
#include "support/test_store.h"

#include <QLabel>
#include <QTimer>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr uint32_t kAbortQuestion = 31901;

/// A document command over a long sound, with ESC pressed while it runs.
class OperationTest : public EditorFixture {
protected:
    /// Opens a two-track sound of about 10 MB.
    void OpenLongSound() {
        ASSERT_TRUE(OpenByCommand(MakeWave("long.wav", 2, 16, 44100, 2600000)));
        originalFrames = Doc()->GetStore()->GetFrameCount();
    }
    /// Runs insert track and presses ESC as soon as the operation lets events through; meanwhile a
    /// menu command is sent and whether it ran at once is noted.
    void InsertTrackPressingEscape() {
        QTimer::singleShot(0, frame, [this] {
            panesDuringRun = frame->StatusBar()->AbortPane()->isVisible();
            const int64_t cursorBefore = Doc()->GetCursor();
            frame->ExecuteCommand(cmd::kEditSelectAll);
            selectAllRanInside = Doc()->GetCursor() != cursorBefore || Doc()->HasBlock();
            SendKey(frame, Qt::Key_Escape);
        });
        frame->ExecuteCommand(cmd::kInsertTrackAfter);
        ProcessPendingEvents();
    }

    /// Runs insert track and, once its undo state is saved, presses ESC and answers Yes: the run itself is
    /// aborted, after the history made room for its state.
    void InsertTrackAbortedAfterItsUndoState() {
        CUndoHistory& history = Doc()->GetUndoHistory();
        const CSampleStore* newest = history.GetCount() ? history.GetState(history.GetCount() - 1) : nullptr;
        messages.answers = {MsgAnswer::Yes};
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, frame, [&] {
            if (history.GetCount() && history.GetState(history.GetCount() - 1) != newest) {
                watch.stop();
                SendKey(frame, Qt::Key_Escape);
            }
        });
        watch.start(1);
        frame->ExecuteCommand(cmd::kInsertTrackAfter);
        ProcessPendingEvents();
        EXPECT_FALSE(watch.isActive()) << "the run ended before ESC";
        EXPECT_EQ(Doc()->GetStore()->GetTrackCount(), 2u);
    }

    int64_t originalFrames = 0;
    bool panesDuringRun = false;
    bool selectAllRanInside = true;
};

TEST_F(OperationTest, EscapeAnsweredYesAbortsAndTheSoundStaysAsItWas) {
    OpenLongSound();
    messages.answers = {MsgAnswer::Yes};
    InsertTrackPressingEscape();
    EXPECT_TRUE(panesDuringRun);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.front().helpId, kAbortQuestion);
    // the driver keeps the old data file when a run that replaces it is aborted
    EXPECT_EQ(Doc()->GetStore()->GetTrackCount(), 2u);
    EXPECT_EQ(Doc()->GetStore()->GetFrameCount(), originalFrames);
    EXPECT_FALSE(Doc()->IsModified());
    // the status panes are back, and the command sent during the run ran only afterwards
    EXPECT_FALSE(frame->StatusBar()->AbortPane()->isVisible());
    EXPECT_FALSE(frame->StatusBar()->Pane(1)->isHidden());
    EXPECT_FALSE(selectAllRanInside);
    EXPECT_TRUE(Doc()->HasBlock());
}

TEST_F(OperationTest, EscapeAnsweredNoLetsTheOperationFinish) {
    OpenLongSound();
    messages.answers = {MsgAnswer::No};
    InsertTrackPressingEscape();
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.front().helpId, kAbortQuestion);
    EXPECT_EQ(Doc()->GetStore()->GetTrackCount(), 3u);
    EXPECT_EQ(Doc()->GetStore()->GetFrameCount(), originalFrames);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Status(1), "Tr. 1/3"); // the new track comes after the current one
}

TEST_F(OperationTest, AnAbortedChangeKeepsTheUndoOfTheEditBeforeItAndTheRedo) {
    g_settings.edit.undoCount = 1; // the default: the aborted change's state takes the only place
    OpenLongSound();
    const std::vector<int16_t> original = Track16(*Doc()->GetStore(), 0);
    Doc()->SetBlock(0, 99);
    frame->ExecuteCommand(cmd::kInvert);
    const std::vector<int16_t> inverted = Track16(*Doc()->GetStore(), 0);
    ASSERT_NE(inverted, original);
    PressInSample(Qt::Key_Z);
    ASSERT_EQ(Doc()->GetUndoHistory().GetRedoCount(), 1u);

    InsertTrackAbortedAfterItsUndoState();
    EXPECT_EQ(Doc()->GetUndoHistory().GetCount(), 0u);
    ASSERT_EQ(Doc()->GetUndoHistory().GetRedoCount(), 1u);
    PressInSample(Qt::Key_Y);
    EXPECT_EQ(Track16(*Doc()->GetStore(), 0), inverted);

    InsertTrackAbortedAfterItsUndoState();
    ASSERT_EQ(Doc()->GetUndoHistory().GetCount(), 1u);
    PressInSample(Qt::Key_Z);
    EXPECT_EQ(Track16(*Doc()->GetStore(), 0), original);
}

} // namespace

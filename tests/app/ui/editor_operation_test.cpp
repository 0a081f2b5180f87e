#include "app/ui/editor_fixture.h"
#include "resources/command_ids.h"

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

} // namespace

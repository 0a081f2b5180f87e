#include "base/progress.h"
#include "support/fake_message_service.h"

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// Records what a front end is asked to show.
class RecordingProgress : public CHeadlessProgress {
public:
    std::vector<std::string> texts;
    int begins = 0;
    int ends = 0;

protected:
    void OnBegin() override { ++begins; }
    void OnPercent() override { texts.push_back(GetProgressText()); }
    void OnEnd() override { ++ends; }
};

} // namespace

TEST(ProgressDisplay, LaysOutPanesForEachMode) {
    RecordingProgress p;
    p.BeginProgress(1103, true, true);
    ASSERT_EQ(p.GetPanes().size(), 3u);
    EXPECT_EQ(p.GetPanes()[1].width, 100);
    EXPECT_EQ(p.GetPanes()[2].width, 200);
    EXPECT_EQ(p.GetPanes()[2].text, "Press <ESC> or click here to abort operation.");
    EXPECT_EQ(p.GetAbortPane(), 2);
    EXPECT_EQ(p.GetProgressPane(), 1);
    p.BeginProgress(1103, false, true);
    EXPECT_EQ(p.GetPanes().size(), 2u);
    EXPECT_EQ(p.GetAbortPane(), 1);
    EXPECT_EQ(p.GetProgressPane(), 0);
    EXPECT_EQ(p.GetProgressText(), "Changing volume of WAVE file. %d%% done."); // no bar: the plain text
    p.BeginProgress(1103, true, false);
    EXPECT_EQ(p.GetPanes().size(), 1u);
    p.EndProgress();
    EXPECT_TRUE(p.GetPanes().empty());
    EXPECT_EQ(p.GetLastPercent(), 65535u);
    EXPECT_EQ(p.begins, 3);
    EXPECT_EQ(p.ends, 3); // each Begin ends the running display first
}

TEST(ProgressDisplay, ShowsTruncatedPercentOnlyWhenItChanges) {
    RecordingProgress p;
    p.BeginProgress(31514, true, true);
    p.SetProgressRatio(1, 3); // 33.3
    p.SetProgressRatio(2, 6); // still 33
    p.SetProgressRatio(999, 1000);
    p.SetProgressRatio(5, 0);
    ASSERT_EQ(p.texts.size(), 4u);
    EXPECT_EQ(p.texts[0], "Deleting data of WAVE file. Progress: 0%.");
    EXPECT_EQ(p.texts[1], "Deleting data of WAVE file. Progress: 33%.");
    EXPECT_EQ(p.texts[2], "Deleting data of WAVE file. Progress: 99%.");
    EXPECT_EQ(p.GetLastPercent(), 0u);
}

TEST(ProgressDisplay, AbortRequestWaitsForAPercentChangeAndOnlyYesAborts) {
    FakeMessageService messages;
    RecordingProgress p;
    p.BeginProgress(1103, true, true);
    messages.answers = {MsgAnswer::Cancel, MsgAnswer::Yes};
    p.RequestAbort();
    p.SetProgress(0); // unchanged percentage: not seen yet
    EXPECT_TRUE(messages.shown.empty());
    p.SetProgress(1);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(p.IsAbortRequested());
    EXPECT_EQ(messages.beeps.back(), MsgIcon::Question);
    p.RequestAbort();
    p.SetProgress(2);
    EXPECT_TRUE(p.IsAbortRequested());
    p.EndProgress();
    EXPECT_TRUE(p.IsAbortRequested());
    p.BeginProgress(1103, true, true);
    EXPECT_FALSE(p.IsAbortRequested());
}

TEST(ProgressDisplay, NotAbortableIgnoresRequestsAndDirectAbortSkipsQuestion) {
    FakeMessageService messages;
    RecordingProgress p;
    p.BeginProgress(1103, true, false);
    p.RequestAbort();
    p.SetProgress(5);
    EXPECT_FALSE(p.IsAbortRequested());
    p.SetAbortWithoutAsking(true);
    p.BeginProgress(1103, true, true);
    p.RequestAbort();
    p.SetProgress(5);
    EXPECT_TRUE(p.IsAbortRequested());
    EXPECT_TRUE(messages.shown.empty());
}

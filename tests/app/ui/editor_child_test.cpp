#include "app/ui/editor_fixture.h"
#include "resources/command_ids.h"
#include "views/mixer_strip.h"
#include "views/ondrix_view.h"
#include "views/sample_view.h"

#include <QLineEdit>
#include <QSplitter>

using namespace ondrix;
using namespace ondrix::test;

namespace {

using ChildTest = EditorFixture;

TEST_F(ChildTest, MixerAboveSampleWindowByDefault) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 3, 16, 8000, 800)));
    COndrixChild* child = frame->ActiveChild();
    QSplitter* splitter = child->GetSplitter();
    ASSERT_EQ(splitter->count(), 2);
    EXPECT_EQ(splitter->widget(0), child->GetMixerView());
    EXPECT_EQ(splitter->widget(1), child->GetSampleView());
    EXPECT_GT(splitter->sizes()[1], 0);
    EXPECT_TRUE(Doc()->IsSampleShown());
    EXPECT_EQ(child->GetSampleView()->GetLaneTracks(), std::vector<uint32_t>({0, 1, 2}));
    EXPECT_EQ(child->GetMixerView()->StripCount(), 3);
    EXPECT_EQ(child->GetSampleView()->LaneCount(), 3); // one lane per shown track, no text of its own
}

TEST_F(ChildTest, InverseAndHiddenSampleWindowForNewWindows) {
    g_settings.sampleWindow.inverse = 1;
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 8000, 800)));
    QSplitter* splitter = frame->ActiveChild()->GetSplitter();
    EXPECT_EQ(splitter->widget(0), frame->ActiveChild()->GetSampleView());
    g_settings.sampleWindow.inverse = 0;
    g_settings.sampleWindow.showSample = 0;
    ASSERT_TRUE(OpenByCommand(MakeWave("b.wav", 2, 16, 8000, 800)));
    splitter = frame->ActiveChild()->GetSplitter();
    EXPECT_EQ(splitter->widget(0), frame->ActiveChild()->GetMixerView());
    EXPECT_EQ(splitter->sizes()[1], 0);
    EXPECT_FALSE(Doc()->IsSampleShown());
    // the editing commands that need the sample window are off, and tracks start hidden
    EXPECT_FALSE(frame->QueryCommand(cmd::kEditSelectAll).IsEnabled());
    EXPECT_FALSE(frame->QueryCommand(cmd::kSwitchPane).IsEnabled());
    EXPECT_EQ(Doc()->GetStore()->m_trackFlags[0] & TRACK_SHOWN, 0u);
}

TEST_F(ChildTest, CtrlUpTwiceReturnsTheFocus) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 8000, 800)));
    COndrixChild* child = frame->ActiveChild();
    child->GetSampleView()->setFocus();
    child->NoteActiveView(child->GetSampleView());
    SendKey(child->GetSampleView(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(child->GetActiveView(), static_cast<CDocView*>(child->GetMixerView()));
    SendKey(child->GetMixerView(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(child->GetActiveView(), static_cast<CDocView*>(child->GetSampleView()));
}

TEST_F(ChildTest, TrackStepsChangeTheCurrentTrackAndWrapAround) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 3, 16, 8000, 800)));
    COndrixChild* child = frame->ActiveChild();
    child->SetActiveView(child->GetMixerView());
    frame->ExecuteCommand(cmd::kNextTrack);
    frame->ExecuteCommand(cmd::kNextTrack);
    EXPECT_EQ(Doc()->GetCurrentTrack(), 2u);
    EXPECT_EQ(Status(1), "Tr. 3/3");
    EXPECT_TRUE(child->GetMixerView()->Strip(2)->NameField()->hasFocus());
    frame->ExecuteCommand(cmd::kNextTrack); // after the last track comes the first
    EXPECT_EQ(Doc()->GetCurrentTrack(), 0u);
    frame->ExecuteCommand(cmd::kPreviousTrack); // and before the first the last
    EXPECT_EQ(Doc()->GetCurrentTrack(), 2u);

    // the sample window steps through its lanes the same way
    child->SetActiveView(child->GetSampleView());
    frame->ExecuteCommand(cmd::kPreviousTrack);
    EXPECT_EQ(Doc()->GetCurrentTrack(), 1u);
    frame->ExecuteCommand(cmd::kNextTrack);
    frame->ExecuteCommand(cmd::kNextTrack);
    EXPECT_EQ(Doc()->GetCurrentTrack(), 0u);
    EXPECT_EQ(Status(1), "Tr. 1/3");
    // back in the mixer area the current track is the one chosen in the sample window
    child->SetActiveView(child->GetMixerView());
    EXPECT_TRUE(child->GetMixerView()->Strip(0)->NameField()->hasFocus());

    // a click in the mixer area chooses the track too
    SendClick(child->GetMixerView()->Strip(1), Qt::LeftButton, QPoint(60, 50));
    EXPECT_EQ(Doc()->GetCurrentTrack(), 1u);
}

TEST_F(ChildTest, ViewsFollowTrackChanges) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 8000, 800)));
    COndrixChild* child = frame->ActiveChild();
    frame->ExecuteCommand(cmd::kInsertTrackAfter);
    EXPECT_EQ(child->GetMixerView()->StripCount(), 3);
    EXPECT_EQ(child->GetSampleView()->GetLaneTracks().size(), 3u);
}

} // namespace

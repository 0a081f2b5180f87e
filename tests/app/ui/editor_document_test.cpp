#include "app/ui/editor_fixture.h"
#include "app/ui/manual_device.h"
#include "document/core/enabling_rules.h"
#include "resources/command_ids.h"
#include "views/sample_view.h"

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// An editor whose sound goes to a simulated device that plays only when the test moves its clock.
class DocumentTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        g_settings.sampleWindow.timeFmt = 0; // positions in frames
    }
    void TearDown() override { EditorFixture::TearDown(); }
    /// Whether the rule of a command enables it for the active document.
    bool RuleAllows(uint32_t id) { return IsEnabledBy(RuleOf(id), Doc()->GetState()); }

    ManualDevice device;
    CSimClock& clock = device.clock;
    CSimAudioBackend& backend = device.backend;
};

TEST_F(DocumentTest, StatusFieldsAtTheByteBoundaries) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 1, 8, 11025, 1023)));
    EXPECT_EQ(Status(1), "Tr. 1/1");
    EXPECT_EQ(Status(2), "0");
    EXPECT_EQ(Status(3), "1023");
    EXPECT_EQ(Status(4), "1023 Byte");
    EXPECT_EQ(Status(5), "8 Bit");
    EXPECT_EQ(Status(6), "Mono");
    EXPECT_EQ(Status(7), "11025 Hz");
    ASSERT_TRUE(OpenByCommand(MakeWave("b.wav", 1, 8, 11025, 1024)));
    EXPECT_EQ(Status(4), "1,0 KB");
    ASSERT_TRUE(OpenByCommand(MakeWave("c.wav", 2, 16, 44100, 262144)));
    EXPECT_EQ(Status(1), "Tr. 1/2");
    EXPECT_EQ(Status(3), "262144");
    EXPECT_EQ(Status(4), "1,0 MB");
    EXPECT_EQ(Status(5), "16 Bit");
    EXPECT_EQ(Status(6), "Stereo");
    EXPECT_EQ(Status(7), "44100 Hz");
}

TEST_F(DocumentTest, AnEmptySoundShowsNothingToEdit) {
    COndrixDoc* doc = NewSound(16, 2, 22050);
    EXPECT_EQ(Status(3), "0");
    EXPECT_EQ(Status(4), "0 Byte");
    EXPECT_EQ(Status(7), "22050 Hz");
    doc->m_anchor = 0;
    EXPECT_FALSE(RuleAllows(cmd::kEditCopy));      // edit rule: no data
    EXPECT_FALSE(RuleAllows(cmd::kEditSelectAll)); // data rule
    EXPECT_FALSE(frame->QueryCommand(cmd::kEditSelectAll).IsEnabled());
    EXPECT_TRUE(frame->QueryCommand(cmd::kZoomIntoBlock).IsEnabled()); // a block and the window suffice
    EXPECT_TRUE(frame->QueryCommand(cmd::kFileSave).IsEnabled());
    EXPECT_TRUE(frame->QueryCommand(cmd::kInsertTrackAfter).IsEnabled());
    EXPECT_TRUE(frame->QueryCommand(cmd::kDeleteTrack).IsEnabled());
}

TEST_F(DocumentTest, RulesOnANonEmptySoundWithAndWithoutABlock) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 44100, 5000)));
    COndrixDoc* doc = Doc();
    ASSERT_TRUE(doc->m_sampleShown);
    EXPECT_FALSE(RuleAllows(cmd::kEditCut));
    EXPECT_FALSE(frame->QueryCommand(cmd::kZoomIntoBlock).IsEnabled());
    EXPECT_TRUE(frame->QueryCommand(cmd::kEditSelectAll).IsEnabled());
    frame->ExecuteCommand(cmd::kEditSelectAll);
    EXPECT_EQ(doc->m_anchor, 0);
    EXPECT_EQ(doc->m_cursor, 4999);
    EXPECT_EQ(Status(2), "4999");
    EXPECT_TRUE(RuleAllows(cmd::kEditCut));
    EXPECT_TRUE(RuleAllows(cmd::kFadeIn));
    EXPECT_TRUE(frame->QueryCommand(cmd::kZoomIntoBlock).IsEnabled());
    // zoom: radio marks and the factor that is not set
    EXPECT_TRUE(frame->QueryCommand(cmd::kZoomAdapt).IsChecked());
    EXPECT_FALSE(frame->QueryCommand(cmd::kZoomAdapt).IsEnabled());
    frame->ExecuteCommand(cmd::kZoomFullDetail);
    EXPECT_EQ(doc->m_zoom, 1);
    EXPECT_TRUE(frame->QueryCommand(cmd::kZoomFullDetail).IsChecked());
    EXPECT_TRUE(frame->QueryCommand(cmd::kZoomAdapt).IsEnabled());
    frame->ExecuteCommand(cmd::kZoomIntoBlock);
    EXPECT_GT(doc->m_zoom, 1);
    // the paste rule needs clipboard data
    EXPECT_FALSE(RuleAllows(cmd::kEditPaste));
    CSampleStore* clip = app->GetCustomClipboard();
    ASSERT_NE(clip, nullptr);
    ASSERT_TRUE(clip->Create(STORE_MEMORY, "", 16, 1, 44100, false));
    FillRamp16(*clip, 10);
    EXPECT_TRUE(RuleAllows(cmd::kMix));
    // "&All Tracks" with no edited track leaves the edit rule without a track
    g_settings.edit.allTracks = 1;
    doc->GetStore()->m_trackFlags[0] &= ~TRACK_EDITED;
    doc->GetStore()->m_trackFlags[1] &= ~TRACK_EDITED;
    EXPECT_FALSE(RuleAllows(cmd::kEditCopy));
}

TEST_F(DocumentTest, TrackCommandsAtOneAndAtThirtyTwoTracks) {
    ASSERT_TRUE(OpenByCommand(MakeWave("one.wav", 1, 16, 8000, 100)));
    EXPECT_FALSE(frame->QueryCommand(cmd::kDeleteTrack).IsEnabled());
    EXPECT_TRUE(frame->QueryCommand(cmd::kInsertTrackAfter).IsEnabled());
    frame->ExecuteCommand(cmd::kInsertTrackAfter);
    EXPECT_EQ(Doc()->GetStore()->GetTrackCount(), 2u);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Status(1), "Tr. 1/2");
    EXPECT_TRUE(frame->QueryCommand(cmd::kDeleteTrack).IsEnabled());

    ASSERT_TRUE(OpenByCommand(MakeWave("full.wav", 32, 8, 8000, 100)));
    EXPECT_FALSE(frame->QueryCommand(cmd::kInsertTrackAfter).IsEnabled());
    EXPECT_FALSE(frame->QueryCommand(cmd::kInsertTrackBefore).IsEnabled());
    EXPECT_TRUE(frame->QueryCommand(cmd::kDeleteTrack).IsEnabled());
}

TEST_F(DocumentTest, DeleteTrackAsksAndOnlyYesDeletes) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 3, 16, 8000, 100)));
    COndrixDoc* doc = Doc();
    doc->SetCurrentTrack(1);
    messages.answers = {MsgAnswer::No, MsgAnswer::Cancel, MsgAnswer::Yes};
    frame->ExecuteCommand(cmd::kDeleteTrack);
    frame->ExecuteCommand(cmd::kDeleteTrack);
    EXPECT_EQ(doc->GetStore()->GetTrackCount(), 3u);
    EXPECT_FALSE(doc->IsModified());
    frame->ExecuteCommand(cmd::kDeleteTrack);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text, "Do you really want to delete track 2?");
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(messages.shown[0].helpId, 1085u);
    EXPECT_EQ(doc->GetStore()->GetTrackCount(), 2u);
    EXPECT_TRUE(doc->IsModified());
    // the old track 2 (index 2) is now index 1
    EXPECT_EQ(Track16(*doc->GetStore(), 1), [] {
        CSampleStore ref;
        ref.Create(STORE_MEMORY, "", 16, 3, 8000, false);
        FillRamp16(ref, 100);
        return Track16(ref, 2);
    }());
}

TEST_F(DocumentTest, InsertBeforeTheCurrentTrack) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 8000, 50)));
    Doc()->SetCurrentTrack(1);
    frame->ExecuteCommand(cmd::kInsertTrackBefore);
    ASSERT_EQ(Doc()->GetStore()->GetTrackCount(), 3u);
    EXPECT_EQ(Track16(*Doc()->GetStore(), 1), std::vector<int16_t>(50, 0)); // the new silent track
    EXPECT_EQ(Track16(*Doc()->GetStore(), 2)[1], int16_t(11));              // the old track 1
}

TEST_F(DocumentTest, WhilePlayingModifyingCommandsAreDisabledAndTheStatusShowsThePosition) {
    ASSERT_TRUE(OpenByCommand(MakeWave("a.wav", 2, 16, 44100, 44100)));
    frame->ExecuteCommand(cmd::kEditSelectAll);
    frame->ExecuteCommand(cmd::kPlayStart);
    ProcessPendingEvents();
    ASSERT_TRUE(Doc()->IsPlaying());
    EXPECT_TRUE(Doc()->GetState().playing);
    for (uint32_t id : {cmd::kFileSave, cmd::kFileSaveAs, cmd::kSaveRaw, cmd::kSaveStandardWave,
                        cmd::kInsertTrackAfter, cmd::kDeleteTrack, cmd::kEditSelectAll}) {
        EXPECT_FALSE(frame->QueryCommand(id).IsEnabled()) << id;
    }
    EXPECT_FALSE(RuleAllows(cmd::kEditCut));
    EXPECT_FALSE(RuleAllows(cmd::kWaveInformation));
    EXPECT_TRUE(frame->QueryCommand(cmd::kZoomFullDetail).IsEnabled()); // zoom does not change the sound
    device.Advance(4410, 44100);
    Doc()->UpdateStatus(0);
    const uint32_t position = Doc()->GetStore()->GetAudioPosition();
    EXPECT_GT(position, 0u);
    EXPECT_EQ(Status(2), QString::number(position));
    EXPECT_EQ(Status(3), "44100"); // playback leaves the length as it is
    EXPECT_EQ(Status(4), "172,3 KB");
    frame->ExecuteCommand(cmd::kStop);
    for (int i = 0; i < 100 && Doc()->IsBusy(); ++i) {
        device.Advance(4410, 44100, [this] { return !Doc()->IsBusy(); });
    }
    ProcessPendingEvents();
    EXPECT_FALSE(Doc()->IsBusy());
    EXPECT_TRUE(frame->QueryCommand(cmd::kFileSave).IsEnabled());
}

} // namespace

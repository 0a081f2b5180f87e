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
    doc->SetBlock(0, doc->GetCursor());
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
    ASSERT_TRUE(doc->IsSampleShown());
    EXPECT_FALSE(RuleAllows(cmd::kEditCut));
    EXPECT_FALSE(frame->QueryCommand(cmd::kZoomIntoBlock).IsEnabled());
    EXPECT_TRUE(frame->QueryCommand(cmd::kEditSelectAll).IsEnabled());
    frame->ExecuteCommand(cmd::kEditSelectAll);
    EXPECT_EQ(doc->GetAnchor(), 0);
    EXPECT_EQ(doc->GetCursor(), 4999);
    EXPECT_EQ(Status(2), "4999");
    EXPECT_TRUE(RuleAllows(cmd::kEditCut));
    EXPECT_TRUE(RuleAllows(cmd::kFadeIn));
    EXPECT_TRUE(frame->QueryCommand(cmd::kZoomIntoBlock).IsEnabled());
    // zoom: radio marks and the factor that is not set
    EXPECT_TRUE(frame->QueryCommand(cmd::kZoomAdapt).IsChecked());
    EXPECT_FALSE(frame->QueryCommand(cmd::kZoomAdapt).IsEnabled());
    frame->ExecuteCommand(cmd::kZoomFullDetail);
    EXPECT_EQ(doc->GetZoom(), 1);
    EXPECT_TRUE(frame->QueryCommand(cmd::kZoomFullDetail).IsChecked());
    EXPECT_TRUE(frame->QueryCommand(cmd::kZoomAdapt).IsEnabled());
    frame->ExecuteCommand(cmd::kZoomIntoBlock);
    EXPECT_GT(doc->GetZoom(), 1);
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

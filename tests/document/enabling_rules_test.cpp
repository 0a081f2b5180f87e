#include "document/core/enabling_rules.h"
#include "resources/command_ids.h"

#include <gtest/gtest.h>

using namespace ondrix;

namespace {

/// A non-empty two-track sound with a block on edited tracks, idle, sample window shown.
DocumentState Ready() {
    DocumentState s;
    s.hasBlock = true;
    s.sampleShown = true;
    s.dataSize = 4000;
    s.tracks = 2;
    s.maskHasTrack = true;
    s.clipboardHasData = true;
    s.zoom = 0;
    return s;
}

bool Enabled(uint32_t id, const DocumentState& s) {
    return IsEnabledBy(RuleOf(id), s);
}

TEST(EnablingRules, CommandsBelongToTheirRules) {
    for (uint32_t id : {cmd::kEditDelete, cmd::kEditCopy, cmd::kEditCut, cmd::kVolumeRaiseLower,
                        cmd::kMaximise, cmd::kSilence, cmd::kFadeIn, cmd::kFadeOut, cmd::kChangeDynamics,
                        cmd::kZeroLine, cmd::kEcho, cmd::kEnvelope, cmd::kInvert, cmd::kReverse,
                        cmd::kTremolo, cmd::kCrossFade, cmd::kDistort, cmd::kVelocity, cmd::kChangeLength}) {
        EXPECT_EQ(RuleOf(id), EnableRule::Edit) << id;
    }
    EXPECT_EQ(RuleOf(cmd::kEditPaste), EnableRule::Paste);
    EXPECT_EQ(RuleOf(cmd::kMix), EnableRule::Paste);
    EXPECT_EQ(RuleOf(cmd::kEditSelectAll), EnableRule::Data);
    EXPECT_EQ(RuleOf(cmd::kGoTo), EnableRule::Data);
    for (uint32_t id : {cmd::kSampleParameters, cmd::kWaveInformation, cmd::kFileSave, cmd::kFileSaveAs,
                        cmd::kSaveRaw, cmd::kSaveStandardWave, cmd::kFileSendMail}) {
        EXPECT_EQ(RuleOf(id), EnableRule::Idle) << id;
    }
    EXPECT_EQ(RuleOf(cmd::kInsertTrackAfter), EnableRule::InsertTrack);
    EXPECT_EQ(RuleOf(cmd::kInsertTrackBefore), EnableRule::InsertTrack);
    EXPECT_EQ(RuleOf(cmd::kDeleteTrack), EnableRule::DeleteTrack);
    EXPECT_EQ(RuleOf(cmd::kZoomAdapt), EnableRule::ZoomAdapt);
    EXPECT_EQ(RuleOf(cmd::kZoomFullDetail), EnableRule::ZoomFull);
    EXPECT_EQ(RuleOf(cmd::kZoomIntoBlock), EnableRule::ZoomIntoBlock);
    EXPECT_EQ(RuleOf(cmd::kSwitchPane), EnableRule::Switch);
    EXPECT_EQ(RuleOf(cmd::kEqualizer), EnableRule::Never);
    EXPECT_EQ(RuleOf(cmd::kFileOpen), EnableRule::None);
}

TEST(EnablingRules, EditRuleNeedsBlockWindowDataIdleAndATrack) {
    const DocumentState ready = Ready();
    EXPECT_TRUE(Enabled(cmd::kEditCopy, ready));
    DocumentState s = ready;
    s.hasBlock = false;
    EXPECT_FALSE(Enabled(cmd::kEditCopy, s));
    s = ready, s.sampleShown = false;
    EXPECT_FALSE(Enabled(cmd::kEditCopy, s));
    s = ready, s.dataSize = 0;
    EXPECT_FALSE(Enabled(cmd::kEditCopy, s));
    s = ready, s.playing = true;
    EXPECT_FALSE(Enabled(cmd::kFadeIn, s));
    s = ready, s.recording = true;
    EXPECT_FALSE(Enabled(cmd::kFadeIn, s));
    s = ready, s.maskHasTrack = false;
    EXPECT_FALSE(Enabled(cmd::kEcho, s));
}

TEST(EnablingRules, PasteAndDataRules) {
    const DocumentState ready = Ready();
    DocumentState s = ready;
    s.hasBlock = false;
    s.dataSize = 0; // pasting into an empty sound is allowed
    EXPECT_TRUE(Enabled(cmd::kEditPaste, s));
    EXPECT_FALSE(Enabled(cmd::kEditSelectAll, s));
    s.clipboardHasData = false;
    EXPECT_FALSE(Enabled(cmd::kMix, s));
    s = ready, s.playing = true;
    EXPECT_FALSE(Enabled(cmd::kEditPaste, s));
    EXPECT_FALSE(Enabled(cmd::kGoTo, s));
    s = ready, s.hasBlock = false;
    EXPECT_TRUE(Enabled(cmd::kGoTo, s));
    s.sampleShown = false;
    EXPECT_FALSE(Enabled(cmd::kEditSelectAll, s));
    EXPECT_FALSE(Enabled(cmd::kEditPaste, s));
}

TEST(EnablingRules, IdleAndTrackRules) {
    DocumentState s = Ready();
    s.sampleShown = false;
    s.dataSize = 0;
    EXPECT_TRUE(Enabled(cmd::kFileSave, s));
    s.tracks = 1;
    EXPECT_FALSE(Enabled(cmd::kDeleteTrack, s));
    EXPECT_TRUE(Enabled(cmd::kInsertTrackAfter, s));
    s.tracks = 31;
    EXPECT_TRUE(Enabled(cmd::kInsertTrackBefore, s));
    s.tracks = 32;
    EXPECT_FALSE(Enabled(cmd::kInsertTrackBefore, s));
    EXPECT_FALSE(Enabled(cmd::kInsertTrackAfter, s));
    EXPECT_TRUE(Enabled(cmd::kDeleteTrack, s));
    s.playing = true;
    EXPECT_FALSE(Enabled(cmd::kDeleteTrack, s));
    EXPECT_FALSE(Enabled(cmd::kFileSaveAs, s));
}

TEST(EnablingRules, ARecordingIntoTheSoundsOwnStoreCountsAsBusy) {
    DocumentState s = Ready();
    s.engineBusy = true; // neither the playing bit nor a recording store: the store records into itself
    EXPECT_FALSE(IsIdle(s));
    EXPECT_FALSE(Enabled(cmd::kEditCut, s));
    EXPECT_FALSE(Enabled(cmd::kFileSave, s));
    EXPECT_FALSE(Enabled(cmd::kInsertTrackAfter, s));
}

TEST(EnablingRules, ZoomRulesIgnorePlaybackButNeedTheWindow) {
    DocumentState s = Ready();
    s.playing = true;
    s.zoom = 0;
    EXPECT_FALSE(Enabled(cmd::kZoomAdapt, s));
    EXPECT_TRUE(Enabled(cmd::kZoomFullDetail, s));
    EXPECT_TRUE(Enabled(cmd::kZoomIntoBlock, s));
    s.zoom = 1;
    EXPECT_TRUE(Enabled(cmd::kZoomAdapt, s));
    EXPECT_FALSE(Enabled(cmd::kZoomFullDetail, s));
    s.zoom = 40;
    EXPECT_TRUE(Enabled(cmd::kZoomAdapt, s));
    EXPECT_TRUE(Enabled(cmd::kZoomFullDetail, s));
    s.hasBlock = false;
    EXPECT_FALSE(Enabled(cmd::kZoomIntoBlock, s));
    s.sampleShown = false;
    EXPECT_FALSE(Enabled(cmd::kZoomAdapt, s));
    EXPECT_FALSE(Enabled(cmd::kSwitchPane, s));
    EXPECT_FALSE(Enabled(cmd::kEqualizer, Ready()));
}

} // namespace

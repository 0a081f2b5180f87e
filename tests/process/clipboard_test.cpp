#include "fileformat/wave_clipboard.h"
#include "process/clipboard.h"
#include "support/fake_message_service.h"
#include "support/sound_model.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ondrix;
using namespace ondrix::test;

TEST(TrackAssignment, DefaultPlacesSourceTracksFromTheCurrentTrack) {
    const TrackAssignment one = DefaultAssignment(1, 4, 2);
    EXPECT_EQ(one[0], kNoSourceTrack);
    EXPECT_EQ(one[1], kNoSourceTrack);
    EXPECT_EQ(one[2], 0);
    EXPECT_EQ(one[3], kNoSourceTrack);
    const TrackAssignment three = DefaultAssignment(3, 4, 2);
    EXPECT_EQ(three[2], 0);
    EXPECT_EQ(three[3], 1);
    EXPECT_EQ(three[4], kNoSourceTrack); // source track 2 has no target
    EXPECT_EQ(DefaultAssignment(2, 2, 0)[1], 1);
}

TEST(TrackAssignment, DialogOnlyWhenTheDefaultCannotStand) {
    EXPECT_FALSE(NeedsAssignmentDialog(1, 4, 2)); // one track fits anywhere
    EXPECT_FALSE(NeedsAssignmentDialog(2, 2, 0));
    EXPECT_TRUE(NeedsAssignmentDialog(2, 1, 0)); // two tracks into one
    EXPECT_TRUE(NeedsAssignmentDialog(3, 4, 2)); // source track 2 has no target
    EXPECT_TRUE(NeedsAssignmentDialog(2, 2, 1));
    EXPECT_TRUE(NeedsAssignmentDialog(2, 4, 0)); // different counts, more than one source track
    EXPECT_TRUE(NeedsAssignmentDialog(1, 4, 4)); // the current track beyond the last
}

TEST(TrackAssignment, TheDialogsInverseMapTurnsBackIntoTheAssignment) {
    // three source tracks into four document tracks from track 2: 0 -> 2, 1 -> 3, 2 discarded
    const TrackAssignment assignment = DefaultAssignment(3, 4, 2);
    const SourceTargets targets = TargetsOfSources(assignment, 3);
    EXPECT_EQ(targets[0], 2);
    EXPECT_EQ(targets[1], 3);
    EXPECT_EQ(targets[2], kNoSourceTrack);
    EXPECT_EQ(AssignmentFromTargets(targets, 3, 4), assignment);
    EXPECT_TRUE(AssignsAnyTrack(assignment));
    // two sources onto one track: the later one takes it; a target beyond the document is dropped
    SourceTargets chosen = targets;
    chosen[0] = 3;
    chosen[2] = 7;
    const TrackAssignment turned = AssignmentFromTargets(chosen, 3, 4);
    EXPECT_EQ(turned[3], 1);
    EXPECT_EQ(turned[2], kNoSourceTrack);
    EXPECT_EQ(std::count(turned.begin(), turned.end(), kNoSourceTrack), 31);
    SourceTargets none;
    none.fill(kNoSourceTrack);
    EXPECT_FALSE(AssignsAnyTrack(AssignmentFromTargets(none, 3, 4)));
}

TEST(Clipboard, AFailedCopyKeepsTheOldContent) {
    FakeMessageService messages;
    TempDir dir;
    CClipboard clipboard(true);
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_MEMORY, "", 16, 2, 8000, true));
    FillRamp16(store, 100);
    ASSERT_TRUE(clipboard.Copy(store, nullptr, 0, 9, dir.Path()));
    const CSampleStore* before = clipboard.GetCustomStore();
    // a directory that does not exist: the new store cannot be made
    EXPECT_FALSE(clipboard.Copy(store, nullptr, 20, 29, dir.Path() + "/missing"));
    EXPECT_EQ(clipboard.GetCustomStore(), before);
    // sample (f, t) = 10 f + t: track 1 of frames 0..9
    EXPECT_EQ(Track16(*clipboard.GetCustomStore(), 1),
              (std::vector<int16_t>{1, 11, 21, 31, 41, 51, 61, 71, 81, 91}));
    EXPECT_FALSE(messages.shown.empty());
}

TEST(Clipboard, OneEditedTrackOfFourPastesOntoTheCurrentTrackOnly) {
    TempDir dir;
    const auto model = SoundModel::Random(16, 4, 30000, 3);
    CSampleStore document;
    model.ToStore(document, STORE_TEMPFILE, dir.Path());
    CClipboard clipboard(true);
    EXPECT_FALSE(clipboard.CanPaste());
    const uint32_t mask[32] = {0, 1, 0, 0};
    ASSERT_TRUE(clipboard.Copy(document, mask, 100, 199, dir.Path()));
    CSampleStore* clip = clipboard.GetCustomStore();
    EXPECT_EQ(clip->GetTrackCount(), 1u);
    EXPECT_EQ(clip->GetFrameCount(), 100u);
    EXPECT_EQ(clip->GetStorageMode(), STORE_TEMPFILE);
    EXPECT_TRUE(clipboard.CanPaste());

    std::unique_ptr<CSampleStore> holder;
    CSampleStore* source = clipboard.PasteSource(holder, dir.Path());
    ASSERT_EQ(source, clip);
    ASSERT_FALSE(NeedsAssignmentDialog(1, 4, 2));
    const TrackAssignment a = DefaultAssignment(1, 4, 2);
    ASSERT_TRUE(document.PasteBlock(a.data(), 0, false, source, false, 0));
    const auto result = SoundModel::FromStore(document);
    ASSERT_EQ(result.frames.size(), model.frames.size());
    for (std::size_t f = 0; f < result.frames.size(); ++f) {
        ASSERT_EQ(result.frames[f][0], model.frames[f][0]);
        ASSERT_EQ(result.frames[f][1], model.frames[f][1]);
        ASSERT_EQ(result.frames[f][2], f < 100 ? model.frames[f + 100][1] : model.frames[f][2]) << f;
        ASSERT_EQ(result.frames[f][3], model.frames[f][3]);
    }
}

TEST(Clipboard, SystemModeGoesThroughTheWaveBlockAndLosesNamesAndMixer) {
    CSampleStore document;
    ASSERT_TRUE(document.Create(STORE_MEMORY, "", 8, 2, 11025, true));
    FillRamp8(document, 500);
    document.m_trackNames[0] = "Left";
    CClipboard clipboard(false);
    ASSERT_FALSE(clipboard.IsCustom());
    ASSERT_TRUE(clipboard.Copy(document, nullptr, 10, 19, ""));
    EXPECT_TRUE(clipboard.CanPaste());
    std::unique_ptr<CSampleStore> holder;
    CSampleStore* source = clipboard.PasteSource(holder, "");
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source, holder.get());
    EXPECT_EQ(source->GetSampleRate(), 11025u);
    EXPECT_EQ(source->GetTrackCount(), 2u);
    EXPECT_EQ(source->GetFrameCount(), 10u);
    EXPECT_EQ(source->m_trackNames[0], "");
    EXPECT_EQ(Track8(*source, 1)[0], uint8_t(10 + 50));
}

TEST(Clipboard, SwitchingTheCustomClipboardOffAndOnEmptiesIt) {
    CSampleStore document;
    ASSERT_TRUE(document.Create(STORE_MEMORY, "", 16, 1, 8000, false));
    FillRamp16(document, 50);
    CClipboard clipboard(true);
    ASSERT_TRUE(clipboard.Copy(document, nullptr, 0, 9, ""));
    EXPECT_TRUE(clipboard.CanPaste());
    clipboard.ToggleCustom();
    EXPECT_FALSE(clipboard.IsCustom());
    clipboard.ToggleCustom();
    ASSERT_TRUE(clipboard.IsCustom());
    EXPECT_FALSE(clipboard.CanPaste());
    std::unique_ptr<CSampleStore> holder;
    EXPECT_EQ(clipboard.PasteSource(holder, ""), nullptr);
}

#include "store/leftover_stores.h"
#include "store/recovery_note.h"
#include "store/sample_store.h"
#include "support/child_process.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>

using namespace ondrix;
using namespace ondrix::test;

namespace {

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

/// The bytes of frame f, track t of the pattern the children write: distinct in every byte.
std::vector<uint8_t> Pattern(uint32_t bytes) {
    std::vector<uint8_t> data(bytes);
    for (uint32_t i = 0; i < bytes; ++i) {
        data[i] = uint8_t(i * 131 + i / 251);
    }
    return data;
}

/// Makes a file look an hour old, as the leftovers of a run that crashed earlier do.
void Age(const std::string& path) {
    std::filesystem::last_write_time(path,
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
}

/// What a crashed take leaves: a 16-bit stereo record store with its description, never released.
void RecordTakeThatIsNeverReleased(const std::string& dir, const std::vector<uint8_t>& pattern) {
    auto* store = new CSampleStore; // never deleted: the program dies holding it
    store->Create(STORE_TEMPFILE, dir, 16, 2, 44100, true);
    store->KeepRecoveryNote({RecoveryKind::Take, "/music/song.wav", "song.wav", 0});
    // appended in buffers, as the input's worker does
    for (std::size_t at = 0; at < pattern.size(); at += 4096) {
        store->AppendData(pattern.data() + at, uint32_t(std::min<std::size_t>(4096, pattern.size() - at)));
    }
}

} // namespace

TEST(RecoveryNote, LivesBesideTheDataAndGoesWithIt) {
    TempDir dir;
    CSampleStore store;
    ASSERT_TRUE(store.Create(STORE_TEMPFILE, dir.Path(), 16, 1, 44100, false));
    EXPECT_EQ(dir.Files().size(), 1u); // no description before the store holds work
    ASSERT_TRUE(store.KeepRecoveryNote({RecoveryKind::Changes, "/a.wav", "a.wav", 0}));
    const std::string data = std::filesystem::path(store.GetTempFileName()).filename().string();
    EXPECT_EQ(Sorted(dir.Files()), Sorted({data, data + ".recovery"}));
    store.DropRecoveryNote();
    EXPECT_EQ(dir.Files(), std::vector<std::string>{data});
    ASSERT_TRUE(store.KeepRecoveryNote({RecoveryKind::Changes, "/a.wav", "a.wav", 0}));
    store.Release();
    EXPECT_TRUE(dir.Files().empty());

    CSampleStore memory;
    ASSERT_TRUE(memory.Create(STORE_MEMORY, "", 16, 1, 44100, false));
    EXPECT_FALSE(
        memory.KeepRecoveryNote({RecoveryKind::Changes, "", "b", 0})); // stores in RAM are not covered
}

TEST(RecoveryNote, FollowsTheDataFileWhenAnOperationReplacesItAndTheFormatWhenItChanges) {
    TempDir dir;
    CSampleStore store;
    store.m_showErrors = 0;
    ASSERT_TRUE(store.Create(STORE_TEMPFILE, dir.Path(), 16, 2, 44100, true));
    FillRamp16(store, 1000);
    ASSERT_TRUE(store.KeepRecoveryNote({RecoveryKind::Changes, "", "Untitled 1", 0}));
    const std::string before = store.GetTempFileName();
    ASSERT_TRUE(store.DeleteBlock(nullptr, 100, 199)); // the length changes: a new data file
    ASSERT_NE(store.GetTempFileName(), before);
    ASSERT_TRUE(store.InsertTrack(0));
    const std::string data = std::filesystem::path(store.GetTempFileName()).filename().string();
    EXPECT_EQ(Sorted(dir.Files()), Sorted({data, data + ".recovery"}));
    const auto description = ParseDescription(FileBytes(dir.Path() + "/" + data + ".recovery"));
    ASSERT_TRUE(description);
    EXPECT_EQ(description->tracks, 3u);
    EXPECT_EQ(description->identity.title, "Untitled 1");
}

TEST(LeftoverStores, AKilledTakeComesBackByteForByteAndIsUntouchedWhileItsProgramRuns) {
    TempDir dir;
    const std::vector<uint8_t> pattern = Pattern(4 * 12345);
    const pid_t pid = RunInChild([&] { RecordTakeThatIsNeverReleased(dir.Path(), pattern); });
    ASSERT_GT(pid, 0);
    const auto files = Sorted(dir.Files());
    ASSERT_EQ(files.size(), 2u);

    // the recording program still runs: its files are not offered and not touched
    {
        LeftoverScan running = ScanForLeftovers({dir.Path()});
        EXPECT_TRUE(running.offers.empty());
        EXPECT_EQ(running.removed, 0u);
        EXPECT_EQ(Sorted(dir.Files()), files);
    }
    KillChild(pid);

    LeftoverScan scan = ScanForLeftovers({dir.Path(), dir.Path() + "/."}); // the same folder twice
    ASSERT_EQ(scan.offers.size(), 1u);
    EXPECT_EQ(scan.removed, 0u);
    const CLeftoverStore& offer = scan.offers[0];
    EXPECT_EQ(offer.Description().identity.kind, RecoveryKind::Take);
    EXPECT_EQ(offer.Description().identity.title, "song.wav");
    EXPECT_EQ(offer.Description().pid, pid);
    EXPECT_EQ(offer.FrameCount(), 12345u);
    CSampleStore restored;
    ASSERT_TRUE(scan.offers[0].RestoreInto(restored));
    EXPECT_EQ(restored.GetStorageMode(), STORE_TEMPFILE);
    EXPECT_EQ(restored.GetBitsPerSample(), 16u);
    EXPECT_EQ(restored.GetTrackCount(), 2u);
    EXPECT_EQ(restored.GetSampleRate(), 44100u);
    EXPECT_TRUE(restored.GetStereo());
    EXPECT_EQ(AllBytes(restored), pattern);
    EXPECT_EQ(Sorted(dir.Files()), files); // adopted where it lay, no copy

    // now this run's: another look leaves it alone, and releasing it removes both files
    EXPECT_TRUE(ScanForLeftovers({dir.Path()}).offers.empty());
    EXPECT_EQ(Sorted(dir.Files()), files);
    restored.Release();
    EXPECT_TRUE(dir.Files().empty());
}

TEST(LeftoverStores, AChangedSoundComesBackWithFormatMixerNamesAndAHalfWrittenFrameCut) {
    TempDir dir;
    const pid_t pid = RunInChild([&] {
        auto* store = new CSampleStore;
        store->Create(STORE_TEMPFILE, dir.Path(), 8, 2, 22050, false);
        FillRamp8(*store, 500);
        store->KeepRecoveryNote({RecoveryKind::Changes, "/music/a.wav", "a.wav", 1700000000});
        store->InsertTrack(1); // the format changes after the first description
        MixerBlock mixer;
        store->GetMixer(mixer);
        mixer.volume[2] = 150;
        mixer.balance[0] = -30;
        store->SetMixer(mixer);
        store->m_trackNames[2] = "Guitar";
        store->m_infoTexts[9] = "A song";
        store->SetPlayOff(1, true);
        store->KeepRecoveryNote({RecoveryKind::Changes, "/music/a.wav", "a.wav", 0});
        const uint8_t half[2] = {1, 2};
        store->AppendData(half, 2); // a frame the crash cut short
    });
    KillChild(pid);
    LeftoverScan scan = ScanForLeftovers({dir.Path()});
    ASSERT_EQ(scan.offers.size(), 1u);
    const StoreDescription& d = scan.offers[0].Description();
    EXPECT_EQ(d.identity.kind, RecoveryKind::Changes);
    EXPECT_EQ(d.identity.documentPath, "/music/a.wav");
    EXPECT_EQ(d.identity.time, 1700000000); // the work's first time stays
    CSampleStore restored;
    ASSERT_TRUE(scan.offers[0].RestoreInto(restored));
    EXPECT_EQ(restored.GetBitsPerSample(), 8u);
    EXPECT_EQ(restored.GetTrackCount(), 3u);
    EXPECT_EQ(restored.GetSampleRate(), 22050u);
    EXPECT_EQ(restored.GetFrameCount(), 500u);
    EXPECT_EQ(restored.GetDataSize(), 1500u);
    EXPECT_FALSE(restored.GetStereo());
    EXPECT_EQ(restored.Mixer().volume[2], 150);
    EXPECT_EQ(restored.Mixer().balance[0], -30);
    EXPECT_EQ(restored.m_trackNames[2], "Guitar");
    EXPECT_EQ(restored.m_infoTexts[9], "A song");
    EXPECT_TRUE(restored.GetPlayOff(1));
    const auto first = Track8(restored, 0);
    const auto inserted = Track8(restored, 1);
    const auto moved = Track8(restored, 2);
    EXPECT_EQ(first[499], uint8_t(499));
    EXPECT_EQ(inserted[10], 128); // the inserted track is silent
    EXPECT_EQ(moved[7], uint8_t(7 + 50));
}

TEST(LeftoverStores, DeclinedOffersEmptyTakesAndLeftoversWithoutADescriptionAreDeleted) {
    TempDir dir;
    const std::vector<uint8_t> pattern = Pattern(400);
    KillChild(RunInChild([&] { RecordTakeThatIsNeverReleased(dir.Path(), pattern); }));
    KillChild(RunInChild([&] { RecordTakeThatIsNeverReleased(dir.Path(), {}); })); // stopped before it began
    // what else a crashed run leaves: an undo state without a description, a description without data,
    // a half-written description
    std::ofstream(dir.Path() + "/TRKundo01") << "undo state bytes";
    Age(dir.Path() + "/TRKundo01");
    std::ofstream(dir.Path() + "/TRKgone99.recovery") << "ondrix-recovery 1\n";
    std::ofstream(dir.Path() + "/TRKgone98.recovery~") << "ondrix-";
    // not ours: other names stay
    std::ofstream(dir.Path() + "/TRK-notes.txt") << "x";
    std::ofstream(dir.Path() + "/TRKshort") << "x";
    std::ofstream(dir.Path() + "/track.wav") << "x";

    LeftoverScan scan = ScanForLeftovers({dir.Path()});
    ASSERT_EQ(scan.offers.size(), 1u);
    EXPECT_EQ(scan.removed, 5u); // the empty take and its description, the undo state, two descriptions
    scan.offers[0].Discard();
    EXPECT_EQ(Sorted(dir.Files()), Sorted({"TRK-notes.txt", "TRKshort", "track.wav"}));
    scan.offers[0].Discard(); // once is enough
    EXPECT_TRUE(ScanForLeftovers({dir.Path()}).offers.empty());
}

TEST(LeftoverStores, ACrashWhileTheDescriptionIsReplacedLeavesItsWholeCopy) {
    TempDir dir;
    const std::vector<uint8_t> pattern = Pattern(4 * 300);
    KillChild(RunInChild([&] { RecordTakeThatIsNeverReleased(dir.Path(), pattern); }));
    for (const auto& name : dir.Files()) {
        if (name.size() > 9) { // the old description removed, the new one not yet renamed
            std::filesystem::rename(dir.Path() + "/" + name, dir.Path() + "/" + name + "~");
        }
    }
    LeftoverScan scan = ScanForLeftovers({dir.Path()});
    ASSERT_EQ(scan.offers.size(), 1u);
    CSampleStore restored;
    ASSERT_TRUE(scan.offers[0].RestoreInto(restored));
    EXPECT_EQ(AllBytes(restored), pattern);
    restored.Release();
    EXPECT_TRUE(dir.Files().empty()); // the copy went with the rewritten description
}

TEST(LeftoverStores, AnOfferNotAnsweredStaysForTheNextStart) {
    TempDir dir;
    KillChild(RunInChild([&] { RecordTakeThatIsNeverReleased(dir.Path(), Pattern(40)); }));
    ScanForLeftovers({dir.Path()}); // offers dropped unanswered close their files
    EXPECT_EQ(ScanForLeftovers({dir.Path()}).offers.size(), 1u);
    EXPECT_EQ(dir.Files().size(), 2u);
}

TEST(LeftoverStores, ADamagedDescriptionIsNeverTrusted) {
    TempDir dir;
    KillChild(RunInChild([&] { RecordTakeThatIsNeverReleased(dir.Path(), Pattern(4000)); }));
    KillChild(RunInChild([&] { RecordTakeThatIsNeverReleased(dir.Path(), Pattern(4000)); }));
    std::vector<std::string> descriptions;
    for (const auto& name : dir.Files()) {
        if (name.size() > 9) {
            descriptions.push_back(dir.Path() + "/" + name);
        } else {
            Age(dir.Path() + "/" + name);
        }
    }
    ASSERT_EQ(descriptions.size(), 2u);
    std::filesystem::resize_file(descriptions[0], std::filesystem::file_size(descriptions[0]) / 2);
    {
        std::fstream file(descriptions[1], std::ios::in | std::ios::out);
        file.seekp(40);
        file.put('#');
    }
    LeftoverScan scan = ScanForLeftovers({dir.Path()});
    EXPECT_TRUE(scan.offers.empty());
    EXPECT_EQ(scan.removed, 4u);
    EXPECT_TRUE(dir.Files().empty());
}

TEST(LeftoverStores, TheStoresOfThisRunAndAJustMadeFileAreNotTouched) {
    TempDir dir;
    CSampleStore live;
    ASSERT_TRUE(live.Create(STORE_TEMPFILE, dir.Path(), 16, 1, 44100, false));
    FillRamp16(live, 100);
    ASSERT_TRUE(live.KeepRecoveryNote({RecoveryKind::Changes, "", "Untitled 2", 0}));
    CSampleStore undoState;
    ASSERT_TRUE(undoState.Create(STORE_TEMPFILE, dir.Path(), 16, 1, 44100, false));
    std::ofstream(dir.Path() + "/TRKnew123"); // made a moment ago by a program that has not locked it yet
    std::ofstream(dir.Path() + "/TRKold456") << "data of a program that does not lock its files";
    const auto before = Sorted(dir.Files());
    LeftoverScan scan = ScanForLeftovers({dir.Path()});
    EXPECT_TRUE(scan.offers.empty());
    EXPECT_EQ(scan.removed, 0u);
    EXPECT_EQ(Sorted(dir.Files()), before);
    EXPECT_EQ(AllBytes(live).size(), 200u);
    // unchanged for an hour, the unlocked ones are leftovers
    Age(dir.Path() + "/TRKnew123");
    Age(dir.Path() + "/TRKold456");
    EXPECT_EQ(ScanForLeftovers({dir.Path()}).removed, 2u);
    EXPECT_EQ(dir.Files().size(), before.size() - 2);
}

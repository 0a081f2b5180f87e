#include "audio/midi_file.h"
#include "midi_test_file.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ondrix;
using namespace ondrix::test;

TEST(MidiTempo, TypedTemposAreClampedToTheSequencerRange) {
    EXPECT_EQ(ClampSyncTempo(300), 256);
    EXPECT_EQ(ClampSyncTempo(5), 16);
    EXPECT_EQ(ClampSyncTempo(-40), 16);
    EXPECT_EQ(ClampSyncTempo(16), 16);
    EXPECT_EQ(ClampSyncTempo(256), 256);
    EXPECT_EQ(ClampSyncTempo(97), 97);
}

TEST(MidiTempo, FirstTempoEventGivesBeatsPerMinute) {
    EXPECT_EQ(ReadFirstTempo(MakeMidiFile(3, 90)), 90);
    EXPECT_EQ(ReadFirstTempo(MakeMidiFile(3, 200)), 200);
    // 60000000 / 500001 us is 119.9997: rounded to the nearest beat.
    std::vector<uint8_t> file = MakeMidiFile(1, 120);
    file[28] = 0x21; // 0x07A121 = 500001 us per quarter
    EXPECT_EQ(ReadFirstTempo(file), 120);
}

TEST(MidiTempo, FileWithoutTempoEventPlaysAtTheDefault) {
    EXPECT_EQ(ReadFirstTempo(MakeMidiFile(4, 0)), 120);
}

TEST(MidiTempo, EarliestTempoOverAllTracksWins) {
    // Format 1: track 1 sets 100 bpm after one quarter, track 2 sets 75 bpm at its start.
    std::vector<uint8_t> file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0};
    const std::vector<uint8_t> late{0x83, 0x60, 0xFF, 0x51, 0x03, 0x09, 0x27, 0xC0, 0x00, 0xFF, 0x2F, 0x00};
    // Running status for the second note-on, then the tempo 800000 us = 75 bpm.
    const std::vector<uint8_t> early{0x00, 0x90, 0x40, 0x50, 0x00, 0x41, 0x50, 0x00, 0xFF,
                                     0x51, 0x03, 0x0C, 0x35, 0x00, 0x00, 0xFF, 0x2F, 0x00};
    for (const auto* track : {&late, &early}) {
        file.insert(file.end(), {'M', 'T', 'r', 'k', 0, 0, 0, uint8_t(track->size())});
        file.insert(file.end(), track->begin(), track->end());
    }
    EXPECT_EQ(ReadFirstTempo(file), 75);
}

TEST(MidiTempo, MalformedFilesAreRefusedOrReadAsFarAsTheyGo) {
    EXPECT_FALSE(ReadFirstTempo({}));
    EXPECT_FALSE(ReadFirstTempo({'M', 'T', 'h', 'd', 0, 0, 0, 2, 0, 0}));
    EXPECT_FALSE(ReadFirstTempo({'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 0, 0}));
    // A track chunk that claims more than the file holds, cut before its tempo: the default.
    std::vector<uint8_t> cut = MakeMidiFile(2, 90);
    cut.resize(25);
    EXPECT_EQ(ReadFirstTempo(cut), 120);
    // A meta event whose length runs past the end is no tempo.
    std::vector<uint8_t> runaway{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0,    0,    0,    1,    0,    96,
                                 'M', 'T', 'r', 'k', 0, 0, 0, 6, 0x00, 0xFF, 0x51, 0x7F, 0x07, 0xA1};
    EXPECT_EQ(ReadFirstTempo(runaway), 120);
    // Running status with no channel message before it.
    std::vector<uint8_t> orphan{'M', 'T', 'h', 'd', 0,   0, 0, 6, 0, 0,    0,    1,    0,
                                96,  'M', 'T', 'r', 'k', 0, 0, 0, 4, 0x00, 0x40, 0x50, 0x00};
    EXPECT_EQ(ReadFirstTempo(orphan), 120);
}

TEST(RmidFile, DataChunkIsTheWrappedMidiFile) {
    for (int notes : {3, 4}) { // an odd and an even length of the wrapped file
        const std::vector<uint8_t> midi = MakeMidiFile(notes, 140);
        const std::vector<uint8_t> rmid = WrapRmid(midi);
        EXPECT_TRUE(IsRmidFile(rmid));
        EXPECT_FALSE(IsRmidFile(midi));
        EXPECT_EQ(UnwrapRmid(rmid), midi);
    }
}

TEST(RmidFile, ChunksBeforeTheDataChunkAreSkippedWithTheirPadding) {
    const std::vector<uint8_t> midi = MakeMidiFile(2, 100);
    std::vector<uint8_t> rmid = WrapRmid(midi);
    const std::vector<uint8_t> info{'I', 'N', 'F', 'O', 3, 0, 0, 0, 'a', 'b', 'c', 0};
    rmid.insert(rmid.begin() + 12, info.begin(), info.end());
    EXPECT_EQ(UnwrapRmid(rmid), midi);
}

TEST(RmidFile, DataChunkRunningPastTheEndIsRefused) {
    std::vector<uint8_t> rmid = WrapRmid(MakeMidiFile(2, 100));
    rmid.resize(rmid.size() - 5);
    EXPECT_FALSE(UnwrapRmid(rmid));
    const std::vector<uint8_t> noData{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'R', 'M', 'I', 'D'};
    EXPECT_FALSE(UnwrapRmid(noData));
}

TEST(RmidFile, LoadingUnwrapsAndRefusesWhatIsNoMidiFile) {
    const std::string dir = testing::TempDir();
    const std::vector<uint8_t> midi = MakeMidiFile(2, 100);
    WriteBytes(dir + "song.rmi", WrapRmid(midi));
    WriteBytes(dir + "song.mid", midi);
    WriteBytes(dir + "text.mid", {'h', 'e', 'l', 'l', 'o'});
    bool wrapped = false;
    EXPECT_EQ(LoadMidiFile(dir + "song.rmi", &wrapped), midi);
    EXPECT_TRUE(wrapped);
    EXPECT_EQ(LoadMidiFile(dir + "song.mid", &wrapped), midi);
    EXPECT_FALSE(wrapped);
    EXPECT_FALSE(LoadMidiFile(dir + "text.mid"));
    EXPECT_FALSE(LoadMidiFile(dir + "missing.mid"));
    std::filesystem::remove(dir + "song.rmi");
    std::filesystem::remove(dir + "song.mid");
    std::filesystem::remove(dir + "text.mid");
}

#include "document/core/status_text.h"
#include "document/core/text_format.h"

#include <gtest/gtest.h>

using namespace ondrix;

namespace {

TEST(StatusText, ByteSizesAtTheBoundaries) {
    EXPECT_EQ(ByteSizeText(0), "0 Byte");
    EXPECT_EQ(ByteSizeText(1023), "1023 Byte");
    EXPECT_EQ(ByteSizeText(1024), "1,0 KB");
    EXPECT_EQ(ByteSizeText(1536), "1,5 KB");
    EXPECT_EQ(ByteSizeText(1048575), "1024,0 KB"); // 1023.999 KB rounds up in the text
    EXPECT_EQ(ByteSizeText(1048576), "1,0 MB");
    EXPECT_EQ(ByteSizeText(1572864), "1,5 MB");
    EXPECT_EQ(ByteSizeText(4294967295ull), "4096,0 MB");
    EXPECT_EQ(ByteSizeText(8589934592ull), "8192,0 MB"); // a busy position plus the size may pass 4 GiB
}

TEST(StatusText, TrackFormatAndRateFields) {
    EXPECT_EQ(TrackStatusText(0, 1), "Tr. 1/1");
    EXPECT_EQ(TrackStatusText(3, 32), "Tr. 4/32");
    EXPECT_EQ(BitsStatusText(8), "8 Bit");
    EXPECT_EQ(BitsStatusText(16), "16 Bit");
    EXPECT_EQ(StereoStatusText(false), "Mono");
    EXPECT_EQ(StereoStatusText(true), "Stereo");
    EXPECT_EQ(RateStatusText(44100), "44100 Hz");
}

/// A two-track 16-bit sound of 1000 frames with the cursor at 40, engine at 300.
StatusFacts Facts() {
    StatusFacts facts;
    facts.currentTrack = 1;
    facts.tracks = 2;
    facts.cursor = 40;
    facts.frames = 1000;
    facts.dataSize = 4000;
    facts.blockAlign = 4;
    facts.bits = 16;
    facts.stereo = true;
    facts.rate = 22050;
    facts.enginePosition = 300;
    return facts;
}

std::string Field(int field, const StatusFacts& facts) {
    return StatusFieldText(field, facts, [](int64_t frames) { return "t" + std::to_string(frames); });
}

TEST(StatusText, IdleFieldsShowTheCursorAndTheSound) {
    const StatusFacts facts = Facts();
    EXPECT_EQ(Field(1, facts), "Tr. 2/2");
    EXPECT_EQ(Field(2, facts), "t40");
    EXPECT_EQ(Field(3, facts), "t1000");
    EXPECT_EQ(Field(4, facts), "3,9 KB");
    EXPECT_EQ(Field(5, facts), "16 Bit");
    EXPECT_EQ(Field(6, facts), "Stereo");
    EXPECT_EQ(Field(7, facts), "22050 Hz");
    EXPECT_EQ(Field(0, facts), "");
    EXPECT_EQ(Field(8, facts), "");
}

TEST(StatusText, PlaybackShowsTheEnginePositionAndKeepsTheLength) {
    StatusFacts facts = Facts();
    facts.busy = true;
    EXPECT_EQ(Field(2, facts), "t300");
    EXPECT_EQ(Field(3, facts), "t1000");
    EXPECT_EQ(Field(4, facts), "3,9 KB");
    facts.recording = true; // prepared but not running: not busy, nothing grows
    facts.busy = false;
    EXPECT_EQ(Field(2, facts), "t40");
    EXPECT_EQ(Field(3, facts), "t1000");
}

TEST(StatusText, ARunningRecordingGrowsTheLengthUnlessItOverwrites) {
    StatusFacts facts = Facts();
    facts.busy = true;
    facts.recording = true;
    EXPECT_EQ(Field(2, facts), "t300");
    EXPECT_EQ(Field(3, facts), "t1300");  // 300 recorded + 1000 there
    EXPECT_EQ(Field(4, facts), "5,1 KB"); // 300 * 4 + 4000 = 5200 bytes
    facts.overwrite = true;
    EXPECT_EQ(Field(3, facts), "t300");
    EXPECT_EQ(Field(4, facts), "1,2 KB"); // 1200 bytes
    facts.enginePosition = 255;
    EXPECT_EQ(Field(4, facts), "1020 Byte");
}

TEST(TextFormat, FillsConversionsInOrder) {
    EXPECT_EQ(FormatText("%d of %s at %.1f%%", {3LL, "ten", 2.25}), "3 of ten at 2.2%");
    EXPECT_EQ(FormatText("%d/%d", {7LL}), "7/");   // a missing argument is empty
    EXPECT_EQ(FormatText("%s", {5LL}), "");        // a wrong kind is empty
    EXPECT_EQ(FormatText("%x %d", {1LL}), "%x 1"); // unknown conversions stay
    EXPECT_EQ(FormatText("100%", {}), "100%");     // a final percent sign stays
    EXPECT_EQ(FormatText("%.3f", {1.0 / 3.0}), "0.333");
}

} // namespace

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

TEST(TextFormat, FillsConversionsInOrder) {
    EXPECT_EQ(FormatText("%d of %s at %.1f%%", {3LL, "ten", 2.25}), "3 of ten at 2.2%");
    EXPECT_EQ(FormatText("%d/%d", {7LL}), "7/");   // a missing argument is empty
    EXPECT_EQ(FormatText("%s", {5LL}), "");        // a wrong kind is empty
    EXPECT_EQ(FormatText("%x %d", {1LL}), "%x 1"); // unknown conversions stay
    EXPECT_EQ(FormatText("100%", {}), "100%");     // a final percent sign stays
    EXPECT_EQ(FormatText("%.3f", {1.0 / 3.0}), "0.333");
}

} // namespace

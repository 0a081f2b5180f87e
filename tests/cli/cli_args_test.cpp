#include "cli_args.h"
#include "cli_json.h"

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::cli;

TEST(CliArgs, OptionsInEveryFormAndOperandsInOrder) {
    const CArgs args(
        {"in.wav", "--raw-out", "--raw-in", "8000,1,8,0", "out.wav", "--storage=temp", "--", "--x"},
        {"raw-out", "standard"}, {"raw-in", "storage"});
    EXPECT_TRUE(args.Has("raw-out"));
    EXPECT_FALSE(args.Has("standard"));
    EXPECT_EQ(args.Value("raw-in"), "8000,1,8,0");
    EXPECT_EQ(args.Value("storage"), "temp");
    EXPECT_EQ(args.Value("standard"), std::nullopt);
    EXPECT_EQ(args.Operands(), (std::vector<std::string>{"in.wav", "out.wav", "--x"}));
    EXPECT_NO_THROW(args.ExpectOperands(3, 3));
    EXPECT_THROW(args.ExpectOperands(1, 2), UsageError);
    EXPECT_THROW(args.ExpectOperands(4, 5), UsageError);
}

TEST(CliArgs, UnknownOptionsFlagsWithValuesAndMissingValuesAreUsageErrors) {
    EXPECT_THROW(CArgs({"--bogus"}, {"json"}, {}), UsageError);
    EXPECT_THROW(CArgs({"--json=1"}, {"json"}, {}), UsageError);
    EXPECT_THROW(CArgs({"--raw-in"}, {}, {"raw-in"}), UsageError);
    try {
        CArgs({"--what"}, {}, {});
        FAIL();
    } catch (const UsageError& error) {
        EXPECT_STREQ(error.what(), "unknown option --what");
    }
    // A single dash and negative numbers are operands.
    EXPECT_EQ(CArgs({"-", "-1"}, {}, {}).Operands().size(), 2u);
}

TEST(CliArgs, RawFormatTakesRateTracksBitsOffsetWithinTheDialogRanges) {
    const RawFormat raw = ParseRawFormat("22050,3,16,44");
    EXPECT_EQ(raw.rate, 22050u);
    EXPECT_EQ(raw.tracks, 3u);
    EXPECT_EQ(raw.bits, 16u);
    EXPECT_EQ(raw.offset, 44u);
    EXPECT_NO_THROW(ParseRawFormat("4000,32,8,0"));
    EXPECT_NO_THROW(ParseRawFormat("99999,1,8,4294967295"));
    for (const char* bad :
         {"3999,1,8,0", "100000,1,8,0", "8000,0,8,0", "8000,33,8,0", "8000,1,12,0", "8000,1,24,0",
          "8000,1,8,-1", "8000,1,8", "8000,1,8,0,0", "", "8000,1,8,4294967296", " 8000,1,8,0"}) {
        EXPECT_THROW(ParseRawFormat(bad), UsageError) << bad;
    }
}

TEST(CliArgs, FramesAreWholeNumbersOrEnd) {
    EXPECT_EQ(ParseFrame("0"), 0);
    EXPECT_EQ(ParseFrame("44100"), 44100);
    EXPECT_EQ(ParseFrame("4294967295"), 4294967295);
    EXPECT_EQ(ParseFrame("end"), -1);
    for (const char* bad : {"-1", "1e3", "4294967296", "", "12a", "+5"}) {
        EXPECT_THROW(ParseFrame(bad), UsageError) << bad;
    }
}

TEST(CliArgs, TrackListsCountFromZeroWithRanges) {
    TrackMask mask = ParseTrackList("0,2", 4);
    EXPECT_EQ(mask[0], 1u);
    EXPECT_EQ(mask[1], 0u);
    EXPECT_EQ(mask[2], 1u);
    EXPECT_EQ(mask[3], 0u);
    mask = ParseTrackList("1-3,0", 4);
    EXPECT_EQ(mask[0] + mask[1] + mask[2] + mask[3], 4u);
    mask = ParseTrackList("all", 3);
    EXPECT_EQ(mask[2], 1u);
    EXPECT_EQ(mask[3], 0u);
    for (const char* bad : {"4", "2-1", "", "a", "0,,1", "0-1-2", "-1"}) {
        EXPECT_THROW(ParseTrackList(bad, 4), UsageError) << bad;
    }
    EXPECT_THROW(ParseTrackList("0", 0), UsageError);
}

TEST(CliArgs, NumbersWithinBounds) {
    EXPECT_EQ(ParseNumber("150", 0, 200), 150u);
    EXPECT_THROW(ParseNumber("201", 0, 200), UsageError);
    EXPECT_THROW(ParseNumber("x", 0, 200), UsageError);
}

TEST(CliJson, NestedValuesGetTheirCommas) {
    CJsonWriter json;
    json.BeginObject().Key("a").Number(-5).Key("b").BeginArray().Number(1).Bool(true).String("x").EndArray();
    json.Key("c").BeginObject().EndObject().Key("d").BeginArray().EndArray().EndObject();
    EXPECT_EQ(json.Text(), R"({"a":-5,"b":[1,true,"x"],"c":{},"d":[]})");
}

TEST(CliJson, StringsAreEscapedAndAlwaysUtf8) {
    EXPECT_EQ(CJsonWriter::Quote("a\"b\\c\n\t\x01"), R"("a\"b\\c\n\t\u0001")");
    EXPECT_EQ(CJsonWriter::Quote("K\xC3\xB6ln \xE2\x82\xAC"), "\"K\xC3\xB6ln \xE2\x82\xAC\"");
    EXPECT_EQ(CJsonWriter::Quote("K\xF6ln"), "\"K\xC3\xB6ln\"");       // a Latin-1 byte
    EXPECT_EQ(CJsonWriter::Quote("\xC0\x80"), "\"\xC3\x80\xC2\x80\""); // overlong: taken byte by byte
    EXPECT_EQ(CJsonWriter::Quote("\xE2\x82"), "\"\xC3\xA2\xC2\x82\""); // cut short
    EXPECT_EQ(CJsonWriter::Quote("\xED\xA0\x80"), "\"\xC3\xAD\xC2\xA0\xC2\x80\""); // a surrogate
}

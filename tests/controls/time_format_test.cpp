#include "controls/format_args.h"
#include "controls/time_format.h"

#include <gtest/gtest.h>

#include <limits>

using namespace ondrix;

namespace {

constexpr uint32_t kMax = std::numeric_limits<uint32_t>::max();

TimeFormat Fmt(uint8_t index, uint8_t frameRate = 30) {
    TimeFormat format;
    format.index = index;
    format.frameRate = frameRate;
    return format;
}

/// The field texts a time edit shows for a value.
std::vector<std::string> FieldTexts(uint32_t value, const TimeFormat& format) {
    const TimeFields fields = SplitTime(value, format);
    std::vector<std::string> texts;
    for (uint8_t i = 0; i < fields.count; ++i) {
        texts.push_back(TimeFieldText(fields.values[i], format.index, i));
    }
    return texts;
}

} // namespace

TEST(FormatTime, WorkedExamples) {
    EXPECT_EQ(FormatTime(1234, TIMEFMT_MSF, 30, false), "00:01.23");
    EXPECT_EQ(FormatTime(1234, TIMEFMT_MSF, 30, true), "00min:01sec.23ht");
    EXPECT_EQ(FormatTime(1235, TIMEFMT_MSF, 30, false), "00:01.24"); // 123.5 hundredths round up
    EXPECT_EQ(FormatTime(1244, TIMEFMT_MSF, 30, false), "00:01.24"); // 124.4 rounds down
    EXPECT_EQ(FormatTime(3600000, TIMEFMT_MSF, 30, false), "60:00.00");
    EXPECT_EQ(FormatTime(1000, TIMEFMT_FRAMES, 25, true), "25f");
    EXPECT_EQ(FormatTime(123456789, TIMEFMT_SAMPLES, 30, true), "123456789");
    EXPECT_EQ(FormatTime(12345, TIMEFMT_MSF, 30, false), "00:12.35");
}

TEST(FormatTime, EveryFormatWithAndWithoutUnits) {
    // 1 h 2 min 3.456 s = 372345.6 hundredths, rounded to 372346.
    const uint32_t v = 3723456;
    const char* withUnits[] = {
        "3723456",      "111703f",         "3723456ms",           "372346ht",         "3723sec",
        "3723sec.46ht", "62min",           "62min:03sec",         "62min:03sec.46ht", "1h",
        "01h:02min",    "01h:02min:03sec", "01h:02min:03sec.46ht"};
    const char* without[] = {"3723456", "111703",   "3723456", "372346", "3723",     "3723.46",    "62",
                             "62:03",   "62:03.46", "1",       "01:02",  "01:02:03", "01:02:03.46"};
    for (uint8_t f = 0; f < TIMEFMT_MIDI; ++f) {
        EXPECT_EQ(FormatTime(v, f, 30, true), withUnits[f]) << int(f);
        EXPECT_EQ(FormatTime(v, f, 30, false), without[f]) << int(f);
    }
    // A lone minutes field has two digits only with its unit.
    EXPECT_EQ(FormatTime(60000, TIMEFMT_MIN, 30, true), "01min");
    EXPECT_EQ(FormatTime(60000, TIMEFMT_MIN, 30, false), "1");
    EXPECT_EQ(FormatTime(1234, TIMEFMT_COUNT, 30, true), "");
    EXPECT_EQ(FormatTime(1234, 200, 30, false), "");
}

TEST(FormatTime, HoursAreNotReducedAndLargeValuesStayUnsigned) {
    EXPECT_EQ(FormatTime(4294967290u, TIMEFMT_SAMPLES, 30, false), "4294967290");
    EXPECT_EQ(FormatTime(4294967290u, TIMEFMT_HMSF, 30, false), "1193:02:47.29");
    EXPECT_EQ(FormatTime(90000000, TIMEFMT_HOURS, 30, true), "25h");
}

TEST(FormatTime, MidiNeedsItsTiming) {
    TimeFormat midi = Fmt(TIMEFMT_MIDI);
    EXPECT_EQ(FormatTime(2750, midi, false), ""); // no tempo: nothing to divide by
    EXPECT_EQ(ComposeTime(SplitTime(2750, midi), midi), 0u);
    EXPECT_EQ(TimeStepAmount(1, 0, midi), 0);
    midi.tempo = 500;
    midi.noteValue = 4;
    midi.beatsPerBar = 4;
    // 2750 ms = 5 beats of 500 ms (bar 1, beat 1) and 250 ms.
    EXPECT_EQ(FormatTime(2750, midi, false), "01:01.250");
    EXPECT_EQ(FormatTime(2750, midi, true), "01:01.250");
    EXPECT_EQ(ParseTime({"01", "01", "250"}, midi), 2750u);
    EXPECT_EQ(TimeStepAmount(1, 0, midi), 2000);
    EXPECT_EQ(TimeStepAmount(-1, 1, midi), -500);
    EXPECT_EQ(TimeStepAmount(3, 2, midi), 3);
}

TEST(TimeFields, CountsAndLabels) {
    const uint8_t counts[] = {1, 1, 1, 1, 1, 2, 1, 2, 3, 1, 2, 3, 4, 3};
    const std::vector<std::vector<std::string>> labels = {{""},
                                                          {"f"},
                                                          {"ms"},
                                                          {"ht"},
                                                          {"sec"},
                                                          {"sec.", "ht"},
                                                          {"min"},
                                                          {"min:", "sec"},
                                                          {"min:", "sec.", "ht"},
                                                          {"h"},
                                                          {"h:", "min"},
                                                          {"h:", "min:", "sec"},
                                                          {"h:", "min:", "sec.", "ht"},
                                                          {":", ".", ""}};
    for (uint8_t f = 0; f < TIMEFMT_COUNT; ++f) {
        ASSERT_EQ(TimeFieldCount(f), counts[f]) << int(f);
        for (uint8_t i = 0; i < counts[f]; ++i) {
            EXPECT_EQ(TimeFieldLabel(f, i), labels[f][i]) << int(f) << "/" << int(i);
        }
        EXPECT_EQ(TimeFieldLabel(f, counts[f]), "");
    }
    EXPECT_EQ(TimeFieldCount(TIMEFMT_COUNT), 0);
    EXPECT_EQ(TimeFieldMaxLength(TIMEFMT_MSF, 0), 0);
    EXPECT_EQ(TimeFieldMaxLength(TIMEFMT_MSF, 2), 2);
    EXPECT_EQ(TimeFieldMaxLength(TIMEFMT_MIDI, 2), 3);
}

TEST(TimeFields, NamesAndListEntries) {
    EXPECT_EQ(TimeFormatName(TIMEFMT_SAMPLES), "None");
    EXPECT_EQ(TimeFormatName(TIMEFMT_MSF), "MSF");
    EXPECT_EQ(TimeFormatName(TIMEFMT_MIDI), "Midi");
    EXPECT_EQ(TimeFormatListEntry(TIMEFMT_FRAMES), "Frames per Second");
    EXPECT_EQ(TimeFormatListEntry(TIMEFMT_HMS), "Hours:Minutes:Seconds [h:m.s]");
    EXPECT_EQ(TimeFormatListEntry(TIMEFMT_HMSF), "Hours:Minutes:Seconds.Hundredth [h:m:s.ht]");
    EXPECT_EQ(TimeFormatListEntry(TIMEFMT_MIDI), "");
}

TEST(TimeFields, FieldTextsPadWhenSeveral) {
    EXPECT_EQ(FieldTexts(1234, Fmt(TIMEFMT_MSF)), (std::vector<std::string>{"00", "01", "23"}));
    EXPECT_EQ(FieldTexts(7, Fmt(TIMEFMT_MS)), (std::vector<std::string>{"7"}));
    EXPECT_EQ(FieldTexts(1000, Fmt(TIMEFMT_FRAMES, 25)), (std::vector<std::string>{"25"}));
    EXPECT_EQ(FieldTexts(6000000, Fmt(TIMEFMT_MSF)), (std::vector<std::string>{"100", "00", "00"}));
}

TEST(ParseTime, HandComputedValues) {
    EXPECT_EQ(ParseTime({"1", "75"}, Fmt(TIMEFMT_MIN_SEC)), 135000u); // 75 s count as 75 s
    EXPECT_EQ(ParseTime({"00", "12", "35"}, Fmt(TIMEFMT_MSF)), 12350u);
    EXPECT_EQ(ParseTime({"", "", "5"}, Fmt(TIMEFMT_MSF)), 50u); // empty fields are 0
    EXPECT_EQ(ParseTime({"25"}, Fmt(TIMEFMT_FRAMES, 25)), 1000u);
    EXPECT_EQ(ParseTime({"1"}, Fmt(TIMEFMT_FRAMES, 30)), 33u);  // 1000 / 30 truncated
    EXPECT_EQ(ParseTime({"7"}, Fmt(TIMEFMT_FRAMES, 0)), 7000u); // a zero rate counts as 1
    EXPECT_EQ(ParseTime({"3"}, Fmt(TIMEFMT_HT)), 30u);
    EXPECT_EQ(ParseTime({"2", "05"}, Fmt(TIMEFMT_SEC_HT)), 2050u);
    EXPECT_EQ(ParseTime({"1", "1"}, Fmt(TIMEFMT_HM)), 3660000u);
    EXPECT_EQ(ParseTime({"1", "2", "3", "4"}, Fmt(TIMEFMT_HMSF)), 3723040u);
    EXPECT_EQ(ParseTime({"12"}, Fmt(TIMEFMT_COUNT)), 0u);
}

TEST(ParseTime, OversizedEntriesSaturate) {
    EXPECT_EQ(ParseTimeField("4294967295"), kMax);
    EXPECT_EQ(ParseTimeField("4294967296"), kMax);
    EXPECT_EQ(ParseTimeField("99999999999999999999999"), kMax);
    EXPECT_EQ(ParseTimeField("12ab"), 12u);
    EXPECT_EQ(ParseTimeField(""), 0u);
    // 1194 h would wrap to 3432704 ms in 32 bits and pass a range check.
    EXPECT_EQ(ParseTime({"1194"}, Fmt(TIMEFMT_HOURS)), kMax);
    EXPECT_EQ(ParseTime({"1193"}, Fmt(TIMEFMT_HOURS)), 4294800000u);
    EXPECT_EQ(ParseTime({"71583", "0"}, Fmt(TIMEFMT_MIN_SEC)), kMax);
    EXPECT_EQ(ParseTime({"4294967295", "59", "99"}, Fmt(TIMEFMT_MSF)), kMax);
}

TEST(ParseTime, ReadsBackWhatFormatShows) {
    // Each format's resolution in milliseconds: a multiple of it survives the round trip exactly.
    const uint32_t resolution[] = {1, 0, 1, 10, 1000, 10, 60000, 1000, 10, 3600000, 60000, 1000, 10};
    const uint32_t samples[] = {0,     1,       9,       10,       999,       1000,       59999,
                                60000, 3599999, 3600000, 86399999, 123456789, 4294967290u};
    for (uint8_t f = 0; f < TIMEFMT_MIDI; ++f) {
        if (f == TIMEFMT_FRAMES) {
            continue;
        }
        for (const uint32_t raw : samples) {
            const uint32_t v = raw / resolution[f] * resolution[f];
            EXPECT_EQ(ParseTime(FieldTexts(v, Fmt(f)), Fmt(f)), v) << int(f) << " " << v;
            EXPECT_EQ(ShownTime(v, Fmt(f)), v);
        }
    }
    // Frames come back as whole frames (1 frame at 25 fps = 40 ms); the frame count is truncated from
    // hundredths x 0.01 x rate in double precision, so a product just below a whole number loses a frame.
    const TimeFormat frames25 = Fmt(TIMEFMT_FRAMES, 25);
    for (uint32_t frames = 0; frames < 3000; frames += 7) {
        const uint32_t v = frames * 40;
        const uint32_t back = ParseTime(FieldTexts(v, frames25), frames25);
        EXPECT_TRUE(back == v || back == v - 40) << frames;
    }
    EXPECT_EQ(FormatTime(36120, frames25, false), "902"); // 3612 x 0.01 x 25 = 902.999...
    EXPECT_EQ(FormatTime(36160, frames25, false), "904");
}

TEST(ParseTime, ShownMaximumIsWhatTheFieldsHold) {
    EXPECT_EQ(ShownTime(12345, Fmt(TIMEFMT_MSF)), 12350u);
    EXPECT_EQ(ShownTime(12344, Fmt(TIMEFMT_MSF)), 12340u);
    EXPECT_EQ(ShownTime(59999, Fmt(TIMEFMT_MIN_SEC)), 60000u); // 6000 hundredths = 1 min 0 s
    EXPECT_EQ(ShownTime(1499, Fmt(TIMEFMT_SEC)), 1000u);
}

TEST(ParseTime, RangeCheckTakesTheShownMaximumAndRefusesOversizedEntries) {
    EXPECT_TRUE(IsTimeInRange(12350, 0, 12345, Fmt(TIMEFMT_MSF))); // "00:12.35" typed back
    EXPECT_FALSE(IsTimeInRange(12360, 0, 12345, Fmt(TIMEFMT_MSF)));
    EXPECT_TRUE(IsTimeInRange(100, 100, 200, Fmt(TIMEFMT_MS)));
    EXPECT_FALSE(IsTimeInRange(99, 100, 200, Fmt(TIMEFMT_MS)));
    EXPECT_FALSE(IsTimeInRange(201, 100, 200, Fmt(TIMEFMT_MS)));
    // an oversized first field saturates instead of wrapping to a small value that would pass
    const uint32_t huge = ParseTime({"99999999999", "00"}, Fmt(TIMEFMT_SEC_HT));
    EXPECT_EQ(huge, UINT32_MAX);
    EXPECT_FALSE(IsTimeInRange(huge, 0, 1000000, Fmt(TIMEFMT_SEC_HT)));
}

TEST(SpinSteps, BarsBeatsAndMillisecondsStepByTheWholeBar) {
    TimeFormat midi = Fmt(TIMEFMT_MIDI);
    midi.tempo = 500;
    midi.noteValue = 3;
    midi.beatsPerBar = 4;
    // 4 x 500 x 4 / 3 = 2666 (the truncated beat 666 times 4 would give 2664)
    EXPECT_EQ(TimeStepAmount(1, 0, midi), 2666);
    EXPECT_EQ(TimeStepAmount(-1, 1, midi), -666);
    EXPECT_EQ(TimeStepAmount(1, 2, midi), 1);
    EXPECT_EQ(TimeStepAmount(1, 0, Fmt(TIMEFMT_MIDI)), 0); // without a tempo and metre nothing steps
}

TEST(SpinSteps, PerFormatAndField) {
    EXPECT_EQ(TimeStepAmount(1, 0, Fmt(TIMEFMT_SAMPLES)), 1);
    EXPECT_EQ(TimeStepAmount(-1, 0, Fmt(TIMEFMT_MS)), -1);
    EXPECT_EQ(TimeStepAmount(1, 0, Fmt(TIMEFMT_HT)), 10);
    EXPECT_EQ(TimeStepAmount(1, 0, Fmt(TIMEFMT_SEC)), 1000);
    EXPECT_EQ(TimeStepAmount(1, 1, Fmt(TIMEFMT_SEC_HT)), 10);
    EXPECT_EQ(TimeStepAmount(1, 0, Fmt(TIMEFMT_MIN)), 60000);
    EXPECT_EQ(TimeStepAmount(1, 1, Fmt(TIMEFMT_MIN_SEC)), 1000);
    EXPECT_EQ(TimeStepAmount(2, 0, Fmt(TIMEFMT_MSF)), 120000);
    EXPECT_EQ(TimeStepAmount(1, 2, Fmt(TIMEFMT_MSF)), 10);
    EXPECT_EQ(TimeStepAmount(1, 0, Fmt(TIMEFMT_HOURS)), 3600000);
    EXPECT_EQ(TimeStepAmount(1, 1, Fmt(TIMEFMT_HM)), 60000);
    EXPECT_EQ(TimeStepAmount(1, 2, Fmt(TIMEFMT_HMS)), 1000);
    EXPECT_EQ(TimeStepAmount(-1, 3, Fmt(TIMEFMT_HMSF)), -10);
    // A field beyond the format's last counts as the last (no field has the focus).
    EXPECT_EQ(TimeStepAmount(1, 3, Fmt(TIMEFMT_MSF)), 10);
}

TEST(SpinSteps, FramesStepOddly) {
    // 1999 up and 101 down, times delta, divided by the rate with truncation toward zero.
    EXPECT_EQ(TimeStepAmount(1, 0, Fmt(TIMEFMT_FRAMES, 30)), 66);
    EXPECT_EQ(TimeStepAmount(-1, 0, Fmt(TIMEFMT_FRAMES, 30)), -3);
    EXPECT_EQ(TimeStepAmount(2, 0, Fmt(TIMEFMT_FRAMES, 30)), 133);
    EXPECT_EQ(TimeStepAmount(1, 0, Fmt(TIMEFMT_FRAMES, 25)), 79);
    EXPECT_EQ(TimeStepAmount(-1, 0, Fmt(TIMEFMT_FRAMES, 25)), -4);
    EXPECT_EQ(TimeStepAmount(-3, 0, Fmt(TIMEFMT_FRAMES, 50)), -6);
}

TEST(SpinSteps, ClampAtBothEnds) {
    const TimeFormat msf = Fmt(TIMEFMT_MSF);
    EXPECT_EQ(StepTime(1000, 1, 0, msf, 0, 100000), 61000u);
    EXPECT_EQ(StepTime(1000, -1, 2, msf, 0, 100000), 990u);
    EXPECT_EQ(StepTime(5, -1, 1, msf, 0, 100000), 0u);        // negative: the minimum
    EXPECT_EQ(StepTime(600, -20, 2, msf, 500, 100000), 500u); // below the minimum
    EXPECT_EQ(StepTime(99000, 1, 1, msf, 0, 99500), 99500u);  // above the maximum
    EXPECT_EQ(StepTime(kMax - 5, 1, 0, msf, 0, kMax), kMax);
}

TEST(SpinSteps, MiddleValue) {
    EXPECT_EQ(MiddleTime(0, 7), 3u);
    EXPECT_EQ(MiddleTime(10, 20), 15u);
    EXPECT_EQ(MiddleTime(0, kMax), 0x7FFFFFFFu);
}

TEST(RangeMessage, ShowsTheRangeWithUnits) {
    EXPECT_EQ(TimeRangeMessage(0, 12345, Fmt(TIMEFMT_MSF)),
              "The value in this edit field must be between 00min:00sec.00ht to 00min:12sec.35ht.\n"
              "Please check your input.");
}

TEST(FillStrings, FillsInOrder) {
    EXPECT_EQ(FillStrings("a %s b %s c", {"1", "2"}), "a 1 b 2 c");
    EXPECT_EQ(FillStrings("%s%%%d %s", {"x"}), "x%%d ");
    EXPECT_EQ(FillStrings("end %", {}), "end %");
}

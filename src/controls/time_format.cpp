#include "controls/time_format.h"

#include "controls/format_args.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <cmath>
#include <limits>

namespace ondrix {

namespace {

constexpr uint32_t kFirstFormatName = str::kTimeFormatNone;
constexpr uint32_t kFirstListEntry = str::kAbsoluteSamplePosition;

/// String ids of the unit names.
enum UnitId : uint32_t { UNIT_NONE = 0, UNIT_H = 32250, UNIT_MIN, UNIT_SEC, UNIT_MS, UNIT_HT, UNIT_F };

/// What one format shows: its fields, the unit and separator after each, and the spin step per field.
struct FormatRow {
    uint8_t fields;
    std::array<uint32_t, 4> units;
    std::array<char, 4> separators;
    std::array<uint32_t, 4> steps;
};

// clang-format off
constexpr FormatRow kFormats[TIMEFMT_COUNT] = {
    {1, {UNIT_NONE},                        {},                  {1}},
    {1, {UNIT_F},                           {},                  {0}},
    {1, {UNIT_MS},                          {},                  {1}},
    {1, {UNIT_HT},                          {},                  {10}},
    {1, {UNIT_SEC},                         {},                  {1000}},
    {2, {UNIT_SEC, UNIT_HT},                {'.'},               {1000, 10}},
    {1, {UNIT_MIN},                         {},                  {60000}},
    {2, {UNIT_MIN, UNIT_SEC},               {':'},               {60000, 1000}},
    {3, {UNIT_MIN, UNIT_SEC, UNIT_HT},      {':', '.'},          {60000, 1000, 10}},
    {1, {UNIT_H},                           {},                  {3600000}},
    {2, {UNIT_H, UNIT_MIN},                 {':'},               {3600000, 60000}},
    {3, {UNIT_H, UNIT_MIN, UNIT_SEC},       {':', ':'},          {3600000, 60000, 1000}},
    {4, {UNIT_H, UNIT_MIN, UNIT_SEC, UNIT_HT}, {':', ':', '.'},  {3600000, 60000, 1000, 10}},
    {3, {UNIT_NONE},                        {':', '.'},          {0, 0, 1}},
};
// clang-format on

constexpr uint32_t kSaturated = std::numeric_limits<uint32_t>::max();

uint32_t Saturate(uint64_t value) noexcept {
    return value > kSaturated ? kSaturated : static_cast<uint32_t>(value);
}

uint32_t FrameRate(const TimeFormat& format) noexcept {
    return format.frameRate == 0 ? 1u : format.frameRate;
}

/// Hundredths of a millisecond value, rounded half up in double precision.
uint32_t Hundredths(uint32_t value) noexcept {
    const double exact = value * 0.1;
    auto whole = static_cast<uint32_t>(exact);
    if (exact - whole >= 0.5) {
        ++whole;
    }
    return whole;
}

/// The number of milliseconds one beat of TIMEFMT_MIDI lasts, times beats.
uint64_t BeatMs(const TimeFormat& format, uint64_t beats) noexcept {
    return beats * format.tempo * 4 / format.noteValue;
}

TimeFields SplitMidi(uint32_t value, const TimeFormat& format) noexcept {
    TimeFields fields;
    fields.count = 3;
    if (!format.HasMidiTiming()) {
        return fields;
    }
    const uint64_t beats = uint64_t{value} * format.noteValue / (uint64_t{format.tempo} * 4);
    fields.values[0] = static_cast<uint32_t>(beats / format.beatsPerBar);
    fields.values[1] = static_cast<uint32_t>(beats % format.beatsPerBar);
    fields.values[2] = static_cast<uint32_t>(value - BeatMs(format, beats));
    return fields;
}

/// A number in decimal with leading zeros up to width digits ("%.2d"; unsigned, so no value shows negative).
std::string Padded(uint32_t number, std::size_t width) {
    std::string digits = std::to_string(number);
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    return digits;
}

} // namespace

uint8_t TimeFieldCount(uint8_t format) noexcept {
    return format < TIMEFMT_COUNT ? kFormats[format].fields : 0;
}

std::string TimeFieldLabel(uint8_t format, uint8_t field) {
    if (field >= TimeFieldCount(format)) {
        return {};
    }
    const FormatRow& row = kFormats[format];
    std::string label = row.units[field] == UNIT_NONE ? std::string() : LoadString(row.units[field]);
    if (row.separators[field] != '\0') {
        label += row.separators[field];
    }
    return label;
}

int TimeFieldMaxLength(uint8_t format, uint8_t field) noexcept {
    if (field == 0) {
        return 0;
    }
    return format == TIMEFMT_MIDI && field == 2 ? 3 : 2;
}

std::string TimeFormatName(uint8_t format) {
    return format < TIMEFMT_COUNT ? LoadString(kFirstFormatName + format) : std::string();
}

std::string TimeFormatListEntry(uint8_t format) {
    return format < TIMEFMT_MIDI ? LoadString(kFirstListEntry + format) : std::string();
}

TimeFields SplitTime(uint32_t value, const TimeFormat& format) {
    const uint8_t f = format.index;
    TimeFields fields;
    if (f >= TIMEFMT_COUNT) {
        return fields;
    }
    if (f == TIMEFMT_MIDI) {
        return SplitMidi(value, format);
    }
    fields.count = kFormats[f].fields;
    if (f == TIMEFMT_SAMPLES || f == TIMEFMT_MS) {
        fields.values[0] = value;
        return fields;
    }
    uint32_t t = Hundredths(value);
    if (f == TIMEFMT_FRAMES) {
        fields.values[0] = static_cast<uint32_t>(t * 0.01 * FrameRate(format));
        return fields;
    }
    uint8_t next = 0;
    if (f >= TIMEFMT_HOURS) {
        fields.values[next++] = t / 360000;
        t %= 360000;
    }
    if (f >= TIMEFMT_MIN) {
        fields.values[next++] = t / 6000;
        t %= 6000;
    }
    if (f >= TIMEFMT_SEC) {
        fields.values[next++] = t / 100;
        t %= 100;
    }
    if (next < fields.count) {
        fields.values[next] = t;
    }
    return fields;
}

std::string TimeFieldText(uint32_t number, uint8_t format, uint8_t field) {
    std::size_t width = 1;
    if (format == TIMEFMT_MIDI && field == 2) {
        width = 3;
    } else if (TimeFieldCount(format) > 1) {
        width = 2;
    }
    return Padded(number, width);
}

std::string FormatTime(uint32_t value, const TimeFormat& format, bool withUnits) {
    const uint8_t f = format.index;
    if (f >= TIMEFMT_COUNT || (f == TIMEFMT_MIDI && !format.HasMidiTiming())) {
        return {};
    }
    const TimeFields fields = SplitTime(value, format);
    std::string text;
    for (uint8_t i = 0; i < fields.count; ++i) {
        // A lone minutes field shows two digits when it carries its unit name.
        text += (withUnits && f == TIMEFMT_MIN) ? Padded(fields.values[0], 2)
                                                : TimeFieldText(fields.values[i], f, i);
        if (withUnits && kFormats[f].units[i] != UNIT_NONE) {
            text += LoadString(kFormats[f].units[i]);
        }
        if (kFormats[f].separators[i] != '\0') {
            text += kFormats[f].separators[i];
        }
    }
    return text;
}

std::string FormatTime(uint32_t value, uint8_t format, uint8_t frameRate, bool withUnits) {
    TimeFormat timeFormat;
    timeFormat.index = format;
    timeFormat.frameRate = frameRate;
    return FormatTime(value, timeFormat, withUnits);
}

uint32_t ParseTimeField(std::string_view text) noexcept {
    uint64_t number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        number = number * 10 + static_cast<uint32_t>(c - '0');
        if (number > kSaturated) {
            return kSaturated;
        }
    }
    return static_cast<uint32_t>(number);
}

uint32_t ComposeTime(const TimeFields& fields, const TimeFormat& format) noexcept {
    const uint64_t f0 = fields.values[0];
    const uint64_t f1 = fields.values[1];
    const uint64_t f2 = fields.values[2];
    const uint64_t f3 = fields.values[3];
    switch (format.index) {
    case TIMEFMT_SAMPLES:
    case TIMEFMT_MS:
        return Saturate(f0);
    case TIMEFMT_FRAMES:
        return Saturate(f0 * 1000 / FrameRate(format));
    case TIMEFMT_HT:
        return Saturate(f0 * 10);
    case TIMEFMT_SEC:
        return Saturate(f0 * 1000);
    case TIMEFMT_SEC_HT:
        return Saturate((f0 * 100 + f1) * 10);
    case TIMEFMT_MIN:
        return Saturate(f0 * 60000);
    case TIMEFMT_MIN_SEC:
        return Saturate((f0 * 60 + f1) * 1000);
    case TIMEFMT_MSF:
        return Saturate(((f0 * 60 + f1) * 100 + f2) * 10);
    case TIMEFMT_HOURS:
        return Saturate(f0 * 3600000);
    case TIMEFMT_HM:
        return Saturate((f0 * 60 + f1) * 60000);
    case TIMEFMT_HMS:
        return Saturate(((f0 * 60 + f1) * 60 + f2) * 1000);
    case TIMEFMT_HMSF:
        return Saturate((((f0 * 60 + f1) * 60 + f2) * 100 + f3) * 10);
    case TIMEFMT_MIDI: {
        if (!format.HasMidiTiming()) {
            return 0;
        }
        const double beats = static_cast<double>(f0 * format.beatsPerBar + f1);
        const double ms = std::round(beats / format.noteValue * format.tempo * 4);
        return ms >= static_cast<double>(kSaturated) ? kSaturated : Saturate(static_cast<uint64_t>(ms) + f2);
    }
    default:
        return 0;
    }
}

uint32_t ParseTime(const std::vector<std::string>& fieldTexts, const TimeFormat& format) noexcept {
    TimeFields fields;
    fields.count = TimeFieldCount(format.index);
    for (std::size_t i = 0; i < fields.count && i < fieldTexts.size(); ++i) {
        fields.values[i] = ParseTimeField(fieldTexts[i]);
    }
    return ComposeTime(fields, format);
}

uint32_t ShownTime(uint32_t value, const TimeFormat& format) noexcept {
    return ComposeTime(SplitTime(value, format), format);
}

bool IsTimeInRange(uint32_t value, uint32_t minimum, uint32_t maximum, const TimeFormat& format) noexcept {
    return minimum <= value && value <= ShownTime(maximum, format);
}

int64_t TimeStepAmount(int delta, uint8_t field, const TimeFormat& format) noexcept {
    const uint8_t f = format.index;
    const uint8_t count = TimeFieldCount(f);
    if (count == 0) {
        return 0;
    }
    if (field >= count) {
        field = count - 1;
    }
    if (f == TIMEFMT_FRAMES) {
        const int64_t step = delta > 0 ? 1999 : 101;
        return delta * step / static_cast<int64_t>(FrameRate(format));
    }
    if (f == TIMEFMT_MIDI) {
        if (!format.HasMidiTiming()) {
            return 0;
        }
        const int64_t beat = int64_t{format.tempo} * 4 / format.noteValue;
        // the bar step is computed whole, not as the truncated beat step times the beats per bar
        const int64_t bar = int64_t{format.beatsPerBar} * format.tempo * 4 / format.noteValue;
        const int64_t steps[3] = {bar, beat, 1};
        return delta * steps[field];
    }
    return delta * int64_t{kFormats[f].steps[field]};
}

uint32_t StepTime(uint32_t value, int delta, uint8_t field, const TimeFormat& format, uint32_t minimum,
                  uint32_t maximum) noexcept {
    const int64_t next = int64_t{value} + TimeStepAmount(delta, field, format);
    if (next < 0 || next < int64_t{minimum}) {
        return minimum;
    }
    if (next > int64_t{maximum}) {
        return maximum;
    }
    return static_cast<uint32_t>(next);
}

uint32_t MiddleTime(uint32_t minimum, uint32_t maximum) noexcept {
    return minimum + ((maximum - minimum) >> 1);
}

std::string TimeRangeMessage(uint32_t minimum, uint32_t maximum, const TimeFormat& format) {
    return FillStrings(LoadString(str::kTimeEditRangeMessage),
                       {FormatTime(minimum, format, true), FormatTime(maximum, format, true)});
}

} // namespace ondrix

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ondrix {

/// The time formats: values are frames in TIMEFMT_SAMPLES and milliseconds in all others.
enum TimeFormatIndex : uint8_t {
    TIMEFMT_SAMPLES = 0, ///< absolute sample position
    TIMEFMT_FRAMES = 1,  ///< video frames at a frame rate
    TIMEFMT_MS = 2,      ///< milliseconds
    TIMEFMT_HT = 3,      ///< hundredths
    TIMEFMT_SEC = 4,     ///< seconds
    TIMEFMT_SEC_HT = 5,  ///< seconds.hundredths
    TIMEFMT_MIN = 6,     ///< minutes
    TIMEFMT_MIN_SEC = 7, ///< minutes:seconds
    TIMEFMT_MSF = 8,     ///< minutes:seconds.hundredths (the default)
    TIMEFMT_HOURS = 9,   ///< hours
    TIMEFMT_HM = 10,     ///< hours:minutes
    TIMEFMT_HMS = 11,    ///< hours:minutes:seconds
    TIMEFMT_HMSF = 12,   ///< hours:minutes:seconds.hundredths
    TIMEFMT_MIDI = 13,   ///< bars:beat.milliseconds (needs a tempo and a metre)
    TIMEFMT_COUNT = 14
};

/// A time format with what it needs besides its index: the frame rate and the musical timing.
struct TimeFormat {
    uint8_t index = TIMEFMT_MSF;
    uint8_t frameRate = 30;  ///< frames per second of TIMEFMT_FRAMES (0 counts as 1)
    uint16_t tempo = 0;      ///< TIMEFMT_MIDI: milliseconds per note value
    uint8_t noteValue = 0;   ///< TIMEFMT_MIDI: the note value of one beat
    uint8_t beatsPerBar = 0; ///< TIMEFMT_MIDI: beats per bar

    /// Whether TIMEFMT_MIDI has the tempo and metre it divides by.
    bool HasMidiTiming() const noexcept { return tempo != 0 && noteValue != 0 && beatsPerBar != 0; }
};

/// The numbers a value is split into, in field order.
struct TimeFields {
    uint8_t count = 0;
    std::array<uint32_t, 4> values{};
};

/// Number of entry fields of a format (0 for an unknown index).
uint8_t TimeFieldCount(uint8_t format) noexcept;

/// The label drawn after a field: the unit and its separator ("min:", "sec.", "ht"); empty when none.
std::string TimeFieldLabel(uint8_t format, uint8_t field);

/// How many characters a field accepts; 0 means no limit (the first field).
int TimeFieldMaxLength(uint8_t format, uint8_t field) noexcept;

/// The short name of a format ("MSF"), string ids 30504 to 30517.
std::string TimeFormatName(uint8_t format);

/// The entry of a format in the settings page's format list ("Minutes:Seconds.Hundredth [m:s.ht]");
/// empty for TIMEFMT_MIDI, which is never offered.
std::string TimeFormatListEntry(uint8_t format);

/// Splits a value into the fields of its format.
TimeFields SplitTime(uint32_t value, const TimeFormat& format);

/// The text a field shows for its number ("%.2d" when the format has several fields, "%.3d" for the
/// milliseconds of TIMEFMT_MIDI, "%d" for a single field).
std::string TimeFieldText(uint32_t number, uint8_t format, uint8_t field);

/// Formats a value with or without unit names; empty for an unknown index.
std::string FormatTime(uint32_t value, const TimeFormat& format, bool withUnits);

/// FormatTime for a format index and frame rate.
std::string FormatTime(uint32_t value, uint8_t format, uint8_t frameRate, bool withUnits);

/// A field's text read as a decimal number: empty is 0, reading stops at the first non-digit, and a
/// number beyond 32 bits saturates at 0xFFFFFFFF.
uint32_t ParseTimeField(std::string_view text) noexcept;

/// The value of the field numbers; saturates at 0xFFFFFFFF instead of wrapping, so that an oversized
/// entry never passes a range check.
uint32_t ComposeTime(const TimeFields& fields, const TimeFormat& format) noexcept;

/// ComposeTime of the field texts (missing fields count as 0).
uint32_t ParseTime(const std::vector<std::string>& fieldTexts, const TimeFormat& format) noexcept;

/// A value as the format shows it, read back (the maximum 12345 ms of format 8 becomes 12350).
uint32_t ShownTime(uint32_t value, const TimeFormat& format) noexcept;

/// The time edit's range check of an entered value: at least the minimum and at most the maximum as the
/// fields show it, so the shown maximum (12345 ms as 00:12.35) is accepted when typed back.
bool IsTimeInRange(uint32_t value, uint32_t minimum, uint32_t maximum, const TimeFormat& format) noexcept;

/// The change of a spin step of delta units in a field: the step of the field times delta (for
/// TIMEFMT_FRAMES 1999 up or 101 down, times delta, divided by the frame rate).
int64_t TimeStepAmount(int delta, uint8_t field, const TimeFormat& format) noexcept;

/// The value after a spin step from value, kept within [minimum, maximum].
uint32_t StepTime(uint32_t value, int delta, uint8_t field, const TimeFormat& format, uint32_t minimum,
                  uint32_t maximum) noexcept;

/// The "Mi&ddle value" of a range: minimum + (maximum - minimum) / 2, unsigned.
uint32_t MiddleTime(uint32_t minimum, uint32_t maximum) noexcept;

/// Message 30500 with the minimum and maximum formatted with units.
std::string TimeRangeMessage(uint32_t minimum, uint32_t maximum, const TimeFormat& format);

} // namespace ondrix

#pragma once

#include "fileformat/wave_format.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace ondrix::cli {

/// A command line a verb cannot run: the text says what is wrong (shown with the verb's usage).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The options and operands of one verb's command line. Options are "--name", "--name value" or
/// "--name=value"; "--" ends the options; everything else is an operand.
class CArgs {
public:
    /// Splits args; flags take no value, valued options take one. Throws UsageError for other options.
    CArgs(const std::vector<std::string>& args, std::initializer_list<const char*> flags,
          std::initializer_list<const char*> valued);

    /// Whether a flag or valued option was given.
    bool Has(const std::string& name) const { return m_options.count(name) != 0; }
    /// The value of a valued option, if given (the last one wins).
    std::optional<std::string> Value(const std::string& name) const;
    /// The operands in order.
    const std::vector<std::string>& Operands() const noexcept { return m_operands; }
    /// Throws UsageError unless there are between least and most operands.
    void ExpectOperands(std::size_t least, std::size_t most) const;

private:
    std::map<std::string, std::string> m_options;
    std::vector<std::string> m_operands;
};

/// A 32-entry track mask as the store's operations take it: non-zero for each chosen track.
using TrackMask = std::array<uint32_t, 32>;

/// Parses "RATE,TRACKS,BITS,OFFSET" (rate 4000 to 99999, tracks 1 to 32, bits 8 or 16, offset >= 0).
RawFormat ParseRawFormat(const std::string& text);
/// Parses a frame position: a whole number from 0, or "end" for -1 (the last frame).
int64_t ParseFrame(const std::string& text);
/// Parses a track list such as "0,2" or "1-3" (tracks counted from 0, below trackCount), or "all".
TrackMask ParseTrackList(const std::string& text, uint32_t trackCount);
/// Parses a whole number from least to most.
uint64_t ParseNumber(const std::string& text, uint64_t least, uint64_t most);

/// Prints "ondrix-cli: <error>" and the verb's usage to stderr; returns kExitUsage.
int ReportUsage(const UsageError& error, const char* usage);
/// Prints "ondrix-cli: <text>" to stderr.
void PrintError(const std::string& text);

} // namespace ondrix::cli

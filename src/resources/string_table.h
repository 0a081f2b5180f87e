#pragma once

#include <cstdint>
#include <string>

namespace ondrix {

/// The text of a string-table id; empty when the id is unknown.
std::string LoadString(uint32_t id);

/// Whether the string table holds the id.
bool HasString(uint32_t id);

/// The text of a string-table id with its printf-style conversions (%d, %s, %%) filled from the arguments.
std::string FormatString(uint32_t id, int value);

/// printf-style formatting of a pattern with one integer (%d, %i, %u, %%).
std::string FormatPattern(const std::string& pattern, long long value);

} // namespace ondrix

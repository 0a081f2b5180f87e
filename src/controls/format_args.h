#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace ondrix {

/// Fills the %s conversions of a message pattern with the texts in order ("%%" becomes "%"); a %s
/// without a text left becomes empty.
std::string FillStrings(std::string_view pattern, std::initializer_list<std::string_view> texts);

/// The framework's range message "Please enter an integer between %1 and %2." for a range.
std::string IntegerRangeMessage(int64_t minimum, int64_t maximum);

} // namespace ondrix

#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace ondrix {

/// Fills the %s conversions of a message pattern with the texts in order ("%%" becomes "%"); a %s
/// without a text left becomes empty.
std::string FillStrings(std::string_view pattern, std::initializer_list<std::string_view> texts);

} // namespace ondrix

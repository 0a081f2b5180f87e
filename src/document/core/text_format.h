#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace ondrix {

/// One argument of a text pattern: an integer, a floating-point number or a text.
using TextArg = std::variant<long long, double, std::string_view>;

/// Fills a printf-style pattern from the arguments in order: %d %i %u take integers, %s texts, %f and
/// %.Nf numbers (N digits after the point), %% is a percent sign. A conversion without a fitting
/// argument becomes empty; unknown conversions stay as they are.
std::string FormatText(std::string_view pattern, std::initializer_list<TextArg> args);

/// FormatText of a string-table text.
std::string FormatTextId(uint32_t stringId, std::initializer_list<TextArg> args);

} // namespace ondrix

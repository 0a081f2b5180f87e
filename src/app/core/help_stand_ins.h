#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ondrix {

/// Fills the placeholders of a message pattern with readable stand-ins, for a help topic that shows the
/// message without a real case behind it. Each %s, %d and %.1f takes the next of the given stand-ins and
/// %1..%9 the one of its number; a placeholder without one gets a generic stand-in: "50" before a percent
/// sign, "2" for another %d, "1.5" for %.1f and "<value>" for a text. "%%" becomes "%"; a lone percent sign
/// stays as it is.
std::string FillStandIns(std::string_view pattern, std::span<const std::string_view> standIns = {});

/// A message of the string table with its placeholders filled by the stand-ins that suit it.
std::string MessageWithStandIns(uint32_t id);

} // namespace ondrix

#pragma once

#include "resources/string_ids.h"

#include <cstdint>
#include <string>

namespace ondrix {

/// The text of a string-table id with its %s replaced by text.
std::string FormatStringText(uint32_t id, const std::string& text);

/// Shows the message id about a file (%s = its name) when show is set, then ends with a silent UserAbort.
[[noreturn]] void FailWithFileMessage(uint32_t id, const std::string& name, bool show);

} // namespace ondrix

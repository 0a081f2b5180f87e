#pragma once

#include <cstdint>
#include <string>

namespace ondrix {

/// The loader's and saver's own messages (string-table ids).
inline constexpr uint32_t kMsgNoValidWave = 31501;
inline constexpr uint32_t kMsgUnknownWaveFormat = 31502;
inline constexpr uint32_t kMsgRawTooLarge = 32100;
inline constexpr uint32_t kMsgClipboardUnavailable = 32101;

/// The text of a string-table id with its %s replaced by text.
std::string FormatStringText(uint32_t id, const std::string& text);

/// Shows the message id about a file (%s = its name) when show is set, then ends with a silent UserAbort.
[[noreturn]] void FailWithFileMessage(uint32_t id, const std::string& name, bool show);

} // namespace ondrix

#pragma once

#include "audio/audio_device.h"
#include "resources/string_ids.h"

#include <cstdint>

namespace ondrix {

/// String ids of the engine's messages.
inline constexpr uint32_t kOutputOpenTexts = str::kOutputInUse; ///< 32300..32305: output open errors
inline constexpr uint32_t kInputOpenTexts = str::kInputInUse;   ///< 32306..32311: input open errors

/// The string id of the message for a device open error (output or input).
uint32_t OpenErrorText(DeviceResult result, bool output) noexcept;

} // namespace ondrix

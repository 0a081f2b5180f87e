#pragma once

#include "audio/audio_device.h"

#include <cstdint>

namespace ondrix {

/// String ids of the engine's messages.
inline constexpr uint32_t kOutputOpenTexts = 32300; ///< 32300..32305: output open errors
inline constexpr uint32_t kInputOpenTexts = 32306;  ///< 32306..32311: input open errors
inline constexpr uint32_t kRecordLimitText = 32312; ///< a recording reached the 4 GB limit
inline constexpr uint32_t kRecordWriteFailedText = 32313;
inline constexpr uint32_t kPlaybackDeviceFailedText = 32314;
inline constexpr uint32_t kRecordDeviceFailedText = 32315;
inline constexpr uint32_t kPlaybackReadFailedText = 32316;

/// The string id of the message for a device open error (output or input).
uint32_t OpenErrorText(DeviceResult result, bool output) noexcept;

} // namespace ondrix

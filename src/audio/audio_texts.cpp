#include "audio/audio_texts.h"

namespace ondrix {

uint32_t OpenErrorText(DeviceResult result, bool output) noexcept {
    const uint32_t base = output ? kOutputOpenTexts : kInputOpenTexts;
    switch (result) {
    case DeviceResult::Allocated:
        return base;
    case DeviceResult::BadDevice:
        return base + 1;
    case DeviceResult::NoDriver:
        return base + 2;
    case DeviceResult::NoMemory:
        return base + 3;
    case DeviceResult::BadFormat:
        return base + 4;
    default:
        return base + 5;
    }
}

} // namespace ondrix

#include "controls/meter_scale.h"

#include <algorithm>

namespace ondrix {

namespace {

constexpr uint32_t kFullLevel = 100;
constexpr uint32_t kRiseGainPercent = 160;
constexpr uint32_t kFallPerTick = 12;

} // namespace

uint32_t NextMeterLevel(uint32_t shown, uint32_t value, bool peakMode) noexcept {
    if (value == shown) {
        return shown;
    }
    if (!peakMode) {
        return std::min(value, kFullLevel);
    }
    if (value > shown) {
        return std::min(value * kRiseGainPercent / 100, kFullLevel);
    }
    return shown > kFallPerTick ? shown - kFallPerTick : 0;
}

int MeterSegmentCount(int length) noexcept {
    return length > 0 ? length / kMeterSegmentSize : 0;
}

uint32_t MeterSegmentValue(int index, int count) noexcept {
    // Spreading over count - 1 steps keeps the last segment at full scale for any length, so that no
    // length leaves segments standing for the same value (a fixed step would be 0 on long meters).
    if (count <= 1 || index <= 0) {
        return 0;
    }
    return uint32_t(std::min(index, count - 1)) * kFullLevel / uint32_t(count - 1);
}

MeterGroup MeterSegmentGroup(uint32_t value) noexcept {
    if (value >= kMeterRedThreshold) {
        return MeterGroup::Red;
    }
    return value >= kMeterYellowThreshold ? MeterGroup::Yellow : MeterGroup::Green;
}

} // namespace ondrix

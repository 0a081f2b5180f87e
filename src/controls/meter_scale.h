#pragma once

#include <cstdint>

namespace ondrix {

/// Pixels per level-meter segment.
inline constexpr int kMeterSegmentSize = 6;
/// Levels at and above this show yellow.
inline constexpr uint32_t kMeterYellowThreshold = 70;
/// Levels at and above this show red.
inline constexpr uint32_t kMeterRedThreshold = 90;

/// The colour group of a meter segment.
enum class MeterGroup : uint8_t { Green, Yellow, Red };

/// The level a meter shows after a new value arrives. Without peak mode the value itself; in peak mode
/// a louder value rises fast (x 1.6, at most 100) and a quieter one lets the shown level fall by 12.
uint32_t NextMeterLevel(uint32_t shown, uint32_t value, bool peakMode) noexcept;

/// The number of whole segments in a meter length (pixels).
int MeterSegmentCount(int length) noexcept;

/// The level segment index of count segments stands for: spread evenly from 0 (first) to 100 (last).
uint32_t MeterSegmentValue(int index, int count) noexcept;

/// The colour group of a segment standing for a value.
MeterGroup MeterSegmentGroup(uint32_t value) noexcept;

} // namespace ondrix

#pragma once

#include "views/core/lane_mapping.h"

#include <cstdint>
#include <vector>

namespace ondrix {

/// The spacing of the ruler's ticks: every tenth tick carries a label.
struct RulerScale {
    double labelStep = 0; ///< frames between labels; 0 = no ticks (an empty sound)
    double tickStep = 0;  ///< frames between ticks (labelStep / 10)
};

/// One tick of the ruler.
struct RulerTick {
    double position = 0;   ///< the frame position (fractional)
    int64_t x = 0;         ///< its column
    bool labelled = false; ///< a multiple of the label step
};

/// The label step for labels labelWidth pixels wide: from 0.1 s on in steps of 2, 5 and 10 until two labels
/// lie at least labelWidth + 10 pixels apart; with a time format of minutes or finer grained (6 and above)
/// the decades of 10 s and 10 min step by 2 and 6 instead (20 s, 60 s; 20 min, 60 min).
RulerScale ComputeRulerScale(const LaneMapping& mapping, uint32_t rate, int labelWidth, uint8_t timeFormat);

/// The ticks over the columns left .. right, widened by the label width on each side.
std::vector<RulerTick> RulerTicks(const LaneMapping& mapping, const RulerScale& scale, int left, int right,
                                  int labelWidth);

} // namespace ondrix

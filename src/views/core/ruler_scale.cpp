#include "views/core/ruler_scale.h"

#include <cmath>

namespace ondrix {

namespace {

/// The time formats from minutes on, whose decades of 10 s and 10 min step by 2 and 6.
constexpr uint8_t kFirstMinuteFormat = 6;
/// Enough steps to pass any sound's length (about 10^19 frames); the loop never runs longer.
constexpr int kMaxSteps = 64;
/// At most this many ticks are produced for one paint, whatever the scale.
constexpr int64_t kMaxTicks = 100000;

} // namespace

RulerScale ComputeRulerScale(const LaneMapping& mapping, uint32_t rate, int labelWidth, uint8_t timeFormat) {
    RulerScale scale;
    if (mapping.frames <= 0 || rate == 0) {
        return scale; // no frames, no ticks
    }
    double base = rate * 0.1;
    double step = base;
    int decade = 0;
    int phase = 0; // which multiple of the base comes next
    const bool minutes = timeFormat >= kFirstMinuteFormat;
    for (int i = 0; i < kMaxSteps; ++i) {
        const int64_t x = mapping.FrameToPixel(RoundHalfAway(step) + int64_t(mapping.firstFrame));
        if (x >= labelWidth + 10) {
            break;
        }
        const bool sixes = minutes && (decade == 2 || decade == 4);
        static constexpr double kPlain[] = {2, 5, 10};
        static constexpr double kSixes[] = {2, 6};
        const int length = sixes ? 2 : 3;
        step = base * (sixes ? kSixes[phase] : kPlain[phase]);
        if (++phase == length) {
            base = step;
            ++decade;
            phase = 0;
        }
    }
    scale.labelStep = step;
    scale.tickStep = step / 10;
    return scale;
}

std::vector<RulerTick> RulerTicks(const LaneMapping& mapping, const RulerScale& scale, int left, int right,
                                  int labelWidth) {
    std::vector<RulerTick> ticks;
    if (scale.tickStep <= 0) {
        return ticks;
    }
    // ticks are counted as integers, so a fractional step (409.6 frames) does not drift
    const double from = double(mapping.PixelToFrame(int64_t(left) - labelWidth));
    const double to = double(mapping.PixelToFrame(int64_t(right) + labelWidth));
    int64_t index = std::max<int64_t>(0, int64_t(std::llround(from / scale.tickStep)));
    const auto last = int64_t(std::floor(to / scale.tickStep));
    for (int64_t n = 0; index <= last && n < kMaxTicks; ++index, ++n) {
        const double position = double(index) * scale.tickStep;
        ticks.push_back({position, mapping.FrameToPixel(position), index % 10 == 0});
    }
    return ticks;
}

} // namespace ondrix

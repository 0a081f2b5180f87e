#include "views/core/lane_mapping.h"

#include <algorithm>
#include <cmath>

namespace ondrix {

int64_t RoundHalfAway(double value) noexcept {
    // the clamp keeps absurd inputs (a huge width) from overflowing the conversion
    return int64_t(std::clamp(std::round(value), -9.0e18, 9.0e18));
}

int64_t LaneMapping::PixelToFrame(int64_t x) const noexcept {
    if (frames <= 0) {
        return 0;
    }
    if (zoom > 0) {
        return x * int64_t(zoom) + int64_t(firstFrame);
    }
    if (width <= 0) {
        return 0; // a collapsed lane shows nothing: every column is frame 0
    }
    return RoundHalfAway(double(x) / double(width) * double(frames));
}

int64_t LaneMapping::FrameToPixel(int64_t frame) const noexcept {
    if (zoom > 0) {
        return (frame - int64_t(firstFrame)) / int64_t(zoom);
    }
    if (frames <= 0) {
        return 0;
    }
    return RoundHalfAway(double(frame) / double(frames) * double(width));
}

int64_t LaneMapping::FrameToPixel(double frame) const noexcept {
    if (zoom > 0) {
        return int64_t((frame - double(firstFrame)) / double(zoom));
    }
    if (frames <= 0) {
        return 0;
    }
    return RoundHalfAway(frame / double(frames) * double(width));
}

int64_t ColumnCount(int64_t frames, uint32_t zoom) noexcept {
    return zoom == 0 ? 0 : std::max<int64_t>(frames, 0) / int64_t(zoom);
}

bool IsScrollBarShown(int width, int64_t frames, uint32_t zoom) noexcept {
    return zoom != 0 && int64_t(width) < ColumnCount(frames, zoom);
}

int ThumbOfColumn(int64_t column, int64_t frames, uint32_t zoom) noexcept {
    const int64_t columns = ColumnCount(frames, zoom);
    if (columns == 0) {
        return 0; // fewer frames than the zoom: there is nothing to scroll
    }
    return int(RoundHalfAway(double(column) / double(columns) * kScrollRange));
}

int64_t ColumnOfThumb(int thumb, int64_t frames, uint32_t zoom) noexcept {
    return RoundHalfAway(double(thumb) * (1.0 / kScrollRange) * double(ColumnCount(frames, zoom)));
}

} // namespace ondrix

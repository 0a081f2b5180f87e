#include "views/core/lane_layout.h"

#include "views/core/lane_mapping.h"

namespace ondrix {

LaneLayout LayOutLanes(int height, int count, bool ruler) {
    LaneLayout layout;
    layout.contentHeight = height;
    if (count <= 0) {
        return layout;
    }
    const int offset = ruler ? kRulerOffset : 0;
    double laneHeight = (double(height) - double(kLaneGap) * (count - 1) - offset) / count;
    if (laneHeight < kMinLaneHeight) {
        laneHeight = kMinLaneHeight;
        layout.scrolls = true;
    }
    for (int i = 0; i < count; ++i) {
        const int top = int(RoundHalfAway(i * (laneHeight + kLaneGap))) + offset;
        const int bottom = int(RoundHalfAway(laneHeight + i * (laneHeight + kLaneGap))) + offset;
        layout.lanes.push_back({top, bottom});
    }
    if (layout.scrolls) {
        layout.contentHeight = layout.lanes.back().bottom;
    }
    return layout;
}

} // namespace ondrix

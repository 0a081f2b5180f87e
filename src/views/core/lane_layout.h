#pragma once

#include <vector>

namespace ondrix {

/// The height of the time ruler above the lanes.
inline constexpr int kRulerHeight = 20;
/// Where the lanes start below the ruler (the ruler and a 3-pixel separator).
inline constexpr int kRulerOffset = 23;
/// The separator between two lanes.
inline constexpr int kLaneGap = 3;
/// The least height of a lane; below it the lanes scroll vertically.
inline constexpr int kMinLaneHeight = 24;

/// The rows one lane spans: top included, bottom excluded.
struct LaneSpan {
    int top = 0;
    int bottom = 0;
};

/// Where the lanes lie in the sample window.
struct LaneLayout {
    std::vector<LaneSpan> lanes;
    int contentHeight = 0; ///< the height the lanes need (the client height when they fit)
    bool scrolls = false;  ///< the lanes do not fit at their least height and scroll vertically
};

/// Lays out count lanes in a client area of a height, below the ruler when there is one: equal heights
/// with 3-pixel separators, each at least kMinLaneHeight high.
LaneLayout LayOutLanes(int height, int count, bool ruler);

} // namespace ondrix

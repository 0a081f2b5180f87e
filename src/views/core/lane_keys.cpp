#include "views/core/lane_keys.h"

#include <algorithm>

namespace ondrix {

int64_t CursorForKey(LaneKey key, const LaneMapping& mapping, int64_t cursor) noexcept {
    const int64_t first = mapping.PixelToFrame(0);
    const int64_t half = mapping.width / 2;
    switch (key) {
    case LaneKey::PageUp:
        return cursor + (mapping.PixelToFrame(half) - first);
    case LaneKey::PageDown:
        return cursor + (mapping.PixelToFrame(-half) - first);
    case LaneKey::End:
        return mapping.frames - 1;
    case LaneKey::Home:
        return 0;
    case LaneKey::Left:
        return cursor + (mapping.PixelToFrame(-1) - first);
    case LaneKey::Right:
        return cursor + (mapping.PixelToFrame(1) - first);
    }
    return cursor;
}

int64_t ClampToSound(int64_t frame, int64_t frames) noexcept {
    if (frame < 0 || frames <= 0) {
        return 0;
    }
    return std::min(frame, frames - 1);
}

} // namespace ondrix

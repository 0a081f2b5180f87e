#pragma once

#include "views/core/lane_mapping.h"

#include <cstdint>

namespace ondrix {

/// The keys that move the cursor in a lane.
enum class LaneKey { PageUp, PageDown, End, Home, Left, Right };

/// The cursor a key asks for (not yet clamped to the sound): half a lane width forward or back, the
/// sound's ends, one column back or forward.
int64_t CursorForKey(LaneKey key, const LaneMapping& mapping, int64_t cursor) noexcept;

/// A frame clamped to the sound: 0 .. frames - 1, and 0 when negative or the sound is empty.
int64_t ClampToSound(int64_t frame, int64_t frames) noexcept;

} // namespace ondrix

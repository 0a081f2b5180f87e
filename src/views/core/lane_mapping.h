#pragma once

#include <cstdint>

namespace ondrix {

/// Nearest integer of a value, halves away from zero.
int64_t RoundHalfAway(double value) noexcept;

/// The mapping between client columns and frames that a lane and the ruler share: zoom k draws k frames
/// per column from the first frame on; zoom 0 fits the whole sound into the width.
struct LaneMapping {
    uint32_t zoom = 0;       ///< frames per column; 0 = the whole sound in the width
    uint32_t firstFrame = 0; ///< the frame at column 0 (zoom x scroll column)
    int64_t frames = 0;      ///< the sound's frame count
    int width = 0;           ///< the client width in logical pixels

    /// The frame at a column (may lie outside the sound); 0 for an empty sound or a width of 0 at zoom 0.
    int64_t PixelToFrame(int64_t x) const noexcept;
    /// The column of a frame; negative left of the window; 0 for an empty sound at zoom 0.
    int64_t FrameToPixel(int64_t frame) const noexcept;
    /// The column of a fractional frame position (the ruler's ticks), rounded as FrameToPixel.
    int64_t FrameToPixel(double frame) const noexcept;
};

/// The columns a sound spans at a zoom (frames / zoom); 0 at zoom 0.
int64_t ColumnCount(int64_t frames, uint32_t zoom) noexcept;
/// Whether the horizontal scroll bar shows: a zoom is set and the columns do not fit the width.
bool IsScrollBarShown(int width, int64_t frames, uint32_t zoom) noexcept;
/// The scroll bar thumb (0 .. 32767) of a scroll column; 0 when the sound spans no column.
int ThumbOfColumn(int64_t column, int64_t frames, uint32_t zoom) noexcept;
/// The scroll column of a thumb position.
int64_t ColumnOfThumb(int thumb, int64_t frames, uint32_t zoom) noexcept;

/// The range of the horizontal scroll bar.
inline constexpr int kScrollRange = 32767;

} // namespace ondrix

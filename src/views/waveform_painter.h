#pragma once

#include "views/core/lane_mapping.h"

#include <QColor>
#include <QRect>

#include <cstdint>

class QPainter;

namespace ondrix {

class CPeakSummary;
class CSampleStore;

/// The colours and the drawing mode of a lane.
struct WaveformStyle {
    QColor foreground;
    QColor selected;
    QColor zeroLine;
    bool solid = true; ///< a bar symmetric about the zero line per column instead of a line
};

/// What a lane draws: which track of which store, and the block to colour.
struct WaveformSource {
    CSampleStore* store = nullptr;
    uint32_t track = 0;
    bool hasBlock = false; ///< the block is coloured (a block of this lane's edited track)
    int64_t blockFirst = 0;
    int64_t blockLast = 0;
    const CPeakSummary* peaks = nullptr; ///< the minimum/maximum summary; null draws one sample per column
};

/// Draws the columns area.left() .. area.right() of a lane of a height: the zero line and one sample per
/// column from the store's display cache, the block's columns in the selected colour. With a peak summary
/// (peak display on) and columns of two frames or more, a column spans the minimum to the maximum of the
/// frames it covers instead: from the summary once it is ready and the columns hold whole blocks, else
/// read from the data of the columns shown. The background is the caller's.
void DrawWaveform(QPainter& painter, const QRect& area, int height, const LaneMapping& mapping,
                  const WaveformSource& source, const WaveformStyle& style);

} // namespace ondrix

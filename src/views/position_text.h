#pragma once

#include <QString>

#include <cstdint>

namespace ondrix {

class CSampleStore;

/// A frame position as the ruler and the tooltips show it: the time in the current time format (with
/// or without units), or the frame number in decimal with the format None.
QString PositionText(const CSampleStore& store, int64_t frame, bool withUnits);

/// Whether the current time format is None (positions are frame numbers).
bool IsFrameTimeFormat();

} // namespace ondrix

#pragma once

#include <QColor>

#include <cstdint>

namespace ondrix {

/// One of the 16 fixed colours the colour settings index.
QColor PaletteColour(uint8_t index);

} // namespace ondrix

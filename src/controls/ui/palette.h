#pragma once

#include <QColor>

#include <cstdint>

namespace ondrix {

/// The number of colours of the display palette.
inline constexpr int kPaletteSize = 16;

/// One of the 16 fixed colours the colour settings index (the index is taken modulo 16).
QColor PaletteColour(uint8_t index);

} // namespace ondrix

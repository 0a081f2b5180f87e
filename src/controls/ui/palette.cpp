#include "controls/ui/palette.h"

namespace ondrix {

QColor PaletteColour(uint8_t index) {
    static const QColor palette[kPaletteSize] = {
        {0, 0, 0},     {128, 128, 128}, {128, 128, 0},   {128, 0, 0},     {0, 128, 128}, {0, 128, 0},
        {128, 0, 128}, {0, 0, 128},     {255, 255, 255}, {192, 192, 192}, {255, 255, 0}, {255, 0, 0},
        {0, 255, 255}, {0, 255, 0},     {255, 0, 255},   {0, 0, 255}};
    return palette[index % kPaletteSize];
}

} // namespace ondrix

#include "effects/dialogs/oscillator_preview.h"

#include "effects/oscillator.h"

#include <algorithm>

namespace ondrix {

void COscillatorPreview::SetShape(int32_t waveform, int32_t depth) {
    if (waveform != m_waveform || depth != m_depth) {
        m_waveform = waveform;
        m_depth = depth;
        update();
    }
}

double COscillatorPreview::HeightAt(int x, int width) const {
    const COscillator oscillator(uint8_t(std::clamp(m_waveform, 0, 3)), uint8_t(std::clamp(m_depth, 0, 100)),
                                 0, 0, 0, 0, double(width));
    return oscillator.Value(uint64_t(x)) / 100.0;
}

} // namespace ondrix

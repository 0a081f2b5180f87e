#include "effects/oscillator.h"

#include "effects/effect_params.h"
#include "effects/sample_math.h"

#include <cmath>

namespace ondrix {

COscillator::COscillator(uint8_t waveform, uint8_t depth, int32_t period, int32_t frequency, int32_t rate,
                         int32_t periodMode, double amplitude) noexcept
    : m_waveform(waveform), m_depth(depth), m_period(period < 1 ? 1 : period), m_frequency(frequency),
      m_rate(rate), m_periodMode(periodMode), m_amplitude(amplitude), m_sineFactor(2.0 * std::asin(1.0)) {
    if (m_rate == 0) {
        m_cycles = 1.0;
        m_frames = m_amplitude > 0.0 ? m_amplitude : 1.0;
    } else if (m_periodMode != 0) {
        m_cycles = 1.0;
        m_frames = m_period;
    } else {
        m_cycles = m_frequency;
        m_frames = m_rate;
    }
    m_step = m_cycles / m_frames;
}

double COscillator::Shape(double p) const noexcept {
    switch (m_waveform) {
    case WAVE_SQUARE:
        return p < 0.5 ? 0.0 : 100.0;
    case WAVE_TRIANGLE:
        return p <= 0.5 ? 200.0 * p : 200.0 * (1.0 - p);
    case WAVE_SAWTOOTH:
        return 100.0 * p;
    default:
        return 100.0 * std::sin(m_sineFactor * p);
    }
}

int32_t COscillator::Value(uint64_t n) const noexcept {
    const double x = double(n) * m_cycles / m_frames;
    const double p = x - std::floor(x);
    return int32_t(RoundHalfAway(Shape(p) * 0.01 * m_depth));
}

} // namespace ondrix

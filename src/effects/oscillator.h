#pragma once

#include <cstdint>

namespace ondrix {

/// The low-frequency oscillator of tremolo, cross fade and their preview: a percentage from 0 to the
/// depth for every frame, in one of four waveforms.
class COscillator {
public:
    /// Builds the oscillator. Frequency mode advances frequency / rate per frame, period mode 1 / period;
    /// with rate 0 (the preview) one period spans amplitude frames. Periods below 1 count as 1.
    COscillator(uint8_t waveform, uint8_t depth, int32_t period, int32_t frequency, int32_t rate,
                int32_t periodMode, double amplitude = 100.0) noexcept;

    /// The percentage at frame n (n >= 0): round(w(frac(step x n)) x 0.01 x depth), from 0 to depth.
    int32_t Value(uint64_t n) const noexcept;

    /// The waveform value (0..100) at phase p, 0 <= p < 1.
    double Shape(double p) const noexcept;

    /// The phase advance per frame.
    double Step() const noexcept { return m_step; }

private:
    uint8_t m_waveform;
    uint8_t m_depth;
    int32_t m_period;
    int32_t m_frequency;
    int32_t m_rate;
    int32_t m_periodMode;
    double m_amplitude;
    double m_step;
    double m_sineFactor;
    // The phase is computed as n x m_cycles / m_frames (the step's own fraction), so that whole periods
    // land exactly on phase 0 whatever rounding 1 / period would bring.
    double m_cycles;
    double m_frames;
};

} // namespace ondrix

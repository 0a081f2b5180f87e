#pragma once

#include "process/piece_block.h"

#include <cstdint>

namespace ondrix {

/// The transfer curve of "&Distort...", used by its routine and its preview: maps a sample's magnitude
/// and keeps its sign.
class CDistortionCurve {
public:
    /// Builds the curve of a type (0..4) for full scale F (128 or 32768), level L and depth D in percent.
    CDistortionCurve(uint8_t type, double fullScale, double level, double depth) noexcept;

    /// The curve for a sample width (F = 128 for 8 bits, 32768 for 16 bits).
    static CDistortionCurve ForBits(uint8_t type, uint32_t bits, int32_t level, int32_t depth) noexcept;

    /// f(x): the mapped magnitude of |x| with the sign of x (0 counts as positive), rounded half away
    /// from zero; not clamped.
    int64_t Map(int64_t x) const noexcept;

    /// The mapped magnitude before rounding (the preview draws it).
    double MapMagnitude(double magnitude) const noexcept;

private:
    double Valve(double magnitude) const noexcept;

    uint8_t m_type;
    double m_fullScale;
    double m_level;
    double m_depth;
    double m_a = 0.0;
    double m_b = 0.0;
};

/// Distortion: every edited sample becomes clamp(f(value)). Context: CDistortionCurve.
uint32_t DistortRoutine(PieceBlock* piece);

} // namespace ondrix

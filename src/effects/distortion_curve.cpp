#include "effects/distortion_curve.h"

#include "effects/effect_params.h"
#include "effects/sample_math.h"

#include <cmath>

namespace ondrix {

CDistortionCurve::CDistortionCurve(uint8_t type, double fullScale, double level, double depth) noexcept
    : m_type(type), m_fullScale(fullScale), m_level(level), m_depth(depth) {
    const double f = m_fullScale;
    const double l = m_level;
    switch (m_type) {
    case DIST_VALVE:
    case DIST_INVERSE_VALVE:
        m_a = 1.0 / (l * 0.8 * -0.01 + 0.9);
        m_b = m_a - 1.0 / (l * 8.9 * 0.01 + 1.1);
        break;
    case DIST_SINE:
        m_a = std::sqrt(2.0) * std::asin(1.0) * l / f;
        m_b = f * 0.005 * m_depth;
        break;
    case DIST_QUANTISE:
        // At level 100 the step F / (100 - L) is infinite: every magnitude lies below it and becomes 0,
        // the limit the curve approaches as the level rises (at 99 only full scale survives).
        if (l < 100.0) {
            m_a = (100.0 - l) / f;
            m_b = f / (100.0 - l);
        }
        break;
    case DIST_DIODE:
        m_a = (100.0 - l) * f * 0.01;
        m_b = m_depth * f * 0.01;
        break;
    default:
        break;
    }
}

CDistortionCurve CDistortionCurve::ForBits(uint8_t type, uint32_t bits, int32_t level,
                                           int32_t depth) noexcept {
    return CDistortionCurve(type, bits == 8 ? 128.0 : 32768.0, level, depth);
}

double CDistortionCurve::Valve(double magnitude) const noexcept {
    const double f = m_fullScale;
    const double l = m_level;
    const double t =
        ((l * 9.700000000000001 * 0.01 + 0.20000000000000007) / f) * magnitude - l * 0.8 * 0.01 + 0.9;
    return (m_a - 1.0 / t) * f / m_b;
}

double CDistortionCurve::MapMagnitude(double magnitude) const noexcept {
    switch (m_type) {
    case DIST_VALVE:
        return Valve(magnitude);
    case DIST_INVERSE_VALVE:
        // The valve curve mirrored through the centre of the square: convex from (0, 0) to (F, F).
        return m_fullScale - Valve(m_fullScale - magnitude);
    case DIST_SINE:
        return magnitude + std::sin(m_a * magnitude) * m_b;
    case DIST_QUANTISE:
        return std::trunc(m_a * magnitude) * m_b;
    case DIST_DIODE:
        return magnitude > double(RoundHalfAway(m_a)) ? m_b : magnitude;
    default:
        return magnitude;
    }
}

int64_t CDistortionCurve::Map(int64_t x) const noexcept {
    const double y = MapMagnitude(double(x < 0 ? -x : x));
    return RoundHalfAway(x < 0 ? -y : y);
}

uint32_t DistortRoutine(PieceBlock* piece) {
    const auto& curve = *static_cast<const CDistortionCurve*>(piece->context);
    const uint32_t bits = piece->bits;
    MapSamples(*piece, [&curve, bits](int32_t v) { return ClampSample(curve.Map(v), bits); });
    return 1;
}

} // namespace ondrix

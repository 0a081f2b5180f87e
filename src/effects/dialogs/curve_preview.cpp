#include "effects/dialogs/curve_preview.h"

#include "effects/distortion_curve.h"

#include <algorithm>
#include <cmath>

namespace ondrix {

namespace {
constexpr double kFullScale = 32768.0;
} // namespace

void CCurvePreview::SetCurve(int32_t type, int32_t level, int32_t depth) {
    if (type != m_type || level != m_level || depth != m_depth) {
        m_type = type;
        m_level = level;
        m_depth = depth;
        update();
    }
}

double CCurvePreview::HeightAt(int x, int width) const {
    const CDistortionCurve curve(uint8_t(std::clamp(m_type, 0, 4)), kFullScale, m_level, m_depth);
    const double input = width > 1 ? (2.0 * x / (width - 1) - 1.0) * kFullScale : 0.0;
    const double mapped = curve.MapMagnitude(std::abs(input));
    const double magnitude = std::isfinite(mapped) ? std::clamp(mapped, 0.0, kFullScale) : 0.0;
    const double output = input < 0 ? -magnitude : magnitude;
    return 0.5 + output / (2.0 * kFullScale);
}

} // namespace ondrix

#include "effects/envelope.h"

#include "effects/sample_math.h"

namespace ondrix {

void CompleteEnvelope(std::vector<EnvelopePoint>& points) {
    if (points.empty() || points.front().position != 0) {
        points.insert(points.begin(), EnvelopePoint{0, 0});
    }
    if (points.back().position != EnvelopeParams::kFullPosition) {
        points.push_back(EnvelopePoint{EnvelopeParams::kFullPosition, 0});
    }
}

std::vector<EnvelopePoint> EnvelopeToFrames(const std::vector<EnvelopePoint>& stored, int64_t length) {
    std::vector<EnvelopePoint> frames;
    frames.reserve(stored.size());
    for (const EnvelopePoint& p : stored) {
        frames.push_back({int32_t(RoundHalfAway(p.position * 0.0009765625 * double(length))), p.volume});
    }
    return frames;
}

std::vector<EnvelopePoint> EnvelopeFromFrames(const std::vector<EnvelopePoint>& frames, int64_t length) {
    std::vector<EnvelopePoint> stored;
    stored.reserve(frames.size());
    for (const EnvelopePoint& p : frames) {
        const int64_t position = length == 0 ? 0 : RoundHalfAway(p.position / double(length) * 1024.0);
        stored.push_back({int32_t(position), p.volume});
    }
    return stored;
}

std::vector<EnvelopePoint> EnvelopeShapePoints(EnvelopeShape shape, int64_t length, int64_t second) {
    const int64_t u = length < 2 * second ? length / 10 : second;
    const auto at = [](int64_t position) { return EnvelopePoint{int32_t(position), 100}; };
    switch (shape) {
    case EnvelopeShape::FadeIn:
        return {at(u), at(length)};
    case EnvelopeShape::FadeOut:
        return {at(0), at(length - u)};
    case EnvelopeShape::FadeInFadeOut:
        break;
    }
    return {at(u), at(length - u)};
}

int32_t EnvelopeLevelAt(const std::vector<EnvelopePoint>& points, int64_t x, std::size_t& hint) noexcept {
    std::size_t j = hint < points.size() ? hint : 0;
    if (j > 0 && points[j - 1].position >= x) {
        j = 0; // x went back: search from the start
    }
    while (j < points.size() && points[j].position < x) {
        ++j;
    }
    hint = j;
    if (j == points.size()) {
        return points.empty() ? 0 : points.back().volume;
    }
    if (points[j].position == x || j == 0) {
        return points[j].volume;
    }
    const EnvelopePoint& a = points[j - 1];
    const EnvelopePoint& b = points[j];
    return int32_t(a.volume + (int64_t(b.volume - a.volume) * (x - a.position)) / (b.position - a.position));
}

uint32_t EnvelopeRoutine(PieceBlock* piece) {
    auto& context = *static_cast<EnvelopeContext*>(piece->context);
    const double scale = 1024.0 / double(StretchFrames(*piece));
    const uint32_t bits = piece->bits;
    MapFrameSamples(*piece, [&context, scale, bits](uint32_t) {
        const int64_t x = RoundHalfAway(double(context.counter) * scale);
        const int32_t level = EnvelopeLevelAt(context.points, x, context.search);
        const int64_t f = (int64_t(level) * context.level) / 100;
        ++context.counter;
        // Volumes above 100 only come from hand-edited settings; the clamp keeps them in range.
        return [f, bits](int32_t v) { return ClampSample((v * f) / 100, bits); };
    });
    return 1;
}

} // namespace ondrix

#include "fileformat/builtin_sound.h"

#include "fileformat/wave_format.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace ondrix {

namespace {

/// One struck bell: partials of a slightly inharmonic series, each dying away at its own pace.
double Bell(double frequency, double t) noexcept {
    constexpr double kRatios[] = {1.0, 2.0, 3.01, 4.19, 5.43};
    constexpr double kLevels[] = {1.0, 0.45, 0.25, 0.12, 0.06};
    constexpr double kDecays[] = {1.6, 2.4, 3.5, 5.0, 7.0};
    constexpr double kAttack = 0.004;
    double value = 0.0;
    for (int p = 0; p < 5; ++p) {
        value += kLevels[p] * std::exp(-kDecays[p] * t) *
                 std::sin(2.0 * std::numbers::pi * frequency * kRatios[p] * t);
    }
    return t < kAttack ? value * t / kAttack : value;
}

/// A chime tune over a pentatonic scale that closes on a held chord: the samples as signed values.
std::vector<double> ComposeChime() {
    constexpr double kScale[] = {523.25, 587.33, 659.26, 783.99, 880.00, 1046.50};
    constexpr int kTune[] = {0, 2, 4, 3, 5, 4, 2, 3, 1, 2, 0, 4, 3, 2, 1, 0};
    constexpr double kStep = 0.8;
    const double rate = kInternalWaveRate;
    std::vector<double> samples(kInternalWaveDataSize, 0.0);
    constexpr double kRing = 5.0; // seconds until a bell is inaudible
    const auto strike = [&](double start, double frequency, double level) {
        const std::size_t end = std::min(samples.size(), std::size_t((start + kRing) * rate));
        for (std::size_t i = std::size_t(start * rate); i < end; ++i) {
            samples[i] += level * Bell(frequency, double(i) / rate - start);
        }
    };
    for (std::size_t n = 0; n < std::size(kTune); ++n) {
        strike(double(n) * kStep, kScale[kTune[n]], n % 4 == 0 ? 1.0 : 0.7);
    }
    const double close = double(std::size(kTune)) * kStep;
    for (const double frequency : {261.63, 329.63, 392.00, 523.25}) {
        strike(close, frequency, 0.6);
    }
    // Fade the last half second so the sound ends on silence.
    const std::size_t fade = std::size_t(rate / 2);
    for (std::size_t i = 0; i < fade; ++i) {
        samples[samples.size() - 1 - i] *= double(i) / double(fade);
    }
    return samples;
}

std::vector<uint8_t> MakeInternalWave() {
    const std::vector<double> samples = ComposeChime();
    double peak = 0.0;
    for (const double s : samples) {
        peak = std::max(peak, std::abs(s));
    }
    const double scale = peak > 0.0 ? 0.8 * 127.0 / peak : 0.0;
    const auto header =
        MakeWaveHeader(8, 1, kInternalWaveRate, kInternalWaveDataSize, 36 + kInternalWaveDataSize);
    std::vector<uint8_t> image(header.begin(), header.end());
    image.reserve(header.size() + samples.size());
    for (const double s : samples) {
        image.push_back(uint8_t(128 + std::lround(s * scale)));
    }
    return image;
}

} // namespace

std::span<const uint8_t> FindWaveResource(uint32_t id) {
    if (id != kInternalWaveId) {
        return {};
    }
    static const std::vector<uint8_t> image = MakeInternalWave();
    return image;
}

} // namespace ondrix

// Every in-place routine over a block of several 64 KiB pieces that starts and ends off the piece
// boundaries gives exactly its per-frame formula, computed here independently, frame by frame.

#include "effects/distortion_curve.h"
#include "effects/envelope.h"
#include "effects/modulation_routines.h"
#include "effects/reverse_routines.h"
#include "effects/volume_routines.h"
#include "effects_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace ondrix;
using namespace ondrix::test;

namespace {

constexpr uint32_t kFrames = 70001;
constexpr int64_t kFirst = 1111;
constexpr int64_t kLast = 65432;
constexpr int64_t kN = kLast - kFirst + 1;
constexpr double kPi = 3.14159265358979323846;

/// std::round rounds halves away from zero, as the routines must.
int64_t Round(double x) {
    return int64_t(std::round(x));
}

/// The expected value of an edited sample: (k from the block start, track, value, bits) -> value.
using Formula = std::function<int64_t(int64_t, uint32_t, int32_t, uint32_t)>;

/// One routine with a fresh context per run.
struct Case {
    const char* name;
    ProcessRoutine routine;
    std::function<std::shared_ptr<void>(uint32_t bits)> context;
    Formula expect;
};

int64_t OscillatorPercent(int waveform, int depth, double phase) {
    double w = 100.0 * phase;
    if (waveform == WAVE_SINE) {
        w = 100.0 * std::sin(kPi * phase);
    } else if (waveform == WAVE_TRIANGLE) {
        w = phase <= 0.5 ? 200.0 * phase : 200.0 * (1.0 - phase);
    } else if (waveform == WAVE_SQUARE) {
        w = phase < 0.5 ? 0.0 : 100.0;
    }
    return Round(w * 0.01 * depth);
}

int64_t EnvelopePercent(int64_t k) {
    // Points (0, 0), (300, 100), (700, 40), (1024, 0) at level 90.
    static const int64_t pos[] = {0, 300, 700, 1024};
    static const int64_t vol[] = {0, 100, 40, 0};
    const int64_t x = Round(double(k) * (1024.0 / double(kN)));
    int64_t level = 0;
    for (int j = 0; j < 4; ++j) {
        if (pos[j] >= x) {
            level = pos[j] == x
                        ? vol[j]
                        : vol[j - 1] + ((vol[j] - vol[j - 1]) * (x - pos[j - 1])) / (pos[j] - pos[j - 1]);
            break;
        }
    }
    return level * 90 / 100;
}

double ValveMagnitude(double level, double full, double m) {
    const double a = 1.0 / (level * 0.8 * -0.01 + 0.9);
    const double b = a - 1.0 / (level * 8.9 * 0.01 + 1.1);
    const double t =
        ((level * 9.700000000000001 * 0.01 + 0.20000000000000007) / full) * m - level * 0.8 * 0.01 + 0.9;
    return (a - 1.0 / t) * full / b;
}

template <class T> std::shared_ptr<void> Hold(T value) {
    return std::make_shared<T>(std::move(value));
}

std::vector<Case> Cases() {
    return {
        {"volume", &VolumeRoutine, [](uint32_t) { return Hold(VolumeContext::Uniform(137)); },
         [](int64_t, uint32_t, int32_t v, uint32_t bits) { return ClampTo(137 * int64_t(v) / 100, bits); }},
        {"silence", &SilenceRoutine, [](uint32_t) { return std::shared_ptr<void>(); },
         [](int64_t, uint32_t, int32_t, uint32_t) { return int64_t(0); }},
        {"fadein", &FadeRoutine, [](uint32_t) { return Hold(FadeContext{true}); },
         [](int64_t k, uint32_t, int32_t v, uint32_t) { return Round(double(k) / double(kN) * v); }},
        {"fadeout", &FadeRoutine, [](uint32_t) { return Hold(FadeContext{false}); },
         [](int64_t k, uint32_t, int32_t v, uint32_t) { return Round(double(kN - k) / double(kN) * v); }},
        {"dynamics37", &DynamicsRoutine, [](uint32_t) { return Hold(DynamicsContext{37}); },
         [](int64_t, uint32_t, int32_t x, uint32_t bits) {
             const int64_t d = bits == 8 ? (std::abs(x) * (37 - 100) * int64_t(x)) / 12800
                                         : ((int64_t(x) * std::abs(x)) / 32768 * (37 - 100)) / 100;
             return ClampTo(x + d, bits);
         }},
        {"dynamics163", &DynamicsRoutine, [](uint32_t) { return Hold(DynamicsContext{163}); },
         [](int64_t, uint32_t, int32_t x, uint32_t bits) {
             int64_t d = bits == 8 ? (std::abs(x) * 63 * int64_t(x)) / 12800
                                   : ((int64_t(x) * std::abs(x)) / 32768 * 63) / 100;
             d += (-63 * int64_t(x)) / 100;
             return ClampTo(x + d, bits);
         }},
        {"zeroline", &ZeroLineRoutine, [](uint32_t) { return Hold(ZeroLineContext{-33}); },
         [](int64_t, uint32_t, int32_t v, uint32_t bits) {
             return ClampTo(v + (-33 * int64_t(FullScale(bits))) / 100, bits);
         }},
        {"envelope", &EnvelopeRoutine,
         [](uint32_t) {
             EnvelopeContext c;
             c.points = {{0, 0}, {300, 100}, {700, 40}, {1024, 0}};
             c.level = 90;
             return Hold(std::move(c));
         },
         [](int64_t k, uint32_t, int32_t v, uint32_t) { return int64_t(v) * EnvelopePercent(k) / 100; }},
        {"tremolo", &TremoloRoutine,
         [](uint32_t) {
             return Hold(ModulationContext(ModulationParams{WAVE_TRIANGLE, 0, 0, 3, 70}, 8000, kN - 1));
         },
         [](int64_t k, uint32_t, int32_t v, uint32_t bits) {
             const double x = double(k) * 3.0 / 8000.0;
             const int64_t m = OscillatorPercent(WAVE_TRIANGLE, 70, x - std::floor(x));
             return ClampTo(v - (m * v) / 100, bits);
         }},
        {"distort", &DistortRoutine,
         [](uint32_t bits) { return Hold(CDistortionCurve::ForBits(DIST_VALVE, bits, 60, 100)); },
         [](int64_t, uint32_t, int32_t v, uint32_t bits) {
             const double y = ValveMagnitude(60, FullScale(bits), std::abs(double(v)));
             return ClampTo(Round(v < 0 ? -y : y), bits);
         }},
        {"invert", &InvertRoutine, [](uint32_t) { return std::shared_ptr<void>(); },
         [](int64_t, uint32_t, int32_t v, uint32_t bits) {
             return v == -FullScale(bits) ? int64_t(v) : -int64_t(v);
         }},
    };
}

class PieceBoundaries : public ::testing::TestWithParam<WidthAndMask> {};

TEST_P(PieceBoundaries, EveryInPlaceRoutineMatchesItsFormula) {
    const uint32_t bits = GetParam().bits;
    const Mask mask = MaskOf({0, 2});
    const uint32_t* maskPtr = GetParam().masked ? mask.data() : nullptr;
    const auto data = RandomValues(bits, 3 * kFrames, 1000 + bits);
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        auto store = MakeStore(bits, 3, data, 8000);
        // The block spans several pieces (21845 frames at 8 bits, 10922 at 16) and ends mid-piece.
        ASSERT_GT(kN, 2 * (65536 / (3 * bits / 8)));
        auto context = c.context(bits);
        ASSERT_TRUE(RunInPlace(*store, maskPtr, kFirst, kLast, c.routine, context.get()));
        ExpectBlockMapped(data, Values(*store), 3, maskPtr, kFirst, kLast,
                          [&](int64_t k, uint32_t t, int32_t v) { return c.expect(k, t, v, bits); });
    }
}

TEST_P(PieceBoundaries, CrossFadeMatchesItsFormula) {
    // Masked: tracks 0 and 2 of three. Unmasked: a two-track sound.
    const uint32_t bits = GetParam().bits;
    const uint32_t tracks = GetParam().masked ? 3 : 2;
    const Mask mask = MaskOf({0, 2});
    const uint32_t* maskPtr = GetParam().masked ? mask.data() : nullptr;
    const uint32_t b = tracks - 1;
    const auto data = RandomValues(bits, tracks * kFrames, 2000 + bits);
    auto store = MakeStore(bits, tracks, data, 8000);
    ModulationContext context(ModulationParams{WAVE_SINE, 1, 5000, 5, 100}, 8000, kN - 1);
    ASSERT_TRUE(RunInPlace(*store, maskPtr, kFirst, kLast, &CrossFadeRoutine, &context));
    const auto after = Values(*store);
    for (int64_t f = 0; f < int64_t(kFrames); ++f) {
        const auto i = std::size_t(f) * tracks;
        int64_t m = 0;
        if (f >= kFirst && f <= kLast) {
            const double x = double(f - kFirst) / 5000.0;
            m = OscillatorPercent(WAVE_SINE, 100, x - std::floor(x));
        }
        const int64_t a = data[i];
        const int64_t bv = data[i + b];
        ASSERT_EQ(after[i], ClampTo((bv * m + a * (100 - m)) / 100, bits)) << f;
        ASSERT_EQ(after[i + b], ClampTo((a * m + bv * (100 - m)) / 100, bits)) << f;
        if (tracks == 3) {
            ASSERT_EQ(after[i + 1], data[i + 1]);
        }
    }
}

TEST_P(PieceBoundaries, MaximiseFindsThePeakAcrossPieces) {
    const uint32_t bits = GetParam().bits;
    const Mask mask = MaskOf({0, 2});
    const uint32_t* maskPtr = GetParam().masked ? mask.data() : nullptr;
    // Quiet random data with one peak per track placed in different pieces; a louder sample outside the
    // block must not count.
    auto data = RandomValues(bits, 3 * kFrames, 3000 + bits);
    const int32_t quiet = FullScale(bits) / 8;
    for (auto& v : data) {
        v = v % quiet;
    }
    const int32_t peak = FullScale(bits) / 3;
    data[3 * 30000 + 0] = peak;
    data[3 * 60001 + 1] = -peak;
    data[3 * 1200 + 2] = -peak + 1;
    data[3 * 5 + 0] = FullScale(bits) - 1;
    auto store = MakeStore(bits, 3, data, 8000);
    PeakContext peaks;
    ASSERT_TRUE(store->Process(maskPtr, kFirst, kLast, false, 1, 1, false, &PeakSearchRoutine, 0, &peaks));
    EXPECT_EQ(peaks.peak[0], uint32_t(peak));
    EXPECT_EQ(peaks.peak[1], maskPtr ? 0u : uint32_t(peak));
    EXPECT_EQ(peaks.peak[2], uint32_t(peak - 1));
    auto factors = MaximiseFactors(peaks, bits);
    const int64_t full = FullScale(bits) * 100;
    ASSERT_TRUE(RunInPlace(*store, maskPtr, kFirst, kLast, &VolumeRoutine, &factors));
    ExpectBlockMapped(data, Values(*store), 3, maskPtr, kFirst, kLast, [&](int64_t, uint32_t t, int32_t v) {
        const int64_t f = full / (t == 2 ? peak - 1 : peak);
        return ClampTo(f * v / 100, bits);
    });
}

INSTANTIATE_TEST_SUITE_P(Widths, PieceBoundaries, ::testing::ValuesIn(kWidthsAndMasks), WidthAndMaskName);

} // namespace

// Times effects on one hour of 44.1 kHz 16-bit stereo against `cp` of the same data: maximise, fade in,
// dynamics and reverse through the effect runner. Prints one line per measurement:
// NAME ratio=X.XX peak_mib=N (ratio = wall time / cp's wall time; peak_mib = peak resident memory).
#include "bench_support.h"
#include "effects/effect_runner.h"
#include "store/sample_store.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace ondrix;
using namespace ondrix::bench;

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "/tmp";
    const uint32_t seconds = argc > 2 ? uint32_t(std::atoi(argv[2])) : 3600;
    CSampleStore store;
    // A 440 Hz tone at half scale, so that maximise and dynamics have work to do.
    const bool made = MakeStereoSound(store, dir, seconds, [](uint32_t frame, uint32_t channel) {
        const auto v = int16_t(16000.0 * std::sin(2.0 * 3.141592653589793 * 440.0 * frame / 44100));
        return channel == 0 ? v : int16_t(-v);
    });
    if (!made) {
        return 1;
    }
    const double cp = ReportCopy(store, dir);

    EffectSettings settings;
    settings.dynamics.dynamic = 150;
    for (EffectKind kind :
         {EffectKind::Maximise, EffectKind::FadeIn, EffectKind::Dynamics, EffectKind::Reverse}) {
        EffectRequest request;
        request.kind = kind;
        request.settings = &settings;
        request.firstFrame = 0;
        request.lastFrame = int64_t(store.GetFrameCount()) - 1;
        ResetPeak();
        bool ok = false;
        const double t = Seconds([&] { ok = !RunEffect(store, request, UndoTarget{}).failed; });
        std::printf("%s ratio=%.2f peak_mib=%ld%s\n", std::string(GetEffectInfo(kind).name).c_str(), t / cp,
                    PeakMiB(), ok ? "" : " FAILED");
        std::fflush(stdout);
    }
    return 0;
}

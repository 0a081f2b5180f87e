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
    const uint32_t rate = 44100;
    const uint32_t frames = seconds * rate;

    CSampleStore store;
    store.m_showErrors = 0;
    if (!store.Create(STORE_TEMPFILE, dir, 16, 2, rate, true)) {
        std::fprintf(stderr, "cannot create a store in %s\n", dir.c_str());
        return 1;
    }
    // A 440 Hz tone at half scale, so that maximise and dynamics have work to do.
    std::vector<int16_t> piece(16384 * 2);
    for (uint32_t done = 0; done < frames;) {
        const uint32_t n = std::min<uint32_t>(16384, frames - done);
        for (uint32_t i = 0; i < n; ++i) {
            const auto v = int16_t(16000.0 * std::sin(2.0 * 3.141592653589793 * 440.0 * (done + i) / rate));
            piece[2 * i] = v;
            piece[2 * i + 1] = int16_t(-v);
        }
        store.AppendData(piece.data(), n * 4);
        done += n;
    }
    const double cp = CopySeconds(store.GetTempFileName(), dir);
    std::printf("cp seconds=%.2f bytes=%u\n", cp, store.GetDataSize());

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

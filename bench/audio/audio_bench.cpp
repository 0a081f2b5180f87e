// The CPU time the engine needs to play one minute of 32 tracks at 44.1 kHz, 16 bits, mixed to stereo,
// through the simulated device without pacing: reading, mixing and the hand-over of the buffers.
// Prints: audio_play_32_tracks cpu_fraction=F (the CPU time of all threads over one minute of sound).
#include "audio/engine_waiter.h"
#include "audio/sim_session.h"
#include "store/sample_store.h"

#include <ctime>

#include <cstdio>
#include <string>
#include <vector>

using namespace ondrix;

namespace {

constexpr uint32_t kTracks = 32;
constexpr uint32_t kRate = 44100;
constexpr uint32_t kSeconds = 60;

double CpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

bool FillMinute(CSampleStore& store) {
    std::vector<int16_t> block(size_t(kRate) * kTracks);
    uint32_t state = 1;
    for (int16_t& sample : block) {
        state = state * 1664525u + 1013904223u;
        sample = int16_t(state >> 16);
    }
    for (uint32_t s = 0; s < kSeconds; ++s) {
        if (!store.AppendData(block.data(), uint32_t(block.size() * sizeof(int16_t)))) {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::string directory = argc > 1 ? argv[1] : std::string();
    CSampleStore store;
    if (!store.Create(STORE_TEMPFILE, directory, 16, kTracks, kRate, true) || !FillMinute(store)) {
        std::fprintf(stderr, "audio_bench: cannot make the test sound\n");
        return 1;
    }
    CSimSession sim(CSimClock::Mode::Unpaced, false);
    CEngineWaiter waiter;
    const double before = CpuSeconds();
    if (!store.StartPlayback(-1, 65536, -1, -1, false, &waiter) ||
        !waiter.WaitFor(WM_PLAYSTOPPED, 1, std::chrono::minutes(10))) {
        std::fprintf(stderr, "audio_bench: playback did not run to its end\n");
        return 1;
    }
    const double cpu = CpuSeconds() - before;
    std::printf("audio_play_32_tracks cpu_fraction=%.4f cpu_seconds=%.3f sound_seconds=%u\n", cpu / kSeconds,
                cpu, kSeconds);
    return 0;
}

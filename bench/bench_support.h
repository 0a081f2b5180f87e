#pragma once

// Shared by the benchmark programs: the test sound, wall-clock timing against cp, and the process's peak
// resident memory.

#include "store/sample_store.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace ondrix::bench {

/// Resets the peak resident size so that each measurement reports its own.
inline void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

/// The peak resident size since the last ResetPeak, in MiB; -1 when unknown.
inline long PeakMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atol(line.c_str() + 6) / 1024;
        }
    }
    return -1;
}

/// The wall time of work in seconds.
inline double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

/// The wall time of `cp` copying a file into dir (the physical reference of every ratio); the copy is
/// removed again.
inline double CopySeconds(const std::string& source, const std::string& dir) {
    const std::string copy = dir + "/ondrix-bench-cp";
    const std::string command = "cp --reflink=never '" + source + "' '" + copy + "'";
    const double seconds = Seconds([&] {
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "cp failed\n");
        }
    });
    std::remove(copy.c_str());
    return seconds;
}

/// Makes store a temporary-file store in dir holding seconds of 44.1 kHz 16-bit stereo, whose samples
/// sample(frame, channel) gives. False, with a message, when the store cannot be made.
inline bool MakeStereoSound(CSampleStore& store, const std::string& dir, uint32_t seconds,
                            const std::function<int16_t(uint32_t frame, uint32_t channel)>& sample) {
    constexpr uint32_t kRate = 44100;
    constexpr uint32_t kPieceFrames = 16384;
    store.m_showErrors = 0;
    if (!store.Create(STORE_TEMPFILE, dir, 16, 2, kRate, true)) {
        std::fprintf(stderr, "cannot create a store in %s\n", dir.c_str());
        return false;
    }
    const uint32_t frames = seconds * kRate;
    std::vector<int16_t> piece(kPieceFrames * 2);
    for (uint32_t done = 0; done < frames;) {
        const uint32_t n = std::min(kPieceFrames, frames - done);
        for (uint32_t i = 0; i < n; ++i) {
            piece[2 * i] = sample(done + i, 0);
            piece[2 * i + 1] = sample(done + i, 1);
        }
        if (!store.AppendData(piece.data(), n * 4)) {
            std::fprintf(stderr, "cannot write the test sound to %s\n", dir.c_str());
            return false;
        }
        done += n;
    }
    return true;
}

/// Prints "cp seconds=S bytes=N" for the store's data file and returns cp's time, the reference of
/// every ratio.
inline double ReportCopy(CSampleStore& store, const std::string& dir) {
    const double cp = CopySeconds(store.GetTempFileName(), dir);
    std::printf("cp seconds=%.2f bytes=%u\n", cp, store.GetDataSize());
    return cp;
}

} // namespace ondrix::bench

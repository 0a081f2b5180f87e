#pragma once

// Shared by the benchmark programs: wall-clock timing and the process's peak resident memory.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

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

} // namespace ondrix::bench

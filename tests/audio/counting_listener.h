#pragma once

#include "audio/play_end_listener.h"

#include <atomic>

namespace ondrix::test {

/// Counts the ends a play reports and keeps whether the last one failed.
struct CountingListener : IPlayEndListener {
    void OnPlayEnded(bool failed) noexcept override {
        lastFailed.store(failed);
        ended.fetch_add(1);
    }
    std::atomic<int> ended{0};
    std::atomic<bool> lastFailed{false};
};

} // namespace ondrix::test

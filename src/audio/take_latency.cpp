#include "audio/take_latency.h"

#include "store/sample_store.h"

#include <algorithm>

namespace ondrix {

int64_t LatencyShiftFrames(const CSampleStore& take, int32_t latencyMs) noexcept {
    return take.MsToFrames(std::clamp(latencyMs, kLatencyMsMin, kLatencyMsMax));
}

bool ShiftTakeEarlier(CSampleStore& take, int32_t latencyMs) {
    const int64_t frames = std::min(LatencyShiftFrames(take, latencyMs), int64_t(take.GetFrameCount()));
    return frames <= 0 || take.DeleteBlock(nullptr, 0, frames - 1);
}

} // namespace ondrix

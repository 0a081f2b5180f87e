#pragma once

#include <cstdint>

namespace ondrix {

class CSampleStore;

/// The latency compensation of a take recorded while the other tracks played (`Record`/`LatencyMs`):
/// what the input hears of the playback comes back late by the round trip through the sound card, so the
/// take is moved earlier by that many milliseconds when it is applied.
inline constexpr int32_t kLatencyMsDefault = 0;
inline constexpr int32_t kLatencyMsMin = 0;
inline constexpr int32_t kLatencyMsMax = 1000;

/// The frames a take is moved earlier by: the latency (kept to its range) in the take's frames, rounded up.
int64_t LatencyShiftFrames(const CSampleStore& take, int32_t latencyMs) noexcept;

/// Moves a take earlier by the latency: drops its first frames (all of them when it is shorter). False
/// when the deletion failed (reported by the store).
bool ShiftTakeEarlier(CSampleStore& take, int32_t latencyMs);

} // namespace ondrix

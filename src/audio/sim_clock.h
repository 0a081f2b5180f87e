#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <vector>

namespace ondrix {

class CSimStream;

/// The time source that paces simulated devices.
///  - RealTime: the steady clock; every device runs its own thread that wakes when a buffer is due.
///  - Unpaced: no pacing at all; a device thread finishes each buffer as soon as it is queued.
///  - Manual: time moves only by Advance, which also drives the attached devices on the caller's thread.
class CSimClock {
public:
    enum class Mode { RealTime, Unpaced, Manual };

    /// A clock of the mode; time starts at 0.
    explicit CSimClock(Mode mode) noexcept;
    CSimClock(const CSimClock&) = delete;
    CSimClock& operator=(const CSimClock&) = delete;

    /// How the clock paces its devices.
    Mode GetMode() const noexcept { return m_mode; }
    /// Nanoseconds since the clock started (Unpaced: always 0).
    uint64_t NowNanos() const noexcept;
    /// The steady-clock instant of a clock time (RealTime devices wait for it).
    std::chrono::steady_clock::time_point ToSteady(uint64_t nanos) const noexcept;

    /// Manual: moves time forward and lets every attached device play or record what became due.
    void Advance(uint64_t nanos);
    /// Manual: moves time forward by just enough for `frames` frames at `rate` to become due.
    void AdvanceFrames(uint64_t frames, uint32_t rate);

    /// Registers a device driven by Advance (Manual only).
    void Attach(CSimStream* stream);
    /// Unregisters a device; once it returns, Advance no longer touches the device.
    void Detach(CSimStream* stream);

private:
    const Mode m_mode;
    const std::chrono::steady_clock::time_point m_origin;
    std::atomic<uint64_t> m_manualNow{0};
    std::mutex m_mutex; // guards m_streams and serialises Advance against Detach
    std::vector<CSimStream*> m_streams;
};

/// Bytes that pass in a stretch of clock time at a byte rate (rounded down); exact for long stretches.
uint64_t BytesInNanos(uint64_t nanos, uint64_t bytesPerSecond) noexcept;
/// Clock time needed for a number of bytes at a byte rate (rounded up).
uint64_t NanosForBytes(uint64_t bytes, uint64_t bytesPerSecond) noexcept;

} // namespace ondrix

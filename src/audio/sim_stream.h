#pragma once

#include "audio/audio_device.h"
#include "audio/device_stream.h"
#include "audio/signal_source.h"
#include "audio/sim_clock.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace ondrix {

/// The simulated device of either direction: moves bytes between queued buffers and a memory capture
/// (output) or a signal source (input), as fast as the clock lets them pass.
class CSimStream final : public CDeviceStream {
public:
    enum class Direction { Output, Input };

    /// What the stream needs besides its format.
    struct Setup {
        Direction direction = Direction::Output;
        AudioFormat format;
        CSimClock* clock = nullptr;
        IDeviceCallback* callback = nullptr;
        std::unique_ptr<ISignalSource> source; ///< input: the recorded signal
        /// output: receives every played stretch of bytes (on the device's thread); may be empty
        std::function<void(const uint8_t*, std::size_t)> sink;
        uint64_t failAfterBytes = 0; ///< non-zero: the device fails once this many bytes have passed
        std::function<void(CSimStream*)> onClose; ///< called once when the stream closes (no lock held)
        std::function<void(uint32_t)> onQueue;    ///< called with the length of every queued buffer
        std::function<void()> onReset;            ///< called on every Reset (no lock held)
    };

    /// Opens the stream: an output runs at once, an input waits for Start.
    explicit CSimStream(Setup setup);
    ~CSimStream();

    /// Output: Pause (false) and Restart (true). Input: Stop (false) and Start (true).
    DeviceResult SetRunning(bool running);
    /// Stops, hands every queued buffer back and sets the position to 0.
    DeviceResult Reset();
    /// Bytes played or recorded since open or reset, up to the clock's present.
    bool GetPosition(uint64_t& bytes);
    /// The position: the simulated input puts every frame due into a buffer at once.
    bool GetCapturedPosition(uint64_t& bytes) { return GetPosition(bytes); }
    /// The frame last played or recorded.
    bool GetCurrentFrame(uint8_t* frame);
    /// Moves the bytes that are due by the clock; returns the clock time of the next event (or ~0).
    uint64_t Tick();

    /// Buffers the device holds.
    std::size_t QueuedCount();
    /// Whether the device plays or records (not paused or stopped).
    bool IsRunning();

    static constexpr uint64_t kNever = ~uint64_t(0);

private:
    void ThreadMain();
    void Transfer(AudioBuffer& buffer, uint32_t offset, uint32_t count);
    void Reanchor();
    uint64_t NextEvent() const;
    void Enqueue(AudioBuffer& buffer) override;
    void Wake() noexcept override;
    /// Detaches from the clock and tells the setup's onClose.
    void Finish() noexcept override;

    Setup m_setup;
    std::condition_variable m_wake;
    std::deque<AudioBuffer*> m_queue;
    uint32_t m_headOffset = 0;  // bytes of the head buffer already passed
    uint64_t m_position = 0;    // bytes passed since open or reset
    uint64_t m_totalPassed = 0; // bytes passed since open (for the injected fault)
    uint64_t m_anchorTime = 0;  // clock time at which m_anchorBytes had passed
    uint64_t m_anchorBytes = 0;
    bool m_starved = true;
    bool m_changed = false;
};

} // namespace ondrix

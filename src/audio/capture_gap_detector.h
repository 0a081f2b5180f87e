#pragma once

#include <cstdint>

namespace ondrix {

/// Finds the frames a capture device lost while nobody read it, by comparing the frames it delivered with
/// the frames the elapsed time says it captured. This works whatever the device does on an overrun: a
/// sound card's PCM reports an xrun and restarts empty, a sound server's plugin drops what its queue
/// cannot hold without a word; either way the delivered frames fall behind the clock for good.
///
/// The lag (clock frames less delivered frames) of a healthy stream is the device's latency plus the
/// phase of its periods, and it drifts slowly with the difference of the two clocks. Its baseline is the
/// smallest lag of the last second. A loss is only counted after the device was seen full (or reported an
/// xrun), since a device that was read in time cannot have lost anything: then, once the backlog has been
/// read, the lag above the baseline (the least over a short settling time, so that period phase and
/// scheduling jitter of a few milliseconds do not count) is the loss, when it exceeds kThresholdMs.
class CCaptureGapDetector {
public:
    /// Losses of this many milliseconds or fewer are taken for jitter and not reported.
    static constexpr uint32_t kThresholdMs = 20;
    /// How long the lag is watched after the backlog was read before the loss is taken.
    static constexpr uint32_t kSettleMs = 200;
    /// The baseline is the least lag of a window of this length.
    static constexpr uint32_t kWindowMs = 1000;

    /// A detector for a device of a rate whose buffer holds bufferFrames, delivered in periods.
    CCaptureGapDetector(uint32_t rate, uint64_t periodFrames, uint64_t bufferFrames) noexcept;

    /// The device (re)starts capturing at a time (microseconds on a steady clock): a new timeline.
    void Start(int64_t nowMicros) noexcept;
    /// The device reported an overrun (and was restarted on the same timeline).
    void NoteOverrun() noexcept { m_overflowSeen = true; }
    /// After a read of got frames that left pending frames in the device: the frames of silence that
    /// stand in for frames lost, to be recorded now (0 mostly).
    uint64_t AfterRead(int64_t nowMicros, uint64_t got, uint64_t pending) noexcept;
    /// Frames lost (and made up with silence) since the detector was made.
    uint64_t LostFrames() const noexcept { return m_lostTotal; }

private:
    int64_t Lag(int64_t nowMicros, uint64_t pending) const noexcept;
    int64_t MsToFrames(uint32_t ms) const noexcept { return int64_t(m_rate) * ms / 1000; }

    const uint32_t m_rate;
    const uint64_t m_periodFrames;
    const uint64_t m_fullFrames; // a read that finds this many frames found the device full
    int64_t m_startMicros = 0;
    uint64_t m_delivered = 0; // frames read since the start
    uint64_t m_filled = 0;    // frames of silence made up since the start
    bool m_haveBase = false;
    int64_t m_base = 0;
    int64_t m_windowMin = 0;
    int64_t m_windowEnd = 0;
    bool m_overflowSeen = false;
    bool m_settling = false;
    int64_t m_settleEnd = 0;
    int64_t m_settleMin = 0;
    uint64_t m_lostTotal = 0;
};

} // namespace ondrix

#pragma once

#include "audio/audio_device.h"
#include "audio/play_end_listener.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

namespace ondrix {

/// Makes the sound an accompaniment plays; called on the feeder's worker only.
class IPcmProducer {
public:
    virtual ~IPcmProducer() = default;
    /// Writes up to capacity bytes of whole frames; returns the bytes written, 0 once the sound has ended.
    /// Returns false in failed when the source broke off (the play then ends as failed).
    virtual uint32_t Produce(uint8_t* out, uint32_t capacity, bool& failed) = 0;
};

/// Plays what a producer makes on an output device of the current sound system. Its own worker refills
/// the transfer buffers as the device hands them back and, once the sound has played out or the device
/// or the source failed, closes the device and tells the listener (once). Stop cuts a play off silently.
class CPcmFeeder final : public IDeviceCallback {
public:
    CPcmFeeder() = default;
    ~CPcmFeeder() override;
    CPcmFeeder(const CPcmFeeder&) = delete;
    CPcmFeeder& operator=(const CPcmFeeder&) = delete;

    /// Opens the output and starts playing; false (nothing started) when the device does not open. The
    /// producer and the listener must outlive the play (until Stop returns or the listener was told).
    bool Start(const AccompanimentOutput& output, const AudioFormat& format, IPcmProducer& producer,
               IPlayEndListener& listener);
    /// Cuts the play off and waits until the worker has closed the device; the listener is not told.
    void Stop() noexcept;
    /// Whether a play is running (it may have ended by itself a moment ago).
    bool IsPlaying() const noexcept { return m_playing.load(); }

    void OnDeviceEvent(DeviceEvent event) noexcept override;

private:
    void WorkerMain();
    bool WaitForDevice();
    bool RefillFreeBuffers(bool& ended, bool& failed);

    std::unique_ptr<IAudioOutput> m_output;
    IPcmProducer* m_producer = nullptr;
    IPlayEndListener* m_listener = nullptr;
    std::array<AudioBuffer, 2> m_headers;
    std::array<std::unique_ptr<uint8_t[]>, 2> m_buffers;
    uint32_t m_capacity = 0;

    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    bool m_wakePending = false;
    std::atomic<bool> m_stopRequested{false};
    std::atomic<bool> m_deviceFailed{false};
    std::atomic<bool> m_playing{false};
    std::thread m_worker;
};

} // namespace ondrix

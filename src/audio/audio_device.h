#pragma once

#include "audio/audio_format.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ondrix {

/// The result of a device operation, numbered like the classic wave interface's codes.
enum class DeviceResult : uint32_t {
    Ok = 0,
    Error = 1,        ///< any other failure
    BadDevice = 2,    ///< no device with that number
    Allocated = 4,    ///< the device is in use by another program
    NoDriver = 6,     ///< no sound system at all
    NoMemory = 7,     ///< the driver ran out of memory
    BadFormat = 32,   ///< the device cannot play or record the format
    StillPlaying = 33 ///< a buffer is handed over twice
};

/// Buffer flags, as the wave interface numbers them.
inline constexpr uint32_t kBufferDone = 1;     ///< the device has finished with the buffer
inline constexpr uint32_t kBufferPrepared = 2; ///< the buffer belongs to a run
inline constexpr uint32_t kBufferInQueue = 16; ///< the device holds the buffer

/// One transfer buffer handed between the engine and a device. The device owns it from Queue until it
/// sets kBufferDone (release order), the engine from then on.
struct AudioBuffer {
    uint8_t* data = nullptr;        ///< the memory behind the buffer
    uint32_t length = 0;            ///< bytes to play, or the capacity to record into
    uint32_t bytesRecorded = 0;     ///< bytes recorded; valid once the buffer is done
    std::atomic<uint32_t> flags{0}; ///< kBufferDone | kBufferPrepared | kBufferInQueue
    uint64_t sequence = 0;          ///< queue order, set by the engine

    /// Whether the device holds the buffer.
    bool IsInQueue() const noexcept { return (flags.load(std::memory_order_acquire) & kBufferInQueue) != 0; }
    /// Whether the device has handed the buffer back.
    bool IsDone() const noexcept { return (flags.load(std::memory_order_acquire) & kBufferDone) != 0; }
    /// The device takes the buffer: nothing recorded yet, in its queue, not done.
    void MarkQueued() noexcept {
        bytesRecorded = 0;
        flags.store((flags.load(std::memory_order_relaxed) & ~kBufferDone) | kBufferInQueue,
                    std::memory_order_release);
    }
    /// The device hands the buffer back (its data and bytesRecorded are visible to the owner from now on).
    void MarkDone() noexcept {
        flags.store((flags.load(std::memory_order_relaxed) & ~kBufferInQueue) | kBufferDone,
                    std::memory_order_release);
    }
};

/// What a device tells its owner, on the device's own thread.
enum class DeviceEvent { BufferDone, Error };

/// Receives a device's notifications. Must only signal (never call back into the device).
class IDeviceCallback {
public:
    virtual ~IDeviceCallback() = default;
    /// A buffer was handed back, or the device failed (every queued buffer is then handed back).
    virtual void OnDeviceEvent(DeviceEvent event) noexcept = 0;
};

/// An open device of either direction. Destroying it closes it; no callback runs after Close returns.
class IAudioStream {
public:
    IAudioStream() = default;
    IAudioStream(const IAudioStream&) = delete;
    IAudioStream& operator=(const IAudioStream&) = delete;
    virtual ~IAudioStream() = default;

    /// Hands a buffer to the device (to play, or to record into); sets kBufferInQueue.
    virtual DeviceResult Queue(AudioBuffer& buffer) = 0;
    /// Stops the device and hands every queued buffer back; the position restarts at 0.
    virtual DeviceResult Reset() = 0;
    /// Bytes played or recorded since the device was opened (or reset); false when the query fails.
    virtual bool GetPosition(uint64_t& bytes) = 0;
    /// Copies the frame last played or recorded (one block align); false when the device failed.
    virtual bool GetCurrentFrame(uint8_t* frame) = 0;
    /// Closes the device; an output plays out what it was given unless Reset came first, which cuts it off.
    virtual void Close() noexcept = 0;
};

/// An output device: plays queued buffers in order as soon as they arrive, unless paused.
class IAudioOutput : public IAudioStream {
public:
    /// Stops playing; the position holds.
    virtual DeviceResult Pause() = 0;
    /// Continues after Pause.
    virtual DeviceResult Restart() = 0;
};

/// An input device: opens stopped; records into queued buffers in order while started.
class IAudioInput : public IAudioStream {
public:
    /// Starts recording.
    virtual DeviceResult Start() = 0;
    /// Stops recording and hands back the partly filled current buffer.
    virtual DeviceResult Stop() = 0;
    /// Frames the device lost since it was opened because nobody read them in time (an overrun); it
    /// recorded as many frames of silence in their place, so what it recorded keeps its timing.
    virtual uint64_t GetLostFrames() { return 0; }
    /// Bytes captured since the device was opened (or reset), counting what the device holds and has not
    /// yet put in a buffer; false when the query fails.
    virtual bool GetCapturedPosition(uint64_t& bytes) { return GetPosition(bytes); }
};

/// An output device over a stream class that offers the operations of IAudioStream and SetRunning
/// (false pauses, true restarts); the backends build their devices with it.
template <typename Stream> class CStreamOutput final : public IAudioOutput {
public:
    /// Takes the stream.
    explicit CStreamOutput(std::unique_ptr<Stream> stream) : m_stream(std::move(stream)) {}
    DeviceResult Queue(AudioBuffer& buffer) override { return m_stream->Queue(buffer); }
    DeviceResult Reset() override { return m_stream->Reset(); }
    bool GetPosition(uint64_t& bytes) override { return m_stream->GetPosition(bytes); }
    bool GetCurrentFrame(uint8_t* frame) override { return m_stream->GetCurrentFrame(frame); }
    void Close() noexcept override { m_stream->Close(); }
    DeviceResult Pause() override { return m_stream->SetRunning(false); }
    DeviceResult Restart() override { return m_stream->SetRunning(true); }

private:
    std::unique_ptr<Stream> m_stream;
};

/// An input device over a stream class (SetRunning: false stops, true starts).
template <typename Stream> class CStreamInput final : public IAudioInput {
public:
    /// Takes the stream.
    explicit CStreamInput(std::unique_ptr<Stream> stream) : m_stream(std::move(stream)) {}
    DeviceResult Queue(AudioBuffer& buffer) override { return m_stream->Queue(buffer); }
    DeviceResult Reset() override { return m_stream->Reset(); }
    bool GetPosition(uint64_t& bytes) override { return m_stream->GetPosition(bytes); }
    bool GetCurrentFrame(uint8_t* frame) override { return m_stream->GetCurrentFrame(frame); }
    void Close() noexcept override { m_stream->Close(); }
    DeviceResult Start() override { return m_stream->SetRunning(true); }
    DeviceResult Stop() override { return m_stream->SetRunning(false); }
    uint64_t GetLostFrames() override { return m_stream->GetLostFrames(); }
    bool GetCapturedPosition(uint64_t& bytes) override { return m_stream->GetCapturedPosition(bytes); }

private:
    std::unique_ptr<Stream> m_stream;
};

/// One device as listed to the user.
struct AudioDeviceInfo {
    int number = -1;         ///< the number to open it with; -1 is the preferred device
    std::string name;        ///< the system's name for it
    std::string description; ///< a readable description
};

/// What a device can do, for the settings pages.
struct AudioDeviceCaps {
    uint32_t highestRate = 0; ///< 44100, 22050 or 11025: the highest of these it supports
    uint32_t highestBits = 0; ///< 16 or 8
    uint32_t channels = 0;    ///< 1 or 2
};

/// A sound system: lists its devices and opens them by number (-1 = the preferred device).
class IAudioBackend {
public:
    IAudioBackend() = default;
    IAudioBackend(const IAudioBackend&) = delete;
    IAudioBackend& operator=(const IAudioBackend&) = delete;
    virtual ~IAudioBackend() = default;

    /// A short name ("alsa", "sim").
    virtual std::string Name() const = 0;
    /// Whether the system is there at all; the engine falls back to a simulated device otherwise.
    virtual bool IsAvailable() = 0;
    /// The output devices, numbered from 0 in the system's order.
    virtual std::vector<AudioDeviceInfo> ListOutputs() = 0;
    /// The input devices, numbered from 0 in the system's order.
    virtual std::vector<AudioDeviceInfo> ListInputs() = 0;
    /// What an output device supports; false when it cannot be queried.
    virtual bool QueryOutputCaps(int device, AudioDeviceCaps& caps) = 0;
    /// What an input device supports; false when it cannot be queried.
    virtual bool QueryInputCaps(int device, AudioDeviceCaps& caps) = 0;
    /// Opens an output device; on Ok, out holds it and it is playing (no buffers yet).
    virtual DeviceResult OpenOutput(int device, const AudioFormat& format, IDeviceCallback& callback,
                                    std::unique_ptr<IAudioOutput>& out) = 0;
    /// Opens an input device; on Ok, out holds it, stopped.
    virtual DeviceResult OpenInput(int device, const AudioFormat& format, IDeviceCallback& callback,
                                   std::unique_ptr<IAudioInput>& out) = 0;
};

} // namespace ondrix

#pragma once

#include "audio/audio_device.h"
#include "audio/engine_listener.h"
#include "audio/mix_gains.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ondrix {

class CSampleStore;
class CDataFile;

/// The playback and recording engine of one sample store. A run is one open device, two transfer buffers
/// and one worker thread that refills (playback) or drains (recording) a buffer whenever the device hands
/// one back. The user-interface thread starts, stops and pauses runs and polls position and levels; the
/// worker closes the device and posts the stop message itself.
///
/// While a recording runs, the store's data belongs to the worker: the data size is brought up to date
/// when the run closes (before the stop message, and before GetAudioState returns 0).
class CAudioEngine final : public IDeviceCallback {
public:
    /// The engine of a store.
    explicit CAudioEngine(CSampleStore& store);
    ~CAudioEngine() override;
    CAudioEngine(const CAudioEngine&) = delete;
    CAudioEngine& operator=(const CAudioEngine&) = delete;

    /// Plays frames start..end-1 (negative: from 0 / to the end), repeating with loop; false when there is
    /// nothing to play or the device could not be opened (that is reported).
    bool StartPlayback(int device, uint32_t bufferSize, int64_t start, int64_t end, bool loop,
                       IEngineListener* listener);
    /// Opens the input device paused and queues both buffers; the first TogglePause starts recording.
    bool StartRecording(int device, uint32_t bufferSize, IEngineListener* listener);
    /// Asks the current run to end; returns at once. A second request changes nothing.
    void StopAudio() noexcept;
    /// Stops the current run and waits until its worker has closed the device.
    void StopAndWait() noexcept;
    /// Pauses or resumes the current run. The first resume of a monitored recording starts the take at
    /// the frame the input captures at that moment.
    void TogglePause();
    /// While a recording is opened and not yet started, runs its input so that the levels show it; what
    /// it records is dropped until TogglePause starts the take.
    void MonitorInput();
    /// AUDIO_PLAYING or AUDIO_RECORDING, plus AUDIO_PAUSED; 0 without a run.
    uint32_t GetState() const noexcept;
    /// The frame being played (wrapping with loop) or the frames recorded in this run; 0 without a run.
    uint32_t GetPosition() const;
    /// The levels (0 to 100) of the frame at the device's position; 0 and 0 when idle, paused or failed.
    void GetLevels(uint32_t& left, uint32_t& right) const;
    /// Recomputes the gains from the store's mixer; a running playback hears it in its next buffer.
    void RecomputeGains() noexcept;
    /// Whether the last RecomputeGains found that playback has to mix.
    bool IsMixNeeded() const noexcept { return m_mixNeeded.load(std::memory_order_relaxed); }
    /// Mixes inBytes of the store's frames into the output format; returns the bytes written.
    uint32_t MixBlock(void* out, const void* in, uint32_t inBytes) const noexcept;

    void OnDeviceEvent(DeviceEvent event) noexcept override;

private:
    enum class RunKind : uint32_t { None = 0, Playback = AUDIO_PLAYING, Recording = AUDIO_RECORDING };

    bool PrepareStart();
    void AllocateBuffers(uint32_t bufferSize, uint32_t blockAlign);
    void FreeBuffers() noexcept;
    [[noreturn]] void ReportOpenError(DeviceResult result, bool output);
    void AbandonStart() noexcept;
    void Launch(RunKind kind, uint32_t startMessage, IEngineListener* listener);
    void PlaybackLoop();
    void RecordingLoop();
    void ReadRange(uint8_t* out, uint32_t count);
    void FillAndQueue(AudioBuffer& header);
    void DrainBuffer(AudioBuffer& header);
    std::array<AudioBuffer*, 2> HeadersInQueueOrder() noexcept;
    void WaitForDevice();
    void Fail(uint32_t messageId, const std::string& detail);
    void CloseRun(RunKind kind) noexcept;
    /// Adds the input's lost frames to the stop message (the only message when no fault ended the run).
    void ReportLostFrames(uint64_t frames) noexcept;
    MixGains CurrentGains() const noexcept;
    bool RunOpen() const noexcept { return m_runKind.load(std::memory_order_acquire) != 0; }

    CSampleStore& m_store;

    // Gains, written by RecomputeGains on any thread and read by the worker for every buffer.
    std::array<std::atomic<int32_t>, kMaxTracks> m_gainLeft{};
    std::array<std::atomic<int32_t>, kMaxTracks> m_gainRight{};
    std::atomic<uint32_t> m_gainChannels{1};
    std::atomic<bool> m_mixNeeded{false};

    // Cross-thread flags.
    std::atomic<uint32_t> m_runKind{0};
    std::atomic<bool> m_stopRequested{false};
    std::atomic<bool> m_paused{false};
    std::atomic<bool> m_deviceFailed{false};
    std::atomic<bool> m_monitoring{false}; // a recording not yet started whose input runs for the levels

    // The device; the worker closes it under the lock while the UI thread queries it.
    mutable std::mutex m_deviceMutex;
    std::unique_ptr<IAudioOutput> m_output;
    std::unique_ptr<IAudioInput> m_input;

    // The worker's wake-up, signalled by the device callback and by StopAudio.
    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    bool m_wakePending = false;
    bool m_released = false; // the worker may begin: its start message is out
    std::thread m_worker;

    // Run state: set on the UI thread before the worker starts, then owned by the worker.
    std::array<AudioBuffer, 2> m_headers;
    std::array<std::unique_ptr<uint8_t[]>, 2> m_buffers;
    std::vector<uint8_t> m_mixBlock;
    CDataFile* m_file = nullptr;
    uint64_t m_dataOffset = 0;
    uint32_t m_bits = 16;
    uint32_t m_tracks = 1;
    uint32_t m_blockAlign = 2;
    uint32_t m_bufferSize = 0;
    uint32_t m_readChunk = 0;
    uint32_t m_readPosition = 0; // byte offset in the data of the next read
    uint32_t m_bytesRemaining = 0;
    uint32_t m_rangeLength = 0;
    uint32_t m_rangeStart = 0; // byte offset in the data of the range start
    uint32_t m_channels = 1;
    uint32_t m_recordedEnd = 0;
    uint64_t m_keepFrom = 0;     // recording: input bytes before this are dropped (under m_deviceMutex)
    uint64_t m_drained = 0;      // recording: input bytes the worker has taken from the device
    bool m_inputStarted = false; // recording: the take has started once (under m_deviceMutex)
    uint64_t m_sequence = 0;
    bool m_loop = false;
    IEngineListener* m_listener = nullptr;
    uint32_t m_faultId = 0;
    std::string m_faultText;
};

} // namespace ondrix

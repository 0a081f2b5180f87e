#pragma once

#include "audio/audio_device.h"
#include "audio/signal_source.h"
#include "audio/sim_clock.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace ondrix {

class CSimStream;

/// A sound system made of simulated devices, paced by a clock: outputs can keep what they play in
/// memory, inputs record a signal source. Several outputs may be open at once (a recording's
/// synchronous playback and its accompaniment); each keeps its own capture besides the common one.
/// Tests also use it to inject open errors and failures mid-run.
class CSimAudioBackend final : public IAudioBackend {
public:
    using SourceFactory = std::function<std::unique_ptr<ISignalSource>(const AudioFormat&)>;

    /// A backend with one output and one input device, paced by clock.
    explicit CSimAudioBackend(CSimClock& clock);
    ~CSimAudioBackend() override;

    std::string Name() const override { return "sim"; }
    bool IsAvailable() override { return true; }
    std::vector<AudioDeviceInfo> ListOutputs() override;
    std::vector<AudioDeviceInfo> ListInputs() override;
    bool QueryOutputCaps(int device, AudioDeviceCaps& caps) override;
    bool QueryInputCaps(int device, AudioDeviceCaps& caps) override;
    DeviceResult OpenOutput(int device, const AudioFormat& format, IDeviceCallback& callback,
                            std::unique_ptr<IAudioOutput>& out) override;
    DeviceResult OpenInput(int device, const AudioFormat& format, IDeviceCallback& callback,
                           std::unique_ptr<IAudioInput>& out) override;

    // --- configuration ---
    /// Sets how many output and input devices exist (numbers 0..count-1; -1 is always the first).
    void SetDeviceCounts(int outputs, int inputs);
    /// Keeps every byte the outputs play, for TakeCapture.
    void SetCapture(bool capture);
    /// What the inputs record (default: a 440 Hz sine at half scale).
    void SetInputSource(SourceFactory factory);
    /// The next open (of either direction) fails with this result.
    void FailNextOpen(DeviceResult result);
    /// Devices opened from now on fail once this many bytes have passed (0: never).
    void FailAfterBytes(uint64_t bytes);

    // --- observation ---
    /// The bytes played by every output since the last call, in playing order.
    std::vector<uint8_t> TakeCapture();
    /// The bytes one output played since the last call; outputs count from 0 in the order they opened.
    std::vector<uint8_t> TakeOutputCapture(std::size_t ordinal);
    /// How many outputs have opened since the backend was made.
    std::size_t OutputsOpened();
    /// How many outputs are open now.
    std::size_t OpenOutputCount();
    /// The lengths of the buffers queued on outputs since the last call, in queue order.
    std::vector<uint32_t> TakeQueuedLengths();
    /// The format of the last device opened.
    AudioFormat LastFormat();
    /// How many devices were opened successfully.
    int OpenCount();
    /// How many times an output was reset (cut off) since the backend was made.
    int OutputResets() const { return m_outputResets.load(); }
    /// Whether an output device is open.
    bool IsOutputOpen();
    /// Whether an input device is open.
    bool IsInputOpen();
    /// Buffers held by the first open output device (0 when none is open).
    std::size_t OutputQueued();
    /// Buffers held by the open input device (0 when none is open).
    std::size_t InputQueued();
    /// Whether the open input device records (0 when none is open).
    bool IsInputRunning();
    /// Whether the first open output device plays (false when paused or none is open).
    bool IsOutputRunning();

private:
    DeviceResult CheckOpen(int device, int count, const AudioFormat& format);
    std::unique_ptr<CSimStream> MakeStream(bool output, const AudioFormat& format, IDeviceCallback& callback);

    CSimClock& m_clock;
    std::mutex m_mutex; // guards everything below; taken before a stream's own lock
    int m_outputs = 1;
    int m_inputs = 1;
    bool m_capture = false;
    SourceFactory m_sourceFactory;
    DeviceResult m_failNextOpen = DeviceResult::Ok;
    uint64_t m_failAfter = 0;
    std::mutex m_captureMutex; // guards m_captured and m_queuedLengths; taken inside a stream's lock
    std::vector<uint8_t> m_captured;
    std::vector<std::vector<uint8_t>> m_outputCaptures; // by output ordinal
    std::vector<uint32_t> m_queuedLengths;
    AudioFormat m_lastFormat;
    int m_openCount = 0;
    std::atomic<int> m_outputResets{0};
    std::vector<CSimStream*> m_openOutputs; // in the order they opened
    CSimStream* m_input = nullptr;
};

} // namespace ondrix

#pragma once

#include "audio/audio_device.h"
#include "audio/capture_gap_detector.h"
#include "audio/device_stream.h"

#include <alsa/asoundlib.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace ondrix {

/// Maps an ALSA error code to the device result the engine understands.
DeviceResult AlsaResult(int error, bool preferredDevice) noexcept;

/// One open ALSA PCM of either direction, driven by its own thread: it writes queued buffers into the
/// PCM (or reads the PCM into them) without blocking, and hands a playback buffer back once the PCM has
/// played it through. Every ALSA call is made under the stream's lock.
class CAlsaStream final : public CDeviceStream {
public:
    /// Opens the named PCM; on failure returns the result and leaves the stream unusable.
    static DeviceResult Open(const std::string& name, bool output, bool preferred, const AudioFormat& format,
                             IDeviceCallback& callback, std::unique_ptr<CAlsaStream>& out);
    ~CAlsaStream();

    /// Output: Pause (false) and Restart (true). Input: Stop (false) and Start (true).
    DeviceResult SetRunning(bool running);
    /// Drops what the PCM holds, hands every buffer back and sets the position to 0.
    DeviceResult Reset();
    /// Bytes played or recorded since open or reset.
    bool GetPosition(uint64_t& bytes);
    /// Input: the position and the frames the PCM holds that no buffer has taken yet.
    bool GetCapturedPosition(uint64_t& bytes);
    /// The frame at the position.
    bool GetCurrentFrame(uint8_t* frame);

private:
    struct Pending {
        AudioBuffer* buffer;
        uint64_t first; // stream frame of its first frame
        uint64_t end;   // stream frame after its last frame
    };

    CAlsaStream(snd_pcm_t* pcm, bool output, const AudioFormat& format, IDeviceCallback& callback,
                snd_pcm_uframes_t periodSize, snd_pcm_uframes_t bufferSize, bool canPause);
    void ThreadMain();
    int Service(std::vector<AudioBuffer*>& done, bool& failed);
    int ServiceOutput(std::vector<AudioBuffer*>& done);
    void ServiceInput(std::vector<AudioBuffer*>& done);
    uint64_t PlayedFrames();
    /// Input: after a read, asks the gap detector what was lost and owes that much silence.
    void CheckForGap(uint64_t got, uint64_t pending);
    /// Input: writes owed silence into the head buffer.
    void FillSilence(std::vector<AudioBuffer*>& done);
    bool Recover(int error);
    void FailAll(std::vector<AudioBuffer*>& done);
    void HandBackHead(std::vector<AudioBuffer*>& done);
    void Enqueue(AudioBuffer& buffer) override;
    void Wake() noexcept override;
    /// Closes the PCM, after a short tail when a run ended by itself.
    void Finish() noexcept override;

    snd_pcm_t* m_pcm;
    const snd_pcm_uframes_t m_periodSize;
    const bool m_canPause;
    int m_wakeFd = -1;

    std::deque<Pending> m_queue;
    uint64_t m_queuedEnd = 0; // stream frames queued since open or reset
    uint64_t m_written = 0;   // output: stream frames written; input: frames recorded
    bool m_hardwarePaused = false;
    // input: frames lost while nobody read the PCM are found by the clock and made up with silence, so
    // the recording keeps in time with what played meanwhile
    CCaptureGapDetector m_gaps;
    uint64_t m_silenceOwed = 0;
};

} // namespace ondrix

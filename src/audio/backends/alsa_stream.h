#pragma once

#include "audio/audio_device.h"

#include <alsa/asoundlib.h>

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ondrix {

/// Maps an ALSA error code to the device result the engine understands.
DeviceResult AlsaResult(int error, bool preferredDevice) noexcept;

/// One open ALSA PCM of either direction, driven by its own thread: it writes queued buffers into the
/// PCM (or reads the PCM into them) without blocking, and hands a playback buffer back once the PCM has
/// played it through. Every ALSA call is made under the stream's lock.
class CAlsaStream {
public:
    /// Opens the named PCM; on failure returns the result and leaves the stream unusable.
    static DeviceResult Open(const std::string& name, bool output, bool preferred, const AudioFormat& format,
                             IDeviceCallback& callback, std::unique_ptr<CAlsaStream>& out);
    CAlsaStream(const CAlsaStream&) = delete;
    CAlsaStream& operator=(const CAlsaStream&) = delete;
    ~CAlsaStream();

    /// Queues a buffer.
    DeviceResult Queue(AudioBuffer& buffer);
    /// Output: Pause (false) and Restart (true). Input: Stop (false) and Start (true).
    DeviceResult SetRunning(bool running);
    /// Drops what the PCM holds, hands every buffer back and sets the position to 0.
    DeviceResult Reset();
    /// Bytes played or recorded since open or reset.
    bool GetPosition(uint64_t& bytes);
    /// The frame at the position.
    bool GetCurrentFrame(uint8_t* frame);
    /// Stops the thread and closes the PCM.
    void Close() noexcept;

private:
    struct Pending {
        AudioBuffer* buffer;
        uint64_t first; // stream frame of its first frame
        uint64_t end;   // stream frame after its last frame
    };

    CAlsaStream(snd_pcm_t* pcm, bool output, const AudioFormat& format, IDeviceCallback& callback,
                snd_pcm_uframes_t periodSize, bool canPause);
    void ThreadMain();
    int Service(std::vector<AudioBuffer*>& done, bool& failed);
    int ServiceOutput(std::vector<AudioBuffer*>& done);
    void ServiceInput(std::vector<AudioBuffer*>& done);
    uint64_t PlayedFrames();
    bool Recover(int error);
    void FailAll(std::vector<AudioBuffer*>& done);
    void HandBack(std::vector<AudioBuffer*>& done);
    void Notify(const std::vector<AudioBuffer*>& done, bool failed);
    void Wake() noexcept;

    snd_pcm_t* m_pcm;
    const bool m_output;
    const AudioFormat m_format;
    const uint32_t m_blockAlign;
    IDeviceCallback& m_callback;
    const snd_pcm_uframes_t m_periodSize;
    const bool m_canPause;
    int m_wakeFd = -1;

    std::mutex m_mutex;
    std::deque<Pending> m_queue;
    uint64_t m_queuedEnd = 0; // stream frames queued since open or reset
    uint64_t m_written = 0;   // output: stream frames written; input: frames recorded
    bool m_running;
    bool m_hardwarePaused = false;
    bool m_failed = false;
    bool m_closing = false;
    bool m_closed = false;
    std::vector<uint8_t> m_lastFrame;
    std::thread m_thread;
};

} // namespace ondrix

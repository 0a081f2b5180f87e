#pragma once

#include "audio/audio_device.h"

#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace ondrix {

/// What every device stream shares, whatever moves its bytes: the lock with the state it guards, the
/// checks of a buffer handed over, the notifications of the owner, and closing (stop the device thread,
/// then let the stream finish). A stream's destructor calls Close() itself.
class CDeviceStream {
public:
    CDeviceStream(const CDeviceStream&) = delete;
    CDeviceStream& operator=(const CDeviceStream&) = delete;

    /// Queues a buffer: refused when the stream failed or closes, or when the device holds it already.
    DeviceResult Queue(AudioBuffer& buffer);
    /// Stops the device thread and finishes the stream; no callback runs afterwards. Later calls do nothing.
    void Close() noexcept;
    /// Input: frames lost to overruns since the stream was opened (replaced by silence).
    uint64_t GetLostFrames();

protected:
    /// A stream of a direction and format; it calls back the owner when there is one.
    CDeviceStream(bool output, const AudioFormat& format, IDeviceCallback* callback);
    ~CDeviceStream() = default;

    /// Takes a checked buffer, already marked queued, into the device's queue (lock held).
    virtual void Enqueue(AudioBuffer& buffer) = 0;
    /// Wakes the device thread so that it looks at the state again (no lock held).
    virtual void Wake() noexcept = 0;
    /// Finishes the stream once its thread has stopped (no lock held).
    virtual void Finish() noexcept = 0;

    /// Hands a buffer back to the owner: marks it done and collects it for Notify.
    static void HandBack(AudioBuffer& buffer, std::vector<AudioBuffer*>& done);
    /// Tells the owner of every buffer handed back and of a failure (no lock held).
    void Notify(const std::vector<AudioBuffer*>& done, bool failed) const noexcept;
    /// Copies the frame last played or recorded.
    void CopyLastFrame(uint8_t* frame) const;

    const bool m_output;
    const AudioFormat m_format;
    const uint32_t m_blockAlign;
    std::mutex m_mutex;
    bool m_running;         ///< playing or recording (not paused or stopped)
    bool m_failed = false;  ///< the device failed; every buffer has been handed back
    bool m_closing = false; ///< Close has begun: the thread ends
    std::vector<uint8_t> m_lastFrame;
    uint64_t m_lostFrames = 0; ///< input: frames lost to overruns, replaced by silence
    std::thread m_thread;      ///< the device thread, if the stream runs one

private:
    IDeviceCallback* m_callback;
    bool m_closed = false;
};

} // namespace ondrix

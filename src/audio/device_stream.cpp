#include "audio/device_stream.h"

#include <algorithm>
#include <cstring>

namespace ondrix {

CDeviceStream::CDeviceStream(bool output, const AudioFormat& format, IDeviceCallback* callback)
    : m_output(output), m_format(format), m_blockAlign(std::max<uint32_t>(1, format.BlockAlign())),
      m_running(output), m_lastFrame(m_blockAlign, format.bitsPerSample == 8 ? 0x80 : 0),
      m_callback(callback) {}

DeviceResult CDeviceStream::Queue(AudioBuffer& buffer) {
    {
        std::lock_guard lock(m_mutex);
        if (m_failed || m_closing) {
            return DeviceResult::Error;
        }
        if (buffer.IsInQueue()) {
            return DeviceResult::StillPlaying;
        }
        buffer.MarkQueued();
        Enqueue(buffer);
    }
    Wake();
    return DeviceResult::Ok;
}

uint64_t CDeviceStream::GetLostFrames() {
    std::lock_guard lock(m_mutex);
    return m_lostFrames;
}

void CDeviceStream::Close() noexcept {
    {
        std::lock_guard lock(m_mutex);
        if (m_closed) {
            return;
        }
        m_closed = true;
        m_closing = true;
    }
    Wake();
    if (m_thread.joinable()) {
        m_thread.join();
    }
    Finish();
}

void CDeviceStream::HandBack(AudioBuffer& buffer, std::vector<AudioBuffer*>& done) {
    buffer.MarkDone();
    done.push_back(&buffer);
}

void CDeviceStream::Notify(const std::vector<AudioBuffer*>& done, bool failed) const noexcept {
    if (!m_callback) {
        return;
    }
    for (std::size_t i = 0; i < done.size(); ++i) {
        m_callback->OnDeviceEvent(DeviceEvent::BufferDone);
    }
    if (failed) {
        m_callback->OnDeviceEvent(DeviceEvent::Error);
    }
}

void CDeviceStream::CopyLastFrame(uint8_t* frame) const {
    std::memcpy(frame, m_lastFrame.data(), m_lastFrame.size());
}

} // namespace ondrix

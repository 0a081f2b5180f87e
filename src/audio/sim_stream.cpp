#include "audio/sim_stream.h"

#include <algorithm>
#include <cstring>

namespace ondrix {

CSimStream::CSimStream(Setup setup)
    : CDeviceStream(setup.direction == Direction::Output, setup.format, setup.callback),
      m_setup(std::move(setup)) {
    if (m_setup.clock->GetMode() == CSimClock::Mode::Manual) {
        m_setup.clock->Attach(this);
    } else {
        m_thread = std::thread([this] { ThreadMain(); });
    }
}

CSimStream::~CSimStream() {
    Close();
}

void CSimStream::Wake() noexcept {
    m_wake.notify_all();
}

void CSimStream::Finish() noexcept {
    m_setup.clock->Detach(this);
    if (m_setup.onClose) {
        m_setup.onClose(this);
    }
}

void CSimStream::ThreadMain() {
    std::unique_lock lock(m_mutex);
    while (!m_closing) {
        m_changed = false;
        lock.unlock();
        const uint64_t next = Tick();
        lock.lock();
        if (m_closing || m_changed) {
            continue;
        }
        const auto woken = [this] { return m_closing || m_changed; };
        if (next == kNever) {
            m_wake.wait(lock, woken);
        } else {
            m_wake.wait_until(lock, m_setup.clock->ToSteady(next), woken);
        }
    }
}

void CSimStream::Reanchor() {
    m_anchorTime = m_setup.clock->NowNanos();
    m_anchorBytes = m_position;
}

void CSimStream::Enqueue(AudioBuffer& buffer) {
    m_queue.push_back(&buffer);
    if (m_setup.onQueue) {
        m_setup.onQueue(buffer.length);
    }
    if (m_starved) {
        m_starved = false;
        Reanchor();
    }
    m_changed = true;
}

DeviceResult CSimStream::SetRunning(bool running) {
    Tick(); // everything due up to now passes before the state changes
    std::vector<AudioBuffer*> done;
    {
        std::lock_guard lock(m_mutex);
        if (m_running == running) {
            return DeviceResult::Ok;
        }
        m_running = running;
        if (running) {
            Reanchor();
        } else if (!m_output && !m_queue.empty() && m_headOffset > 0) {
            // A stopped input hands back the partly filled buffer.
            AudioBuffer* head = m_queue.front();
            m_queue.pop_front();
            m_headOffset = 0;
            HandBack(*head, done);
        }
        m_changed = true;
    }
    Wake();
    Notify(done, false);
    return DeviceResult::Ok;
}

DeviceResult CSimStream::Reset() {
    std::vector<AudioBuffer*> done;
    {
        std::lock_guard lock(m_mutex);
        while (!m_queue.empty()) {
            AudioBuffer* buffer = m_queue.front();
            m_queue.pop_front();
            HandBack(*buffer, done);
        }
        m_headOffset = 0;
        m_position = 0;
        m_running = m_output;
        m_starved = true;
        m_changed = true;
    }
    Wake();
    Notify(done, false);
    if (m_setup.onReset) {
        m_setup.onReset();
    }
    return DeviceResult::Ok;
}

bool CSimStream::GetPosition(uint64_t& bytes) {
    Tick();
    std::lock_guard lock(m_mutex);
    bytes = m_position;
    return !m_failed;
}

bool CSimStream::GetCurrentFrame(uint8_t* frame) {
    std::lock_guard lock(m_mutex);
    CopyLastFrame(frame);
    return !m_failed;
}

std::size_t CSimStream::QueuedCount() {
    std::lock_guard lock(m_mutex);
    return m_queue.size();
}

bool CSimStream::IsRunning() {
    std::lock_guard lock(m_mutex);
    return m_running;
}

void CSimStream::Transfer(AudioBuffer& buffer, uint32_t offset, uint32_t count) {
    uint8_t* bytes = buffer.data + offset;
    if (m_output) {
        if (m_setup.sink) {
            m_setup.sink(bytes, count);
        }
    } else {
        if (m_setup.source) {
            m_setup.source->Read(bytes, count);
        } else {
            std::memset(bytes, m_setup.format.bitsPerSample == 8 ? 0x80 : 0, count);
        }
        buffer.bytesRecorded = offset + count;
    }
    if (count >= m_blockAlign) {
        const uint32_t last = (count / m_blockAlign - 1) * m_blockAlign;
        std::memcpy(m_lastFrame.data(), bytes + last, m_blockAlign);
    }
}

uint64_t CSimStream::NextEvent() const {
    if (!m_running || m_failed || m_closing || m_queue.empty()) {
        return kNever;
    }
    if (m_setup.clock->GetMode() == CSimClock::Mode::Unpaced) {
        return 0;
    }
    uint64_t until = m_position + (m_queue.front()->length - m_headOffset);
    if (m_setup.failAfterBytes != 0) {
        until = std::min(until, m_position + (m_setup.failAfterBytes - m_totalPassed));
    }
    return m_anchorTime + NanosForBytes(until - m_anchorBytes, m_setup.format.BytesPerSecond());
}

uint64_t CSimStream::Tick() {
    std::vector<AudioBuffer*> done;
    bool failedNow = false;
    uint64_t next = kNever;
    {
        std::lock_guard lock(m_mutex);
        if (m_running && !m_failed && !m_closing && !m_queue.empty()) {
            uint64_t target = kNever;
            if (m_setup.clock->GetMode() != CSimClock::Mode::Unpaced) {
                const uint64_t now = m_setup.clock->NowNanos();
                const uint64_t elapsed = now > m_anchorTime ? now - m_anchorTime : 0;
                const uint64_t due = BytesInNanos(elapsed, m_setup.format.BytesPerSecond());
                target = m_anchorBytes + due / m_blockAlign * m_blockAlign;
            }
            while (!m_queue.empty() && target > m_position) {
                AudioBuffer& head = *m_queue.front();
                const uint64_t want = head.length - m_headOffset;
                uint64_t count = std::min(want, target - m_position);
                if (m_setup.failAfterBytes != 0) {
                    count = std::min(count, m_setup.failAfterBytes - m_totalPassed);
                }
                if (count > 0) {
                    Transfer(head, m_headOffset, uint32_t(count));
                }
                m_headOffset += uint32_t(count);
                m_position += count;
                m_totalPassed += count;
                if (m_headOffset == head.length) {
                    m_queue.pop_front();
                    m_headOffset = 0;
                    HandBack(head, done);
                }
                if (m_setup.failAfterBytes != 0 && m_totalPassed >= m_setup.failAfterBytes) {
                    m_failed = true;
                    failedNow = true;
                    while (!m_queue.empty()) {
                        HandBack(*m_queue.front(), done);
                        m_queue.pop_front();
                    }
                    m_headOffset = 0;
                    break;
                }
                if (count < want) {
                    break;
                }
            }
            if (m_queue.empty()) {
                m_starved = true;
            }
        }
        next = NextEvent();
    }
    Notify(done, failedNow);
    return next;
}

} // namespace ondrix

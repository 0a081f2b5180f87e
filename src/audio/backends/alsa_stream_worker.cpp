// The stream's worker: it hands buffers to the PCM and back, fills silence, waits and recovers.

#include "audio/backends/alsa_stream.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ondrix {

namespace {

/// How long the thread sleeps at most while the PCM works, in milliseconds.
constexpr int kPollLimit = 100;

} // namespace

void CAlsaStream::HandBackHead(std::vector<AudioBuffer*>& done) {
    AudioBuffer* buffer = m_queue.front().buffer;
    m_queue.pop_front();
    if (buffer->length >= m_blockAlign && m_output) {
        std::memcpy(m_lastFrame.data(), buffer->data + buffer->length - m_blockAlign, m_blockAlign);
    }
    HandBack(*buffer, done);
}

void CAlsaStream::FailAll(std::vector<AudioBuffer*>& done) {
    m_failed = true;
    while (!m_queue.empty()) {
        HandBackHead(done);
    }
}

int CAlsaStream::ServiceOutput(std::vector<AudioBuffer*>& done) {
    bool pendingWrite = false;
    while (m_running) {
        auto next = std::find_if(m_queue.begin(), m_queue.end(),
                                 [this](const Pending& pending) { return pending.end > m_written; });
        if (next == m_queue.end()) {
            break;
        }
        pendingWrite = true;
        const snd_pcm_sframes_t avail = snd_pcm_avail_update(m_pcm);
        if (avail < 0) {
            if (!Recover(int(avail))) {
                return -3;
            }
            continue;
        }
        if (avail == 0) {
            break;
        }
        const uint64_t count = std::min<uint64_t>(uint64_t(avail), next->end - m_written);
        const snd_pcm_sframes_t written =
            snd_pcm_writei(m_pcm, next->buffer->data + (m_written - next->first) * m_blockAlign, count);
        if (written == -EAGAIN) {
            break;
        }
        if (written < 0) {
            if (!Recover(int(written))) {
                return -3;
            }
            continue;
        }
        m_written += uint64_t(written);
        pendingWrite = m_queuedEnd > m_written;
    }
    if (m_running && !pendingWrite && m_written > 0 && snd_pcm_state(m_pcm) == SND_PCM_STATE_PREPARED) {
        snd_pcm_start(m_pcm); // a sound shorter than the start threshold
    }
    const uint64_t played = PlayedFrames();
    while (!m_queue.empty() && m_queue.front().end <= played) {
        HandBackHead(done);
    }
    if (m_queue.empty() || !m_running) {
        return -1;
    }
    if (pendingWrite) {
        return -2;
    }
    const uint64_t left = m_queue.front().end - played;
    return int(std::clamp<uint64_t>(left * 1000 / m_format.rate + 1, 1, kPollLimit));
}
void CAlsaStream::FillSilence(std::vector<AudioBuffer*>& done) {
    AudioBuffer& buffer = *m_queue.front().buffer;
    const uint64_t filled = buffer.bytesRecorded / m_blockAlign;
    const uint64_t room = buffer.length / m_blockAlign - filled;
    const uint64_t count = std::min(room, m_silenceOwed);
    std::memset(buffer.data + filled * m_blockAlign, m_format.bitsPerSample == 8 ? 0x80 : 0,
                count * m_blockAlign);
    m_silenceOwed -= count;
    m_written += count;
    buffer.bytesRecorded += uint32_t(count) * m_blockAlign;
    if (buffer.bytesRecorded + m_blockAlign > buffer.length) {
        HandBackHead(done);
    }
}

void CAlsaStream::ServiceInput(std::vector<AudioBuffer*>& done) {
    for (int guard = 0; m_running && !m_queue.empty() && guard < 64; ++guard) {
        if (m_silenceOwed > 0) {
            FillSilence(done); // the gap comes before what was captured after it
            continue;
        }
        const snd_pcm_sframes_t avail = snd_pcm_avail_update(m_pcm);
        if (avail < 0) {
            if (avail == -EPIPE) {
                m_gaps.NoteOverrun();
            }
            if (!Recover(int(avail)) || snd_pcm_start(m_pcm) < 0) {
                m_failed = true;
                return;
            }
            continue;
        }
        if (avail == 0) {
            return;
        }
        AudioBuffer& buffer = *m_queue.front().buffer;
        const uint64_t filled = buffer.bytesRecorded / m_blockAlign;
        const uint64_t room = buffer.length / m_blockAlign - filled;
        const snd_pcm_sframes_t got = snd_pcm_readi(m_pcm, buffer.data + filled * m_blockAlign,
                                                    std::min<uint64_t>(uint64_t(avail), room));
        if (got == -EAGAIN) {
            return;
        }
        if (got < 0) {
            if (got == -EPIPE) {
                m_gaps.NoteOverrun();
            }
            if (!Recover(int(got)) || snd_pcm_start(m_pcm) < 0) {
                m_failed = true;
                return;
            }
            continue;
        }
        m_written += uint64_t(got);
        buffer.bytesRecorded += uint32_t(got) * m_blockAlign;
        if (buffer.bytesRecorded >= m_blockAlign) {
            std::memcpy(m_lastFrame.data(), buffer.data + buffer.bytesRecorded - m_blockAlign, m_blockAlign);
        }
        CheckForGap(uint64_t(got), uint64_t(std::max<snd_pcm_sframes_t>(0, avail - got)));
        if (buffer.bytesRecorded + m_blockAlign > buffer.length) {
            HandBackHead(done);
        }
    }
}

int CAlsaStream::Service(std::vector<AudioBuffer*>& done, bool& failed) {
    if (m_failed || m_closing) {
        return -1;
    }
    int wait = -1;
    if (m_output) {
        wait = ServiceOutput(done);
        if (wait == -3) {
            m_failed = true;
        }
    } else {
        ServiceInput(done);
        wait = m_running && !m_queue.empty() ? -2 : -1;
    }
    if (m_failed) {
        FailAll(done);
        failed = true;
        return -1;
    }
    return wait;
}

void CAlsaStream::ThreadMain() {
    std::vector<pollfd> fds;
    for (;;) {
        std::vector<AudioBuffer*> done;
        bool failed = false;
        int timeout = -1;
        std::size_t count = 1;
        {
            std::lock_guard lock(m_mutex);
            if (m_closing) {
                break;
            }
            const int wait = Service(done, failed);
            fds.assign(1, pollfd{m_wakeFd, POLLIN, 0});
            if (wait == -2) {
                const int pcmCount = snd_pcm_poll_descriptors_count(m_pcm);
                if (pcmCount > 0) {
                    fds.resize(1 + std::size_t(pcmCount));
                    count += std::size_t(snd_pcm_poll_descriptors(m_pcm, fds.data() + 1, unsigned(pcmCount)));
                }
                timeout = kPollLimit;
            } else {
                timeout = wait;
            }
        }
        Notify(done, failed);
        ::poll(fds.data(), count, timeout);
        uint64_t value = 0;
        [[maybe_unused]] const ssize_t got = ::read(m_wakeFd, &value, sizeof value);
    }
}

} // namespace ondrix

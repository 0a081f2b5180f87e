#include "audio/backends/alsa_stream.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace ondrix {

namespace {

/// The PCM buffer the stream asks for: long enough to ride out scheduling, short enough for a prompt pause.
constexpr unsigned kBufferMicros = 200000;
constexpr unsigned kPeriodMicros = 50000;
/// How long an output that played to its end stays open after its last frame counts as played.
constexpr std::chrono::milliseconds kTailMargin{100};

int64_t NowMicros() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

DeviceResult AlsaResult(int error, bool preferredDevice) noexcept {
    switch (-error) {
    case 0:
        return DeviceResult::Ok;
    case EBUSY:
    case EAGAIN:
        return DeviceResult::Allocated;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return preferredDevice ? DeviceResult::NoDriver : DeviceResult::BadDevice;
    case ENOMEM:
        return DeviceResult::NoMemory;
    case EINVAL:
        return DeviceResult::BadFormat;
    default:
        return DeviceResult::Error;
    }
}

DeviceResult CAlsaStream::Open(const std::string& name, bool output, bool preferred,
                               const AudioFormat& format, IDeviceCallback& callback,
                               std::unique_ptr<CAlsaStream>& out) {
    if (!format.IsPlausible()) {
        return DeviceResult::BadFormat;
    }
    snd_pcm_t* pcm = nullptr;
    int error = snd_pcm_open(&pcm, name.c_str(), output ? SND_PCM_STREAM_PLAYBACK : SND_PCM_STREAM_CAPTURE,
                             SND_PCM_NONBLOCK);
    if (error < 0) {
        return AlsaResult(error, preferred);
    }
    const auto fail = [pcm](DeviceResult result) {
        snd_pcm_close(pcm);
        return result;
    };
    snd_pcm_hw_params_t* hw = nullptr;
    snd_pcm_hw_params_alloca(&hw);
    unsigned rate = format.rate;
    unsigned bufferTime = kBufferMicros;
    unsigned periodTime = kPeriodMicros;
    if (snd_pcm_hw_params_any(pcm, hw) < 0 ||
        snd_pcm_hw_params_set_access(pcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED) < 0 ||
        snd_pcm_hw_params_set_format(
            pcm, hw, format.bitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE) < 0 ||
        snd_pcm_hw_params_set_channels(pcm, hw, format.channels) < 0 ||
        snd_pcm_hw_params_set_rate_resample(pcm, hw, 1) < 0 ||
        snd_pcm_hw_params_set_rate(pcm, hw, rate, 0) < 0) {
        return fail(DeviceResult::BadFormat);
    }
    snd_pcm_hw_params_set_buffer_time_near(pcm, hw, &bufferTime, nullptr);
    snd_pcm_hw_params_set_period_time_near(pcm, hw, &periodTime, nullptr);
    if ((error = snd_pcm_hw_params(pcm, hw)) < 0) {
        return fail(error == -EINVAL ? DeviceResult::BadFormat : AlsaResult(error, preferred));
    }
    snd_pcm_uframes_t periodSize = 0;
    snd_pcm_uframes_t bufferSize = 0;
    snd_pcm_hw_params_get_period_size(hw, &periodSize, nullptr);
    snd_pcm_hw_params_get_buffer_size(hw, &bufferSize);
    const bool canPause = snd_pcm_hw_params_can_pause(hw) != 0;

    snd_pcm_sw_params_t* sw = nullptr;
    snd_pcm_sw_params_alloca(&sw);
    snd_pcm_uframes_t boundary = 0;
    if (snd_pcm_sw_params_current(pcm, sw) < 0 || snd_pcm_sw_params_get_boundary(sw, &boundary) < 0 ||
        snd_pcm_sw_params_set_avail_min(pcm, sw, std::max<snd_pcm_uframes_t>(1, periodSize)) < 0 ||
        snd_pcm_sw_params_set_start_threshold(
            pcm, sw, output ? std::max<snd_pcm_uframes_t>(1, bufferSize / 2) : boundary) < 0) {
        return fail(DeviceResult::Error);
    }
    // An output never stops by itself when it runs dry: it plays silence and its delay keeps telling how
    // much of what was written is still to be heard (a stopped PCM would count the sound server's
    // buffered tail as played, and closing would cut it off).
    if (output && (snd_pcm_sw_params_set_stop_threshold(pcm, sw, boundary) < 0 ||
                   snd_pcm_sw_params_set_silence_threshold(pcm, sw, 0) < 0 ||
                   snd_pcm_sw_params_set_silence_size(pcm, sw, boundary) < 0)) {
        return fail(DeviceResult::Error);
    }
    if (snd_pcm_sw_params(pcm, sw) < 0) {
        return fail(DeviceResult::Error);
    }
    if (snd_pcm_prepare(pcm) < 0) {
        return fail(DeviceResult::Error);
    }
    try {
        out.reset(new CAlsaStream(pcm, output, format, callback, periodSize, bufferSize, canPause));
    } catch (...) {
        return fail(DeviceResult::NoMemory);
    }
    return DeviceResult::Ok;
}

CAlsaStream::CAlsaStream(snd_pcm_t* pcm, bool output, const AudioFormat& format, IDeviceCallback& callback,
                         snd_pcm_uframes_t periodSize, snd_pcm_uframes_t bufferSize, bool canPause)
    : CDeviceStream(output, format, &callback), m_pcm(pcm), m_periodSize(periodSize), m_canPause(canPause),
      m_gaps(format.rate, periodSize, bufferSize) {
    m_wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_wakeFd < 0) {
        throw std::bad_alloc();
    }
    m_thread = std::thread([this] { ThreadMain(); });
}

CAlsaStream::~CAlsaStream() {
    Close();
}

void CAlsaStream::Finish() noexcept {
    std::lock_guard lock(m_mutex);
    if (m_output && m_written > 0 && m_queue.empty() && !m_failed && !m_hardwarePaused) {
        // A run that ended by itself. A sound server's delay is an estimate, and a server re-renders what
        // its sink has not yet played when a stream stops or goes, so stopping the moment the estimate
        // says "played" can still cut off the last milliseconds. Keep the stream running a little longer.
        std::this_thread::sleep_for(kTailMargin);
    }
    snd_pcm_drop(m_pcm);
    snd_pcm_close(m_pcm);
    m_pcm = nullptr;
    ::close(m_wakeFd);
    m_wakeFd = -1;
}

void CAlsaStream::Wake() noexcept {
    const uint64_t one = 1;
    if (m_wakeFd >= 0) {
        [[maybe_unused]] const ssize_t written = ::write(m_wakeFd, &one, sizeof one);
    }
}

void CAlsaStream::Enqueue(AudioBuffer& buffer) {
    const uint64_t frames = buffer.length / m_blockAlign;
    m_queue.push_back({&buffer, m_queuedEnd, m_queuedEnd + frames});
    m_queuedEnd += frames;
}

DeviceResult CAlsaStream::SetRunning(bool running) {
    std::vector<AudioBuffer*> done;
    bool failed = false;
    {
        std::lock_guard lock(m_mutex);
        if (m_failed) {
            return DeviceResult::Error;
        }
        if (m_running == running) {
            return DeviceResult::Ok;
        }
        if (m_output) {
            if (!running && m_canPause && snd_pcm_state(m_pcm) == SND_PCM_STATE_RUNNING) {
                m_hardwarePaused = snd_pcm_pause(m_pcm, 1) == 0;
            } else if (running && m_hardwarePaused) {
                snd_pcm_pause(m_pcm, 0);
                m_hardwarePaused = false;
            }
        } else if (running) {
            if (snd_pcm_state(m_pcm) != SND_PCM_STATE_PREPARED) {
                snd_pcm_prepare(m_pcm);
            }
            if (snd_pcm_start(m_pcm) < 0) {
                return DeviceResult::Error;
            }
            m_gaps.Start(NowMicros()); // a pause is no loss: the clock starts again
        } else {
            Service(done, failed); // take what the PCM holds, then stop it
            snd_pcm_drop(m_pcm);
            snd_pcm_prepare(m_pcm);
            if (!m_queue.empty() && m_queue.front().buffer->bytesRecorded > 0) {
                HandBackHead(done); // a stopped input hands back its partly filled buffer
            }
        }
        m_running = running;
    }
    Wake();
    Notify(done, failed);
    return DeviceResult::Ok;
}

DeviceResult CAlsaStream::Reset() {
    std::vector<AudioBuffer*> done;
    {
        std::lock_guard lock(m_mutex);
        if (m_pcm) {
            snd_pcm_drop(m_pcm);
            snd_pcm_prepare(m_pcm);
        }
        while (!m_queue.empty()) {
            HandBackHead(done);
        }
        m_queuedEnd = 0;
        m_written = 0;
        m_silenceOwed = 0;
        m_hardwarePaused = false;
        m_running = m_output;
    }
    Wake();
    Notify(done, false);
    return DeviceResult::Ok;
}

bool CAlsaStream::GetPosition(uint64_t& bytes) {
    std::lock_guard lock(m_mutex);
    if (m_failed) {
        return false;
    }
    bytes = (m_output ? PlayedFrames() : m_written) * m_blockAlign;
    return true;
}

bool CAlsaStream::GetCapturedPosition(uint64_t& bytes) {
    std::lock_guard lock(m_mutex);
    if (m_failed) {
        return false;
    }
    uint64_t held = m_silenceOwed;
    if (!m_output && m_running) {
        held += uint64_t(std::max<snd_pcm_sframes_t>(0, snd_pcm_avail_update(m_pcm)));
    }
    bytes = ((m_output ? PlayedFrames() : m_written) + held) * m_blockAlign;
    return true;
}

bool CAlsaStream::GetCurrentFrame(uint8_t* frame) {
    std::lock_guard lock(m_mutex);
    if (m_failed) {
        return false;
    }
    if (m_output) {
        const uint64_t played = PlayedFrames();
        for (const Pending& pending : m_queue) {
            if (played >= pending.first && played < pending.end) {
                std::memcpy(frame, pending.buffer->data + (played - pending.first) * m_blockAlign,
                            m_blockAlign);
                return true;
            }
        }
    }
    CopyLastFrame(frame);
    return true;
}

uint64_t CAlsaStream::PlayedFrames() {
    if (m_written == 0) {
        return 0;
    }
    if (snd_pcm_state(m_pcm) == SND_PCM_STATE_XRUN) {
        return m_written; // the PCM ran dry: everything written has been played
    }
    snd_pcm_sframes_t delay = 0;
    if (snd_pcm_delay(m_pcm, &delay) < 0) {
        return m_written;
    }
    delay = std::clamp<snd_pcm_sframes_t>(delay, 0, snd_pcm_sframes_t(m_written));
    return m_written - uint64_t(delay);
}

bool CAlsaStream::Recover(int error) {
    if (error == -EAGAIN) {
        return true;
    }
    return snd_pcm_recover(m_pcm, error, 1) == 0;
}

void CAlsaStream::CheckForGap(uint64_t got, uint64_t pending) {
    const uint64_t lost = m_gaps.AfterRead(NowMicros(), got, pending);
    if (lost > 0) {
        m_silenceOwed += lost;
        m_lostFrames = m_gaps.LostFrames();
    }
}

} // namespace ondrix

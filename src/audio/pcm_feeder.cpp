#include "audio/pcm_feeder.h"

#include "audio/audio_backends.h"

#include <algorithm>

namespace ondrix {

namespace {
constexpr uint32_t kMinBuffer = 4096;
constexpr uint32_t kMaxBuffer = 1u << 20;
} // namespace

CPcmFeeder::~CPcmFeeder() {
    Stop();
}

bool CPcmFeeder::Start(const AccompanimentOutput& output, const AudioFormat& format, IPcmProducer& producer,
                       IPlayEndListener& listener) {
    Stop();
    const uint32_t blockAlign = std::max<uint32_t>(1, format.BlockAlign());
    m_capacity = std::clamp(output.bufferSize, kMinBuffer, kMaxBuffer) / blockAlign * blockAlign;
    m_stopRequested.store(false);
    m_deviceFailed.store(false);
    m_wakePending = true; // the worker fills both buffers at once
    if (CurrentAudioBackend().OpenOutput(output.device, format, *this, m_output) != DeviceResult::Ok) {
        m_output.reset();
        return false;
    }
    for (std::size_t i = 0; i < m_headers.size(); ++i) {
        if (!m_buffers[i]) {
            m_buffers[i] = std::make_unique<uint8_t[]>(kMaxBuffer);
        }
        m_headers[i].data = m_buffers[i].get();
        m_headers[i].length = m_capacity;
        m_headers[i].flags.store(kBufferPrepared | kBufferDone);
    }
    m_producer = &producer;
    m_listener = &listener;
    m_playing.store(true);
    m_worker = std::thread([this] { WorkerMain(); });
    return true;
}

void CPcmFeeder::Stop() noexcept {
    m_stopRequested.store(true);
    {
        std::lock_guard lock(m_wakeMutex);
        m_wakePending = true;
    }
    m_wake.notify_all();
    if (m_worker.joinable()) {
        m_worker.join();
    }
    m_playing.store(false);
}

void CPcmFeeder::OnDeviceEvent(DeviceEvent event) noexcept {
    if (event == DeviceEvent::Error) {
        m_deviceFailed.store(true);
    }
    {
        std::lock_guard lock(m_wakeMutex);
        m_wakePending = true;
    }
    m_wake.notify_all();
}

bool CPcmFeeder::WaitForDevice() {
    std::unique_lock lock(m_wakeMutex);
    m_wake.wait(lock, [this] { return m_wakePending; });
    m_wakePending = false;
    return !m_stopRequested.load();
}

bool CPcmFeeder::RefillFreeBuffers(bool& ended, bool& failed) {
    for (AudioBuffer& header : m_headers) {
        if (ended || header.IsInQueue()) {
            continue;
        }
        const uint32_t bytes = m_producer->Produce(header.data, m_capacity, failed);
        if (failed) {
            return false;
        }
        if (bytes == 0) {
            ended = true;
            continue;
        }
        header.length = bytes;
        if (m_output->Queue(header) != DeviceResult::Ok) {
            failed = true;
            return false;
        }
    }
    return true;
}

void CPcmFeeder::WorkerMain() {
    bool ended = false;
    bool failed = false;
    while (WaitForDevice()) {
        if (m_deviceFailed.load()) {
            failed = true;
            break;
        }
        if (!RefillFreeBuffers(ended, failed)) {
            break;
        }
        if (ended && !m_headers[0].IsInQueue() && !m_headers[1].IsInQueue()) {
            break;
        }
    }
    const bool stopped = m_stopRequested.load();
    if (stopped || failed) {
        m_output->Reset();
    }
    m_output->Close();
    m_output.reset();
    m_playing.store(false);
    if (!stopped) {
        m_listener->OnPlayEnded(failed);
    }
}

} // namespace ondrix

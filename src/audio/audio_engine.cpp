// The engine's runs as such: buffers, the worker's start and wake-up, stop, pause, state, position
// and levels, and closing a run with its stop message.
#include "audio/audio_engine.h"

#include "audio/audio_texts.h"
#include "base/file_exception.h"
#include "base/message_service.h"
#include "base/user_abort.h"
#include "resources/string_table.h"
#include "store/sample_store.h"

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

namespace ondrix {

namespace {

/// The largest transfer buffer the engine accepts (the settings offer up to 512 KiB).
constexpr uint32_t kMaxBufferSize = 16u << 20;

} // namespace

CAudioEngine::CAudioEngine(CSampleStore& store) : m_store(store) {}

CAudioEngine::~CAudioEngine() {
    StopAndWait();
}

bool CAudioEngine::PrepareStart() {
    if (m_worker.joinable() && m_worker.get_id() == std::this_thread::get_id()) {
        return false; // a listener must not start a run from the worker of the previous one
    }
    StopAndWait();
    m_paused.store(false);
    m_monitoring.store(false);
    m_keepFrom = 0;
    m_drained = 0;
    m_inputStarted = false;
    m_deviceFailed.store(false);
    m_stopRequested.store(false);
    m_faultId = 0;
    m_faultText.clear();
    m_sequence = 0;
    {
        std::lock_guard lock(m_wakeMutex);
        m_wakePending = false;
        m_released = false;
    }
    return true;
}

void CAudioEngine::AllocateBuffers(uint32_t bufferSize, uint32_t blockAlign) {
    bufferSize = std::min(bufferSize, kMaxBufferSize) / blockAlign * blockAlign;
    m_bufferSize = std::max(bufferSize, blockAlign);
    try {
        for (std::size_t i = 0; i < m_headers.size(); ++i) {
            m_buffers[i] = std::make_unique<uint8_t[]>(m_bufferSize);
            m_headers[i].data = m_buffers[i].get();
            m_headers[i].length = m_bufferSize;
            m_headers[i].bytesRecorded = 0;
            m_headers[i].flags.store(kBufferPrepared);
        }
    } catch (const std::bad_alloc&) {
        throw MemoryException();
    }
}

void CAudioEngine::FreeBuffers() noexcept {
    for (std::size_t i = 0; i < m_headers.size(); ++i) {
        m_headers[i].data = nullptr;
        m_headers[i].length = 0;
        m_headers[i].flags.store(0);
        m_buffers[i].reset();
    }
    m_mixBlock.clear();
    m_mixBlock.shrink_to_fit();
}

void CAudioEngine::ReportOpenError(DeviceResult result, bool output) {
    if (m_store.m_showErrors) {
        FailWithMessage(OpenErrorText(result, output), MsgIcon::Stop);
    }
    throw UserAbort();
}

void CAudioEngine::AbandonStart() noexcept {
    std::unique_ptr<IAudioStream> device;
    {
        std::lock_guard lock(m_deviceMutex);
        device = m_output ? std::unique_ptr<IAudioStream>(std::move(m_output))
                          : std::unique_ptr<IAudioStream>(std::move(m_input));
    }
    if (device) {
        device->Reset();
        device->Close();
    }
    FreeBuffers();
    m_listener = nullptr;
    m_runKind.store(0);
    m_paused.store(false);
}

void CAudioEngine::Launch(RunKind kind, uint32_t startMessage, IEngineListener* listener) {
    m_listener = listener;
    m_runKind.store(uint32_t(kind), std::memory_order_release);
    // The worker waits at the gate until the start message is out, so the stop message always follows it.
    m_worker = std::thread([this, kind] {
        {
            std::unique_lock lock(m_wakeMutex);
            m_wake.wait(lock, [this] { return m_released; });
        }
        if (kind == RunKind::Playback) {
            PlaybackLoop();
        } else {
            RecordingLoop();
        }
    });
    if (listener) {
        AudioMessage message;
        message.message = startMessage;
        message.lParam = &m_store;
        try {
            listener->PostAudioMessage(message);
        } catch (...) {
            // The run goes on; the listener only missed a notice.
        }
    }
    {
        std::lock_guard lock(m_wakeMutex);
        m_released = true;
    }
    m_wake.notify_all();
}

void CAudioEngine::StopAudio() noexcept {
    if (!RunOpen()) {
        return;
    }
    if (!m_stopRequested.exchange(true)) {
        std::lock_guard lock(m_wakeMutex);
        m_wake.notify_all();
    }
}

void CAudioEngine::StopAndWait() noexcept {
    StopAudio();
    if (!m_worker.joinable()) {
        return;
    }
    if (m_worker.get_id() == std::this_thread::get_id()) {
        m_worker.detach(); // released from its own stop message: the worker touches nothing after posting
    } else {
        m_worker.join();
    }
}

void CAudioEngine::TogglePause() {
    std::lock_guard lock(m_deviceMutex);
    const bool paused = m_paused.load();
    if (m_output) {
        if ((paused ? m_output->Restart() : m_output->Pause()) == DeviceResult::Ok) {
            m_paused.store(!paused);
        }
    } else if (m_input) {
        if (paused && m_monitoring.load()) {
            // the input runs already: the take starts with the frame it captures now
            uint64_t captured = 0;
            if (!m_input->GetCapturedPosition(captured)) {
                return;
            }
            m_keepFrom = captured / m_blockAlign * m_blockAlign;
            m_monitoring.store(false);
            m_paused.store(false);
            m_inputStarted = true;
        } else if ((paused ? m_input->Start() : m_input->Stop()) == DeviceResult::Ok) {
            m_paused.store(!paused);
            m_inputStarted = true;
        }
    }
}

void CAudioEngine::MonitorInput() {
    std::lock_guard lock(m_deviceMutex);
    if (!m_input || !m_paused.load() || m_monitoring.load() || m_inputStarted) {
        return; // only a recording that has never run
    }
    m_keepFrom = std::numeric_limits<uint64_t>::max();
    if (m_input->Start() == DeviceResult::Ok) {
        m_monitoring.store(true);
    } else {
        m_keepFrom = 0;
    }
}

uint32_t CAudioEngine::GetState() const noexcept {
    const uint32_t kind = m_runKind.load(std::memory_order_acquire);
    if (!m_store.HasData() || kind == 0) {
        return 0;
    }
    return kind | (m_paused.load() ? AUDIO_PAUSED : 0);
}

uint32_t CAudioEngine::GetPosition() const {
    std::lock_guard lock(m_deviceMutex);
    IAudioStream* device = m_output ? static_cast<IAudioStream*>(m_output.get()) : m_input.get();
    uint64_t bytes = 0;
    if (!device || !device->GetPosition(bytes)) {
        return 0;
    }
    const uint64_t frames = bytes / m_channels / (m_bits / 8);
    if (m_input) {
        const uint64_t kept = bytes > m_keepFrom ? (bytes - m_keepFrom) / m_channels / (m_bits / 8) : 0;
        return uint32_t(std::min<uint64_t>(kept, std::numeric_limits<uint32_t>::max()));
    }
    const uint64_t rangeFrames = m_rangeLength / m_blockAlign;
    const uint64_t startFrame = m_rangeStart / m_blockAlign;
    return uint32_t(rangeFrames == 0 ? startFrame : startFrame + frames % rangeFrames);
}

void CAudioEngine::GetLevels(uint32_t& left, uint32_t& right) const {
    left = 0;
    right = 0;
    std::lock_guard lock(m_deviceMutex);
    IAudioStream* device = m_output ? static_cast<IAudioStream*>(m_output.get()) : m_input.get();
    uint8_t frame[4] = {};
    if (!device || (m_paused.load() && !m_monitoring.load()) || !device->GetCurrentFrame(frame)) {
        return;
    }
    LevelsOfFrame(frame, m_bits, m_channels, left, right);
}

void CAudioEngine::OnDeviceEvent(DeviceEvent event) noexcept {
    if (event == DeviceEvent::Error) {
        m_deviceFailed.store(true);
    }
    {
        std::lock_guard lock(m_wakeMutex);
        m_wakePending = true;
    }
    m_wake.notify_all();
}

void CAudioEngine::WaitForDevice() {
    std::unique_lock lock(m_wakeMutex);
    m_wake.wait(lock, [this] { return m_wakePending || m_stopRequested.load() || m_deviceFailed.load(); });
    m_wakePending = false;
}

void CAudioEngine::Fail(uint32_t messageId, const std::string& detail) {
    if (m_faultId != 0) {
        return;
    }
    m_faultId = messageId;
    m_faultText = LoadString(messageId);
    if (!detail.empty()) {
        m_faultText += "\n" + detail;
    }
}

void CAudioEngine::CloseRun(RunKind kind) noexcept {
    uint64_t lostFrames = 0;
    {
        std::lock_guard lock(m_deviceMutex);
        // A range that played to its end keeps its tail: closing without a reset lets the device play
        // out what it still holds. A stopped or failed run is cut off at once.
        const bool playedOut = kind == RunKind::Playback && !m_stopRequested.load() &&
                               !m_deviceFailed.load() && m_faultId == 0 && !m_headers[0].IsInQueue() &&
                               !m_headers[1].IsInQueue();
        try {
            if (m_output) {
                if (!playedOut) {
                    m_output->Reset();
                }
                m_output->Close();
            }
            if (m_input) {
                lostFrames = m_input->GetLostFrames();
                m_input->Reset();
                m_input->Close();
            }
        } catch (...) {
            // Closing never fails the run; the device is gone either way.
        }
        m_output.reset();
        m_input.reset();
    }
    if (kind == RunKind::Recording) {
        try {
            if (m_file->GetLength() > m_dataOffset + m_recordedEnd) {
                m_file->SetLength(m_dataOffset + m_recordedEnd); // drop a partly written buffer
            }
        } catch (...) {
        }
        m_store.m_dataSize = m_recordedEnd;
        if (lostFrames > 0) {
            ReportLostFrames(lostFrames);
        }
    }
    FreeBuffers();
    m_stopRequested.store(true);
    AudioMessage message;
    message.message = kind == RunKind::Playback ? WM_PLAYSTOPPED : WM_RECORDSTOPPED;
    message.wParam = m_faultId;
    message.errorText = m_faultText;
    IEngineListener* listener = std::exchange(m_listener, nullptr);
    m_runKind.store(0, std::memory_order_release);
    if (listener) {
        try {
            listener->PostAudioMessage(message);
        } catch (...) {
        }
    }
}

} // namespace ondrix

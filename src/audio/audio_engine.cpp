#include "audio/audio_engine.h"

#include "audio/audio_backends.h"
#include "audio/audio_texts.h"
#include "base/error_report.h"
#include "base/file_exception.h"
#include "base/message_service.h"
#include "base/user_abort.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "store/sample_store.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace ondrix {

namespace {

/// The largest transfer buffer the engine accepts (the settings offer up to 512 KiB).
constexpr uint32_t kMaxBufferSize = 16u << 20;
/// A recording stops before its data would pass what a WAVE data chunk can count.
constexpr uint64_t kRecordLimit = std::numeric_limits<uint32_t>::max();

uint8_t SilenceByte(uint32_t bits) {
    return bits == 8 ? 0x80 : 0;
}

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

bool CAudioEngine::StartPlayback(int device, uint32_t bufferSize, int64_t start, int64_t end, bool loop,
                                 IEngineListener* listener) {
    if (!m_store.HasData() || m_store.m_dataSize == 0) {
        return false;
    }
    const uint32_t blockAlign = m_store.GetBlockAlign();
    const int64_t frames = m_store.m_dataSize / blockAlign;
    const int64_t first = start < 0 ? 0 : std::min(start, frames);
    const int64_t last = end < 0 ? frames : std::min(end, frames);
    if (first >= last || !PrepareStart()) {
        return false; // an empty range plays nothing
    }
    std::unique_ptr<IAudioOutput> output;
    try {
        m_bits = m_store.m_bits;
        m_tracks = m_store.m_tracks;
        m_blockAlign = blockAlign;
        m_channels = m_store.GetStereo() ? 2 : 1;
        m_file = m_store.m_dataFile.get();
        m_dataOffset = m_store.m_dataOffset;
        const AudioFormat format{m_channels, m_store.m_rate, m_bits};
        const DeviceResult result = CurrentAudioBackend().OpenOutput(device, format, *this, output);
        if (result != DeviceResult::Ok || !output) {
            ReportOpenError(result == DeviceResult::Ok ? DeviceResult::Error : result, true);
        }
        m_rangeStart = uint32_t(first) * blockAlign;
        m_rangeLength = uint32_t(last - first) * blockAlign;
        m_readPosition = m_rangeStart;
        m_bytesRemaining = m_rangeLength;
        m_loop = loop;
        const uint32_t outputAlign = format.BlockAlign();
        AllocateBuffers(bufferSize, outputAlign);
        m_readChunk = m_bufferSize / outputAlign * blockAlign;
        m_mixBlock.resize(m_readChunk);
        RecomputeGains();
        {
            std::lock_guard lock(m_deviceMutex);
            m_output = std::move(output);
        }
        Launch(RunKind::Playback, WM_PLAYSTARTED, listener);
        return true;
    } catch (...) {
        AbandonStart();
        ReportException(std::current_exception(), m_store.m_showErrors != 0);
        return false;
    }
}

bool CAudioEngine::StartRecording(int device, uint32_t bufferSize, IEngineListener* listener) {
    if (!m_store.HasData() || m_store.m_storageMode == STORE_INPLACE) {
        return false;
    }
    const uint32_t channels = m_store.GetStereo() ? 2 : 1;
    if (channels != m_store.m_tracks || !PrepareStart()) {
        return false; // recorded frames must be the store's frames
    }
    m_paused.store(true);
    std::unique_ptr<IAudioInput> input;
    try {
        m_bits = m_store.m_bits;
        m_tracks = m_store.m_tracks;
        m_blockAlign = m_store.GetBlockAlign();
        m_channels = channels;
        m_file = m_store.m_dataFile.get();
        m_dataOffset = m_store.m_dataOffset;
        m_recordedEnd = m_store.m_dataSize;
        const AudioFormat format{m_channels, m_store.m_rate, m_bits};
        const DeviceResult result = CurrentAudioBackend().OpenInput(device, format, *this, input);
        if (result != DeviceResult::Ok || !input) {
            ReportOpenError(result == DeviceResult::Ok ? DeviceResult::Error : result, false);
        }
        AllocateBuffers(bufferSize, m_blockAlign);
        for (AudioBuffer& header : m_headers) {
            header.sequence = ++m_sequence;
            const DeviceResult queued = input->Queue(header);
            if (queued != DeviceResult::Ok) {
                ReportOpenError(queued, false);
            }
        }
        {
            std::lock_guard lock(m_deviceMutex);
            m_input = std::move(input);
        }
        Launch(RunKind::Recording, WM_RECORDSTARTED, listener);
        return true;
    } catch (...) {
        if (input) {
            input->Reset();
            input->Close();
        }
        AbandonStart();
        ReportException(std::current_exception(), m_store.m_showErrors != 0);
        return false;
    }
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
        if ((paused ? m_input->Start() : m_input->Stop()) == DeviceResult::Ok) {
            m_paused.store(!paused);
        }
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
        return uint32_t(std::min<uint64_t>(frames, std::numeric_limits<uint32_t>::max()));
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
    if (!device || m_paused.load() || !device->GetCurrentFrame(frame)) {
        return;
    }
    LevelsOfFrame(frame, m_bits, m_channels, left, right);
}

void CAudioEngine::RecomputeGains() noexcept {
    bool stereo = m_store.GetStereo();
    if (m_runKind.load() == uint32_t(RunKind::Playback)) {
        stereo = m_channels == 2; // a running playback keeps its output layout
    }
    const MixGains gains =
        ComputeMixGains(m_store.m_mixer, m_store.m_playOff.data(), m_store.m_tracks, stereo);
    for (int t = 0; t < kMaxTracks; ++t) {
        m_gainLeft[t].store(gains.left[t], std::memory_order_relaxed);
        m_gainRight[t].store(gains.right[t], std::memory_order_relaxed);
    }
    m_gainChannels.store(gains.channels, std::memory_order_relaxed);
    m_mixNeeded.store(gains.mixNeeded, std::memory_order_relaxed);
}

MixGains CAudioEngine::CurrentGains() const noexcept {
    MixGains gains;
    for (int t = 0; t < kMaxTracks; ++t) {
        gains.left[t] = m_gainLeft[t].load(std::memory_order_relaxed);
        gains.right[t] = m_gainRight[t].load(std::memory_order_relaxed);
    }
    gains.channels = m_gainChannels.load(std::memory_order_relaxed);
    gains.mixNeeded = m_mixNeeded.load(std::memory_order_relaxed);
    return gains;
}

uint32_t CAudioEngine::MixBlock(void* out, const void* in, uint32_t inBytes) const noexcept {
    if (!out || !in) {
        return 0;
    }
    return MixFrames(CurrentGains(), m_store.m_bits, m_store.m_tracks, static_cast<uint8_t*>(out),
                     static_cast<const uint8_t*>(in), inBytes);
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

void CAudioEngine::ReportLostFrames(uint64_t frames) noexcept {
    try {
        const uint64_t ms = m_store.m_rate ? frames * 1000 / m_store.m_rate : 0;
        std::string amount = LoadString(str::kLostFramesText);
        amount.replace(amount.find("%s"), 2, std::to_string(frames));
        amount.replace(amount.find("%s"), 2, std::to_string(ms));
        std::string text = LoadString(str::kRecordOverrunText);
        text.replace(text.find("%s"), 2, amount);
        if (m_faultId == 0) {
            m_faultId = str::kRecordOverrunText; // shown with the stop message, though the run went on
            m_faultText = text;
        } else {
            m_faultText += "\n" + text; // one message for both
        }
    } catch (...) {
        // no memory for the text: the recording itself is whole
    }
}

void CAudioEngine::ReadRange(uint8_t* out, uint32_t count) {
    const std::size_t got = m_file->ReadAt(m_dataOffset + m_readPosition, out, count);
    if (got < count) {
        std::memset(out + got, SilenceByte(m_bits), count - got);
    }
    m_readPosition += count;
}

void CAudioEngine::FillAndQueue(AudioBuffer& header) {
    const uint32_t count = std::min(m_readChunk, m_bytesRemaining);
    m_bytesRemaining -= count;
    header.length = count / m_tracks * m_channels;
    if (m_mixNeeded.load(std::memory_order_relaxed)) {
        ReadRange(m_mixBlock.data(), count);
        MixFrames(CurrentGains(), m_bits, m_tracks, header.data, m_mixBlock.data(), count);
    } else {
        ReadRange(header.data, count);
    }
    header.flags.store(kBufferPrepared, std::memory_order_release);
    header.sequence = ++m_sequence;
    if (m_output->Queue(header) != DeviceResult::Ok) {
        m_deviceFailed.store(true);
    }
}

void CAudioEngine::PlaybackLoop() {
    try {
        for (;;) {
            if (m_stopRequested.load() || m_deviceFailed.load()) {
                break;
            }
            if (m_bytesRemaining == 0 && !m_headers[0].IsInQueue() && !m_headers[1].IsInQueue()) {
                break; // the range has played out
            }
            for (AudioBuffer& header : m_headers) {
                if (!header.IsInQueue() && m_bytesRemaining > 0 && !m_deviceFailed.load()) {
                    FillAndQueue(header);
                }
                if (m_stopRequested.load()) {
                    break;
                }
            }
            if (m_bytesRemaining == 0 && m_loop) {
                m_bytesRemaining = m_rangeLength;
                m_readPosition = m_rangeStart;
            }
            if (m_bytesRemaining == 0 || (m_headers[0].IsInQueue() && m_headers[1].IsInQueue())) {
                WaitForDevice();
            }
        }
    } catch (const FileException& error) {
        Fail(str::kPlaybackReadFailedText, error.GetMessageText());
    } catch (...) {
        Fail(str::kPlaybackReadFailedText, std::string());
    }
    if (m_deviceFailed.load() && !m_stopRequested.load()) {
        Fail(str::kPlaybackDeviceFailedText, std::string());
    }
    CloseRun(RunKind::Playback);
}

std::array<AudioBuffer*, 2> CAudioEngine::HeadersInQueueOrder() noexcept {
    std::array<AudioBuffer*, 2> order{&m_headers[0], &m_headers[1]};
    if (order[1]->sequence < order[0]->sequence) {
        std::swap(order[0], order[1]);
    }
    return order;
}

void CAudioEngine::DrainBuffer(AudioBuffer& header) {
    uint64_t count = header.bytesRecorded / m_blockAlign * m_blockAlign;
    if (count == 0 || m_faultId != 0) {
        return;
    }
    const uint64_t room = (kRecordLimit - m_recordedEnd) / m_blockAlign * m_blockAlign;
    const bool full = count > room;
    count = std::min(count, room);
    try {
        if (count > 0) {
            m_file->WriteAt(m_dataOffset + m_recordedEnd, header.data, std::size_t(count));
            m_recordedEnd += uint32_t(count);
        }
    } catch (const FileException& error) {
        Fail(str::kRecordWriteFailedText, error.GetMessageText());
        return;
    } catch (...) {
        Fail(str::kRecordWriteFailedText, std::string());
        return;
    }
    if (full) {
        Fail(str::kRecordLimitText, std::string());
    }
}

void CAudioEngine::RecordingLoop() {
    for (;;) {
        const bool stopNow = m_stopRequested.load() || m_deviceFailed.load() || m_faultId != 0;
        if (stopNow) {
            m_input->Stop(); // hands back the partly filled buffer
        }
        for (AudioBuffer* header : HeadersInQueueOrder()) {
            if (!header->IsDone()) {
                continue;
            }
            DrainBuffer(*header);
            header->flags.store(kBufferPrepared, std::memory_order_release);
            if (!stopNow && m_faultId == 0) {
                header->sequence = ++m_sequence;
                if (m_input->Queue(*header) != DeviceResult::Ok) {
                    m_deviceFailed.store(true);
                }
            }
        }
        if (stopNow) {
            break;
        }
        if (m_faultId == 0 && !m_deviceFailed.load() && m_headers[0].IsInQueue() &&
            m_headers[1].IsInQueue()) {
            WaitForDevice();
        }
    }
    if (m_deviceFailed.load() && !m_stopRequested.load()) {
        Fail(str::kRecordDeviceFailedText, std::string());
    }
    CloseRun(RunKind::Recording);
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

// The recording run of the engine: opening the input paused and the worker that appends the recorded
// buffers to the store's data, up to the size a WAVE file can hold.
#include "audio/audio_engine.h"

#include "audio/audio_backends.h"
#include "base/error_report.h"
#include "base/file_exception.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "store/data_file.h"
#include "store/sample_store.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace ondrix {

namespace {

/// A recording stops before its data would pass what a WAVE data chunk can count.
constexpr uint64_t kRecordLimit = std::numeric_limits<uint32_t>::max();

} // namespace

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

std::array<AudioBuffer*, 2> CAudioEngine::HeadersInQueueOrder() noexcept {
    std::array<AudioBuffer*, 2> order{&m_headers[0], &m_headers[1]};
    if (order[1]->sequence < order[0]->sequence) {
        std::swap(order[0], order[1]);
    }
    return order;
}

void CAudioEngine::DrainBuffer(AudioBuffer& header) {
    uint64_t count = header.bytesRecorded / m_blockAlign * m_blockAlign;
    const uint64_t first = m_drained;
    m_drained += count;
    uint64_t keepFrom = 0;
    {
        // Read under the lock that TogglePause sets it under: a buffer handed back before the take
        // started holds only frames captured before it.
        std::lock_guard lock(m_deviceMutex);
        keepFrom = m_keepFrom;
    }
    const uint64_t skip = keepFrom > first ? std::min(count, keepFrom - first) : 0;
    count -= skip;
    if (count == 0 || m_faultId != 0) {
        return;
    }
    const uint64_t room = (kRecordLimit - m_recordedEnd) / m_blockAlign * m_blockAlign;
    const bool full = count > room;
    count = std::min(count, room);
    try {
        if (count > 0) {
            m_file->WriteAt(m_dataOffset + m_recordedEnd, header.data + skip, std::size_t(count));
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

} // namespace ondrix

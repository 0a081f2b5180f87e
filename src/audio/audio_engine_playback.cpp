// The playback run of the engine: opening the output and the worker that reads, mixes and queues the
// range buffer by buffer.
#include "audio/audio_engine.h"

#include "audio/audio_backends.h"
#include "base/error_report.h"
#include "base/file_exception.h"
#include "resources/string_ids.h"
#include "store/data_file.h"
#include "store/sample_store.h"

#include <algorithm>
#include <cstring>

namespace ondrix {

namespace {

uint8_t SilenceByte(uint32_t bits) {
    return bits == 8 ? 0x80 : 0;
}

} // namespace

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

} // namespace ondrix

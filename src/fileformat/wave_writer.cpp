#include "fileformat/wave_writer.h"

#include "base/error_report.h"
#include "base/file_exception.h"
#include "base/progress.h"
#include "fileformat/output_file.h"
#include "fileformat/riff.h"
#include "fileformat/wave_clipboard.h"
#include "fileformat/wave_format.h"
#include "fileformat/wave_messages.h"
#include "resources/string_ids.h"
#include "store/sample_store.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace ondrix {

namespace {

constexpr uint32_t kPiece = 65536;
constexpr int kIndexIcrd = 4;
constexpr std::size_t kCreationDateLength = 11;
constexpr uint32_t kCreationDateSize = 12;

/// Bytes of a text up to its first zero byte.
std::size_t TextLength(const std::string& text) noexcept {
    return std::strlen(text.c_str());
}

void AppendId(std::vector<uint8_t>& out, const char* id) {
    out.insert(out.end(), id, id + 4);
}

void AppendU32(std::vector<uint8_t>& out, uint64_t value) {
    uint8_t bytes[4];
    riff::PutU32(bytes, uint32_t(value));
    out.insert(out.end(), bytes, bytes + 4);
}

void AppendPad(std::vector<uint8_t>& out, uint64_t size) {
    if (size & 1) {
        out.push_back(0);
    }
}

void AppendNames(std::vector<uint8_t>& out, const CSampleStore& store) {
    const uint32_t tracks = store.GetTrackCount();
    uint64_t size = 0;
    bool named = false;
    for (uint32_t t = 0; t < tracks; ++t) {
        size += TextLength(store.m_trackNames[t]) + 5;
        named = named || TextLength(store.m_trackNames[t]) > 0;
    }
    if (!named) {
        return;
    }
    AppendId(out, "chtt");
    AppendU32(out, size);
    for (uint32_t t = 0; t < tracks; ++t) {
        const std::string& name = store.m_trackNames[t];
        const std::size_t length = TextLength(name);
        AppendU32(out, length + 1);
        out.insert(out.end(), name.begin(), name.begin() + std::ptrdiff_t(length));
        out.push_back(0);
    }
    AppendPad(out, size);
}

void AppendInfo(std::vector<uint8_t>& out, const CSampleStore& store) {
    std::vector<uint8_t> body;
    AppendId(body, "INFO");
    for (int i = 0; i < kInfoTextCount; ++i) {
        const std::string& text = store.m_infoTexts[std::size_t(i)];
        std::size_t length = TextLength(text);
        if (length == 0) {
            continue;
        }
        uint64_t size = length + 1;
        if (i == kIndexIcrd) {
            length = std::min(length, kCreationDateLength);
            size = kCreationDateSize;
        }
        AppendId(body, kInfoIds[i]);
        AppendU32(body, size);
        body.insert(body.end(), text.begin(), text.begin() + std::ptrdiff_t(length));
        body.insert(body.end(), std::size_t(size - length), 0);
        AppendPad(body, size);
    }
    if (body.size() == 4) {
        return;
    }
    AppendId(out, "LIST");
    AppendU32(out, body.size());
    out.insert(out.end(), body.begin(), body.end());
    AppendPad(out, body.size());
}

/// Hands the samples to sink in pieces of at most 64 KiB, showing the progress after each piece.
void ForEachPiece(CDataFile& data, uint64_t offset, uint32_t size, ProgressScope& progress,
                  const std::function<void(const uint8_t*, std::size_t)>& sink) {
    std::vector<uint8_t> buffer(std::min(size, kPiece));
    uint32_t done = 0;
    while (done < size) {
        const uint32_t want = std::min(kPiece, size - done);
        if (data.ReadAt(offset + done, buffer.data(), want) != want) {
            throw FileException(FileException::endOfFile, data.GetPath());
        }
        sink(buffer.data(), want);
        done += want;
        progress.Update(done, size);
    }
}

} // namespace

std::vector<uint8_t> MakeTrailingChunks(const CSampleStore& store) {
    std::vector<uint8_t> out;
    AppendPad(out, store.GetDataSize());
    if (store.IsMixerNonStandard()) {
        const MixerBlock& mixer = store.Mixer();
        AppendId(out, "chnn");
        AppendU32(out, sizeof mixer);
        const auto* bytes = reinterpret_cast<const uint8_t*>(&mixer);
        out.insert(out.end(), bytes, bytes + sizeof mixer);
        AppendPad(out, sizeof mixer);
    }
    AppendNames(out, store);
    AppendInfo(out, store);
    return out;
}

bool CSampleStore::Save(const std::string& path, bool raw) {
    if (!HasData()) {
        return false;
    }
    try {
        ProgressScope progress(m_progressWindowId, m_progressTextId);
        if (path.empty()) {
            if (!raw && kWaveHeaderSize - 8 + uint64_t(m_dataSize) > kMaxChunkSize) {
                FailWithFileMessage(str::kMsgClipboardTooLarge, path, m_showErrors != 0);
            }
            std::vector<uint8_t> block;
            block.reserve((raw ? 0 : kWaveHeaderSize) + std::size_t(m_dataSize));
            if (!raw) {
                const auto header =
                    MakeWaveHeader(m_bits, m_tracks, m_rate, m_dataSize, kWaveHeaderSize - 8 + m_dataSize);
                block.insert(block.end(), header.begin(), header.end());
            }
            ForEachPiece(*m_dataFile, m_dataOffset, m_dataSize, progress,
                         [&block](const uint8_t* piece, std::size_t n) {
                             block.insert(block.end(), piece, piece + n);
                         });
            if (!WaveClipboard().SetWave(std::move(block))) {
                FailWithFileMessage(str::kMsgClipboardUnavailable, path, m_showErrors != 0);
            }
            return true;
        }
        const std::vector<uint8_t> tail = raw ? std::vector<uint8_t>() : MakeTrailingChunks(*this);
        const uint64_t riffSize = kWaveHeaderSize - 8 + uint64_t(m_dataSize) + tail.size();
        if (!raw && riffSize > kMaxChunkSize) {
            throw FileException(FileException::tooLarge, path, true);
        }
        COutputFile out(path);
        if (!raw) {
            const auto header = MakeWaveHeader(m_bits, m_tracks, m_rate, m_dataSize, uint32_t(riffSize));
            out.Write(header.data(), header.size());
        }
        const KernelCopyEnd samples{m_dataFile->GetDescriptor(), m_dataOffset, &m_dataFile->GetPath()};
        if (!out.AppendFromFile(samples, m_dataSize,
                                [&progress](uint64_t done, uint64_t all) { progress.Update(done, all); })) {
            ForEachPiece(*m_dataFile, m_dataOffset, m_dataSize, progress,
                         [&out](const uint8_t* piece, std::size_t n) { out.Write(piece, n); });
        }
        out.Write(tail.data(), tail.size());
        out.Commit();
        return true;
    } catch (...) {
        ReportException(std::current_exception(), m_showErrors != 0);
        return false;
    }
}

} // namespace ondrix

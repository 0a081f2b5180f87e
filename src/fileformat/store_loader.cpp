#include "fileformat/store_loader.h"

#include "base/error_report.h"
#include "base/file_exception.h"
#include "base/progress.h"
#include "fileformat/builtin_sound.h"
#include "fileformat/memory_view_file.h"
#include "fileformat/wave_clipboard.h"
#include "fileformat/wave_format.h"
#include "fileformat/wave_messages.h"
#include "fileformat/wave_parser.h"
#include "resources/string_ids.h"
#include "store/store_copy.h"

#include <vector>

namespace ondrix {

namespace {

/// The highest stated rate of a raw file: the byte rate of 32 tracks of 16 bits still fits 32 bits.
constexpr uint32_t kMaxRawRate = 0xFFFFFFFFu / 64;

bool IsValidRaw(const RawFormat& raw) noexcept {
    return IsStoreFormat(raw.bits, raw.tracks) && raw.rate >= 1 && raw.rate <= kMaxRawRate;
}

/// A headerless file: everything from the offset on, in whole frames.
WaveLayout RawLayout(CDataFile& input, const RawFormat& raw, const std::string& name, bool showErrors) {
    const uint64_t length = input.GetLength();
    const uint64_t there = length > raw.offset ? length - raw.offset : 0;
    const uint32_t blockAlign = raw.tracks * (raw.bits / 8);
    const uint64_t whole = there / blockAlign * blockAlign;
    if (whole > kMaxChunkSize) {
        FailWithFileMessage(str::kMsgRawTooLarge, name, showErrors);
    }
    WaveLayout layout;
    layout.bits = raw.bits;
    layout.tracks = raw.tracks;
    layout.rate = raw.rate;
    layout.dataOffset = raw.offset;
    layout.dataSize = uint32_t(whole);
    return layout;
}

} // namespace

WaveLayout CStoreLoader::ReadLayout(CDataFile& input, const RawFormat* raw, const std::string& name) {
    const bool show = m_store.m_showErrors != 0;
    if (raw) {
        return RawLayout(input, *raw, name, show);
    }
    try {
        return ParseWave(input);
    } catch (const WaveFormatError& error) {
        FailWithFileMessage(error.MessageId(), name, show);
    }
}

std::unique_ptr<CDataFile> CStoreLoader::CopySamples(CDataFile& input, const WaveLayout& layout,
                                                     StorageMode mode, const std::string& directory,
                                                     const std::string& name, ProgressScope& progress) {
    std::unique_ptr<CDataFile> data = m_store.MakeDataFile(mode, directory);
    if (layout.dataSize == 0) {
        return data;
    }
    if (data->GetDescriptor() < 0) {
        // A memory file: reserve the whole size at once instead of growing it piece by piece.
        data->SetLength(layout.dataSize);
        data->SetLength(0);
    }
    CopyDataFile(input, layout.dataOffset, layout.dataSize, *data,
                 [&progress](uint64_t done, uint64_t total) { progress.Update(done, total); });
    if (data->GetLength() != layout.dataSize) {
        throw FileException(FileException::endOfFile, name); // the source shrank while it was read
    }
    return data;
}

void CStoreLoader::ApplyChunks(const WaveLayout& layout) {
    if (layout.mixerPresent) {
        m_store.m_mixer = layout.mixer;
    }
    m_store.m_trackNames = layout.names;
    m_store.m_infoTexts = layout.infoTexts;
}

bool CStoreLoader::Load(const Source& source, const RawFormat* raw, StorageMode mode,
                        const std::string& directory) {
    const bool memory = source.data != nullptr;
    if ((memory && (raw || mode == STORE_INPLACE)) || (raw && !IsValidRaw(*raw))) {
        return false;
    }
    m_store.Release();
    try {
        ProgressScope progress(m_store.m_progressWindowId, m_store.m_progressTextId);
        std::unique_ptr<CDataFile> input;
        if (memory) {
            input = std::make_unique<CMemoryViewFile>(source.data, source.size);
        } else {
            input = CInPlaceDataFile::Open(source.path);
        }
        const WaveLayout layout = ReadLayout(*input, raw, source.path);
        std::unique_ptr<CDataFile> data;
        uint32_t dataOffset = 0;
        if (mode == STORE_INPLACE) {
            data = std::move(input); // the samples stay in the source file, which is never deleted
            dataOffset = uint32_t(layout.dataOffset);
        } else {
            data = CopySamples(*input, layout, mode, directory, source.path, progress);
        }
        progress.Update(1, 1);
        m_store.AdoptDataFile(std::move(data), mode, dataOffset,
                              mode == STORE_TEMPFILE ? directory : std::string(), layout.bits, layout.tracks,
                              layout.rate, layout.dataSize);
        if (!raw) {
            ApplyChunks(layout);
        }
        m_store.RecomputeGains();
        return true;
    } catch (...) {
        ReportException(std::current_exception(), m_store.m_showErrors != 0);
        m_store.Release();
        return false;
    }
}

bool CSampleStore::Load(const std::string& path, StorageMode mode, const std::string& directory) {
    return CStoreLoader(*this).Load({path}, nullptr, mode, directory);
}

bool CSampleStore::Load(const void* data, std::size_t size, StorageMode mode, const std::string& directory) {
    return data != nullptr && CStoreLoader(*this).Load({std::string(), data, size}, nullptr, mode, directory);
}

bool CSampleStore::LoadRaw(const std::string& path, const RawFormat& format, StorageMode mode,
                           const std::string& directory) {
    return CStoreLoader(*this).Load({path}, &format, mode, directory);
}

bool CSampleStore::LoadResourceWave(uint32_t id, StorageMode mode, const std::string& directory) {
    const std::span<const uint8_t> image = FindWaveResource(id);
    return !image.empty() && Load(image.data(), image.size(), mode, directory);
}

bool CSampleStore::LoadClipboardWave(StorageMode mode, const std::string& directory) {
    std::vector<uint8_t> block;
    return WaveClipboard().GetWave(block) && Load(block.data(), block.size(), mode, directory);
}

} // namespace ondrix

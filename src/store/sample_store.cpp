#include "store/sample_store.h"

#include "base/error_report.h"
#include "base/file_exception.h"
#include "base/message_service.h"
#include "base/progress.h"
#include "base/user_abort.h"
#include "resources/string_ids.h"
#include "store/recovery_note.h"
#include "store/store_copy.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

#include <fcntl.h>

namespace ondrix {

CSampleStore::CSampleStore() = default;

CSampleStore::~CSampleStore() {
    Release();
}

std::unique_ptr<CDataFile> CSampleStore::MakeDataFile(StorageMode mode, const std::string& directory) const {
    if (mode == STORE_MEMORY) {
        return std::make_unique<CMemoryDataFile>();
    }
    try {
        return CTempDataFile::Create(directory);
    } catch (const FileException&) {
        if (m_showErrors) {
            FailWithMessage(str::kTempFileError, MsgIcon::Stop);
        }
        throw UserAbort();
    }
}

void CSampleStore::ResetFields(uint32_t bits, uint32_t tracks, uint32_t rate, bool stereo) {
    m_dataSize = 0;
    m_bits = bits;
    m_tracks = tracks;
    m_rate = rate;
    m_mixer = MixerBlock{};
    m_mixer.stereo = stereo ? 1 : 0;
    m_mixer.mainLeft = 100;
    m_mixer.mainRight = 100;
    for (int t = 0; t < kMaxTracks; ++t) {
        m_trackNames[t].clear();
        m_mixer.volume[t] = 100;
        m_mixer.balance[t] = 0;
        m_trackFlags[t] = m_defaultTrackFlags;
        m_playOff[t] = 0;
    }
    for (auto& text : m_infoTexts) {
        text.clear();
    }
    if (tracks == 2) {
        m_mixer.balance[0] = -100;
        m_mixer.balance[1] = 100;
    }
}

bool CSampleStore::Create(StorageMode mode, const std::string& directory, uint32_t bits, uint32_t tracks,
                          uint32_t rate, bool stereo) {
    Release();
    if (mode == STORE_INPLACE || (bits != 8 && bits != 16) || tracks < 1 || tracks > kMaxTracks) {
        return false;
    }
    try {
        auto file = MakeDataFile(mode, directory);
        m_tempFileName = file->GetPath();
        m_tempDirectory = mode == STORE_MEMORY ? std::string() : directory;
        m_storageMode = mode;
        m_dataOffset = 0;
        m_dataFile = std::move(file);
        ResetFields(bits, tracks, rate, stereo);
        return true;
    } catch (...) {
        ReportException(std::current_exception(), m_showErrors != 0);
        return false;
    }
}

void CSampleStore::AdoptDataFile(std::unique_ptr<CDataFile> file, StorageMode mode, uint32_t dataOffset,
                                 const std::string& directory, uint32_t bits, uint32_t tracks, uint32_t rate,
                                 uint32_t dataSize) {
    Release();
    m_tempFileName = file->GetPath();
    m_tempDirectory = directory;
    m_storageMode = mode;
    m_dataOffset = dataOffset;
    m_dataFile = std::move(file);
    ResetFields(bits, tracks, rate, tracks >= 2);
    m_dataSize = dataSize;
}

void CSampleStore::Release() {
    if (!m_dataFile) {
        return;
    }
    m_displayCache.Free();
    m_peaks.Clear();
    StopAudioForRelease();
    m_dataFile.reset();     // closes; a temporary file removes itself
    m_recoveryNote.reset(); // after the data: a description never outlives its data unnoticed
    m_tempFileName.clear();
    m_dataSize = 0;
}

bool CSampleStore::KeepRecoveryNote(const RecoveryIdentity& identity) {
    if (m_storageMode != STORE_TEMPFILE || !HasData()) {
        m_recoveryNote.reset();
        return false;
    }
    if (m_recoveryNote) {
        m_recoveryNote->SetIdentity(identity);
    } else {
        m_recoveryNote = std::make_unique<CRecoveryNote>(identity);
    }
    return m_recoveryNote->Write(*this);
}

void CSampleStore::DropRecoveryNote() noexcept {
    m_recoveryNote.reset();
}

void CSampleStore::RewriteRecoveryNote() noexcept {
    if (m_recoveryNote) {
        m_recoveryNote->Write(*this);
    }
}

bool CSampleStore::CopyFrom(StorageMode mode, const std::string& directory, const CSampleStore* source) {
    if (!source || mode == STORE_INPLACE || !source->HasData() || source == this) {
        return false;
    }
    if (!Create(mode, directory, source->m_bits, source->m_tracks, source->m_rate, true)) {
        return false;
    }
    m_mixer = source->m_mixer;
    m_playOff = source->m_playOff;
    m_trackFlags = source->m_trackFlags;
    m_infoTexts = source->m_infoTexts;
    m_trackNames = source->m_trackNames;
    bool ok = true;
    try {
        ProgressScope progress(m_progressWindowId, m_progressTextId);
        CopyDataFile(*source->m_dataFile, source->m_dataOffset, source->m_dataSize, *m_dataFile,
                     [&progress](uint64_t done, uint64_t total) { progress.Update(done, total); });
    } catch (...) {
        ReportException(std::current_exception(), m_showErrors != 0);
        ok = false;
    }
    // What was copied stays; the size always matches the file, in whole frames.
    try {
        const uint64_t length = m_dataFile->GetLength();
        const uint64_t whole =
            std::min<uint64_t>(length, source->m_dataSize) / GetBlockAlign() * GetBlockAlign();
        if (whole != length) {
            m_dataFile->SetLength(whole);
        }
        m_dataSize = uint32_t(whole);
    } catch (...) {
        m_dataSize = 0;
        ok = false;
    }
    return ok;
}

int64_t CSampleStore::MsToFrames(int64_t milliseconds) const noexcept {
    if (!HasData()) {
        return 0;
    }
    if (milliseconds < 0) {
        return milliseconds;
    }
    return int64_t(std::ceil(double(milliseconds) * 0.001 * double(m_rate)));
}

int64_t CSampleStore::FramesToMs(int64_t frames) const noexcept {
    if (!HasData() || m_rate == 0) {
        return 0;
    }
    if (frames < 0) {
        return frames;
    }
    return int64_t(double(frames) / double(m_rate) * 1000.0);
}

uint32_t CSampleStore::ReadData(uint32_t offset, void* buffer, uint32_t count) {
    if (!HasData() || !buffer || offset >= m_dataSize) {
        return 0;
    }
    count = std::min(count, m_dataSize - offset);
    try {
        return uint32_t(m_dataFile->ReadAt(uint64_t(m_dataOffset) + offset, buffer, count));
    } catch (...) {
        ReportException(std::current_exception(), m_showErrors != 0);
        return 0;
    }
}

bool CSampleStore::WriteData(uint32_t offset, const void* buffer, uint32_t count) {
    if (!HasData() || !buffer || m_storageMode == STORE_INPLACE) {
        return false;
    }
    try {
        NoteDataChanged(offset, count);
        m_dataFile->WriteAt(uint64_t(m_dataOffset) + offset, buffer, count);
        return true;
    } catch (...) {
        ReportException(std::current_exception(), m_showErrors != 0);
        return false;
    }
}

bool CSampleStore::AppendData(const void* buffer, uint32_t count) {
    if (!HasData() || !buffer || m_storageMode == STORE_INPLACE) {
        return false;
    }
    try {
        if (uint64_t(m_dataSize) + count > std::numeric_limits<uint32_t>::max()) {
            throw FileException(FileException::tooLarge, m_tempFileName, true);
        }
        m_dataFile->WriteAt(uint64_t(m_dataOffset) + m_dataSize, buffer, count);
        m_dataSize += count;
        return true;
    } catch (...) {
        // A partly written piece must not stay behind the data: the size always matches the file.
        try {
            m_dataFile->SetLength(uint64_t(m_dataOffset) + m_dataSize);
        } catch (...) {
        }
        ReportException(std::current_exception(), m_showErrors != 0);
        return false;
    }
}

void CSampleStore::GetMixer(MixerBlock& mixer) const noexcept {
    if (HasData()) {
        mixer = m_mixer;
    }
}

void CSampleStore::SetMixer(const MixerBlock& mixer) {
    if (!HasData()) {
        return;
    }
    m_mixer = mixer;
    RecomputeGains();
}

bool CSampleStore::GetPlayOff(int track) const noexcept {
    return track >= 0 && track < kMaxTracks && m_playOff[track] != 0;
}

void CSampleStore::SetPlayOff(int track, bool off) {
    if (track < 0 || track >= kMaxTracks) {
        return;
    }
    m_playOff[track] = off ? 1 : 0;
    RecomputeGains();
}

bool CSampleStore::IsMixerNonStandard() const noexcept {
    const MixerBlock& m = m_mixer;
    if (m_tracks > 2) {
        return true;
    }
    if (m_tracks == 1) {
        return m.stereo != 0 || m.volume[0] != 100 || m.mainLeft != 100 || m.balance[0] != 0;
    }
    if (m_tracks == 2) {
        return m.stereo == 0 || m.mainLeft != 100 || m.mainRight != 100 || m.volume[0] != 100 ||
               m.volume[1] != 100 || m.balance[0] != -100 || m.balance[1] != 100;
    }
    return false;
}

bool CSampleStore::IsMixNeeded() const noexcept {
    if (IsMixerNonStandard()) {
        return true;
    }
    for (uint32_t t = 0; t < m_tracks && t < uint32_t(kMaxTracks); ++t) {
        if (m_playOff[t] != 0) {
            return true;
        }
    }
    return false;
}

bool CSampleStore::BuildDisplayCache(uint32_t first, uint32_t last, uint32_t factor) {
    if (!HasData()) {
        return false;
    }
    try {
        m_displayCache.Build({m_dataFile.get(), m_dataOffset, m_dataSize, GetBlockAlign(), m_bits}, first,
                             last, factor);
        return true;
    } catch (...) {
        m_displayCache.Free();
        ReportException(std::current_exception(), m_showErrors != 0);
        return false;
    }
}

void CSampleStore::NoteDataChanged(uint64_t offset, uint64_t count) noexcept {
    m_changedFirst = std::min(m_changedFirst, offset);
    m_changedEnd = std::max(m_changedEnd, count > UINT64_MAX - offset ? UINT64_MAX : offset + count);
}

/// Stretches larger than this are summarised anew on the worker rather than refreshed at once.
constexpr uint64_t kRefreshAtOnceBytes = 8u << 20;

void CSampleStore::RebuildPeaks() {
    const uint64_t changedFirst = std::exchange(m_changedFirst, UINT64_MAX);
    const uint64_t changedEnd = std::exchange(m_changedEnd, 0);
    if (!HasData() || GetFrameCount() == 0) {
        m_peaks.Clear();
        return;
    }
    const CPeakSummary::Layout layout{m_tracks, m_bits, GetFrameCount(), m_dataOffset};
    const auto readData = [this](uint64_t offset, void* buffer, std::size_t count) -> std::size_t {
        try {
            return m_dataFile->ReadAt(m_dataOffset + offset, buffer, count);
        } catch (...) {
            return 0; // the summary stays flat where the data cannot be read
        }
    };
    if (changedEnd <= changedFirst) {
        if (m_peaks.IsReady() && m_peaks.Refresh(readData, layout, 0, 0)) {
            return; // nothing changed since the summary
        }
    } else if (changedEnd - changedFirst <= kRefreshAtOnceBytes &&
               m_peaks.Refresh(readData, layout, changedFirst / GetBlockAlign(),
                               (changedEnd + GetBlockAlign() - 1) / GetBlockAlign())) {
        return;
    }
    const int descriptor = m_dataFile->GetDescriptor();
    // a descriptor of its own lets the worker read on while the store replaces its data file
    const int own = descriptor >= 0 ? ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0) : -1;
    if (own >= 0) {
        m_peaks.Start(own, layout);
        return;
    }
    m_peaks.BuildNow(readData, layout);
}

int16_t CSampleStore::GetDisplaySample(uint32_t frame, int track) const noexcept {
    return m_displayCache.GetSample(frame, track);
}

} // namespace ondrix

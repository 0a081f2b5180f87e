#include "process/block_driver.h"

#include "base/error_report.h"
#include "base/file_exception.h"
#include "base/message_service.h"
#include "base/progress.h"
#include "base/user_abort.h"
#include "process/sample_format.h"
#include "resources/string_ids.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace ondrix {

namespace {
constexpr uint64_t kMaxDataSize = std::numeric_limits<uint32_t>::max();
} // namespace

uint32_t CopyThroughRoutine(PieceBlock* piece) {
    if (piece->outputCount == 0) {
        return 1;
    }
    if (!piece->trackMask) {
        std::memcpy(piece->output, piece->input, piece->outputCount);
        return 1;
    }
    const uint32_t bytes = piece->bits / 8;
    const uint32_t frames = piece->outputCount / piece->blockAlign;
    for (uint32_t f = 0; f < frames; ++f) {
        const uint32_t base = f * piece->blockAlign;
        for (uint32_t t = 0; t < piece->tracks; ++t) {
            if (piece->trackMask[t] != 0) {
                std::memcpy(piece->output + base + t * bytes, piece->input + base + t * bytes, bytes);
            }
        }
    }
    return 1;
}

/// The running positions of a walk over the stretch.
struct CBlockDriver::Walk {
    uint64_t piecePosition;
    uint64_t remaining;
    uint64_t inputPosition;
    uint64_t outputPosition;
    uint64_t produced = 0;
    uint64_t work = 0;
};

CBlockDriver::CBlockDriver(CSampleStore& store, const DriverRequest& request)
    : m_store(store), m_req(request) {}

void CBlockDriver::ReadSilencePadded(uint8_t* buffer, uint64_t position, uint32_t count) {
    FillSilence(buffer, count, m_store.m_bits);
    if (position < m_dataSize) {
        const auto want = std::size_t(std::min<uint64_t>(count, m_dataSize - position));
        m_store.m_dataFile->ReadAt(m_store.m_dataOffset + position, buffer, want);
    }
}

void CBlockDriver::CallRoutine(bool phase2) {
    const ProcessRoutine routine = phase2 ? &CopyThroughRoutine : m_req.routine;
    if (routine(&m_piece) == 0) {
        throw UserAbort();
    }
}

// One step of the walk: read the input, let the routine produce outCount bytes (in several calls when
// one input frame yields more than the output bound), write the result.
void CBlockDriver::Emit(Walk& walk, bool dryRun, uint32_t inCount, uint64_t outCount, bool phase2) {
    const bool masked = m_req.trackMask != nullptr && m_req.numerator != m_req.denominator;
    if (!dryRun && inCount != 0) {
        ReadSilencePadded(m_input.data(), walk.inputPosition, inCount);
    }
    walk.inputPosition += inCount;
    m_piece.inputCount = inCount;
    m_piece.position = uint32_t(walk.piecePosition);
    uint64_t left = outCount;
    do {
        const auto chunk = uint32_t(std::min<uint64_t>(left, m_outputChunk));
        if (!dryRun && chunk != 0 && masked) {
            ReadSilencePadded(m_output.data(), walk.outputPosition, chunk);
        }
        if (chunk != 0 && masked) {
            walk.outputPosition += chunk;
        }
        m_piece.outputCount = chunk;
        if (!dryRun && (inCount != 0 || chunk != 0)) {
            CallRoutine(phase2);
            if (m_req.modify && chunk != 0) {
                if (m_replacing) {
                    m_replacement->Append(m_output.data(), chunk);
                } else {
                    m_store.NoteDataChanged(walk.inputPosition - inCount, inCount);
                    m_store.m_dataFile->WriteAt(m_store.m_dataOffset + walk.inputPosition - inCount,
                                                m_input.data(), inCount);
                }
            }
        }
        left -= chunk;
    } while (left != 0);
    walk.produced += outCount;
}

CBlockDriver::WalkTotals CBlockDriver::WalkStretch(bool dryRun) {
    const uint32_t num = m_req.numerator;
    const uint32_t den = m_req.denominator;
    const bool changesLength = m_req.modify && num != den;
    const uint64_t g = m_req.granularity != 0 ? m_req.granularity : m_blockAlign;
    Walk walk{m_start, m_end - m_start, m_start, m_start};
    bool phase2 = false;
    for (;;) {
        while (walk.remaining != 0) {
            auto inCount = uint32_t(std::min(walk.remaining, m_inputPiece));
            uint64_t outCount = 0;
            if (phase2) {
                outCount = inCount;
            } else if (!m_req.modify) {
                outCount = 0;
            } else if (num != 0 && den != 0) {
                outCount = uint64_t(inCount) * num / den / g * g;
            } else if (num != 0) {
                outCount = inCount;
                if (m_req.insert) {
                    inCount = 0;
                }
            }
            Emit(walk, dryRun, inCount, outCount, phase2);
            walk.piecePosition += inCount;
            const uint64_t step = inCount != 0 ? inCount : outCount;
            walk.remaining -= std::min(step, walk.remaining);
            walk.work += step;
            if (!dryRun) {
                m_progress->Update(m_workDone + walk.work, m_totalWork);
            }
            if (step == 0) {
                break; // nothing left to produce (granularity larger than the rest)
            }
        }
        if (phase2 || !changesLength) {
            break;
        }
        const uint64_t rest = walk.inputPosition < m_dataSize ? m_dataSize - walk.inputPosition : 0;
        if (num != 0 && den != 0) {
            // A masked ratio carries the other tracks on at their own positions; an unmasked one over a
            // block copies the data after the block through.
            walk.remaining =
                m_req.trackMask ? m_dataSize - std::min({walk.inputPosition, walk.outputPosition, m_dataSize})
                                : rest;
        } else if (num == 0) {
            walk.remaining = m_req.trackMask ? m_dataSize - std::min(walk.outputPosition, m_dataSize) : rest;
        } else if (walk.produced < num) {
            walk.remaining = num - walk.produced;
            continue;
        } else {
            walk.remaining = rest;
        }
        phase2 = true;
        if (walk.remaining == 0) {
            break;
        }
    }
    return {walk.produced, walk.work};
}

void CBlockDriver::CopyHead(uint64_t totalWork, ProgressScope& progress) {
    for (uint64_t done = 0; done < m_start;) {
        const auto count = std::size_t(std::min(m_inputPiece, m_start - done));
        const std::size_t got =
            m_store.m_dataFile->ReadAt(m_store.m_dataOffset + done, m_input.data(), count);
        if (got != count) {
            throw FileException(FileException::endOfFile, m_store.m_tempFileName, false);
        }
        m_replacement->Append(m_input.data(), count);
        done += count;
        progress.Update(done, totalWork);
    }
}

bool CBlockDriver::Run() {
    CSampleStore& s = m_store;
    if ((s.m_storageMode == STORE_INPLACE && m_req.modify) || !s.HasData() || !m_req.routine) {
        return false;
    }
    if (s.m_dataSize == 0 && !m_req.modify) {
        return true;
    }
    uint32_t maskCopy[kMaxTracks];
    if (m_req.trackMask) {
        bool all = true;
        for (uint32_t t = 0; t < s.m_tracks; ++t) {
            all = all && m_req.trackMask[t] != 0;
        }
        if (all) {
            m_req.trackMask = nullptr;
        } else {
            std::copy(m_req.trackMask, m_req.trackMask + kMaxTracks, maskCopy);
            m_req.trackMask = maskCopy;
        }
    }
    m_blockAlign = s.GetBlockAlign();
    m_dataSize = s.m_dataSize;
    const uint64_t piece = 65536 / m_blockAlign * m_blockAlign;
    if (m_req.firstFrame == -1 || m_req.firstFrame == 0xFFFFFFFFll) {
        m_start = 0;
        m_end = m_dataSize;
    } else {
        if (m_req.firstFrame < 0) {
            return false;
        }
        m_start = uint64_t(m_req.firstFrame) * m_blockAlign;
        m_end = m_req.lastFrame < 0 ? m_start : (uint64_t(m_req.lastFrame) + 1) * m_blockAlign;
        m_end = std::min(m_end, m_dataSize);
        if (m_end < m_start) {
            return false;
        }
    }
    const uint32_t num = m_req.numerator;
    const uint32_t den = m_req.denominator;
    m_replacing = m_req.modify && num != den;

    // Keep one routine call's output within the bound: shrink the input piece for large ratios.
    m_inputPiece = piece;
    m_outputChunk = piece;
    if (m_replacing && num != 0 && den != 0) {
        const uint64_t g = m_req.granularity != 0 ? m_req.granularity : m_blockAlign;
        const uint64_t largest = piece * num / den;
        if (largest > kMaxOutputPiece) {
            m_inputPiece = std::max(m_blockAlign, kMaxOutputPiece * den / num / m_blockAlign * m_blockAlign);
        }
        m_outputChunk = std::max(piece, std::min(m_inputPiece * num / den, kMaxOutputPiece / g * g));
        m_outputChunk = std::max<uint64_t>(m_outputChunk / g * g, g);
    }

    std::exception_ptr failure;
    try {
        // The length of the result, checked before anything is written.
        const WalkTotals dry = WalkStretch(true);
        if (m_replacing && m_start + dry.produced > kMaxDataSize) {
            FailWithMessage(str::kTooLargeText, MsgIcon::Stop);
        }
        ProgressScope progress(s.m_progressWindowId, s.m_progressTextId);
        m_progress = &progress;
        m_input.resize(m_inputPiece);
        m_piece = PieceBlock{uint8_t(s.m_bits),
                             uint8_t(s.m_tracks),
                             s.m_rate,
                             s.m_dataSize,
                             uint8_t(m_blockAlign),
                             &s.m_mixer,
                             m_req.trackMask,
                             m_input.data(),
                             nullptr,
                             0,
                             0,
                             num,
                             den,
                             0,
                             uint32_t(m_start),
                             uint32_t(m_end - m_start),
                             m_req.context};
        if (m_replacing) {
            m_replacement = s.MakeDataFile(s.m_storageMode, s.m_tempDirectory);
            m_output.resize(std::max(m_outputChunk, piece));
            m_piece.output = m_output.data();
        }
        m_totalWork = (m_replacing ? m_start : 0) + dry.work;
        if (m_replacing) {
            CopyHead(m_totalWork, progress);
            m_workDone = m_start;
        }
        WalkStretch(false);
        m_progress = nullptr;
    } catch (...) {
        m_progress = nullptr;
        failure = std::current_exception();
    }
    if (!failure && m_replacing) {
        try {
            const uint64_t length = m_replacement->GetLength();
            s.m_displayCache.Free();
            // the old data goes only once the description names the new file
            s.NoteDataChanged(0, UINT64_MAX); // every frame may have moved
            std::unique_ptr<CDataFile> old = std::exchange(s.m_dataFile, std::move(m_replacement));
            s.m_tempFileName = s.m_dataFile->GetPath();
            s.m_dataOffset = 0;
            s.m_dataSize = uint32_t(length);
            s.RewriteRecoveryNote();
            old.reset();
        } catch (...) {
            failure = std::current_exception();
        }
    }
    m_replacement.reset();
    m_input = {};
    m_output = {};
    if (failure) {
        ReportException(failure, s.m_showErrors != 0);
        return false;
    }
    if (m_req.modify) {
        s.m_displayCache.Free();
    }
    return true;
}

} // namespace ondrix

#pragma once

#include "process/piece_block.h"
#include "store/sample_store.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace ondrix {

/// The parameters of one driver run (see CSampleStore::Process).
struct DriverRequest {
    const uint32_t* trackMask = nullptr; ///< 32 entries, non-zero = edited; null = all tracks
    int64_t firstFrame = -1;             ///< -1 (or 0xFFFFFFFF): the whole data
    int64_t lastFrame = -1;              ///< inclusive; negative: an empty stretch at firstFrame
    bool modify = false;                 ///< write the routine's results
    uint32_t numerator = 1;              ///< output side of the length ratio
    uint32_t denominator = 1;            ///< input side of the length ratio
    bool insert = false;                 ///< with denominator 0: the input stays (insert) or is consumed
    ProcessRoutine routine = nullptr;
    uint8_t granularity = 0; ///< output lengths are multiples of it; 0 = the block align
    void* context = nullptr;
};

/// Walks a stretch of a store's data in pieces of at most 64 KiB, calls the routine for each and writes
/// the results in place or into a replacement data file. One object per run.
class CBlockDriver {
public:
    /// Largest output one routine call produces; larger ratios get smaller input pieces.
    static constexpr uint64_t kMaxOutputPiece = 16u << 20;

    CBlockDriver(CSampleStore& store, const DriverRequest& request);

    /// Runs the request; reports failures itself and returns false (the store keeps its data).
    bool Run();

private:
    struct Walk;
    /// Bytes produced and work done by one walk.
    struct WalkTotals {
        uint64_t produced;
        uint64_t work;
    };
    WalkTotals WalkStretch(bool dryRun);
    void CopyHead(uint64_t totalWork, class ProgressScope& progress);
    void Emit(Walk& walk, bool dryRun, uint32_t inCount, uint64_t outCount, bool phase2);
    void CallRoutine(bool phase2);
    /// Fills count bytes with silence, then reads the data at position over them (short at the data end).
    void ReadSilencePadded(uint8_t* buffer, uint64_t position, uint32_t count);

    CSampleStore& m_store;
    DriverRequest m_req;
    uint64_t m_blockAlign = 1;
    uint64_t m_inputPiece = 0;
    uint64_t m_outputChunk = 0;
    uint64_t m_start = 0;
    uint64_t m_end = 0;
    uint64_t m_dataSize = 0;
    bool m_replacing = false;
    std::unique_ptr<CDataFile> m_replacement;
    std::vector<uint8_t> m_input;
    std::vector<uint8_t> m_output;
    PieceBlock m_piece{};
    ProgressScope* m_progress = nullptr;
    uint64_t m_totalWork = 0;
    uint64_t m_workDone = 0;
};

/// The phase-2 routine: copies the input piece (only the masked tracks when a mask is given) to the output.
uint32_t CopyThroughRoutine(PieceBlock* piece);

} // namespace ondrix

// Times the store's heavy operations on one hour of 44.1 kHz 16-bit stereo against `cp` of the same data.
// Prints one line per measurement: NAME ratio=X.XX peak_mib=N (ratio = wall time / cp's wall time; peak_mib =
// the process's peak resident memory during that measurement).
#include "process/piece_block.h"
#include "process/undo_history.h"
#include "store/sample_store.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace ondrix;

namespace {

/// Resets the peak resident size so each measurement reports its own.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

long PeakMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atol(line.c_str() + 6) / 1024;
        }
    }
    return -1;
}

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

uint32_t Volume120(PieceBlock* p) {
    auto* s = reinterpret_cast<int16_t*>(p->input);
    for (uint32_t i = 0; i < p->inputCount / 2; ++i) {
        const int v = s[i] * 120 / 100;
        s[i] = int16_t(v > 32767 ? 32767 : v < -32768 ? -32768 : v);
    }
    return 1;
}

uint32_t Nothing(PieceBlock*) {
    return 1;
}

void Report(const char* name, double seconds, double reference, long peak) {
    std::printf("%s ratio=%.2f peak_mib=%ld\n", name, seconds / reference, peak);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "/tmp";
    const uint32_t seconds = argc > 2 ? uint32_t(std::atoi(argv[2])) : 3600;
    const uint32_t rate = 44100;
    const uint32_t frames = seconds * rate;

    CSampleStore store;
    store.m_showErrors = 0;
    if (!store.Create(STORE_TEMPFILE, dir, 16, 2, rate, true)) {
        std::fprintf(stderr, "cannot create a store in %s\n", dir.c_str());
        return 1;
    }
    std::vector<int16_t> piece(16384 * 2);
    for (uint32_t done = 0; done < frames;) {
        const uint32_t n = std::min<uint32_t>(16384, frames - done);
        for (uint32_t i = 0; i < n * 2; ++i) {
            piece[i] = int16_t((done + i) * 37);
        }
        store.AppendData(piece.data(), n * 4);
        done += n;
    }
    const std::string copyPath = dir + "/ondrix-bench-cp";
    const std::string command = "cp --reflink=never '" + store.GetTempFileName() + "' '" + copyPath + "'";
    const double cp = Seconds([&] {
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "cp failed\n");
        }
    });
    std::remove(copyPath.c_str());
    std::printf("cp seconds=%.2f bytes=%u\n", cp, store.GetDataSize());

    ResetPeak();
    double t = Seconds([&] { store.Process(nullptr, -1, 0, true, 1, 1, false, Volume120, 0, nullptr); });
    Report("inplace_volume120", t, cp, PeakMiB());

    ResetPeak();
    t = Seconds([&] { store.Process(nullptr, 0, rate - 1, true, 0, 1, false, Nothing, 0, nullptr); });
    Report("delete_first_second", t, cp, PeakMiB());

    ResetPeak();
    CSampleStore copy;
    t = Seconds([&] { copy.CopyFrom(STORE_TEMPFILE, dir, &store); });
    Report("copyfrom", t, cp, PeakMiB());

    // Editing: one minute pasted into the middle, one minute deleted from the start, an undo state, 16 to 8
    // bits.
    CSampleStore minute;
    minute.m_showErrors = 0;
    minute.Create(STORE_TEMPFILE, dir, 16, 2, rate, true);
    store.CopyBlock(nullptr, 0, 60 * rate - 1, &minute);
    const uint8_t identity[32] = {0,   1,   255, 255, 255, 255, 255, 255, 255, 255, 255,
                                  255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255,
                                  255, 255, 255, 255, 255, 255, 255, 255, 255, 255};
    ResetPeak();
    t = Seconds([&] { store.PasteBlock(identity, store.GetFrameCount() / 2, true, &minute, false, 0); });
    Report("paste_minute_middle", t, cp, PeakMiB());

    ResetPeak();
    t = Seconds([&] { store.DeleteBlock(nullptr, 0, 60 * rate - 1); });
    Report("delete_minute_start", t, cp, PeakMiB());

    ResetPeak();
    CUndoHistory history;
    t = Seconds([&] { history.SaveUndoState(store, 1, dir); });
    Report("save_undo_state", t, cp, PeakMiB());
    history.ClearUndoHistory();

    ResetPeak();
    t = Seconds([&] { store.ConvertBits(8); });
    Report("convert_16_to_8", t, cp, PeakMiB());
    return 0;
}

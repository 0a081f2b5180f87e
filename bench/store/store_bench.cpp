// Times the store's heavy operations on one hour of 44.1 kHz 16-bit stereo against `cp` of the same data.
// Prints one line per measurement: NAME ratio=X.XX peak_mib=N (ratio = wall time / cp's wall time; peak_mib =
// the process's peak resident memory during that measurement).
#include "bench_support.h"
#include "process/piece_block.h"
#include "process/undo_history.h"
#include "store/sample_store.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace ondrix;
using namespace ondrix::bench;

namespace {

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
    CSampleStore store;
    const bool made = MakeStereoSound(store, dir, seconds, [](uint32_t frame, uint32_t channel) {
        return int16_t((frame * 2 + channel) * 37);
    });
    if (!made) {
        return 1;
    }
    const double cp = ReportCopy(store, dir);

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

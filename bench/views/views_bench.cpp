// The waveform display on long sounds, offscreen at 1920 x 1080: opening to the first complete paint and
// to the paint with the peak summary, a full repaint of every lane at zoom 0, 1 and a middle zoom, one
// scroll step at zoom 1, and the editor's memory above an empty window.
//
//     views_bench [DIRECTORY [SECONDS]]
#include "bench_support.h"

#include "document/ondrix_doc.h"
#include "settings/core/settings.h"
#include "views/sample_view.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace ondrix;

namespace {

/// The resident size now, in MiB.
long ResidentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::atol(line.c_str() + 6) / 1024;
        }
    }
    return -1;
}

/// Writes a WAVE file of seconds of 44.1 kHz 16-bit audio with a number of tracks.
bool MakeWave(const std::string& path, const std::string& dir, uint32_t tracks, uint32_t seconds) {
    CSampleStore store;
    store.m_showErrors = 0;
    if (!store.Create(STORE_TEMPFILE, dir, 16, tracks, 44100, tracks == 2)) {
        return false;
    }
    constexpr uint32_t kPiece = 4096;
    std::vector<int16_t> piece(std::size_t(kPiece) * tracks);
    const uint64_t frames = uint64_t(seconds) * 44100;
    for (uint64_t done = 0; done < frames;) {
        const uint32_t n = uint32_t(std::min<uint64_t>(kPiece, frames - done));
        for (uint32_t i = 0; i < n; ++i) {
            for (uint32_t t = 0; t < tracks; ++t) {
                piece[std::size_t(i) * tracks + t] = int16_t(((done + i) * (7 + t)) % 20000) - 10000;
            }
        }
        if (!store.AppendData(piece.data(), n * tracks * 2)) {
            return false;
        }
        done += n;
    }
    return store.Save(path, false);
}

/// Runs the event loop until nothing is pending.
void Pump() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

/// The median milliseconds of runs of work.
double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        times.push_back(bench::Seconds(work) * 1000);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Measure(const char* name, const std::string& dir, uint32_t tracks, uint32_t seconds) {
    const std::string path = dir + "/ondrix-views-bench.wav";
    if (!MakeWave(path, dir, tracks, seconds)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return;
    }
    auto doc = std::make_unique<COndrixDoc>(nullptr);
    std::unique_ptr<CSampleView> view;
    const auto start = std::chrono::steady_clock::now();
    const auto since = [&start] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() * 1000;
    };
    if (!doc->OnOpenDocument(path, OpenKind::Wave)) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return;
    }
    const double loaded = since();
    view = std::make_unique<CSampleView>(doc.get());
    view->resize(1920, 1080);
    view->show();
    Pump();
    view->grab();
    const double firstPaint = since();
    while (!doc->GetStore()->Peaks().IsReady() && since() < 60000) {
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Pump();
    view->grab();
    const double peakPaint = since();
    std::printf("%s: load %.0f ms, first paint %.0f ms (%.0f after the load), peak paint %.0f ms, "
                "summary %.1f MiB\n",
                name, loaded, firstPaint, firstPaint - loaded, peakPaint,
                double(doc->GetStore()->Peaks().MemoryBytes()) / (1 << 20));
    const int64_t frames = doc->GetStore()->GetFrameCount();
    const auto repaint = [&](int32_t zoom) {
        doc->SetZoom(zoom);
        if (zoom > 0) {
            view->ScrollToColumn(frames / zoom / 2);
        }
        Pump();
        view->grab(); // warm the cache
        return MedianMs(5, [&] { view->grab(); });
    };
    const int32_t middle = int32_t(std::max<int64_t>(2, frames / 1920 / 64));
    const double zoom0 = repaint(0);
    const double zoom1 = repaint(1);
    const double zoomMiddle = repaint(middle);
    doc->SetZoom(1);
    Pump();
    int64_t column = view->GetScrollColumn();
    const double scroll = MedianMs(21, [&] {
        view->ScrollToColumn(++column);
        Pump();
    });
    std::printf(
        "%s: full repaint zoom 0 %.1f ms, zoom 1 %.1f ms, zoom %d %.1f ms; scroll step zoom 1 %.2f ms\n",
        name, zoom0, zoom1, middle, zoomMiddle, scroll);
    view.reset();
    doc.reset();
    std::remove(path.c_str());
}

} // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "/tmp";
    const uint32_t seconds = argc > 2 ? uint32_t(std::atoi(argv[2])) : 3600;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_settings = Settings{};
    g_settings.tempPath.editor = dir;
    QWidget empty;
    empty.resize(1920, 1080);
    empty.show();
    Pump();
    const long baseline = ResidentMiB();
    bench::ResetPeak();
    Measure("stereo", dir, 2, seconds);
    Measure("32 tracks", dir, 32, seconds / 6);
    std::printf("peak memory %ld MiB above the empty editor (%ld MiB)\n", bench::PeakMiB() - baseline,
                baseline);
    return 0;
}

// A second program on the same display for the desktop clipboard test: it copies a WAVE file through the
// editor's clipboard classes and keeps the clipboard until its input closes, or pastes what the
// clipboard holds into a file.
//   clipboard_peer copy IN.wav DIR    prints "ready" once the clipboard is set; ends when stdin closes
//   clipboard_peer paste OUT.wav DIR  exit 0: pasted and saved; 2: nothing to paste; 3: loading failed

#include "app/qt_wave_clipboard.h"
#include "process/clipboard.h"
#include "store/sample_store.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

using namespace ondrix;

namespace {

int Copy(QGuiApplication& app, const std::string& path, const std::string& directory) {
    CSampleStore sound;
    if (!sound.Load(path, STORE_MEMORY, "")) {
        return 3;
    }
    CClipboard clipboard(false);
    if (!clipboard.Copy(sound, nullptr, 0, int64_t(sound.GetFrameCount()) - 1, directory)) {
        return 3;
    }
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&app] {
        char byte = 0;
        if (::read(STDIN_FILENO, &byte, 1) <= 0) {
            app.quit();
        }
    });
    QGuiApplication::processEvents(); // the selection is owned once the request reached the server
    std::puts("ready");
    std::fflush(stdout);
    return QGuiApplication::exec();
}

int Paste(const std::string& path, const std::string& directory) {
    CClipboard clipboard(false);
    if (!clipboard.CanPaste()) {
        return 2;
    }
    std::unique_ptr<CSampleStore> holder;
    CSampleStore* source = clipboard.PasteSource(holder, directory);
    return source && source->Save(path, false) ? 0 : 3;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const CQtWaveClipboard desktop;
    const std::string mode = argc == 4 ? argv[1] : "";
    if (mode == "copy") {
        return Copy(app, argv[2], argv[3]);
    }
    if (mode == "paste") {
        return Paste(argv[2], argv[3]);
    }
    std::fputs("usage: clipboard_peer copy IN.wav DIR | paste OUT.wav DIR\n", stderr);
    return 64;
}

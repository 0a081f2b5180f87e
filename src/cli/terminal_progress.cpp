#include "terminal_progress.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace ondrix::cli {

namespace {
CTerminalProgress* g_active = nullptr;
volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int) {
    g_interrupted = 1;
    if (g_active) {
        g_active->RequestAbort(); // an atomic store: safe in a signal handler
    }
}
} // namespace

CTerminalProgress::CTerminalProgress() {
    SetAbortWithoutAsking(true);
    g_active = this;
    RegisterProgressDisplay(kStatusBarWindowId, this);
    struct sigaction action {};
    action.sa_handler = &OnInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
}

CTerminalProgress::~CTerminalProgress() {
    RegisterProgressDisplay(kStatusBarWindowId, nullptr);
    g_active = nullptr;
    std::signal(SIGINT, SIG_DFL);
}

bool CTerminalProgress::WasInterrupted() const noexcept {
    return g_interrupted != 0;
}

void CTerminalProgress::OnPercent() {
    if (::isatty(STDERR_FILENO)) {
        std::fprintf(stderr, "\r%s", GetProgressText().c_str());
        std::fflush(stderr);
    }
}

void CTerminalProgress::OnEnd() {
    if (::isatty(STDERR_FILENO)) {
        std::fprintf(stderr, "\r\033[K");
        std::fflush(stderr);
    }
}

} // namespace ondrix::cli

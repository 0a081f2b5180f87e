// The progress line of ondrix-cli appears on a terminal, and only there.
#include "cli_runner.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <pty.h>
#include <unistd.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// Runs ondrix-cli with its standard error on a pseudo terminal; returns what the terminal showed.
std::string RunOnTerminal(const std::vector<std::string>& args, int& exitCode) {
    int master = -1;
    int slave = -1;
    EXPECT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    CliCommand command(args);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, slave, 2);
    posix_spawn_file_actions_addclose(&actions, master);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, command.argv[0], &actions, nullptr, command.argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(slave);
    std::string shown;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n > 0) {
            shown.append(buffer, std::size_t(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            break; // EIO once the program has closed its side
        }
    }
    ::close(master);
    int status = 0;
    EXPECT_EQ(::waitpid(pid, &status, 0), pid);
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return shown;
}

TEST(TerminalProgress, ALongConvertShowsItsPercentagesAndClearsTheLineAtTheEnd) {
    TempDir dir;
    // eight seconds of 44.1 kHz stereo: several pieces, so several progress steps
    WriteFile(dir.Path() + "/in.wav", WaveBuilder().Fmt(2, 44100, 16).Data(Ramp(44100 * 4 * 8)).Bytes());
    int exitCode = -1;
    const std::string shown = RunOnTerminal(
        {"convert", "--storage", "temp", dir.Path() + "/in.wav", dir.Path() + "/out.wav"}, exitCode);
    EXPECT_EQ(exitCode, 0) << shown;
    EXPECT_NE(shown.find('\r'), std::string::npos) << shown;
    EXPECT_NE(shown.find("Loading WAVE file. "), std::string::npos) << shown;
    EXPECT_NE(shown.find("Saving WAVE file. 100% done."), std::string::npos) << shown;
    const std::string clear = "\r\033[K";
    ASSERT_GE(shown.size(), clear.size());
    EXPECT_EQ(shown.substr(shown.size() - clear.size()), clear);
    // the same run with its errors going to a file shows nothing there
    const Result quiet =
        RunCli({"convert", "--storage", "temp", dir.Path() + "/in.wav", dir.Path() + "/out.wav"});
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.err, "");
}

} // namespace

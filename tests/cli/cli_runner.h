#pragma once

// Runs ondrix-cli as a program from the tests: its exit code and what it printed.
#include "fileformat/wave_builder.h"
#include "support/test_store.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace ondrix::test {

/// What one run of ondrix-cli gave.
struct Result {
    int exitCode = -1;
    std::string out;
    std::string err;
};

/// A file's bytes as text.
inline std::string FileText(const std::string& path) {
    const auto bytes = ReadFile(path);
    return std::string(bytes.begin(), bytes.end());
}

/// The command line of ondrix-cli with args, and the argv pointing into it (null-terminated).
struct CliCommand {
    explicit CliCommand(const std::vector<std::string>& args) : words{ONDRIX_CLI} {
        words.insert(words.end(), args.begin(), args.end());
        for (auto& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
    }
    CliCommand(const CliCommand&) = delete;
    CliCommand& operator=(const CliCommand&) = delete;
    std::vector<std::string> words;
    std::vector<char*> argv;
};

/// Starts ondrix-cli with args, its output going to files in dir; returns the process id.
inline pid_t Start(const std::vector<std::string>& args, const TempDir& dir) {
    CliCommand command(args);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, (dir.Path() + "/stdout").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, (dir.Path() + "/stderr").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, command.argv[0], &actions, nullptr, command.argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

/// Waits for a run started with Start and collects its output.
inline Result Finish(pid_t pid, const TempDir& dir) {
    int status = 0;
    EXPECT_EQ(::waitpid(pid, &status, 0), pid);
    Result result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = FileText(dir.Path() + "/stdout");
    result.err = FileText(dir.Path() + "/stderr");
    return result;
}

/// Runs ondrix-cli to its end.
inline Result RunCli(const std::vector<std::string>& args) {
    TempDir dir;
    return Finish(Start(args, dir), dir);
}

} // namespace ondrix::test

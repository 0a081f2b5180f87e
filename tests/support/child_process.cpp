#include "support/child_process.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace ondrix::test {

pid_t RunInChild(const std::function<void()>& work) {
    int ready[2];
    if (::pipe(ready) != 0) {
        return -1;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(ready[0]);
        work();
        const char byte = 1;
        [[maybe_unused]] const auto put = ::write(ready[1], &byte, 1);
        for (;;) {
            ::pause();
        }
    }
    ::close(ready[1]);
    char byte = 0;
    [[maybe_unused]] const auto got = pid > 0 ? ::read(ready[0], &byte, 1) : 0;
    ::close(ready[0]);
    return pid;
}

void KillChild(pid_t pid) {
    if (pid <= 0) {
        return;
    }
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

} // namespace ondrix::test

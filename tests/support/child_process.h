#pragma once

#include <functional>
#include <sys/types.h>

namespace ondrix::test {

/// Runs work in a child process that then waits, in the middle of its work, until it is killed; returns
/// the child's pid once work is done (-1 when no child could be made).
pid_t RunInChild(const std::function<void()>& work);

/// Kills a child with SIGKILL, as a crash ends a program, and waits for its end.
void KillChild(pid_t pid);

} // namespace ondrix::test

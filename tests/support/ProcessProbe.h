#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace nebulark::test {

// Process facts read from /proc, for tests of code that starts children.

struct ProcessInfo {
    pid_t pid = 0;
    char state = 0;  // 'R', 'S', 'Z' ... as /proc/<pid>/stat gives it
    std::string name;
};

std::vector<ProcessInfo> ChildrenOf(pid_t parent);
// Children of this process that have ended and not been reaped.
int ZombieChildCount();
// The state letter of the process, or 0 when there is no such process.
char ProcessState(pid_t pid);

// Polls `done` every millisecond until it holds or the deadline passes; answers
// whether it holds.
bool WaitFor(const std::function<bool()>& done,
             std::chrono::milliseconds deadline = std::chrono::milliseconds(5000));

// Waits for a child of this process with a deadline; answers its wait status,
// or -1 when it did not end in time.
int WaitForChild(pid_t pid, std::chrono::milliseconds deadline = std::chrono::milliseconds(5000));

}  // namespace nebulark::test

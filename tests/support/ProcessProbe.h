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
// Every process below `ancestor`: its children, theirs, and so on.
std::vector<ProcessInfo> DescendantsOf(pid_t ancestor);
// Children of this process that have ended and not been reaped.
int ZombieChildCount();
// The state letter of the process, or 0 when there is no such process.
char ProcessState(pid_t pid);

// Polls `done` every millisecond until it holds or the deadline passes; answers
// whether it holds.
bool WaitFor(const std::function<bool()>& done,
             std::chrono::milliseconds deadline = std::chrono::milliseconds(5000));

// What WaitForChild answers for a pid that is not, or no longer, a child of
// this process: one that someone else has already reaped.
constexpr int kNotAChild = -2;

// Waits for a child of this process with a deadline; answers its wait status,
// -1 when it did not end in time, or kNotAChild.
int WaitForChild(pid_t pid, std::chrono::milliseconds deadline = std::chrono::milliseconds(5000));

// Runs `body` in a child process, for code that might wait forever; answers
// the exit status it returned, or -1 when it did not end within the deadline
// (it is killed then) or did not end normally.
int ExitStatusWithin(const std::function<int()>& body,
                     std::chrono::milliseconds deadline = std::chrono::milliseconds(5000));

}  // namespace nebulark::test

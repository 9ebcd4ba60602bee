#include "util/ChildProcesses.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <vector>

namespace nebulark {

namespace {

struct ChildProcessState {
    std::vector<pid_t> children;
    std::vector<int> closedInChildren;
};

ChildProcessState& state() {
    static ChildProcessState processState;
    return processState;
}

// True once the child has ended and its status has been collected, or when the
// pid is no longer a child of this process at all.
bool hasEnded(pid_t pid) {
    int status = 0;
    pid_t answer = 0;
    do {
        answer = waitpid(pid, &status, WNOHANG);
    } while (answer < 0 && errno == EINTR);
    return answer != 0;
}

// Only close(2) here: the child must not run anything that could talk to the
// server through its copy of the connection.
void closeInheritedDescriptors() {
    for (int descriptor : state().closedInChildren)
        close(descriptor);
    state().closedInChildren.clear();
}

}  // namespace

pid_t forkChildProcess() {
    reapFinishedChildren();
    // Output still buffered would otherwise be written twice, once by each
    // process.
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        closeInheritedDescriptors();
        forgetChildProcesses();
    }
    if (pid > 0) state().children.push_back(pid);
    return pid;
}

pid_t startChildProcess(const std::function<void()>& body) {
    const pid_t pid = forkChildProcess();
    if (pid == 0) {
        body();
        _exit(0);
    }
    return pid;
}

void closeInChildProcesses(int descriptor) {
    if (descriptor >= 0) state().closedInChildren.push_back(descriptor);
}

void keepInChildProcesses(int descriptor) {
    auto& closed = state().closedInChildren;
    closed.erase(std::remove(closed.begin(), closed.end(), descriptor), closed.end());
}

int reapFinishedChildren() {
    auto& children = state().children;
    const auto ended = std::remove_if(children.begin(), children.end(), hasEnded);
    const int count = static_cast<int>(children.end() - ended);
    children.erase(ended, children.end());
    return count;
}

bool signalChildProcess(pid_t pid, int signal) {
    reapFinishedChildren();
    const auto& children = state().children;
    if (pid <= 0 || std::find(children.begin(), children.end(), pid) == children.end())
        return false;
    return kill(pid, signal) == 0;
}

void forgetChildProcesses() {
    state().children.clear();
}

}  // namespace nebulark

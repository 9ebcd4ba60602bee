#include "util/ChildProcesses.h"

#include <sys/prctl.h>
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

// A remembered child that has not been reaped: its pid, and the group it
// leads, still name it and nothing else.
bool isUnreapedChild(pid_t pid) {
    reapFinishedChildren();
    const auto& children = state().children;
    return pid > 0 && std::find(children.begin(), children.end(), pid) != children.end();
}

// The SIGTERM handler of a group's leader: it hands the signal on to the whole
// group. Only async-signal-safe calls. The default action comes back first, so
// the copy this process sends itself ends it once the handler returns (the
// signal is blocked until then); the programs the group runs get the default
// action anyway, since exec resets handlers.
void endOwnGroup(int) {
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    sigaction(SIGTERM, &defaultAction, nullptr);
    kill(0, SIGTERM);
}

// In the child, before its body runs. The handler goes in only once the child
// leads its group, as kill(0) from the parent's group would end the parent;
// and before the death signal is asked for, so that signal ends the group too.
// A parent that ended before the request is seen by the parent check, and the
// child then ends at once, having started nothing.
void leadOwnGroup(pid_t parent) {
    setpgid(0, 0);
    if (getpgrp() == getpid()) {
        struct sigaction groupEnd {};
        groupEnd.sa_handler = endOwnGroup;
        sigaction(SIGTERM, &groupEnd, nullptr);
    }
    if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != parent) _exit(0);
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

pid_t startChildProcessGroup(const std::function<void()>& body) {
    const pid_t parent = getpid();
    const pid_t pid = forkChildProcess();
    if (pid == 0) {
        leadOwnGroup(parent);
        body();
        _exit(0);
    }
    // Set here as well, so that a signal sent to the group as soon as this
    // returns cannot miss a child that has not yet run. A child that has
    // already ended cannot be moved, which leaves nothing to signal either.
    if (pid > 0) setpgid(pid, pid);
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
    return isUnreapedChild(pid) && kill(pid, signal) == 0;
}

bool signalChildProcessGroup(pid_t pid, int signal) {
    return isUnreapedChild(pid) && kill(-pid, signal) == 0;
}

void forgetChildProcesses() {
    state().children.clear();
}

}  // namespace nebulark

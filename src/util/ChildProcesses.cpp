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

std::vector<pid_t>& rememberedChildren() {
    static std::vector<pid_t> children;
    return children;
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

}  // namespace

pid_t startChildProcess(const std::function<void()>& body) {
    reapFinishedChildren();
    // Output still buffered would otherwise be written twice, once by each
    // process.
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        forgetChildProcesses();
        body();
        _exit(0);
    }
    if (pid > 0) rememberedChildren().push_back(pid);
    return pid;
}

int reapFinishedChildren() {
    auto& children = rememberedChildren();
    const auto ended = std::remove_if(children.begin(), children.end(), hasEnded);
    const int count = static_cast<int>(children.end() - ended);
    children.erase(ended, children.end());
    return count;
}

bool signalChildProcess(pid_t pid, int signal) {
    reapFinishedChildren();
    const auto& children = rememberedChildren();
    if (pid <= 0 || std::find(children.begin(), children.end(), pid) == children.end())
        return false;
    return kill(pid, signal) == 0;
}

void forgetChildProcesses() {
    rememberedChildren().clear();
}

}  // namespace nebulark

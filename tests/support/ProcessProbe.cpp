#include "support/ProcessProbe.h"

#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace nebulark::test {

namespace {

// Parses /proc/<pid>/stat: "pid (name) state ppid ...". The name may hold
// blanks and parentheses, so the fields after it are found from the last ')'.
bool ReadStat(pid_t pid, ProcessInfo& info, pid_t& parent) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(in, text)) return false;
    const size_t open = text.find('(');
    const size_t close = text.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) return false;
    std::istringstream rest(text.substr(close + 1));
    info.pid = pid;
    info.name = text.substr(open + 1, close - open - 1);
    rest >> info.state >> parent;
    return static_cast<bool>(rest);
}

}  // namespace

std::vector<ProcessInfo> ChildrenOf(pid_t parent) {
    std::vector<ProcessInfo> children;
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return children;
    while (const dirent* entry = readdir(proc)) {
        const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
        ProcessInfo info;
        pid_t itsParent = 0;
        if (pid > 0 && ReadStat(pid, info, itsParent) && itsParent == parent)
            children.push_back(info);
    }
    closedir(proc);
    return children;
}

std::vector<ProcessInfo> DescendantsOf(pid_t ancestor) {
    std::vector<ProcessInfo> found = ChildrenOf(ancestor);
    for (size_t next = 0; next < found.size(); ++next) {
        const std::vector<ProcessInfo> below = ChildrenOf(found[next].pid);
        found.insert(found.end(), below.begin(), below.end());
    }
    return found;
}

int ZombieChildCount() {
    int count = 0;
    for (const ProcessInfo& child : ChildrenOf(getpid()))
        if (child.state == 'Z') ++count;
    return count;
}

char ProcessState(pid_t pid) {
    ProcessInfo info;
    pid_t parent = 0;
    return ReadStat(pid, info, parent) ? info.state : 0;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return done();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

int WaitForChild(pid_t pid, std::chrono::milliseconds deadline) {
    int status = -1;
    const bool ended = WaitFor(
        [&] {
            const pid_t answer = waitpid(pid, &status, WNOHANG);
            if (answer < 0 && errno == ECHILD) status = kNotAChild;
            return answer == pid || status == kNotAChild;
        },
        deadline);
    return ended ? status : -1;
}

int ExitStatusWithin(const std::function<int()>& body, std::chrono::milliseconds deadline) {
    const pid_t pid = fork();
    if (pid == 0) _exit(body());
    const int status = WaitForChild(pid, deadline);
    if (status == -1) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    return status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace nebulark::test

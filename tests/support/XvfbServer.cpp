#include "support/XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace nebulark::test {

namespace {

[[noreturn]] void ExecServer(int writeEnd, int depth, int width, int height,
                             const std::vector<std::string>& extra) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    dup2(writeEnd, 3);
    if (writeEnd != 3) close(writeEnd);
    const int devnull = open("/dev/null", O_RDWR);
    if (devnull >= 0) {
        dup2(devnull, 0);
        dup2(devnull, 1);
        dup2(devnull, 2);
    }
    const std::string screen =
        std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth);
    std::vector<std::string> words{"Xvfb", "-displayfd", "3",   "-screen", "0",
                                   screen, "-nolisten",  "tcp", "-noreset"};
    words.insert(words.end(), extra.begin(), extra.end());
    std::vector<char*> arguments;
    for (std::string& word : words)
        arguments.push_back(word.data());
    arguments.push_back(nullptr);
    execvp("Xvfb", arguments.data());
    _exit(127);
}

// Reads the display number up to its newline; the server writes it once it
// accepts connections.
std::string ReadDisplayNumber(int readEnd) {
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd pfd{readEnd, POLLIN, 0};
        if (poll(&pfd, 1, 100) <= 0) continue;
        char c = 0;
        if (read(readEnd, &c, 1) != 1) return "";
        if (c == '\n') return number;
        number += c;
    }
    return "";
}

}  // namespace

XvfbServer::~XvfbServer() {
    Stop();
}

bool XvfbServer::Start(int depth, int width, int height, const std::vector<std::string>& extra) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return false;
    pid = fork();
    if (pid == 0) ExecServer(fds[1], depth, width, height, extra);
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return false;
    }
    const std::string number = ReadDisplayNumber(fds[0]);
    close(fds[0]);
    if (number.empty()) {
        Stop();
        return false;
    }
    displayName = ":" + number;
    return true;
}

void XvfbServer::Stop() {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    pid = -1;
}

}  // namespace nebulark::test

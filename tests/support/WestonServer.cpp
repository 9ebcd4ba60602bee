#include "support/WestonServer.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "support/ProcessProbe.h"

namespace nebulark::test {

namespace {

constexpr const char* kListening = "xserver listening on display ";
constexpr auto kStartDeadline = std::chrono::seconds(15);

[[noreturn]] void ExecWeston(const std::string& runtimeDir, const std::string& host) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
    setenv("DISPLAY", host.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    const int devnull = open("/dev/null", O_RDONLY);
    const int log = open((runtimeDir + "/weston.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (devnull >= 0) dup2(devnull, 0);
    if (log >= 0) {
        dup2(log, 1);
        dup2(log, 2);
    }
    const std::string socket = "--socket=nebulark-" + std::to_string(getpid());
    // The pixman renderer needs no graphics card.
    execlp("weston", "weston", "--backend=x11-backend.so", "--use-pixman", "--width=1024",
           "--height=768", "--xwayland", socket.c_str(), "--idle-time=0", "--no-config",
           static_cast<char*>(nullptr));
    _exit(127);
}

// The display named in the log line, such as ":1"; empty until it is there.
std::string ListeningDisplay(const std::string& log) {
    const size_t at = log.find(kListening);
    if (at == std::string::npos) return "";
    std::istringstream rest(log.substr(at + std::string(kListening).size()));
    std::string display;
    rest >> display;
    return display;
}

bool Ended(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == pid;
}

}  // namespace

WestonServer::~WestonServer() {
    Stop();
}

bool WestonServer::Start(const std::string& host) {
    char folder[] = "/tmp/nebulark-weston-XXXXXX";
    if (mkdtemp(folder) == nullptr) return false;
    runtimeDir = folder;
    pid = fork();
    if (pid == 0) ExecWeston(runtimeDir, host);
    if (pid < 0) return false;
    const auto deadline = std::chrono::steady_clock::now() + kStartDeadline;
    while (std::chrono::steady_clock::now() < deadline) {
        displayName = ListeningDisplay(Log());
        if (!displayName.empty()) return true;
        if (Ended(pid)) {
            pid = -1;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

// Weston removes its sockets and the X display's lock as it ends; the folder
// goes after it. Its own children (Xwayland, its helper clients) come to a
// test process that collects orphans, which then reaps them.
void WestonServer::Stop() {
    if (pid > 0) {
        const std::vector<ProcessInfo> children = ChildrenOf(pid);
        kill(pid, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!Ended(pid)) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        for (const ProcessInfo& child : children)
            WaitForChild(child.pid, std::chrono::seconds(2));
        pid = -1;
    }
    if (!runtimeDir.empty()) {
        std::error_code error;
        std::filesystem::remove_all(runtimeDir, error);
        runtimeDir.clear();
    }
    displayName.clear();
}

std::string WestonServer::Log() const {
    std::ifstream file(runtimeDir + "/weston.log");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace nebulark::test

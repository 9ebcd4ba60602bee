#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace nebulark::test {

// A private Xvfb started on a display number it picks itself (-displayfd),
// killed with the test process if that dies first.
class XvfbServer {
public:
    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Starts the server with one screen of the given depth; true once it
    // accepts connections. The display name is then ":N". `extra` goes on
    // the server's command line (such as "-extension", "MIT-SHM").
    bool Start(int depth = 24, int width = 1024, int height = 768,
               const std::vector<std::string>& extra = {});
    void Stop();
    const std::string& DisplayName() const { return displayName; }
    // The server's process; -1 while none runs.
    pid_t Pid() const { return pid; }

private:
    pid_t pid = -1;
    std::string displayName;
};

}  // namespace nebulark::test

#pragma once

#include <sys/types.h>

#include <string>

namespace nebulark::test {

// Weston with Xwayland: the X server of a Wayland desktop, with Weston as its
// window manager. Weston shows its output as a window on another X server
// (its X11 back end), whose keyboard and pointer make its seat: without a
// seat (the headless back end) Weston activates no X window and puts the X
// focus back to none whenever a client moves it, so no key reaches a game.
// Weston gets a runtime folder and a socket of its own and starts Xwayland
// when the first X client connects; stopping Weston ends Xwayland too.
class WestonServer {
public:
    WestonServer() = default;
    ~WestonServer();
    WestonServer(const WestonServer&) = delete;
    WestonServer& operator=(const WestonServer&) = delete;

    // Starts Weston on the X server `host` (such as ":3"); true once it says
    // on which display Xwayland listens (":N").
    bool Start(const std::string& host);
    void Stop();
    const std::string& DisplayName() const { return displayName; }
    // What Weston printed, to tell why it did not start.
    std::string Log() const;

private:
    pid_t pid = -1;
    std::string runtimeDir;
    std::string displayName;
};

}  // namespace nebulark::test

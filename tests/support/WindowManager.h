#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

namespace nebulark::test {

// A stacking window manager on the test's server, as on a player's desktop:
// it frames new windows, gives them the focus, moves the focus when asked
// (_NET_ACTIVE_WINDOW) and iconifies windows by unmapping them.
class WindowManager {
public:
    WindowManager() = default;
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // Starts it on the server of `display` (the environment's DISPLAY); true
    // once it frames the windows mapped from then on.
    bool Start(Display* display);
    void Stop();

    // Asks it to activate the client window, as a task bar does.
    static void Activate(Display* display, Window window);

private:
    pid_t pid = -1;
};

// A small top-level window of another client, mapped, which a window manager
// does not give the focus by itself.
Window MakeOtherWindow(Display* display);

// The window that has the keyboard focus now.
Window FocusWindow(Display* display);

}  // namespace nebulark::test

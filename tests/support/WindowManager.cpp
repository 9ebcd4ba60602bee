#include "support/WindowManager.h"

#include <X11/Xatom.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <chrono>

#include "support/ProcessProbe.h"

namespace nebulark::test {

namespace {

[[noreturn]] void ExecWindowManager() {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int devnull = open("/dev/null", O_RDWR);
    if (devnull >= 0) {
        dup2(devnull, 0);
        dup2(devnull, 1);
        dup2(devnull, 2);
    }
    execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
    _exit(127);
}

bool Reparented(Display* display, Window window) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return false;
    if (children != nullptr) XFree(children);
    return parent != root;
}

// It is ready once it frames new windows. A window mapped while it starts may
// be left alone for good, so the probe is made anew until one is framed.
bool FramesNewWindows(Display* display) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    bool framed = false;
    while (!framed && std::chrono::steady_clock::now() < deadline) {
        const Window probe = MakeOtherWindow(display);
        framed =
            WaitFor([&] { return Reparented(display, probe); }, std::chrono::milliseconds(200));
        XDestroyWindow(display, probe);
        XSync(display, False);
    }
    return framed;
}

}  // namespace

WindowManager::~WindowManager() {
    Stop();
}

bool WindowManager::Start(Display* display) {
    pid = fork();
    if (pid == 0) ExecWindowManager();
    if (pid < 0) return false;
    return FramesNewWindows(display);
}

void WindowManager::Stop() {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    if (WaitForChild(pid) == -1) {
        kill(pid, SIGKILL);
        WaitForChild(pid);
    }
    pid = -1;
}

// Source 2 says the request comes from a pager or task bar, which a window
// manager grants without its focus-stealing checks.
void WindowManager::Activate(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2;
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(display, False);
}

// A user time of 0 asks the window manager not to give the window the focus
// when it is mapped: only the test moves the focus.
Window MakeOtherWindow(Display* display) {
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 900, 20, 60, 40, 0, 0, 0xFFFFFF);
    const unsigned long never = 0;
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_USER_TIME", False), XA_CARDINAL,
                    32, PropModeReplace, reinterpret_cast<const unsigned char*>(&never), 1);
    XMapWindow(display, window);
    XSync(display, False);
    return window;
}

Window FocusWindow(Display* display) {
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    return focus;
}

}  // namespace nebulark::test

#include "app/Screen.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/DisplayScale.h"
#include "util/ChildProcesses.h"
#include "util/Log.h"
#include "widgets/ScaledCanvas.h"

namespace nebulark {

namespace {

Screen* currentScreen = nullptr;
XErrorHandler chainedErrorHandler = nullptr;
XIOErrorHandler chainedConnectionLost = nullptr;
void (*connectionLostAction)() = nullptr;

// Requests whose named error is expected, by serial; a few at most are
// awaiting their answer at any time.
struct ExpectedError {
    unsigned long serial;
    unsigned char code;
};
std::array<ExpectedError, 8> expectedErrors{};
size_t nextExpected = 0;

bool IsExpected(const XErrorEvent& error) {
    for (const ExpectedError& expected : expectedErrors)
        if (expected.serial == error.serial && expected.code == error.error_code &&
            expected.code != 0)
            return true;
    return false;
}

// Xlib's own handler ends the program on any protocol error; this one logs the
// error and lets the program go on. A handler installed before the connection
// was opened (a test harness, for one) is still told.
int LogXError(Display* display, XErrorEvent* error) {
    if (IsExpected(*error)) return 0;
    char description[256] = "";
    XGetErrorText(display, error->error_code, description, sizeof description);
    LogMessage(std::string("Errore X: ") + description + " - richiesta " +
               std::to_string(error->request_code));
    return chainedErrorHandler != nullptr ? chainedErrorHandler(display, error) : 0;
}

// Setting a null handler restores Xlib's default and answers the handler in
// place; setting ours then answers the default, which is never chained.
void InstallErrorHandler() {
    const XErrorHandler previous = XSetErrorHandler(nullptr);
    const XErrorHandler xlibDefault = XSetErrorHandler(LogXError);
    if (previous != LogXError && previous != xlibDefault) chainedErrorHandler = previous;
}

// Xlib ends the process as soon as this handler returns, and the connection
// can no longer be used, so the handler ends the process itself once the
// shutdown steps that need no connection have run. Nothing that would go
// through Xlib runs on the way out. A handler installed before the connection
// was opened (a test harness, for which a lost server is a failure) has the
// last word on how the process ends.
int ConnectionLost(Display* display) {
    LogMessage("Connessione con il server X perduta");
    if (connectionLostAction != nullptr) connectionLostAction();
    std::fflush(nullptr);
    if (chainedConnectionLost != nullptr) chainedConnectionLost(display);
    _exit(0);
}

// As for protocol errors: setting a null handler answers the one in place.
void InstallConnectionLostHandler() {
    const XIOErrorHandler previous = XSetIOErrorHandler(nullptr);
    const XIOErrorHandler xlibDefault = XSetIOErrorHandler(ConnectionLost);
    if (previous != ConnectionLost && previous != xlibDefault) chainedConnectionLost = previous;
}

}  // namespace

void Screen::ExpectErrorOfNextRequest(Display* display, unsigned char errorCode) {
    expectedErrors[nextExpected] = ExpectedError{NextRequest(display), errorCode};
    nextExpected = (nextExpected + 1) % expectedErrors.size();
}

Screen::Screen(const char* title) : title(title) {
    Open();
    if (currentScreen == nullptr) currentScreen = this;
}

// The destructor is also reached when Close was never called; it frees the
// visual list then too, rather than leaking it.
Screen::~Screen() {
    if (display != nullptr) CloseConnection();
    if (currentScreen == this) currentScreen = nullptr;
}

void Screen::Open() {
    display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        openFailed = 1;
        LogMessage("XOpenDisplay(0) failed.");
        return;
    }
    InstallErrorHandler();
    InstallConnectionLostHandler();
    closeInChildProcesses(ConnectionNumber(display));
    screenNumber = DefaultScreen(display);
    width = DisplayWidth(display, screenNumber);
    height = DisplayHeight(display, screenNumber);
    depth = DefaultDepth(display, screenNumber);
    if (depth < 24) LogMessage("This app requires 24-bit depth.");

    XVisualInfo templ{};
    templ.screen = screenNumber;
    templ.depth = depth;
    int matches = 0;
    visualInfo = XGetVisualInfo(display, VisualScreenMask | VisualDepthMask, &templ, &matches);
    if (matches == 0) LogMessage("GetVisualInfo failed.");

    height = XDisplayHeight(display, screenNumber);
    width = XDisplayWidth(display, screenNumber);
    ReadScale();
}

// The resource string is the one the server held when the connection opened,
// so the scale is read once, at start-up.
void Screen::ReadScale() {
    scale = WantedScale(std::getenv("NEBULARK_SCALE"), XResourceManagerString(display));
    if (scale > 1 && !ScaledCanvas::Supported(display)) {
        LogMessage("Il server X non sa ingrandire (RENDER): scala 1");
        scale = 1;
    }
}

int Screen::SettleScale(int formWidth, int formHeight) {
    if (!scaleSettled) scale = FittingScale(scale, formWidth, formHeight, width, height);
    scaleSettled = true;
    return scale;
}

bool Screen::Close() {
    if (display == nullptr) return false;
    CloseConnection();
    return true;
}

void Screen::CloseConnection() {
    if (visualInfo != nullptr) XFree(visualInfo);
    visualInfo = nullptr;
    keepInChildProcesses(ConnectionNumber(display));
    XCloseDisplay(display);
    display = nullptr;
}

void Screen::SetConnectionLostAction(void (*action)()) {
    connectionLostAction = action;
}

Screen* Screen::Current() {
    return currentScreen;
}

int Screen::ScreenWidth() {
    return currentScreen ? currentScreen->width : 0;
}

int Screen::ScreenHeight() {
    return currentScreen ? currentScreen->height : 0;
}

uint64_t Screen::PointerPosition() {
    if (currentScreen == nullptr || currentScreen->display == nullptr) return 0;
    Display* dpy = currentScreen->display;
    Window root = RootWindow(dpy, DefaultScreen(dpy));
    Window rootReturn = 0, childReturn = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(dpy, root, &rootReturn, &childReturn, &rootX, &rootY, &winX, &winY, &mask))
        return 0;
    return static_cast<uint32_t>(rootX) |
           (static_cast<uint64_t>(static_cast<uint32_t>(rootY)) << 32);
}

void Screen::ResetScreenSaver() {
    if (display != nullptr) XResetScreenSaver(display);
}

}  // namespace nebulark

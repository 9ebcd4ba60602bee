#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace nebulark::test {

// One size of a window's _NET_WM_ICON: 0xAARRGGBB pixels, rows top to bottom.
struct IconPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
};

// The test's own connection to the server: real input through XTEST, pixels
// read back with XGetImage and window properties read from the server.
class XDriver {
public:
    XDriver();
    ~XDriver();
    XDriver(const XDriver&) = delete;
    XDriver& operator=(const XDriver&) = delete;

    Display* Connection() const { return display; }
    bool Ok() const { return display != nullptr; }
    // A round trip: every request sent so far has been handled by the server,
    // so input sent before it is already queued for the receiving client.
    void Sync() const;

    void KeyDown(KeySym keysym) const;
    void KeyUp(KeySym keysym) const;
    void KeyTap(KeySym keysym) const;
    // A key pressed and let go by its code, as the keyboard sends it, whatever
    // the layout makes of it.
    void KeyCodeTap(unsigned keycode) const;
    // Moves the pointer to (x, y) inside the window, in window coordinates.
    void MoveTo(Window window, int x, int y) const;
    void ButtonDown(unsigned button) const;
    void ButtonUp(unsigned button) const;
    void Click(Window window, int x, int y, unsigned button = 1) const;
    void Focus(Window window) const;

    // 0xRRGGBB of one pixel; -1 when the image cannot be read.
    int64_t PixelAt(Window window, int x, int y) const;
    std::vector<uint32_t> Pixels(Window window, int x, int y, int width, int height) const;

    bool NormalHints(Window window, XSizeHints& hints) const;
    std::string ResourceName(Window window) const;
    std::string ResourceClass(Window window) const;
    std::vector<std::string> Protocols(Window window) const;
    std::vector<std::string> AtomListProperty(Window window, const char* property) const;
    std::string StringProperty(Window window, Atom property) const;
    // The values of a CARDINAL property; empty when the window has none.
    std::vector<unsigned long> Cardinals(Window window, const char* property) const;
    // The window's _NET_WM_ICON, size by size; a size whose pixels run past
    // the end of the property ends the list.
    std::vector<IconPicture> Icons(Window window) const;
    // A viewable window of the resource class anywhere below the root, as
    // under a window manager that frames its clients; 0 when there is none.
    Window FindViewable(const std::string& resourceClass) const;

    void SendDeleteWindow(Window window) const;
    // A client message of type None whose first value is 1.
    void SendTick(Window window) const;

private:
    Display* display = nullptr;
};

// True when the window is a child of the root window, asked without the
// protocol error a destroyed window would bring.
bool WindowExists(Display* display, Window window);

// The sides of the square icons that show something: at least one pixel
// opaque and not black.
std::vector<int> VisibleIconSides(const std::vector<IconPicture>& icons);

// Calls `step` until `done` answers true or the deadline passes; answers done().
bool WaitUntil(const std::function<bool()>& done, const std::function<void()>& step,
               std::chrono::milliseconds deadline = std::chrono::milliseconds(3000));

}  // namespace nebulark::test

#include "support/XDriver.h"

#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>

#include <algorithm>

namespace nebulark::test {

XDriver::XDriver() : display(XOpenDisplay(nullptr)) {}

XDriver::~XDriver() {
    if (display != nullptr) XCloseDisplay(display);
}

void XDriver::Sync() const {
    XSync(display, False);
}

void XDriver::KeyDown(KeySym keysym) const {
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), True, CurrentTime);
    Sync();
}

void XDriver::KeyUp(KeySym keysym) const {
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), False, CurrentTime);
    Sync();
}

void XDriver::KeyTap(KeySym keysym) const {
    KeyDown(keysym);
    KeyUp(keysym);
}

void XDriver::KeyCodeTap(unsigned keycode) const {
    XTestFakeKeyEvent(display, keycode, True, CurrentTime);
    XTestFakeKeyEvent(display, keycode, False, CurrentTime);
    Sync();
}

void XDriver::MoveTo(Window window, int x, int y) const {
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY,
                          &child);
    XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
    Sync();
}

void XDriver::ButtonDown(unsigned button) const {
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    Sync();
}

void XDriver::ButtonUp(unsigned button) const {
    XTestFakeButtonEvent(display, button, False, CurrentTime);
    Sync();
}

void XDriver::Click(Window window, int x, int y, unsigned button) const {
    MoveTo(window, x, y);
    ButtonDown(button);
    ButtonUp(button);
}

void XDriver::Focus(Window window) const {
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    Sync();
}

int64_t XDriver::PixelAt(Window window, int x, int y) const {
    const std::vector<uint32_t> pixels = Pixels(window, x, y, 1, 1);
    return pixels.empty() ? -1 : static_cast<int64_t>(pixels[0]);
}

std::vector<uint32_t> XDriver::Pixels(Window window, int x, int y, int width, int height) const {
    std::vector<uint32_t> pixels;
    XImage* image = XGetImage(display, window, x, y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr) return pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col)
            pixels.push_back(static_cast<uint32_t>(XGetPixel(image, col, row) & 0xFFFFFF));
    XDestroyImage(image);
    return pixels;
}

bool XDriver::NormalHints(Window window, XSizeHints& hints) const {
    long supplied = 0;
    return XGetWMNormalHints(display, window, &hints, &supplied) != 0;
}

std::string XDriver::ResourceName(Window window) const {
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint)) return "";
    std::string name = hint.res_name ? hint.res_name : "";
    XFree(hint.res_name);
    XFree(hint.res_class);
    return name;
}

std::string XDriver::ResourceClass(Window window) const {
    XClassHint hint{};
    if (!XGetClassHint(display, window, &hint)) return "";
    std::string name = hint.res_class ? hint.res_class : "";
    XFree(hint.res_name);
    XFree(hint.res_class);
    return name;
}

std::vector<std::string> XDriver::Protocols(Window window) const {
    std::vector<std::string> names;
    Atom* atoms = nullptr;
    int count = 0;
    if (!XGetWMProtocols(display, window, &atoms, &count)) return names;
    for (int i = 0; i < count; ++i) {
        char* name = XGetAtomName(display, atoms[i]);
        names.emplace_back(name ? name : "");
        XFree(name);
    }
    XFree(atoms);
    return names;
}

std::vector<std::string> XDriver::AtomListProperty(Window window, const char* property) const {
    std::vector<std::string> names;
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom atom = XInternAtom(display, property, False);
    if (XGetWindowProperty(display, window, atom, 0, 1024, False, XA_ATOM, &actualType, &format,
                           &count, &after, &data) != Success)
        return names;
    const Atom* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; atoms != nullptr && format == 32 && i < count; ++i) {
        char* name = XGetAtomName(display, atoms[i]);
        names.emplace_back(name ? name : "");
        XFree(name);
    }
    if (data != nullptr) XFree(data);
    return names;
}

std::string XDriver::StringProperty(Window window, Atom property) const {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 4096, False, AnyPropertyType, &actualType,
                           &format, &count, &after, &data) != Success)
        return "";
    std::string text;
    if (data != nullptr && format == 8) text.assign(reinterpret_cast<char*>(data), count);
    if (data != nullptr) XFree(data);
    return text;
}

std::vector<unsigned long> XDriver::Cardinals(Window window, const char* property) const {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    const Atom atom = XInternAtom(display, property, False);
    if (XGetWindowProperty(display, window, atom, 0, 1 << 20, False, XA_CARDINAL, &actualType,
                           &format, &count, &after, &data) != Success)
        return values;
    // Xlib hands format-32 data over as one long per value.
    if (data != nullptr && format == 32) {
        const unsigned long* first = reinterpret_cast<const unsigned long*>(data);
        values.assign(first, first + count);
    }
    if (data != nullptr) XFree(data);
    return values;
}

std::vector<IconPicture> XDriver::Icons(Window window) const {
    const std::vector<unsigned long> values = Cardinals(window, "_NET_WM_ICON");
    std::vector<IconPicture> icons;
    for (size_t at = 0; at + 2 <= values.size();) {
        IconPicture icon{static_cast<int>(values[at]), static_cast<int>(values[at + 1]), {}};
        const size_t count = values[at] * values[at + 1];
        at += 2;
        if (count > values.size() - at) break;
        for (size_t i = 0; i < count; ++i)
            icon.argb.push_back(static_cast<uint32_t>(values[at + i]));
        at += count;
        icons.push_back(std::move(icon));
    }
    return icons;
}

namespace {

Window FindBelow(const XDriver& driver, Window parent, const std::string& resourceClass) {
    Display* display = driver.Connection();
    Window root = 0, up = 0, found = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        XWindowAttributes attributes{};
        if (driver.ResourceClass(children[i]) == resourceClass &&
            XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable)
            found = children[i];
        else
            found = FindBelow(driver, children[i], resourceClass);
    }
    if (children != nullptr) XFree(children);
    return found;
}

}  // namespace

// The server is held while the tree is read, so that no window vanishes
// meanwhile.
Window XDriver::FindViewable(const std::string& resourceClass) const {
    XGrabServer(display);
    const Window found = FindBelow(*this, DefaultRootWindow(display), resourceClass);
    XUngrabServer(display);
    Sync();
    return found;
}

void XDriver::SendDeleteWindow(Window window) const {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    Sync();
}

void XDriver::SendTick(Window window) const {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = None;
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1;
    XSendEvent(display, window, False, NoEventMask, &event);
    Sync();
}

std::vector<int> VisibleIconSides(const std::vector<IconPicture>& icons) {
    std::vector<int> sides;
    for (const IconPicture& icon : icons)
        if (icon.width == icon.height &&
            std::any_of(icon.argb.begin(), icon.argb.end(), [](uint32_t pixel) {
                return pixel >> 24 == 0xFF && (pixel & 0xFFFFFF) != 0;
            }))
            sides.push_back(icon.width);
    return sides;
}

bool WaitUntil(const std::function<bool()>& done, const std::function<void()>& step,
               std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return done();
        step();
    }
    return true;
}

bool WindowExists(Display* display, Window window) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    const bool found = std::find(children, children + count, window) != children + count;
    if (children != nullptr) XFree(children);
    return found;
}

}  // namespace nebulark::test

// The one-time probe of the server's pixel layout: a pixel of a known colour
// is drawn and read back, and the image that comes back tells how the server
// lays out pixels and in which byte each colour channel lives.
#include "widgets/PixelLayoutProbe.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <string>

#include "app/Application.h"
#include "app/Screen.h"
#include "images/PixelLayout.h"
#include "util/Log.h"
#include "util/StringUtils.h"
#include "widgets/DrawingSurface.h"
#include "widgets/Form.h"

namespace nebulark {

namespace {

constexpr int32_t kProbeColour = 0xCF3B76;
constexpr int kProbeRed = 0xCF;
constexpr int kProbeGreen = 0x3B;
constexpr int kProbeBlue = 0x76;
constexpr int kMaxPixelBytes = 8;

void warnIfNot(const char* field, int value, int expected) {
    if (value != expected) LogMessage(std::string("WARNING img->") + field + ": " + toText(value));
}

// Each mismatch with the layout of a little-endian 32-bit TrueColor server
// gets one line, in this order.
void reportLayout(const XImage& probe) {
    warnIfNot("format", probe.format, ZPixmap);
    warnIfNot("xoffset", probe.xoffset, 0);
    warnIfNot("bitmap_pad", probe.bitmap_pad, 32);
    warnIfNot("bitmap_unit", probe.bitmap_unit, 32);
    warnIfNot("depth", probe.depth, 24);
    warnIfNot("bits_per_pixel", probe.bits_per_pixel, 32);
    warnIfNot("bitmap_bit_order", probe.bitmap_bit_order, LSBFirst);
    warnIfNot("byte_order", probe.byte_order, LSBFirst);
}

void warnChannel(const char* name, int position) {
    LogMessage(std::string("WARNING MyImage::") + name + ": " + toText(position));
}

// A byte equal to the probe colour's red marks red's position, else one equal
// to its green marks green's, else one equal to its blue marks blue's; a later
// match wins. Positions not found keep their value. When all three are found only the unexpected
// ones are reported; otherwise all three are, with the values they now hold.
void locateChannels(const XImage& probe) {
    PixelLayout& layout = serverPixelLayout;
    const int bytes = std::min({probe.bits_per_pixel / 8, kMaxPixelBytes, probe.bytes_per_line});
    const auto* pixel = reinterpret_cast<const unsigned char*>(probe.data);
    bool red = false, green = false, blue = false;
    for (int i = 0; pixel != nullptr && i < bytes; ++i) {
        if (pixel[i] == kProbeRed) {
            layout.ixRosso = i;
            red = true;
        } else if (pixel[i] == kProbeGreen) {
            layout.ixVerde = i;
            green = true;
        } else if (pixel[i] == kProbeBlue) {
            layout.ixBlu = i;
            blue = true;
        }
    }
    const bool all = red && green && blue;
    if (!all || layout.ixRosso != 2) warnChannel("ixRosso", layout.ixRosso);
    if (!all || layout.ixVerde != 1) warnChannel("ixVerde", layout.ixVerde);
    if (!all || layout.ixBlu != 0) warnChannel("ixBlu", layout.ixBlu);
}

bool viewable(Display* display, Window window) {
    XWindowAttributes attributes{};
    return window != 0 && XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

XImage* probeOnWindow(Form* form, Display* display) {
    DrawingSurface surface(form);
    surface.DrawPoint(0, 0, kProbeColour);
    return XGetImage(display, form->GetWindow(), 0, 0, 1, 1, AllPlanes, ZPixmap);
}

// A window that is not mapped yet (a form still running its OnLoad) cannot be
// read back, so the point goes on a one-pixel pixmap of the same depth.
XImage* probeOnPixmap(Form* form, Display* display) {
    const int screenNumber = form->GetScreen()->GetScreenNumber();
    Drawable drawable = form->GetWindow();
    unsigned depth = static_cast<unsigned>(DefaultDepth(display, screenNumber));
    XWindowAttributes attributes{};
    if (drawable != 0 && XGetWindowAttributes(display, drawable, &attributes) != 0)
        depth = static_cast<unsigned>(attributes.depth);
    else
        drawable = RootWindow(display, screenNumber);
    const Pixmap pixmap = XCreatePixmap(display, drawable, 1, 1, depth);
    GC gc = XCreateGC(display, pixmap, 0, nullptr);
    XSetForeground(display, gc, kProbeColour);
    XDrawPoint(display, pixmap, gc, 0, 0);
    XImage* probe = XGetImage(display, pixmap, 0, 0, 1, 1, AllPlanes, ZPixmap);
    XFreeGC(display, gc);
    XFreePixmap(display, pixmap);
    return probe;
}

}  // namespace

void probePixelLayout(GUIElement* element) {
    if (serverPixelLayout.Probed()) return;
    Form* form = Application::OwningForm(element);
    if (form == nullptr || form->GetScreen() == nullptr) return;
    Display* display = form->GetScreen()->GetDisplay();
    if (display == nullptr) return;
    XImage* probe = viewable(display, form->GetWindow()) ? probeOnWindow(form, display)
                                                         : probeOnPixmap(form, display);
    // Nothing is stored, so the next conversion tries again.
    if (probe == nullptr) {
        LogMessage("Errore XGetImage");
        return;
    }
    adoptProbeImage(*probe);
    // The pixel data was allocated by Xlib along with the record.
    XDestroyImage(probe);
}

void adoptProbeImage(const XImage& probe) {
    PixelLayout& layout = serverPixelLayout;
    layout.depth = probe.depth;
    layout.format = probe.format;
    layout.xoffset = probe.xoffset;
    layout.bitmapPad = probe.bitmap_pad;
    layout.bitsPerPixel = probe.bits_per_pixel;
    layout.bitmapBitOrder = probe.bitmap_bit_order;
    reportLayout(probe);
    locateChannels(probe);
}

PixelChannels ProbePixelChannels(GUIElement* element) {
    probePixelLayout(element);
    return serverPixelLayout.Channels();
}

}  // namespace nebulark

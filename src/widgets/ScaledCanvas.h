#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrender.h>

#include <memory>
#include <vector>

#include "util/PixelRect.h"

namespace nebulark {

// What a form's window shows at a scale above 1. The form is drawn at its own
// size into a pixmap, the canvas, and the server enlarges each rectangle drawn
// there onto the window, every pixel an s × s block (a scaling transform with
// the nearest filter), so texts and pictures stay as crisp as at scale 1. What
// has been drawn stays in the canvas, so an exposed part of the window is
// shown again from it.
class ScaledCanvas {
public:
    // Null, with nothing made, when the server cannot enlarge (no RENDER) or
    // the pixmap cannot be made. The canvas starts in the background colour,
    // as a new window does.
    static std::unique_ptr<ScaledCanvas> Make(Display* display, Window window, int scale, int width,
                                              int height, unsigned long background);
    // Whether the server has what scaling needs.
    static bool Supported(Display* display);
    ~ScaledCanvas();
    ScaledCanvas(const ScaledCanvas&) = delete;
    ScaledCanvas& operator=(const ScaledCanvas&) = delete;

    Drawable Target() const { return pixmap; }
    int Scale() const { return scale; }
    // A part of the canvas has been drawn: it is shown at the next Show. Parts
    // reaching outside the canvas are cut to it.
    void Drawn(const PixelRect& rect);
    // Enlarges every part drawn since the last Show onto the window.
    void Show();
    // Shows a part of the canvas again, as for an exposed part of the window.
    void ShowAgain(const PixelRect& rect);
    // A new size: what the old canvas held stays at its place, and the rest
    // takes the background colour.
    void Resize(int newWidth, int newHeight);
    // For a connection that has been closed, which took the pixmap and the
    // pictures with it: nothing more is said to the server.
    void Abandon() { display = nullptr; }

private:
    ScaledCanvas(Display* display, Window window, int scale, unsigned long background);
    bool MakePixmap(int newWidth, int newHeight);
    void Composite(const PixelRect& rect);

    Display* display;
    Window window;
    int scale;
    unsigned long background;
    int depth = 0;
    int width = 0;
    int height = 0;
    Pixmap pixmap = 0;
    GC gc = nullptr;
    XRenderPictFormat* format = nullptr;
    Picture source = 0;
    Picture shown = 0;
    std::vector<PixelRect> pending;
};

}  // namespace nebulark

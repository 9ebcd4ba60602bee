#include "widgets/ScaledCanvas.h"

#include <algorithm>

namespace nebulark {

namespace {

// Transforms and filters came with version 0.6 of the extension.
constexpr int kTransformMinor = 6;

}  // namespace

bool ScaledCanvas::Supported(Display* display) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (display == nullptr || !XRenderQueryExtension(display, &eventBase, &errorBase) ||
        !XRenderQueryVersion(display, &major, &minor))
        return false;
    return major > 0 || minor >= kTransformMinor;
}

ScaledCanvas::ScaledCanvas(Display* display, Window window, int scale, unsigned long background)
    : display(display), window(window), scale(scale), background(background) {}

std::unique_ptr<ScaledCanvas> ScaledCanvas::Make(Display* display, Window window, int scale,
                                                 int width, int height, unsigned long background) {
    XWindowAttributes attributes{};
    if (scale < 2 || window == 0 || !Supported(display) ||
        !XGetWindowAttributes(display, window, &attributes))
        return nullptr;
    std::unique_ptr<ScaledCanvas> canvas(new ScaledCanvas(display, window, scale, background));
    canvas->depth = attributes.depth;
    canvas->format = XRenderFindVisualFormat(display, attributes.visual);
    if (canvas->format == nullptr) return nullptr;
    XGCValues values{};
    canvas->gc = XCreateGC(display, window, 0, &values);
    canvas->shown = XRenderCreatePicture(display, window, canvas->format, 0, nullptr);
    if (canvas->gc == nullptr || canvas->shown == 0 || !canvas->MakePixmap(width, height))
        return nullptr;
    return canvas;
}

ScaledCanvas::~ScaledCanvas() {
    if (display == nullptr) return;
    if (source != 0) XRenderFreePicture(display, source);
    if (shown != 0) XRenderFreePicture(display, shown);
    if (pixmap != 0) XFreePixmap(display, pixmap);
    if (gc != nullptr) XFreeGC(display, gc);
}

// The new pixmap takes over what the old one held; the source picture that
// reads it is made anew, with the transform that maps a window pixel onto the
// canvas pixel it enlarges.
bool ScaledCanvas::MakePixmap(int newWidth, int newHeight) {
    const int w = std::max(newWidth, 1), h = std::max(newHeight, 1);
    const Pixmap made = XCreatePixmap(display, window, static_cast<unsigned>(w),
                                      static_cast<unsigned>(h), static_cast<unsigned>(depth));
    if (made == 0) return false;
    XSetForeground(display, gc, background);
    XFillRectangle(display, made, gc, 0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h));
    if (pixmap != 0) {
        XCopyArea(display, pixmap, made, gc, 0, 0, static_cast<unsigned>(std::min(w, width)),
                  static_cast<unsigned>(std::min(h, height)), 0, 0);
        XRenderFreePicture(display, source);
        XFreePixmap(display, pixmap);
    }
    pixmap = made;
    width = w;
    height = h;
    source = XRenderCreatePicture(display, pixmap, format, 0, nullptr);
    XTransform shrink{};
    shrink.matrix[0][0] = shrink.matrix[1][1] = XDoubleToFixed(1.0 / scale);
    shrink.matrix[2][2] = XDoubleToFixed(1.0);
    XRenderSetPictureTransform(display, source, &shrink);
    XRenderSetPictureFilter(display, source, FilterNearest, nullptr, 0);
    return source != 0;
}

void ScaledCanvas::Drawn(const PixelRect& rect) {
    const PixelRect part = rect.Intersection(PixelRect{0, 0, width, height});
    if (part.Empty()) return;
    for (const PixelRect& earlier : pending)
        if (earlier.Intersection(part) == part) return;
    pending.push_back(part);
}

void ScaledCanvas::Show() {
    for (const PixelRect& rect : pending)
        Composite(rect);
    pending.clear();
}

void ScaledCanvas::ShowAgain(const PixelRect& rect) {
    const PixelRect part = rect.Intersection(PixelRect{0, 0, width, height});
    if (!part.Empty()) Composite(part);
}

// Window coordinates: the transform takes them back to the canvas.
void ScaledCanvas::Composite(const PixelRect& rect) {
    const int x = rect.x * scale, y = rect.y * scale;
    XRenderComposite(display, PictOpSrc, source, 0, shown, x, y, 0, 0, x, y,
                     static_cast<unsigned>(rect.w * scale), static_cast<unsigned>(rect.h * scale));
}

void ScaledCanvas::Resize(int newWidth, int newHeight) {
    if (newWidth == width && newHeight == height) return;
    pending.clear();
    MakePixmap(newWidth, newHeight);
}

}  // namespace nebulark

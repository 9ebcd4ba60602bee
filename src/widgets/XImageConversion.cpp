#include "widgets/XImageConversion.h"

#include <X11/Xutil.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "app/Application.h"
#include "app/Screen.h"
#include "images/ImageFiles.h"
#include "images/PixelLayout.h"
#include "images/PixelPlacement.h"
#include "util/FileUtils.h"
#include "util/Log.h"
#include "util/StringUtils.h"
#include "widgets/Form.h"
#include "widgets/PixelLayoutProbe.h"

namespace nebulark {

namespace {

Display* displayOf(Form* form) {
    if (form == nullptr || form->GetScreen() == nullptr) return nullptr;
    return form->GetScreen()->GetDisplay();
}

Visual* visualOf(const Screen& screen) {
    if (screen.GetVisualInfo() != nullptr) return screen.GetVisualInfo()->visual;
    return DefaultVisual(screen.GetDisplay(), screen.GetScreenNumber());
}

// The stride of a row of `rowBytes`, rounded up to the server's padding.
// Padding never happens with 32-bit pixels; it is reported because the game's
// frame images assume rows without gaps.
size_t paddedStride(int width, size_t rowBytes, size_t padBytes) {
    if (rowBytes % padBytes == 0) return rowBytes;
    const size_t stride = (rowBytes / padBytes + 1) * padBytes;
    LogMessage("WARNING img width: " + toText(width) + " - bytes_per_line_Pad != bytes_per_line: " +
               toText(static_cast<int64_t>(stride)) + " " + toText(static_cast<int64_t>(rowBytes)));
    return stride;
}

}  // namespace

XImage* createXImageFromRgb(GUIElement* element, const RgbBuffer& rgb) {
    if (rgb.empty()) return nullptr;
    probePixelLayout(element);
    Form* form = Application::OwningForm(element);
    Display* display = displayOf(form);
    const PixelLayout& layout = serverPixelLayout;
    const int bytesPerPixel = layout.bitsPerPixel / 8;
    const int padBytes = layout.bitmapPad / 8;
    if (display == nullptr) {
        LogMessage("createXImageFromRgb: nessun display");
        return nullptr;
    }
    // Without a probed layout there is no way to know what a pixel looks like.
    if (!layout.Probed() || bytesPerPixel <= 0 || padBytes <= 0) {
        LogMessage("createXImageFromRgb: formato dei pixel sconosciuto");
        return nullptr;
    }
    const size_t rowBytes = static_cast<size_t>(rgb.width()) * static_cast<size_t>(bytesPerPixel);
    const size_t stride = paddedStride(rgb.width(), rowBytes, static_cast<size_t>(padBytes));
    const size_t total = stride * static_cast<size_t>(rgb.height());
    auto* pixels = new (std::nothrow) unsigned char[total];
    if (pixels == nullptr) {
        LogMessage("createXImageFromRgb: memoria insufficiente");
        return nullptr;
    }
    placeRgbPixels(rgb, layout.Channels(), pixels, stride);
    XImage* image = XCreateImage(
        display, visualOf(*form->GetScreen()), static_cast<unsigned>(layout.depth), layout.format,
        layout.xoffset, reinterpret_cast<char*>(pixels), static_cast<unsigned>(rgb.width()),
        static_cast<unsigned>(rgb.height()), padBytes * 8, static_cast<int>(stride));
    if (image == nullptr) {
        delete[] pixels;
        LogMessage("Errore XCreateImage");
    }
    return image;
}

// The pixel buffer came from array new, so XDestroyImage (which would free()
// it) must not be used; the record itself is Xlib's.
void destroyXImage(XImage* image) {
    if (image == nullptr) return;
    delete[] reinterpret_cast<unsigned char*>(image->data);
    image->data = nullptr;
    XFree(image);
}

// The copy takes the source's format and pads its rows as XSubImage does;
// XDestroyImage frees its record and pixels with free(). A rectangle that does
// not lie within the image is left to XSubImage.
XImage* cutXImage(XImage* image, int x, int y, int w, int h) {
    if (image == nullptr || image->data == nullptr || w <= 0 || h <= 0) return nullptr;
    const bool wholeBytes = image->format == ZPixmap && image->bits_per_pixel % 8 == 0;
    const bool inside = x >= 0 && y >= 0 && x + w <= image->width && y + h <= image->height;
    if (!wholeBytes || !inside)
        return XSubImage(image, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h));
    auto* cut = static_cast<XImage*>(std::malloc(sizeof(XImage)));
    if (cut == nullptr) return nullptr;
    *cut = *image;
    cut->width = w;
    cut->height = h;
    cut->xoffset = 0;
    cut->bytes_per_line = 0;
    cut->data = nullptr;
    cut->obdata = nullptr;
    if (XInitImage(cut) == 0) {
        std::free(cut);
        return nullptr;
    }
    const size_t bytesPerPixel = static_cast<size_t>(image->bits_per_pixel / 8);
    const size_t stride = static_cast<size_t>(cut->bytes_per_line);
    cut->data = static_cast<char*>(std::calloc(stride * static_cast<size_t>(h), 1));
    if (cut->data == nullptr) {
        std::free(cut);
        return nullptr;
    }
    const size_t rowBytes = static_cast<size_t>(w) * bytesPerPixel;
    const char* from = image->data + static_cast<size_t>(y) * image->bytes_per_line +
                       static_cast<size_t>(x) * bytesPerPixel;
    for (int row = 0; row < h; ++row)
        std::memcpy(cut->data + static_cast<size_t>(row) * stride,
                    from + static_cast<size_t>(row) * image->bytes_per_line, rowBytes);
    return cut;
}

XImage* loadBmpImage(GUIElement* element, int bitsPerPixel, const std::string& path) {
    if (!fileExists(path)) return nullptr;
    const RgbBuffer rgb = bitsPerPixel == 24  ? readBmp24(path)
                          : bitsPerPixel == 8 ? readBmp8(path)
                          : bitsPerPixel == 4 ? readBmp4(path)
                                              : RgbBuffer();
    return createXImageFromRgb(element, rgb);
}

Pixmap createPixmapFromXImage(GUIElement* element, XImage* image) {
    Form* form = Application::OwningForm(element);
    Display* display = displayOf(form);
    if (image == nullptr || display == nullptr || form->GetWindow() == 0 || image->width <= 0 ||
        image->height <= 0)
        return 0;
    const auto width = static_cast<unsigned>(image->width);
    const auto height = static_cast<unsigned>(image->height);
    const Pixmap pixmap = XCreatePixmap(display, form->GetWindow(), width, height,
                                        static_cast<unsigned>(image->depth));
    XGCValues values{};
    GC gc = XCreateGC(display, pixmap, GCCapStyle | GCJoinStyle, &values);
    if (gc == nullptr) {
        LogMessage("Errore XCreateGC");
        return pixmap;
    }
    XPutImage(display, pixmap, gc, image, 0, 0, 0, 0, width, height);
    XFreeGC(display, gc);
    return pixmap;
}

void loadRawImage(GUIElement* element, const std::string& path, int width, int height, XImage*& out,
                  unsigned& fileSize) {
    const RgbBuffer rgb = readRawRgbFile(path, width, height, fileSize);
    if (rgb.empty()) return;
    if (XImage* image = createXImageFromRgb(element, rgb)) out = image;
}

}  // namespace nebulark

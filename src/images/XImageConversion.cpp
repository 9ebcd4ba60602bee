#include "images/XImageConversion.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <new>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "app/Application.h"
#include "app/Log.h"
#include "app/Screen.h"
#include "images/ImageFiles.h"
#include "images/MyImage.h"
#include "util/StringUtils.h"
#include "widgets/Form.h"

namespace nebulark {

namespace {

bool inPixel(int position, int bytesPerPixel) {
    return position >= 0 && position < bytesPerPixel;
}

// Four-byte pixels whose channels sit at distinct bytes can be written as one
// 32-bit word each, built in the byte order of this machine.
bool wholeWordLayout(const PixelChannels& p) {
    return std::endian::native == std::endian::little && p.bytesPerPixel == 4 &&
           inPixel(p.red, 4) && inPixel(p.green, 4) && inPixel(p.blue, 4) && p.red != p.green &&
           p.red != p.blue && p.green != p.blue;
}

uint32_t packWord(const unsigned char* source, int redShift, int greenShift, int blueShift) {
    return uint32_t{source[0]} << redShift | uint32_t{source[1]} << greenShift |
           uint32_t{source[2]} << blueShift;
}

// Packs the pixels of a row from column `from` on one word at a time, then
// clears the row's padding.
void packRowFrom(size_t from, const unsigned char* source, unsigned char* row, size_t width,
                 size_t stride, const PixelChannels& p) {
    for (size_t x = from; x < width; ++x) {
        const uint32_t word = packWord(source + 3 * x, 8 * p.red, 8 * p.green, 8 * p.blue);
        std::memcpy(row + 4 * x, &word, 4);
    }
    std::memset(row + 4 * width, 0, stride - 4 * width);
}

#if defined(__x86_64__) || defined(__i386__)
// Four source triplets (12 bytes) become four pixels in one byte shuffle:
// byte j of pixel k takes source byte 3k + its channel, or 0 when it carries
// none. Each load reads 16 bytes for the 12 it uses, so the shuffles stop
// where that would reach past the picture and the rest of the row is packed
// pixel by pixel.
__attribute__((target("ssse3"))) void placeShuffledRows(const RgbBuffer& rgb,
                                                        const PixelChannels& p,
                                                        unsigned char* target, size_t stride) {
    alignas(16) signed char order[16];
    for (int k = 0; k < 4; ++k)
        for (int j = 0; j < 4; ++j)
            order[4 * k + j] = static_cast<signed char>(j == p.red     ? 3 * k
                                                        : j == p.green ? 3 * k + 1
                                                        : j == p.blue  ? 3 * k + 2
                                                                       : -1);
    const __m128i shuffle = _mm_load_si128(reinterpret_cast<const __m128i*>(order));
    const size_t width = static_cast<size_t>(rgb.width());
    const size_t rowBytes = 3 * width;
    for (int y = 0; y < rgb.height(); ++y) {
        const unsigned char* source = rgb.row(y);
        unsigned char* row = target + static_cast<size_t>(y) * stride;
        const size_t readable = rgb.size() - static_cast<size_t>(y) * rowBytes;
        size_t x = 0;
        for (; x + 4 <= width && 3 * x + 16 <= readable; x += 4) {
            const __m128i triplets =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 3 * x));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 4 * x),
                             _mm_shuffle_epi8(triplets, shuffle));
        }
        packRowFrom(x, source, row, width, stride, p);
    }
}

bool canShuffle() {
    static const bool supported = __builtin_cpu_supports("ssse3");
    return supported;
}
#else
void placeShuffledRows(const RgbBuffer&, const PixelChannels&, unsigned char*, size_t) {}

bool canShuffle() {
    return false;
}
#endif

// Without byte shuffles each word is put together from its channels.
void placeWordRows(const RgbBuffer& rgb, const PixelChannels& p, unsigned char* target,
                   size_t stride) {
    const size_t width = static_cast<size_t>(rgb.width());
    for (int y = 0; y < rgb.height(); ++y)
        packRowFrom(0, rgb.row(y), target + static_cast<size_t>(y) * stride, width, stride, p);
}

// Any other layout: the row is cleared and each channel that lies inside the
// pixel is stored on its own.
void placeByteRows(const RgbBuffer& rgb, const PixelChannels& p, unsigned char* target,
                   size_t stride) {
    const size_t bytes = static_cast<size_t>(p.bytesPerPixel);
    const bool red = inPixel(p.red, p.bytesPerPixel);
    const bool green = inPixel(p.green, p.bytesPerPixel);
    const bool blue = inPixel(p.blue, p.bytesPerPixel);
    for (int y = 0; y < rgb.height(); ++y) {
        const unsigned char* source = rgb.row(y);
        unsigned char* row = target + static_cast<size_t>(y) * stride;
        std::memset(row, 0, stride);
        for (int x = 0; x < rgb.width(); ++x, source += 3, row += bytes) {
            if (red) row[p.red] = source[0];
            if (green) row[p.green] = source[1];
            if (blue) row[p.blue] = source[2];
        }
    }
}

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

void placeRgbPixels(const RgbBuffer& rgb, const PixelChannels& placement, unsigned char* target,
                    size_t stride) {
    if (rgb.empty() || target == nullptr || placement.bytesPerPixel <= 0) return;
    const PixelChannels& p = placement;
    if (wholeWordLayout(p) && canShuffle())
        placeShuffledRows(rgb, p, target, stride);
    else if (wholeWordLayout(p))
        placeWordRows(rgb, p, target, stride);
    else
        placeByteRows(rgb, p, target, stride);
}

XImage* createXImageFromRgb(GUIElement* element, const RgbBuffer& rgb) {
    if (rgb.empty()) return nullptr;
    MyImage::probePixelLayout(element);
    Form* form = Application::OwningForm(element);
    Display* display = displayOf(form);
    const int bytesPerPixel = MyImage::bitsPerPixel / 8;
    const int padBytes = MyImage::bitmapPad / 8;
    if (display == nullptr) {
        LogMessage("createXImageFromRgb: nessun display");
        return nullptr;
    }
    // Without a probed layout there is no way to know what a pixel looks like.
    if (MyImage::depth == 0 || bytesPerPixel <= 0 || padBytes <= 0) {
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
    placeRgbPixels(rgb,
                   PixelChannels{bytesPerPixel, MyImage::ixRosso, MyImage::ixVerde, MyImage::ixBlu},
                   pixels, stride);
    XImage* image =
        XCreateImage(display, visualOf(*form->GetScreen()), static_cast<unsigned>(MyImage::depth),
                     MyImage::format, MyImage::xoffset, reinterpret_cast<char*>(pixels),
                     static_cast<unsigned>(rgb.width()), static_cast<unsigned>(rgb.height()),
                     padBytes * 8, static_cast<int>(stride));
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

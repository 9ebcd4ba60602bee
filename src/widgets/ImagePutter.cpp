#include "widgets/ImagePutter.h"

#include <algorithm>

#include "widgets/SharedImage.h"

namespace nebulark {

ImagePutter::ImagePutter() = default;
ImagePutter::~ImagePutter() = default;

void ImagePutter::Share(Display* display, Visual* visual, XImage& image) {
    if (shared == nullptr) shared = std::make_unique<SharedImage>(display, visual);
    shared->Adopt(image);
}

void ImagePutter::Unshare(XImage& image, bool connected) {
    if (shared == nullptr) return;
    if (connected)
        shared->Return(image);
    else
        shared->Abandon();
}

bool ImagePutter::Shares(const XImage* image) const {
    return image != nullptr && shared != nullptr && shared->Holds(*image);
}

void ImagePutter::Finish() {
    if (shared != nullptr) shared->Settle();
}

void ImagePutter::Abandon() {
    if (shared != nullptr) shared->Abandon();
}

void ImagePutter::Release() {
    shared.reset();
}

std::optional<PixelCopy> ImagePutter::Cut(const XImage& image, int sourceX, int sourceY, unsigned w,
                                          unsigned h, int x, int y) {
    const auto size = [](unsigned length) { return static_cast<int>(std::min(length, 1u << 30)); };
    PixelCopy part{PixelRect{x, y, size(w), size(h)}, sourceX, sourceY};
    if (!clipToSource(part, image.width, image.height)) return std::nullopt;
    return part;
}

// A shared image serves any rectangle of itself, so a part of it costs no
// more than the request.
void ImagePutter::Put(Display* display, Drawable drawable, GC gc, XImage& image,
                      const PixelCopy& part, bool last) {
    const auto pw = static_cast<unsigned>(part.at.w), ph = static_cast<unsigned>(part.at.h);
    const int sx = part.sourceX, sy = part.sourceY, tx = part.at.x, ty = part.at.y;
    ++traffic.puts;
    traffic.pixels += uint64_t{pw} * ph;
    if (Shares(&image)) {
        shared->Put(drawable, gc, sx, sy, pw, ph, tx, ty, last);
        return;
    }
    // A row of a plain put goes out padded to whole 32-bit units.
    const uint64_t rowBytes =
        (uint64_t{pw} * static_cast<unsigned>(image.bits_per_pixel) + 31) / 32 * 4;
    traffic.bytesSent += rowBytes * ph;
    XPutImage(display, drawable, gc, &image, sx, sy, tx, ty, pw, ph);
}

}  // namespace nebulark

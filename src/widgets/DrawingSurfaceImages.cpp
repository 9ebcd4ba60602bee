// The drawing surface's pictures: images put whole, in part or by
// rectangles, with a colour key, from picture files, and read back.
#include "widgets/DrawingSurface.h"

#include <X11/Xutil.h>

#include "util/PixelCopy.h"
#include "widgets/ColourKey.h"
#include "widgets/Form.h"
#include "widgets/PixelLayoutProbe.h"
#include "widgets/XImageConversion.h"

namespace nebulark {

void DrawingSurface::DrawImage(int x, int y, int w, int h, XImage* image) {
    DrawImagePart(x, y, w, h, image, 0, 0);
}

void DrawingSurface::DrawImagePart(int x, int y, int w, int h, XImage* image, int sourceX,
                                   int sourceY) {
    if (!Ready() || image == nullptr) return;
    const unsigned width = static_cast<unsigned>(w > 0 ? w : image->width);
    const unsigned height = static_cast<unsigned>(h > 0 ? h : image->height);
    std::vector<PixelCopy> parts;
    if (auto part = ImagePutter::Cut(*image, sourceX, sourceY, width, height, x, y))
        parts.push_back(*part);
    PutParts(image, parts);
}

void DrawingSurface::DrawImageRects(XImage* image, const std::vector<PixelRect>& rects) {
    if (!Ready() || image == nullptr) return;
    std::vector<PixelCopy> parts;
    for (const PixelRect& rect : rects) {
        if (rect.Empty()) continue;
        const auto w = static_cast<unsigned>(rect.w), h = static_cast<unsigned>(rect.h);
        if (auto part = ImagePutter::Cut(*image, rect.x, rect.y, w, h, rect.x, rect.y))
            parts.push_back(*part);
    }
    PutParts(image, parts);
}

// The last put of the batch asks a shared put to report its completion.
void DrawingSurface::PutParts(XImage* image, const std::vector<PixelCopy>& parts) {
    const auto covered = [&] {
        std::vector<PixelRect> rects;
        for (const PixelCopy& part : parts)
            rects.push_back(part.at);
        return rects;
    };
    target.PaintMeasured(covered, [&](Drawable d) {
        for (size_t i = 0; i < parts.size(); ++i)
            putter.Put(Connection(), d, gc, *image, parts[i], i + 1 == parts.size());
    });
}
// Only the part of the rectangle inside both the image and the form (its
// window, or its canvas at a scale above 1) is keyed and drawn.
void DrawingSurface::DrawImageKeyed(int x, int y, int w, int h, XImage* image, int32_t key) {
    if (!Ready() || image == nullptr) return;
    const Size size = form->GetSize();
    const PixelRect shown =
        ColourKey::ShownPart(x, y, w, h, *image, PixelRect{0, 0, size.width, size.height});
    if (shown.Empty()) return;
    const PixelChannels channels = ProbePixelChannels(form);
    XImage* under = ReadBack(target.Get(), shown.x, shown.y, shown.w, shown.h);
    if (under == nullptr) return;
    ColourKey::Replace(*image, shown.x - x, shown.y - y, *under, channels, key);
    XDestroyImage(under);
    DrawImagePart(shown.x, shown.y, shown.w, shown.h, image, shown.x - x, shown.y - y);
}

void DrawingSurface::DrawImageKeyed(int x, int y, int w, int h, XImage* image) {
    DrawImageKeyed(x, y, w, h, image, 0);
}

// The part is cut out through a pixmap copy of the image. It is first
// clipped to the image, since reading outside the pixmap is a protocol error;
// a part wholly outside draws nothing.
void DrawingSurface::DrawImagePartKeyed(int x, int y, int w, int h, XImage* image, int sourceX,
                                        int sourceY, int32_t key) {
    if (!Ready() || image == nullptr || sourceX < 0 || sourceY < 0) return;
    PixelCopy cut{PixelRect{x, y, w > 0 ? w : image->width, h > 0 ? h : image->height}, sourceX,
                  sourceY};
    if (!clipToSource(cut, image->width, image->height)) return;
    const Pixmap pixmap = createPixmapFromXImage(form, image);
    if (pixmap == 0) return;
    XImage* part = ReadBack(pixmap, sourceX, sourceY, cut.at.w, cut.at.h);
    XFreePixmap(Connection(), pixmap);
    if (part == nullptr) return;
    DrawImageKeyed(x, y, cut.at.w, cut.at.h, part, key);
    XDestroyImage(part);
}

void DrawingSurface::DrawImagePartKeyed(int x, int y, int w, int h, XImage* image, int sourceX,
                                        int sourceY) {
    DrawImagePartKeyed(x, y, w, h, image, sourceX, sourceY, 0);
}

void DrawingSurface::DrawImageFile(int x, int y, int w, int h, int bitsPerPixel,
                                   const std::string& path) {
    DrawPictureFile(x, y, w, h, bitsPerPixel, path, false);
}

void DrawingSurface::DrawImageFileKeyed(int x, int y, int w, int h, int bitsPerPixel,
                                        const std::string& path) {
    DrawPictureFile(x, y, w, h, bitsPerPixel, path, true);
}

// The picture is converted at its own size, whatever size the caller names,
// so that no row is read past the decoded buffer; only the part that both
// the picture and the asked rectangle cover is drawn. A w or h of 0 (or less)
// means the picture's own width or height.
void DrawingSurface::DrawPictureFile(int x, int y, int w, int h, int bitsPerPixel,
                                     const std::string& path, bool keyed) {
    if (!Ready()) return;
    XImage* image = loadBmpImage(form, bitsPerPixel, path);
    if (image == nullptr) return;
    PixelCopy shown{PixelRect{x, y, w > 0 ? w : image->width, h > 0 ? h : image->height}, 0, 0};
    if (clipToSource(shown, image->width, image->height)) {
        if (keyed)
            DrawImageKeyed(x, y, shown.at.w, shown.at.h, image, 0);
        else
            DrawImage(x, y, shown.at.w, shown.at.h, image);
    }
    destroyXImage(image);
}

void DrawingSurface::CopyFromDrawable(int x, int y, int w, int h, Drawable drawable, int sourceX,
                                      int sourceY) {
    XImage* image = ReadBack(drawable, sourceX, sourceY, w, h);
    if (image == nullptr) return;
    DrawImage(x, y, w, h, image);
    XDestroyImage(image);
}

XImage* DrawingSurface::CaptureArea(int x, int y, int w, int h) {
    if (!Ready()) return nullptr;
    ProbePixelChannels(form);
    return ReadBack(target.Get(), x, y, w, h);
}

}  // namespace nebulark

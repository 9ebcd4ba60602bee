#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <vector>

#include "images/PixelLayout.h"
#include "util/PixelCopy.h"
#include "util/PixelRect.h"

namespace nebulark {

// A non-owning view of an image's pixel bytes in the server's layout, with
// the pixel work of frame composition. Only the three colour bytes of a pixel
// are ever written; the fourth byte of a 32-bit pixel is left as it is.
class FrameImage {
public:
    FrameImage() = default;
    FrameImage(uint8_t* data, int width, int height, int bytesPerLine, const PixelChannels& layout);
    // A view of an XImage (an empty view for null).
    static FrameImage Of(XImage* image, const PixelChannels& layout);

    bool Empty() const { return data == nullptr || width <= 0 || height <= 0; }
    int Width() const { return width; }
    int Height() const { return height; }
    size_t ByteSize() const {
        return static_cast<size_t>(bytesPerLine) * static_cast<size_t>(height);
    }
    // The first pixel byte; two views of the same pixels share it.
    const uint8_t* Pixels() const { return data; }

    // Copies every byte of `source` that fits.
    void CopyAllFrom(const FrameImage& source);
    // The part of `rect` that lies inside both this image and `source`.
    PixelRect ClipRect(const FrameImage& source, const PixelRect& rect) const;
    // Copies that part from `source` at the same place, and answers it.
    PixelRect CopyRectFrom(const FrameImage& source, const PixelRect& rect);
    // The part of a blend of the rectangle `part` of `source` with its
    // top-left corner at (x, y) that lies inside both images: where it is
    // written here and where it is read in `source`. Empty when nothing is
    // left.
    PixelCopy ClipBlend(const FrameImage& source, int x, int y, const PixelRect& part) const;
    // Blends a copy that ClipBlend gave, or a part of one: it must lie inside
    // both images. With `transparent`, pixels whose three colour bytes are
    // all 0 are skipped. `alsoInto`, when given and as large, receives the
    // same pixels.
    void Blend(const FrameImage& source, const PixelCopy& clipped, bool transparent,
               FrameImage* alsoInto = nullptr);
    // Both: clips the blend, then draws it.
    void Blend(const FrameImage& source, int x, int y, const PixelRect& part, bool transparent,
               FrameImage* alsoInto = nullptr) {
        Blend(source, ClipBlend(source, x, y, part), transparent, alsoInto);
    }
    // The rows of `area` (inside the image), one after the other.
    void CopyOut(const PixelRect& area, std::vector<uint8_t>& rows) const;
    // The smallest part of `area` holding every pixel that differs from the
    // rows CopyOut gave; empty when none does.
    PixelRect ChangedFrom(const std::vector<uint8_t>& rows, const PixelRect& area) const;
    // Sets one pixel to 0xRRGGBB; nothing outside the image.
    void SetPixel(int x, int y, uint32_t colour);
    // 0xRRGGBB of one pixel; 0 outside the image.
    uint32_t PixelAt(int x, int y) const;

private:
    uint8_t* Pixel(int x, int y) const {
        return data + static_cast<size_t>(y) * static_cast<size_t>(bytesPerLine) +
               static_cast<size_t>(x) * static_cast<size_t>(layout.bytesPerPixel);
    }

    uint8_t* data = nullptr;
    int width = 0;
    int height = 0;
    int bytesPerLine = 0;
    PixelChannels layout;
};

}  // namespace nebulark

#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <vector>

#include "images/PixelLayout.h"
#include "util/Blit.h"
#include "util/PixelRect.h"

namespace nebulark {

// A source rectangle: left and top inclusive, right and bottom exclusive.
struct SourceRect {
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = 0;
    int64_t bottom = 0;
};

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
    // Copies the rows y … y + h − 1, columns x … x + w − 1, from `source` at
    // the same place. Answers false when the rows had to be cut at the end of
    // either image.
    bool CopyRectFrom(const FrameImage& source, int x, int y, int w, int h);
    // The part of a blend (below) that lies inside both images: where it is
    // written here and where it is read in `source`. Sizes of 0 when nothing
    // is left.
    Blit ClipBlend(const FrameImage& source, int x, int y, SourceRect rect) const;
    // Blends the source rectangle of `source` with its top-left corner at
    // (x, y), clipped to this image and to the source. With `transparent`,
    // pixels whose three colour bytes are all 0 are skipped. `alsoInto`, when
    // given, receives the same pixels.
    void Blend(const FrameImage& source, int x, int y, SourceRect rect, bool transparent,
               FrameImage* alsoInto = nullptr);
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

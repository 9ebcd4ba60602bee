#pragma once

#include <X11/Xlib.h>

#include <cstdint>

#include "images/PixelLayout.h"
#include "util/PixelRect.h"

namespace nebulark {

// Drawing a picture with one colour transparent: the pixels of that colour
// take what is under them, read back from where the picture goes.
class ColourKey {
public:
    // The part of a w × h picture at (x, y) that can be read back under it:
    // what lies inside both the picture and the form's `area` (reading past
    // the edge of a window or pixmap is a protocol error, and that part
    // would not show anyway). A w or h of 0 or less means the picture's own.
    static PixelRect ShownPart(int x, int y, int w, int h, const XImage& image,
                               const PixelRect& area);

    // Pixels of the image from (imageX, imageY) on that have the key colour
    // take the colour of the same pixel of `under`, which starts there. Rows
    // are addressed through each image's own stride, and nothing outside
    // either image is touched.
    static void Replace(XImage& image, int imageX, int imageY, const XImage& under,
                        PixelChannels channels, int32_t key);
};

}  // namespace nebulark

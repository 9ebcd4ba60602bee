#pragma once

#include <X11/Xlib.h>

#include <string>

#include "images/RgbBuffer.h"

namespace nebulark {

class GUIElement;

// A new XImage of the probed server layout holding the picture, on the
// display of the element's form; null for an empty buffer or when the layout
// is unknown. Its pixel buffer is allocated with array new: release the image
// with destroyXImage only.
XImage* createXImageFromRgb(GUIElement* element, const RgbBuffer& rgb);
// Releases an image made by createXImageFromRgb; null is ignored.
void destroyXImage(XImage* image);
// A copy of the w × h rectangle at (x, y) of the image, as XSubImage makes it
// (released with XDestroyImage), or null. Images of whole-byte pixels are
// copied row by row, far faster than XSubImage's pixel by pixel.
XImage* cutXImage(XImage* image, int x, int y, int w, int h);
// A pixmap of the image's size and depth on the element's form holding the
// whole image; 0 when there is no image or no window. The caller frees it.
// A BMP picture file decoded by its bits per pixel (4, 8 or 24) into an
// image at the picture's own size; null when it is missing or cannot be
// decoded. Released with destroyXImage.
XImage* loadBmpImage(GUIElement* element, int bitsPerPixel, const std::string& path);

Pixmap createPixmapFromXImage(GUIElement* element, XImage* image);
// Loads a headerless raw RGB file of width × height pixels into a new image
// stored in `out`, and reports the file's size in `fileSize` once the file is
// found. On any failure a line is logged and `out` is left as it was.
void loadRawImage(GUIElement* element, const std::string& path, int width, int height, XImage*& out,
                  unsigned& fileSize);

}  // namespace nebulark

#include "widgets/TextStrip.h"

namespace nebulark {

bool TextStrip::DrawInto(Display* display, Drawable like, Pixmap& scratch,
                         const XFontStruct& font) const {
    if (width <= 0 || height <= 0 || depth <= 0) return false;
    const unsigned w = static_cast<unsigned>(width), h = static_cast<unsigned>(height);
    if (scratch == 0) scratch = XCreatePixmap(display, like, w, h, static_cast<unsigned>(depth));
    if (scratch == 0) return false;
    XGCValues values{};
    GC gc = XCreateGC(display, scratch, GCCapStyle | GCJoinStyle, &values);
    if (gc == nullptr) return false;
    XSetBackground(display, gc, static_cast<unsigned long>(backColour));
    XSetForeground(display, gc, static_cast<unsigned long>(backColour));
    XSetFont(display, gc, font.fid);
    XFillRectangle(display, scratch, gc, 0, 0, w, h);
    XSetForeground(display, gc, static_cast<unsigned long>(textColour));
    for (const auto& [x, text] : texts)
        XDrawString(display, scratch, gc, x, baseline, text.data(), static_cast<int>(text.size()));
    XFreeGC(display, gc);
    return true;
}

}  // namespace nebulark

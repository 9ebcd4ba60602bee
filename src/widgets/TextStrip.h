#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace nebulark {

// A line of texts drawn off-screen: a strip of width × height pixels at
// `depth`, filled with `backColour`, each text drawn in `textColour` with its
// left end at its x on the line at `baseline`, in the order given.
struct TextStrip {
    int width = 0;
    int height = 0;
    int depth = 0;
    int baseline = 0;
    int32_t backColour = 0;
    int32_t textColour = 0;
    std::vector<std::pair<int, std::string>> texts;

    // Draws the strip in the font into `scratch`, a pixmap the caller keeps
    // (made here on first use, on the screen of `like`, at the strip's size
    // and depth). A context of its own draws it, as the pixmap may differ in
    // depth from the window. False, with nothing drawn, when the strip is
    // empty or the pixmap or the context cannot be made.
    bool DrawInto(Display* display, Drawable like, Pixmap& scratch, const XFontStruct& font) const;
};

}  // namespace nebulark

#include "util/FontDescriptor.h"

#include "util/Log.h"

namespace nebulark {

FontDescriptor::~FontDescriptor() {
    release();
}

void FontDescriptor::release() {
    if (!fontLoaded) return;
    if (xdisplay != nullptr && xfont != nullptr) XFreeFont(xdisplay, xfont);
    xfont = nullptr;
    fontLoaded = false;
}

const std::string& FontDescriptor::buildName() {
    xlfdName = family.empty() ? "-*-*-" : "-" + family + "-";
    xlfdName += bold ? "Bold-R-" : "Medium-R-";
    xlfdName += italic ? "Italic--" : "Normal--";
    xlfdName += std::to_string(fontLoaded && xfont != nullptr ? xfont->ascent : size);
    xlfdName += "-*";
    return xlfdName;
}

void FontDescriptor::load(Display* display) {
    release();
    xdisplay = display;
    buildName();
    // Without a connection there is nothing to load from; report it the same way.
    if (display != nullptr) xfont = XLoadQueryFont(display, xlfdName.c_str());
    if (xfont != nullptr)
        fontLoaded = true;
    else
        LogMessage("XLoadQueryFont failed");
}

XFontStruct* FontDescriptor::getFont(Display* display) {
    if (xfont == nullptr) load(display);
    return xfont;
}

int FontDescriptor::fontHeight() const {
    return (fontLoaded && xfont != nullptr) ? xfont->ascent : size;
}

}  // namespace nebulark

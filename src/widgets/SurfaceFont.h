#pragma once

#include <X11/Xlib.h>

#include <string>

#include "widgets/TextFitting.h"

namespace nebulark {

class Form;

// The fonts a drawing surface writes and measures in. Every surface writes in
// the first form's font, loaded on the surface's own connection; where that
// font cannot be loaded the graphics context keeps the server's default font,
// and text drawn then is measured in that one.
class SurfaceFont : public TextMeasure {
public:
    explicit SurfaceFont(const Form* form) : form(form) {}
    SurfaceFont(const SurfaceFont&) = delete;
    SurfaceFont& operator=(const SurfaceFont&) = delete;

    // The context whose default font stands in; set once it exists.
    void UseContext(GC gc) { context = gc; }
    // Frees what was asked of the server, while the connection is open.
    void Release();

    // The first form's font; null when it cannot be loaded here.
    XFontStruct* FormFont() const;
    // The font text is drawn in: the first form's, else the context's.
    XFontStruct* DrawnFont() const;

    // A text's width in the first form's font; 0 without it.
    int FormFontWidth(const std::string& text) const;
    // A text's width in the font it is drawn in; 0 without one.
    int Width(const std::string& text) const override;
    // The distance between the lines of a wrapped text: the drawn font's
    // ascent and a pixel, but never less than 15, so that the small fonts
    // keep the spacing the forms were laid out with.
    int WrappedLineHeight() const;

private:
    Display* Connection() const;

    const Form* form;
    GC context = nullptr;
    // The context's own font, asked for on first use.
    mutable XFontStruct* fallback = nullptr;
};

}  // namespace nebulark

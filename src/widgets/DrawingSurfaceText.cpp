// The drawing surface's texts: the metrics of its font, word-wrapped texts in
// boxes, and strips of text drawn off-screen.
#include "widgets/DrawingSurface.h"

namespace nebulark {

namespace {

unsigned long PixelOf(int32_t colour) {
    return static_cast<unsigned long>(static_cast<uint32_t>(colour) & 0xFFFFFF);
}

}  // namespace

XFontStruct* DrawingSurface::GetFontStruct() {
    return font.FormFont();
}

int DrawingSurface::LineHeight() {
    const XFontStruct* loaded = GetFontStruct();
    return loaded != nullptr ? loaded->ascent + 1 : 0;
}

int DrawingSurface::CharWidth() {
    return font.FormFontWidth("a");
}

int DrawingSurface::WideCharWidth() {
    return font.FormFontWidth("M");
}

int DrawingSurface::FontTextWidth(const std::string& text) {
    return font.FormFontWidth(text);
}

void DrawingSurface::DrawTextBox(int x, int y, int w, int h, const std::string& text,
                                 int32_t colour, int32_t backColour, int alignment) {
    DrawText(x, y, w, h, text, colour, backColour, alignment, true);
}

// The colours are set again before each line, as each line once was drawn by
// a call of its own; a box with a back colour is cleared one row taller than
// asked before its first line.
void DrawingSurface::DrawText(int x, int y, int w, int h, const std::string& text, int32_t colour,
                              int32_t backColour, int alignment, bool centreVertically) {
    if (!Ready()) return;
    const FittedText fitted = TextFitting(font, font.WrappedLineHeight())
                                  .Fit(x, y, w, h, text, alignment, centreVertically);
    const size_t rounds = fitted.lines.size() + (fitted.cutShort ? 1 : 0);
    for (size_t i = 0; i < rounds; ++i) {
        SetColour(colour);
        if (backColour != -1) XSetBackground(Connection(), gc, PixelOf(backColour));
        if (i == fitted.lines.size()) break;
        if (i == 0 && backColour != -1 && centreVertically && w > 0) {
            FillRect(x, y, w, h + 1, 0, -1, backColour);
            SetColour(colour);
        }
        DrawString(fitted.lines[i].x, fitted.lines[i].baseline, fitted.lines[i].text);
    }
}

// Glyphs may reach past their advance on either side by up to the widest
// glyph; without metrics a generous box is taken.
void DrawingSurface::DrawString(int x, int baseline, const std::string& line) {
    if (line.empty()) return;
    const auto covered = [&] {
        const XFontStruct* drawn = font.DrawnFont();
        const int widest = drawn != nullptr ? drawn->max_bounds.width : 32;
        const int above = drawn != nullptr ? drawn->max_bounds.ascent : 32;
        const int below = drawn != nullptr ? drawn->max_bounds.descent : 16;
        const int advance =
            drawn != nullptr ? font.Width(line) : widest * static_cast<int>(line.size());
        return PixelRect{x - widest, baseline - above, advance + 2 * widest, above + below};
    };
    target.PaintMeasured(covered, [&](Drawable d) {
        XDrawString(Connection(), d, gc, x, baseline, line.data(), static_cast<int>(line.size()));
    });
}

XImage* DrawingSurface::DrawTextStrip(Pixmap& scratch, const TextStrip& strip) {
    XFontStruct* loaded = GetFontStruct();
    if (!Ready() || loaded == nullptr) return nullptr;
    if (!strip.DrawInto(Connection(), target.Get(), scratch, *loaded)) return nullptr;
    return ReadBack(scratch, 0, 0, strip.width, strip.height);
}

}  // namespace nebulark

#pragma once

#include <X11/Xlib.h>

#include <vector>

#include "util/PixelRect.h"

namespace nebulark {

class Form;

// Where a drawing surface's operations land: the form's window, or at a scale
// above 1 the form's canvas, whose drawn parts the server enlarges onto the
// window; or, while Redirect runs, a pixmap of the caller's. Every operation
// paints through here, which notes what it covered for the canvas and
// flushes, so that no operation has to remember either.
class DrawTarget {
public:
    explicit DrawTarget(Form* form) : form(form) {}

    Display* Connection() const;
    Drawable Get() const;

    // Runs `draw` on the drawable, then notes `damage` and flushes.
    template <class Draw>
    void Paint(const PixelRect& damage, Draw&& draw) {
        draw(Get());
        if (NotesDamage()) Note(damage);
        Flush();
    }
    // The same, where the damage costs a measurement: `damage()` (a
    // PixelRect or a list of them) is asked only when a canvas needs it.
    template <class Damage, class Draw>
    void PaintMeasured(Damage&& damage, Draw&& draw) {
        draw(Get());
        if (NotesDamage()) Note(damage());
        Flush();
    }
    // Runs `draw` with every paint aimed at the pixmap, which needs no damage
    // noted.
    template <class Draw>
    void Redirect(Drawable pixmap, Draw&& draw) {
        redirected = pixmap;
        draw();
        redirected = 0;
    }
    bool IsRedirected() const { return redirected != 0; }

    // The bounding box of the points, widened by the margin on every side.
    static PixelRect Around(const XPoint* points, int count, int margin);

private:
    bool NotesDamage() const;
    void Note(const PixelRect& rect);
    void Note(const std::vector<PixelRect>& rects);
    void Flush();

    Form* form;
    Drawable redirected = 0;
};

}  // namespace nebulark

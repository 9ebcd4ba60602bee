#pragma once

#include <X11/X.h>

#include <cstdint>

#include "controls/ScrollBarValue.h"
#include "controls/ValueControl.h"

namespace nebulark {

class DrawingSurface;
class ScrollBar;

// Told ten times the new position, and the position itself, whenever the
// user changes it.
using ScrollCallback = void (*)(ScrollBar* bar, int64_t tenTimesPosition, int32_t position);

// Pages through a range in steps as long as its own track, with an arrow zone
// at each end. Clicking an arrow zone or pressing a cursor key moves one page;
// clicking or dragging on the track goes to the page under the pointer.
class ScrollBar : public ValueControl {
public:
    ScrollBar(GUIElement* container, int32_t minimum, int32_t maximum);

    void OnKeyDown(KeySym keysym) override;
    void Paint() override;

    void setRange(int32_t minimum, int32_t maximum);
    // Stored as given, not moved onto a page.
    void setScrollPosition(int32_t p);
    int32_t getScrollPosition() const { return scale.Position(); }
    int32_t getMinimum() const { return scale.Minimum(); }
    int32_t getMaximum() const { return scale.Maximum(); }
    void setOnScroll(ScrollCallback callback) { onScroll = callback; }
    // The two directions exclude each other; a shown bar is drawn again.
    void setHorizontal(bool on);
    void setVertical(bool on);
    bool isHorizontal() const { return horizontal; }
    bool isVertical() const { return vertical; }

protected:
    void PressAt(Point point) override;
    void DragTo(Point point) override { ScrollToPoint(point); }
    // The frame's right and bottom lines lie just outside width × height.
    int32_t Overhang() const override { return 1; }

private:
    ScrollCallback onScroll = nullptr;
    ScrollBarValue scale;
    bool horizontal = true;
    bool vertical = false;

    Size FittedSize() const { return ScrollBarValue::Fit(Size{width, height}, vertical); }
    int32_t Track() const { return ScrollBarValue::TrackLength(FittedSize(), vertical); }
    int64_t OffsetOnTrack(Point point) const;
    void Redraw();
    void ScrollToPoint(Point point);
    void Scrolled();
    void PaintArrows(DrawingSurface& surface, Point at, int32_t ink);
    void PaintThumb(DrawingSurface& surface, Point at, int32_t ink);
};

}  // namespace nebulark

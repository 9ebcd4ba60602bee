#include "controls/ScrollBar.h"

#include <X11/keysym.h>

#include "controls/ArrowKeys.h"
#include "controls/ControlPaint.h"
#include "widgets/DrawingSurface.h"

namespace nebulark {

namespace {

constexpr int32_t kBlack = 0x000000;
constexpr int32_t kDisabledInk = 0x9B9B9B;
// Each arrow zone, with the gap before the track, is this long.
constexpr int32_t kArrowZone = 21;

}  // namespace

ScrollBar::ScrollBar(GUIElement* container, int32_t minimum, int32_t maximum)
    : ValueControl(container, "scrollbar"), scale(minimum, maximum) {
    width = 80;
    height = 13;
}

void ScrollBar::Redraw() {
    if (!created) return;
    Hide();
    Show();
}

void ScrollBar::setHorizontal(bool on) {
    horizontal = on;
    if (on) vertical = false;
    Redraw();
}

void ScrollBar::setVertical(bool on) {
    vertical = on;
    if (on) horizontal = false;
    Redraw();
}

void ScrollBar::setRange(int32_t minimum, int32_t maximum) {
    scale.SetRange(minimum, maximum);
    Paint();
}

void ScrollBar::setScrollPosition(int32_t p) {
    scale.SetPosition(p);
    Paint();
}

// A press before the track or past its end moves one page, as the cursor
// keys do; a press on the track goes to the page under the pointer.
void ScrollBar::PressAt(Point point) {
    const int zone = scale.ZoneOf(OffsetOnTrack(point), Track());
    if (zone < 0)
        OnKeyDown(vertical ? XK_Up : XK_Left);
    else if (zone > 0)
        OnKeyDown(vertical ? XK_Down : XK_Right);
    else
        ScrollToPoint(point);
}

void ScrollBar::OnKeyDown(KeySym keysym) {
    if (!enabled || !hasFocus) return;
    if (scale.StepPage(arrowStep(keysym), Track())) Scrolled();
}

// The point is in form coordinates; the track begins after the first arrow
// zone of the bar's place on the form.
int64_t ScrollBar::OffsetOnTrack(Point point) const {
    const Point at = AbsolutePosition(x, y);
    const int64_t along = vertical ? int64_t{point.y} - at.y : int64_t{point.x} - at.x;
    return along - kArrowZone;
}

void ScrollBar::ScrollToPoint(Point point) {
    if (scale.MoveToOffset(OffsetOnTrack(point), Track())) Scrolled();
}

void ScrollBar::Scrolled() {
    Paint();
    const int32_t position = scale.Position();
    if (onScroll != nullptr) onScroll(this, int64_t{10} * position, position);
}

// The bar first takes its least size; the face, a frame light at the top and
// left, the two arrowheads and the thumb are drawn over it. No focus mark is
// drawn.
void ScrollBar::Paint() {
    if (!BeginPaint(FittedSize())) return;
    DrawingSurface surface(this);
    const Point at = AbsolutePosition(x, y);
    const int32_t ink = enabled ? kBlack : kDisabledInk;
    const int right = at.x + width, bottom = at.y + height;
    surface.FillRect(at.x, at.y, width, height, 0, -1, ControlPaint::FaceColour(*this));
    surface.DrawLine(at.x, at.y, right, at.y, ControlPaint::kLight);
    surface.DrawLine(at.x, at.y, at.x, bottom, ControlPaint::kLight);
    surface.DrawLine(right, at.y, right, bottom, ink);
    surface.DrawLine(at.x, bottom, right, bottom, ink);
    PaintArrows(surface, at, ink);
    PaintThumb(surface, at, ink);
}

void ScrollBar::PaintArrows(DrawingSurface& surface, Point at, int32_t ink) {
    const int64_t left = at.x, top = at.y, right = at.x + width, bottom = at.y + height;
    if (vertical) {
        const int64_t middle = left + width / 2;
        ControlPaint::DrawArrowhead(surface, ControlPaint::ToXPoint(middle, top + 2),
                                    ControlPaint::ToXPoint(right - 2, top + 19),
                                    ControlPaint::ToXPoint(left + 2, top + 19), ink);
        ControlPaint::DrawArrowhead(surface, ControlPaint::ToXPoint(middle, bottom - 2),
                                    ControlPaint::ToXPoint(right - 2, bottom - 19),
                                    ControlPaint::ToXPoint(left + 2, bottom - 19), ink);
    } else {
        const int64_t middle = top + height / 2;
        ControlPaint::DrawArrowhead(surface, ControlPaint::ToXPoint(left + 2, middle),
                                    ControlPaint::ToXPoint(left + 19, top + 2),
                                    ControlPaint::ToXPoint(left + 19, bottom - 2), ink);
        ControlPaint::DrawArrowhead(surface, ControlPaint::ToXPoint(right - 2, middle),
                                    ControlPaint::ToXPoint(right - 19, top + 2),
                                    ControlPaint::ToXPoint(right - 19, bottom - 2), ink);
    }
}

void ScrollBar::PaintThumb(DrawingSurface& surface, Point at, int32_t ink) {
    const ScrollThumb thumb = scale.ThumbFor(Track());
    if (!thumb.shown) return;
    const XPoint start = vertical
                             ? ControlPaint::ToXPoint(at.x + 2, at.y + kArrowZone + thumb.offset)
                             : ControlPaint::ToXPoint(at.x + kArrowZone + thumb.offset, at.y + 2);
    const int length = static_cast<int>(thumb.length);
    if (vertical)
        surface.FillRect(start.x, start.y, width - 2, length, 0, -1, ink);
    else
        surface.FillRect(start.x, start.y, length, height - 2, 0, -1, ink);
}

}  // namespace nebulark

#include "controls/ScrollBar.h"

#include <X11/keysym.h>

#include "controls/ArrowKeys.h"
#include "controls/ControlPainting.h"
#include "widgets/DrawingSurface.h"
#include "widgets/Form.h"

namespace nebulark {

namespace {

constexpr int32_t kBlack = 0x000000;
constexpr int32_t kDisabledInk = 0x9B9B9B;
// Each arrow zone, with the gap before the track, is this long.
constexpr int32_t kArrowZone = 21;

}  // namespace

ScrollBar::ScrollBar(GUIElement* container, int32_t minimum, int32_t maximum)
    : scale(minimum, maximum) {
    typeName = "scrollbar";
    parent = container;
    ownerPainted = true;
    width = 80;
    height = 13;
}

// Resizing a shown bar first clears the place it leaves.
void ScrollBar::SetSize(int32_t w, int32_t h) {
    if (created) eraseControlArea(*this, width + 1, height + 1);
    width = w;
    height = h;
    Paint();
}

void ScrollBar::SetPosition(int32_t newX, int32_t newY) {
    if (!created) {
        x = newX;
        y = newY;
        return;
    }
    Hide();
    x = newX;
    y = newY;
    Show();
}

void ScrollBar::Show() {
    Child::Show();
    Paint();
}

void ScrollBar::Reveal() {
    ScrollBar::Show();
}

// The frame's right and bottom lines lie just outside width × height, so they
// are cleared too.
void ScrollBar::Hide() {
    if (!created) return;
    eraseControlArea(*this, width + 1, height + 1);
    Child::Hide();
    created = false;
}

void ScrollBar::Create() {
    if (created) return;
    AssignId();
    created = true;
    visible = true;
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

void ScrollBar::setEnabledAndRepaint(bool on) {
    enabled = on;
    Paint();
}

void ScrollBar::OnMouseUp(Point point) {
    dragging = false;
    Child::OnMouseUp(point);
}

// A press before the track or past its end moves one page, as the cursor
// keys do; a press on the track goes to the page under the pointer.
void ScrollBar::OnMouseDown(Point point) {
    if (enabled) {
        dragging = true;
        const int zone = scale.ZoneOf(OffsetOnTrack(point), Track());
        if (zone < 0)
            OnKeyDown(vertical ? XK_Up : XK_Left);
        else if (zone > 0)
            OnKeyDown(vertical ? XK_Down : XK_Right);
        else
            ScrollToPoint(point);
    }
    Child::OnMouseDown(point);
}

void ScrollBar::OnMouseMove(int32_t mouseX, int32_t mouseY) {
    if (dragging) ScrollToPoint(Point{mouseX, mouseY});
    Child::OnMouseMove(mouseX, mouseY);
}

void ScrollBar::OnKeyDown(KeySym keysym) {
    if (!enabled || !hasFocus) return;
    if (scale.StepPage(arrowStep(keysym), Track())) Scrolled();
}

// Space moves one page on, as the Down key does.
bool ScrollBar::OnKeyChar(char character) {
    if (enabled && hasFocus && character == ' ') OnKeyDown(XK_Down);
    return Child::OnKeyChar(character);
}

void ScrollBar::Focus() {
    Child::Focus();
    Paint();
}

void ScrollBar::OnFocusIn() {
    Child::OnFocusIn();
    Paint();
}

void ScrollBar::OnFocusOut() {
    Child::OnFocusOut();
    dragging = false;
    Paint();
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
    if (!created || Form::PaintSuppressed()) return;
    const Size fitted = FittedSize();
    width = fitted.width;
    height = fitted.height;
    DrawingSurface surface(this);
    const Point at = AbsolutePosition(x, y);
    const int32_t ink = enabled ? kBlack : kDisabledInk;
    const int right = at.x + width, bottom = at.y + height;
    surface.FillRect(at.x, at.y, width, height, 0, -1, faceColour(*this));
    surface.DrawLine(at.x, at.y, right, at.y, kControlLight);
    surface.DrawLine(at.x, at.y, at.x, bottom, kControlLight);
    surface.DrawLine(right, at.y, right, bottom, ink);
    surface.DrawLine(at.x, bottom, right, bottom, ink);
    PaintArrows(surface, at, ink);
    PaintThumb(surface, at, ink);
}

void ScrollBar::PaintArrows(DrawingSurface& surface, Point at, int32_t ink) {
    const int64_t left = at.x, top = at.y, right = at.x + width, bottom = at.y + height;
    if (vertical) {
        const int64_t middle = left + width / 2;
        paintArrowhead(surface, toXPoint(middle, top + 2), toXPoint(right - 2, top + 19),
                       toXPoint(left + 2, top + 19), ink);
        paintArrowhead(surface, toXPoint(middle, bottom - 2), toXPoint(right - 2, bottom - 19),
                       toXPoint(left + 2, bottom - 19), ink);
    } else {
        const int64_t middle = top + height / 2;
        paintArrowhead(surface, toXPoint(left + 2, middle), toXPoint(left + 19, top + 2),
                       toXPoint(left + 19, bottom - 2), ink);
        paintArrowhead(surface, toXPoint(right - 2, middle), toXPoint(right - 19, top + 2),
                       toXPoint(right - 19, bottom - 2), ink);
    }
}

void ScrollBar::PaintThumb(DrawingSurface& surface, Point at, int32_t ink) {
    const ScrollThumb thumb = scale.ThumbFor(Track());
    if (!thumb.shown) return;
    const XPoint start = vertical ? toXPoint(at.x + 2, at.y + kArrowZone + thumb.offset)
                                  : toXPoint(at.x + kArrowZone + thumb.offset, at.y + 2);
    const int length = static_cast<int>(thumb.length);
    if (vertical)
        surface.FillRect(start.x, start.y, width - 2, length, 0, -1, ink);
    else
        surface.FillRect(start.x, start.y, length, height - 2, 0, -1, ink);
}

}  // namespace nebulark

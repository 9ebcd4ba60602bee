#include "controls/ControlPainting.h"

#include <algorithm>

#include "widgets/Child.h"
#include "widgets/DrawingSurface.h"
#include "widgets/Form.h"

namespace nebulark {

namespace {

constexpr int64_t kDefaultGrey = 0xAAAAAA;

short ToCoordinate(int64_t value) {
    return static_cast<short>(std::clamp<int64_t>(value, INT16_MIN, INT16_MAX));
}

}  // namespace

int32_t containerColour(const Child& control) {
    const GUIElement* container = control.GetParent();
    int64_t colour = container != nullptr ? container->GetBackColor() : -1;
    if (colour == -1) {
        const Form* form = control.OwningForm();
        colour = form != nullptr ? form->GetBackColor() : -1;
    }
    return static_cast<int32_t>(colour == -1 ? kDefaultGrey : colour);
}

int32_t faceColour(const Child& control) {
    const int64_t own = control.GetBackColor();
    return own == -1 ? containerColour(control) : static_cast<int32_t>(own);
}

void eraseControlArea(Child& control, int32_t w, int32_t h) {
    if (Form::PaintSuppressed()) return;
    const Point place = control.GetPosition();
    const Point at = control.AbsolutePosition(place.x, place.y);
    DrawingSurface surface(&control);
    surface.FillRect(at.x, at.y, w + 1, h + 1, 0, -1, containerColour(control));
}

// The outline is an open line through the three corners, so the side from
// the last corner back to the first stays unedged.
void paintArrowhead(DrawingSurface& surface, XPoint a, XPoint b, XPoint c, int32_t colour) {
    XPoint corners[] = {a, b, c};
    surface.FillPolygon(corners, 3, 1, kControlLight, colour);
}

XPoint toXPoint(int64_t x, int64_t y) {
    return XPoint{ToCoordinate(x), ToCoordinate(y)};
}

}  // namespace nebulark

#include "controls/ControlPaint.h"

#include <algorithm>

#include "widgets/Child.h"
#include "widgets/DrawingSurface.h"
#include "widgets/Form.h"

namespace nebulark {

namespace ControlPaint {

int32_t OrGrey(int64_t colour) {
    return colour == -1 ? kGrey : static_cast<int32_t>(colour);
}

int32_t ContainerColour(const Child& control) {
    const GUIElement* container = control.GetParent();
    const int64_t colour = container != nullptr ? container->GetBackColor() : -1;
    return colour != -1 ? static_cast<int32_t>(colour) : FormColour(control);
}

int32_t FormColour(const Child& control) {
    const Form* form = control.OwningForm();
    return OrGrey(form != nullptr ? form->GetBackColor() : -1);
}

int32_t FaceColour(const Child& control) {
    const int64_t own = control.GetBackColor();
    return own == -1 ? ContainerColour(control) : static_cast<int32_t>(own);
}

void Erase(Child& control, int32_t colour) {
    Erase(control, colour, control.GetWidth(), control.GetHeight());
}

void Erase(Child& control, int32_t colour, int32_t w, int32_t h) {
    if (Form::PaintSuppressed()) return;
    DrawingSurface surface(&control);
    const Point at = control.AbsolutePosition(control.GetPosition().x, control.GetPosition().y);
    surface.FillRect(at.x, at.y, w + 1, h + 1, 0, -1, colour);
}

void ShowAndPaint(Child& control) {
    control.Child::Show();
    control.Paint();
}

// The colour is asked for only once the control is known to be created.
void EraseAndHide(Child& control, int32_t (*colourOf)(const Child&), int32_t w, int32_t h) {
    if (!control.IsCreated()) return;
    Erase(control, colourOf(control), w, h);
    control.Child::Hide();
}

void DrawBevel(DrawingSurface& surface, int x, int y, int w, int h, int32_t topLeft,
               int32_t bottomRight) {
    const int right = x + w - 1;
    const int bottom = y + h - 1;
    surface.DrawLine(x, y, right, y, topLeft);
    surface.DrawLine(x, bottom, x, y, topLeft);
    surface.DrawLine(right, y, right, bottom, bottomRight);
    surface.DrawLine(x, bottom, right, bottom, bottomRight);
}

void DrawFocusMark(DrawingSurface& surface, int left, int top, int right, int bottom,
                   int32_t colour) {
    surface.DrawLine(left, top + 1, right, top + 1, kLineOnOffDash, colour);
    surface.DrawLine(left, bottom, left, top, kLineOnOffDash, colour);
    surface.DrawLine(right, top + 1, right, bottom + 1, kLineOnOffDash, colour);
    surface.DrawLine(left, bottom, right, bottom, kLineOnOffDash, colour);
}

// The part drawn is read back from a pixmap made of the picture, so the keyed
// drawing changes that copy and never the picture.
void DrawBlackTransparent(DrawingSurface& surface, int x, int y, int w, int h, XImage* picture,
                          int sourceX, int sourceY) {
    surface.DrawImagePartKeyed(x, y, w, h, picture, sourceX, sourceY);
}

// The outline is an open line through the three corners, so the side from
// the last corner back to the first stays unedged.
void DrawArrowhead(DrawingSurface& surface, XPoint a, XPoint b, XPoint c, int32_t colour) {
    XPoint corners[] = {a, b, c};
    surface.FillPolygon(corners, 3, 1, kLight, colour);
}

XPoint ToXPoint(int64_t x, int64_t y) {
    const auto coordinate = [](int64_t v) {
        return static_cast<short>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX));
    };
    return XPoint{coordinate(x), coordinate(y)};
}

}  // namespace ControlPaint

}  // namespace nebulark

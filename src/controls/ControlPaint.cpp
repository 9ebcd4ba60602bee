#include "controls/ControlPaint.h"

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

void Erase(Child& control, int32_t colour) {
    if (Form::PaintSuppressed()) return;
    DrawingSurface surface(&control);
    const Point at = control.AbsolutePosition(control.GetPosition().x, control.GetPosition().y);
    surface.FillRect(at.x, at.y, control.GetWidth() + 1, control.GetHeight() + 1, 0, -1, colour);
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

}  // namespace ControlPaint

}  // namespace nebulark

#include "controls/ValueControl.h"

#include <X11/keysym.h>

#include "controls/ControlPaint.h"
#include "widgets/Form.h"

namespace nebulark {

ValueControl::ValueControl(GUIElement* container, const char* type) {
    typeName = type;
    parent = container;
    ownerPainted = true;
}

void ValueControl::Relocate(int32_t newX, int32_t newY, int32_t w, int32_t h) {
    if (created)
        ControlPaint::Erase(*this, ControlPaint::ContainerColour(*this), width + Overhang(),
                            height + Overhang());
    x = newX;
    y = newY;
    width = w;
    height = h;
    Paint();
}

void ValueControl::SetSize(int32_t w, int32_t h) {
    Relocate(x, y, w, h);
}

void ValueControl::SetPosition(int32_t newX, int32_t newY) {
    Relocate(newX, newY, width, height);
}

void ValueControl::Show() {
    ControlPaint::ShowAndPaint(*this);
}

void ValueControl::Reveal() {
    ValueControl::Show();
}

void ValueControl::Hide() {
    ControlPaint::EraseAndHide(*this, ControlPaint::ContainerColour, width + Overhang(),
                               height + Overhang());
    created = false;
}

void ValueControl::Create() {
    if (created) return;
    AssignId();
    created = true;
    visible = true;
}

void ValueControl::OnMouseUp(Point point) {
    dragging = false;
    Child::OnMouseUp(point);
}

void ValueControl::OnMouseDown(Point point) {
    if (enabled) {
        dragging = true;
        PressAt(point);
    }
    Child::OnMouseDown(point);
}

void ValueControl::OnMouseMove(int32_t mouseX, int32_t mouseY) {
    if (dragging) DragTo(Point{mouseX, mouseY});
    Child::OnMouseMove(mouseX, mouseY);
}

bool ValueControl::OnKeyChar(char character) {
    if (enabled && hasFocus && character == ' ') OnKeyDown(XK_Down);
    return Child::OnKeyChar(character);
}

void ValueControl::Focus() {
    Child::Focus();
    Paint();
}

void ValueControl::OnFocusIn() {
    Child::OnFocusIn();
    Paint();
}

void ValueControl::OnFocusOut() {
    Child::OnFocusOut();
    dragging = false;
    Paint();
}

bool ValueControl::BeginPaint(Size fitted) {
    if (!created || Form::PaintSuppressed()) return false;
    width = fitted.width;
    height = fitted.height;
    return true;
}

void ValueControl::setEnabledAndRepaint(bool on) {
    enabled = on;
    Paint();
}

}  // namespace nebulark

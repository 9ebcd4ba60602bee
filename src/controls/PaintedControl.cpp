#include "controls/PaintedControl.h"

#include "controls/ControlPaint.h"
#include "widgets/Form.h"

namespace nebulark {

void PaintedControl::SetSize(int32_t w, int32_t h) {
    if (!created) {
        width = w;
        height = h;
        return;
    }
    Hide();
    width = w;
    height = h;
    Show();
}

void PaintedControl::SetPosition(int32_t newX, int32_t newY) {
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

void PaintedControl::Show() {
    ControlPaint::ShowAndPaint(*this);
}

void PaintedControl::Reveal() {
    PaintedControl::Show();
}

void PaintedControl::Hide() {
    ControlPaint::EraseAndHide(*this, ControlPaint::ContainerColour, GetWidth(), GetHeight());
    created = false;
}

void PaintedControl::Create() {
    if (created) return;
    AssignId();
    created = true;
    visible = true;
}

bool PaintedControl::CanPaint() const {
    return created && !Form::PaintSuppressed();
}

bool PaintedControl::TakesKeys() const {
    return enabled && visible && hasFocus;
}

}  // namespace nebulark

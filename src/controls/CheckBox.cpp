#include "controls/CheckBox.h"

#include "controls/ControlPaint.h"
#include "controls/TogglePictures.h"
#include "widgets/DrawingSurface.h"

namespace nebulark {

namespace {

constexpr int32_t kMinimumHeight = 22;
constexpr int kSide = TogglePictures::kSide;

}  // namespace

CheckBox::CheckBox(GUIElement* container, const std::string& caption)
    : ToggleControl(container, "checkbox", TogglePictures::CheckBoxPicture) {
    this->caption = caption;
}

void CheckBox::SetCaption(const std::string& value) {
    caption = value;
    Repaint();
}

void CheckBox::setChecked(bool on) {
    checked = on;
    Repaint();
}

void CheckBox::Flip() {
    checked = !checked;
    Changed();
}

void CheckBox::OnMouseUp(Point point) {
    if (enabled) Flip();
    Child::OnMouseUp(point);
}

void CheckBox::OnKeyDown(KeySym) {}

bool CheckBox::OnKeyChar(char character) {
    if (SpaceTyped(character)) Flip();
    return Child::OnKeyChar(character);
}

// The face, the picture one pixel in from the corner, the caption beside it
// and, while focused, a dashed mark around the caption.
void CheckBox::Paint() {
    if (!CanPaint()) return;
    if (height < kMinimumHeight) height = kMinimumHeight;
    DrawingSurface surface(this);
    const Point at = AbsolutePosition(x, y);
    const int32_t face = ControlPaint::FaceColour(*this);
    surface.FillRect(at.x, at.y, width + 1, height + 1, 0, -1, face);
    surface.DrawImage(at.x + 1, at.y + 1, kSide, kSide, Picture(checked));
    surface.DrawTextBox(at.x + kSide + 6, at.y + 1, width - kSide - 10, height, caption,
                        InkColour(), face, kAlignLeft);
    if (hasFocus && enabled)
        ControlPaint::DrawFocusMark(surface, at.x + kSide + 3, at.y + 1, at.x + width - 8,
                                    at.y + height - 1, textColor);
}

}  // namespace nebulark

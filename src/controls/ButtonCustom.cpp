#include "controls/ButtonCustom.h"

#include <X11/keysym.h>

#include "controls/ControlPaint.h"
#include "widgets/DrawingSurface.h"

namespace nebulark {

ButtonCustom::ButtonCustom(GUIElement* form, const std::string& caption) {
    width = 80;
    height = 30;
    parent = form;
    this->caption = caption;
    typeName = "ButtonCustom";
    canFocus = true;
    ownerPainted = true;
}

void ButtonCustom::SetCaption(const std::string& value) {
    caption = value;
    Repaint();
}

void ButtonCustom::Repaint() {
    if (created) Paint();
}

void ButtonCustom::SetPressed(bool on) {
    pressed = on;
    Repaint();
}

void ButtonCustom::OnMouseDown(Point point) {
    if (!enabled) return;
    SetPressed(true);
    Child::OnMouseDown(point);
}

void ButtonCustom::OnMouseUp(Point point) {
    if (!enabled) return;
    SetPressed(false);
    fireClick(this);
    Child::OnMouseUp(point);
}

// Return shows the button pushed in while it is held; the click comes with
// its release, in OnKeyChar. No other key activates the button.
void ButtonCustom::OnKeyDown(KeySym keysym) {
    if (!enabled) return;
    Child::OnKeyDown(keysym);
    if (TakesKeys() && keysym == XK_Return) SetPressed(true);
}

bool ButtonCustom::OnKeyChar(char character) {
    if (!enabled) return false;
    if (TakesKeys() && character == '\r') {
        SetPressed(false);
        fireClick(this);
    }
    return Child::OnKeyChar(character);
}

void ButtonCustom::OnFocusIn() {
    Child::OnFocusIn();
    Repaint();
}

// Losing the focus ends a press without a click.
void ButtonCustom::OnFocusOut() {
    Child::OnFocusOut();
    SetPressed(false);
}

void ButtonCustom::setEnabledAndRepaint(bool on) {
    enabled = on;
    Repaint();
}

void ButtonCustom::setTextColor(int32_t colour) {
    textColor = colour;
}

void ButtonCustom::setContentHidden(bool on) {
    contentHidden = on;
    Repaint();
}

void ButtonCustom::setImage(XImage* value) {
    image = value;
    Repaint();
}

void ButtonCustom::setDisabledImage(XImage* value) {
    disabledImage = value;
    Repaint();
}

int32_t ButtonCustom::FaceColour() const {
    return ControlPaint::FaceColour(*this);
}

// Face, bevel (light above and left while raised, swapped while pushed), the
// focus mark, then the caption and picture.
void ButtonCustom::Paint() {
    if (!CanPaint()) return;
    DrawingSurface surface(this);
    const Point at = AbsolutePosition(x, y);
    const int32_t face = FaceColour();
    surface.FillRect(at.x, at.y, width, height, 0, -1, face);
    const int32_t light = pressed ? ControlPaint::kBlack : ControlPaint::kWhite;
    const int32_t dark = pressed ? ControlPaint::kWhite : ControlPaint::kBlack;
    ControlPaint::DrawBevel(surface, at.x, at.y, width, height, light, dark);
    if (hasFocus && enabled && !pressed)
        ControlPaint::DrawFocusMark(surface, at.x + 4, at.y + 2, at.x + width - 5,
                                    at.y + height - 4, textColor);
    if (!contentHidden) DrawContent(surface, at, face);
}

// With both a caption and an image, the picture sits at the left and the
// caption left-aligned beside it; either alone is centred.
void ButtonCustom::DrawContent(DrawingSurface& surface, Point at, int32_t face) {
    const int32_t colour = enabled ? textColor : ControlPaint::kDisabledText;
    XImage* picture = !enabled && disabledImage != nullptr ? disabledImage : image;
    const int pictureWidth = picture != nullptr ? picture->width : 0;
    const int pictureHeight = picture != nullptr ? picture->height : 0;
    const int pictureY = at.y + (height - pictureHeight) / 2;
    if (!caption.empty() && image != nullptr) {
        const int imageWidth = image->width;
        surface.DrawTextBox(at.x + imageWidth + 10, at.y + 4, width - 22 - imageWidth, height - 8,
                            caption, colour, face, kAlignLeft);
        surface.DrawImage(at.x + 8, pictureY, 0, 0, picture);
    } else if (!caption.empty()) {
        surface.DrawTextBox(at.x + 6, at.y + 4, width - 12, height - 8, caption, colour, face,
                            kAlignCentre);
    } else if (image != nullptr) {
        surface.DrawImage(at.x + (width - pictureWidth) / 2, pictureY, 0, 0, picture);
    }
}

}  // namespace nebulark

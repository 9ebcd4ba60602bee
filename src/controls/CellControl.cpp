#include "controls/CellControl.h"

#include "app/Application.h"
#include "controls/ControlPaint.h"
#include "widgets/DrawingSurface.h"
#include "widgets/Form.h"

namespace nebulark {

namespace {

// The box the text goes in: one pixel inside a bevel.
struct Box {
    int x, y, w, h;
};

int32_t Colour(int64_t value) {
    return static_cast<int32_t>(value);
}

}  // namespace

CellControl::CellControl(GUIElement* form) {
    typeName = "cellcontrol";
    parent = form;
    canFocus = false;
    ownerPainted = true;
}

template <class T>
void CellControl::Change(T& field, T value) {
    if (field == value) return;
    field = value;
    modified = true;
    Repaint();
}

void CellControl::Repaint() {
    if (created) Paint();
}

void CellControl::Show() {
    ControlPaint::ShowAndPaint(*this);
}

void CellControl::Reveal() {
    CellControl::Show();
}

void CellControl::Hide() {
    ControlPaint::EraseAndHide(*this, ControlPaint::FormColour, GetWidth(), GetHeight());
    created = false;
}

void CellControl::Create() {
    if (created) return;
    if (id == 0) id = Application::NextElementId();
    created = true;
    visible = true;
    savedBackColor = backColor;
    modified = false;
}

void CellControl::SetCaption(const std::string& value) {
    Change(caption, value);
}

void CellControl::setAlignment(int32_t value) {
    Change(alignment, value);
}

void CellControl::setTextColor(int64_t value) {
    Change(textColor, value);
}

void CellControl::setShowMarker(bool on) {
    Change(showMarker, on);
}

void CellControl::setBevel(bool on) {
    Change(bevel, on);
}

void CellControl::setHighlighted(bool on) {
    highlighted = on;
    Repaint();
}

void CellControl::setHighlightTextColor(int64_t value) {
    highlightTextColor = value;
    Repaint();
}

void CellControl::setHighlightBackColor(int64_t value) {
    highlightBackColor = value;
    Repaint();
}

void CellControl::setPicture(XImage* value, int32_t w, int32_t h, int32_t align) {
    picture = value;
    pictureWidth = w;
    pictureHeight = h;
    pictureAlign = align;
    Repaint();
}

void CellControl::restoreBackColor() {
    if (!created || savedBackColor < 0 || savedBackColor == backColor) return;
    backColor = savedBackColor;
    modified = true;
    Paint();
}

// A cell does not take its container's colour: a background left at -1 is
// grey. The bevel is dark above and left; its light edges turn black on a
// white background so that they still show.
void CellControl::Paint() {
    if (!created || Form::PaintSuppressed()) return;
    DrawingSurface surface(this);
    const Point at = AbsolutePosition(x, y);
    const Box box =
        bevel ? Box{at.x + 1, at.y + 1, width - 2, height - 2} : Box{at.x, at.y, width, height};
    const int32_t back = ControlPaint::OrGrey(highlighted ? highlightBackColor : backColor);
    const int32_t ink = Colour(highlighted ? highlightTextColor : textColor);
    if (bevel) {
        const int32_t light =
            back == ControlPaint::kWhite ? ControlPaint::kBlack : ControlPaint::kWhite;
        ControlPaint::DrawBevel(surface, at.x, at.y, width, height, ControlPaint::kBlack, light);
    }
    surface.DrawTextBox(box.x, box.y, box.w, box.h, caption, ink, back, alignment);
    if (showMarker) {
        const int m = surface.LineHeight();
        surface.DrawTextBox(box.x + box.w - m, box.y + box.h - m - 4, m, m, "*", ink, -1,
                            kAlignCentre);
    }
    if (picture == nullptr) return;
    const int pictureY = box.y + (box.h - pictureHeight) / 2;
    const int pictureX = pictureAlign == 1   ? box.x + box.w - pictureWidth - 3
                         : pictureAlign == 2 ? box.x + (box.w - pictureWidth) / 2
                                             : box.x + 3;
    surface.DrawImage(pictureX, pictureY, pictureWidth, pictureHeight, picture);
}

}  // namespace nebulark

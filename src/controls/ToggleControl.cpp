#include "controls/ToggleControl.h"

#include "controls/ControlPaint.h"
#include "controls/TogglePictures.h"
#include "images/EmbeddedImage.h"
#include "widgets/XImageConversion.h"

namespace nebulark {

ToggleControl::ToggleControl(GUIElement* container, const char* type, PictureSource source)
    : source(source) {
    typeName = type;
    parent = container;
    width = 80;
    height = 30;
    canFocus = true;
    ownerPainted = true;
}

ToggleControl::~ToggleControl() {
    for (XImage* picture : pictures)
        destroyXImage(picture);
}

// The press does nothing at all, not even call onMouseDown: the release acts.
void ToggleControl::OnMouseDown(Point) {}

void ToggleControl::OnFocusIn() {
    Child::OnFocusIn();
    Repaint();
}

void ToggleControl::OnFocusOut() {
    Child::OnFocusOut();
    Repaint();
}

void ToggleControl::setEnabledAndRepaint(bool on) {
    enabled = on;
    Repaint();
}

void ToggleControl::setTextColor(int32_t colour) {
    textColor = colour;
    Repaint();
}

XImage* ToggleControl::Picture(bool on) {
    XImage*& picture = pictures[(on ? 0 : 2) + (enabled ? 0 : 1)];
    if (picture == nullptr) {
        const EmbeddedImage& embedded = source(on, enabled);
        picture = createXImageFromRgb(
            this, decodeEmbeddedImage(TogglePictures::kSide, TogglePictures::kSide, &embedded));
    }
    return picture;
}

int32_t ToggleControl::InkColour() const {
    return enabled ? textColor : ControlPaint::kDisabledText;
}

void ToggleControl::Repaint() {
    if (created) Paint();
}

void ToggleControl::Changed() {
    Repaint();
    fireClick(this);
}

bool ToggleControl::SpaceTyped(char character) const {
    return TakesKeys() && character == ' ';
}

}  // namespace nebulark

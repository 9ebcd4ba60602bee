#include "controls/MyImage.h"

#include "controls/ControlPaint.h"
#include "images/EmbeddedImage.h"
#include "widgets/DrawingSurface.h"
#include "widgets/Form.h"
#include "widgets/XImageConversion.h"

namespace nebulark {

MyImage::MyImage(GUIElement* container, XImage* image) : image(image) {
    typeName = "image";
    parent = container;
    ownerPainted = true;
}

MyImage::MyImage(GUIElement* container, const EmbeddedImage* embedded, int32_t w, int32_t h)
    : embedded(embedded) {
    typeName = "image";
    parent = container;
    ownerPainted = true;
    width = w;
    height = h;
}

MyImage::~MyImage() {
    ReleaseConversion();
}

// Forgets the picture shown. Only the conversion of a compiled-in picture
// belongs to the control; a caller's image is dropped, never freed.
void MyImage::ReleaseConversion() {
    if (embedded != nullptr) destroyXImage(image);
    image = nullptr;
}

void MyImage::Create() {
    if (created) return;
    AssignId();
    created = true;
}

void MyImage::Paint() {
    if (Form::PaintSuppressed() || !created) return;
    DrawingSurface surface(this);
    const Point at = AbsolutePosition(x, y);
    if (embedded != nullptr && image == nullptr)
        image = createXImageFromRgb(this, decodeEmbeddedImage(width, height, embedded));
    if (image != nullptr)
        surface.DrawImage(at.x, at.y, width, height, image);
    else
        surface.FillRect(at.x, at.y, width + 1, height + 1, 0, -1,
                         ControlPaint::ContainerColour(*this));
    // A sunken frame on the outermost pixels of the control.
    if (border != 0)
        ControlPaint::DrawBevel(surface, at.x, at.y, width, height, ControlPaint::kBlack,
                                ControlPaint::kWhite);
}

void MyImage::setXImage(XImage* value) {
    ReleaseConversion();
    embedded = nullptr;
    image = value;
    if (Shown()) Paint();
}

void MyImage::setEmbeddedImage(const EmbeddedImage* value) {
    ReleaseConversion();
    embedded = value;
    if (Shown()) Paint();
}

void MyImage::setBorder(int on) {
    border = on;
    if (Shown()) Paint();
}

void MyImage::setEnabledQuietly(bool flag) {
    enabled = flag;
}

}  // namespace nebulark

#include "controls/MyImage.h"

#include "app/Application.h"
#include "images/EmbeddedImage.h"
#include "widgets/DrawingSurface.h"
#include "widgets/Form.h"
#include "widgets/XImageConversion.h"

namespace nebulark {

namespace {

constexpr int32_t kBlack = 0x000000;
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int64_t kDefaultGrey = 0xAAAAAA;

}  // namespace

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

void MyImage::SetSize(int32_t w, int32_t h) {
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

void MyImage::SetPosition(int32_t newX, int32_t newY) {
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

void MyImage::Show() {
    if (!created) Create();
    visible = true;
    Paint();
}

void MyImage::Reveal() {
    MyImage::Show();
}

// The control's area is cleared to its container's colour, and the control is
// no longer created, so that a later Show starts afresh.
void MyImage::Hide() {
    if (created && !Form::PaintSuppressed()) {
        DrawingSurface surface(this);
        const Point at = AbsolutePosition(x, y);
        surface.FillRect(at.x, at.y, width + 1, height + 1, 0, -1,
                         static_cast<int32_t>(BackgroundColour()));
    }
    Child::Hide();
    created = false;
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
                         static_cast<int32_t>(BackgroundColour()));
    if (border != 0) DrawBorder(surface, at);
}

// A sunken frame: dark along the top and left, light along the right and
// bottom, on the outermost pixels of the control.
void MyImage::DrawBorder(DrawingSurface& surface, Point at) {
    const int right = at.x + width - 1;
    const int bottom = at.y + height - 1;
    surface.DrawLine(at.x, at.y, right, at.y, kBlack);
    surface.DrawLine(at.x, at.y, at.x, bottom, kBlack);
    surface.DrawLine(right, at.y, right, bottom, kWhite);
    surface.DrawLine(at.x, bottom, right, bottom, kWhite);
}

int64_t MyImage::BackgroundColour() const {
    int64_t colour = parent != nullptr ? parent->GetBackColor() : -1;
    if (colour == -1) {
        const Form* form = OwningForm();
        colour = form != nullptr ? form->GetBackColor() : -1;
    }
    return colour == -1 ? kDefaultGrey : colour;
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

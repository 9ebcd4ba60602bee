#include "controls/PanelChildren.h"

#include "app/Application.h"
#include "controls/ControlPaint.h"
#include "widgets/DrawingSurface.h"
#include "widgets/Form.h"

namespace nebulark {

namespace {

constexpr int32_t kBlack = 0x000000;
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int64_t kDefaultGrey = 0xAAAAAA;

}  // namespace

PanelChildren::PanelChildren(GUIElement* container) {
    typeName = "panel";
    parent = container;
    canFocus = false;
    ownerPainted = true;
}

void PanelChildren::setFramed(bool on) {
    framed = on;
    flatFrame = false;
}

void PanelChildren::setFlatFrame(bool on) {
    flatFrame = on;
    framed = true;
}

void PanelChildren::setSunken(bool on) {
    sunken = on;
    framed = true;
}

// The controls whose container is this panel, in registry order. Those of a
// panel inside this one are left to that panel.
std::vector<GUIElement*> PanelChildren::Children() const {
    std::vector<GUIElement*> children;
    for (GUIElement* element : Application::Elements())
        if (element->IsChild() && element->GetParent() == this) children.push_back(element);
    return children;
}

void PanelChildren::Create() {
    if (created) return;
    AssignId();
    created = true;
    visible = true;
}

// The children are shown after the panel's background is painted. They take
// the child colour before they are shown, not only at the panel's next paint,
// so that they look the same the first time.
void PanelChildren::Show() {
    if (!created) Create();
    Paint();
    for (GUIElement* child : Children()) {
        GiveChildColour(child);
        child->Show();
    }
    Child::Show();
}

void PanelChildren::Reveal() {
    PanelChildren::Show();
}

// A panel that was never shown has nothing on the form to erase.
void PanelChildren::Hide() {
    for (GUIElement* child : Children())
        child->Hide();
    if (created) ControlPaint::Erase(*this, ControlPaint::ContainerColour(*this));
    Child::Hide();
    created = false;
}

// A shown panel is hidden and shown again, so its children are painted
// after its new background.
void PanelChildren::Relocate(int32_t newX, int32_t newY, int32_t w, int32_t h) {
    const bool shown = created;
    if (shown) Hide();
    x = newX;
    y = newY;
    width = w;
    height = h;
    if (shown) Show();
}

void PanelChildren::SetSize(int32_t w, int32_t h) {
    Relocate(x, y, w, h);
}

void PanelChildren::SetPosition(int32_t newX, int32_t newY) {
    Relocate(newX, newY, width, height);
}

void PanelChildren::Paint() {
    if (!created || Form::PaintSuppressed()) return;
    PaintOwnArea();
    PaintChildren();
}

// A panel does not take its container's colour: without one of its own it is
// grey.
void PanelChildren::PaintOwnArea() {
    DrawingSurface surface(this);
    const Point at = AbsolutePosition(x, y);
    const auto back = static_cast<int32_t>(backColor == -1 ? kDefaultGrey : backColor);
    surface.FillRect(at.x, at.y, width, height, 0, -1, back);
    if (framed) PaintFrame(surface, at);
    if (caption.empty()) return;
    const auto ink = static_cast<int32_t>(captionColor == -1 ? kBlack : captionColor);
    surface.DrawTextBox(at.x + 4, at.y + 2, width - 8, 10, caption, ink, back, kAlignLeft);
}

// A sunken bevel is dark along the top and left and light along the right and
// bottom; a raised one the other way round.
void PanelChildren::PaintFrame(DrawingSurface& surface, Point at) {
    if (flatFrame) {
        surface.DrawRect(at.x, at.y, width, height, 1, kBlack);
        return;
    }
    const int right = at.x + width - 1, bottom = at.y + height - 1;
    const int32_t topLeft = sunken ? kBlack : kWhite;
    const int32_t bottomRight = sunken ? kWhite : kBlack;
    surface.DrawLine(at.x, at.y, right, at.y, topLeft);
    surface.DrawLine(at.x, bottom, at.x, at.y, topLeft);
    surface.DrawLine(right, at.y, right, bottom, bottomRight);
    surface.DrawLine(at.x, bottom, right, bottom, bottomRight);
}

// Only an owner-painted child takes the colour. It is given only when the
// child has another one, which spares the child a repaint of its own.
void PanelChildren::GiveChildColour(GUIElement* child) {
    if (childBackColor == -1 || !child->IsOwnerPainted()) return;
    if (child->GetBackColor() != childBackColor) child->SetBackColor(childBackColor);
}

void PanelChildren::PaintChildren() {
    for (GUIElement* child : Children()) {
        if (!child->IsOwnerPainted() || !child->IsCreated()) continue;
        GiveChildColour(child);
        child->Paint();
    }
}

}  // namespace nebulark

#include "widgets/GUIElement.h"

#include "app/Application.h"

namespace nebulark {

GUIElement::GUIElement(int64_t tag) : tag(tag) {
    Application::Register(this);
}

int32_t GUIElement::GetWidth() const {
    return width;
}

int32_t GUIElement::GetClientWidth() const {
    return width;
}

int32_t GUIElement::GetHeight() const {
    return height;
}

int32_t GUIElement::GetClientHeight() const {
    return height;
}

Point GUIElement::GetPosition() const {
    return Point{x, y};
}

Size GUIElement::GetSize() const {
    return Size{width, height};
}

Size GUIElement::GetExtent() const {
    return Size{width, height};
}

void GUIElement::SetSize(int32_t w, int32_t h) {
    if (w == width && h == height) return;
    width = w;
    height = h;
    if (created) ApplySize();
}

void GUIElement::SetPosition(int32_t newX, int32_t newY) {
    x = newX;
    y = newY;
    if (created) ApplyPosition();
}

void GUIElement::MoveTo(int32_t newX, int32_t newY) {
    SetPosition(newX < 0 ? 0 : newX, newY < 0 ? 0 : newY);
}

void GUIElement::MoveToPoint(Point point) {
    SetPosition(point.x, point.y);
}

void GUIElement::SetBackColor(int64_t colour) {
    backColor = colour;
    if (created) Paint();
}

int64_t GUIElement::GetBackColor() const {
    return backColor;
}

void GUIElement::Show() {
    if (!created) Create();
    visible = true;
}

void GUIElement::Reveal() {
    Show();
}

void GUIElement::Hide() {
    if (created) visible = false;
}

bool GUIElement::IsVisible() const {
    return visible;
}

bool GUIElement::IsCreated() const {
    return created;
}

void GUIElement::UserHookA() {}

void GUIElement::SetEnabled(bool flag) {
    enabled = flag;
}

bool GUIElement::IsEnabled() const {
    return enabled;
}

void GUIElement::Attach(GUIElement* element) {
    if (created && element != nullptr) OnAttach(element);
}

void GUIElement::BringToFront() {
    if (created) ApplyRaise();
}

void GUIElement::Raise() {
    BringToFront();
}

void GUIElement::SendToBack() {
    if (created) ApplyLower();
}

void GUIElement::SetText(const std::string& value) {
    text = value;
}

std::string GUIElement::GetText() const {
    return text;
}

// Only the description is copied, never the source's loaded X font, so each
// descriptor frees only what it loaded itself. A font this element had already
// loaded is reloaded on the same connection, so it never draws with a font that
// no longer matches its description.
void GUIElement::SetFont(const FontDescriptor& descriptor) {
    font.family = descriptor.family;
    font.size = descriptor.size;
    font.bold = descriptor.bold;
    font.italic = descriptor.italic;
    font.xlfdName = descriptor.xlfdName;
    if (font.fontLoaded) font.load(font.xdisplay);
    if (created) ApplyFont();
}

FontDescriptor& GUIElement::GetFont() {
    return font;
}

bool GUIElement::CanFocus() const {
    return canFocus;
}

bool GUIElement::IsOwnerPainted() const {
    return ownerPainted;
}

bool GUIElement::IsChild() const {
    return isChild;
}

bool GUIElement::HitTest(Point point) const {
    return created && visible && x <= point.x && point.x <= x + width && y <= point.y &&
           point.y <= y + height;
}

void GUIElement::SetCaption(const std::string& value) {
    caption = value;
}

std::string GUIElement::GetCaption() const {
    return caption;
}

std::string GUIElement::GetValueText() const {
    return GetCaption();
}

// The millisecond parts of the stamps come from the toolkit's tick counter,
// which rarely moves, so in practice two mouse-ups within the same wall-clock
// second make a double click.
void GUIElement::OnMouseUp(Point point) {
    if (onMouseUp != nullptr) onMouseUp(this, userData, point);
    const DateTime stamp = DateTime::now();
    if (lastMouseUp.millisecondsUntil(stamp) <= 999) OnDoubleClick(point);
    lastMouseUp = stamp;
}

void GUIElement::OnMouseDown(Point point) {
    if (onMouseDown != nullptr) onMouseDown(this, userData, point);
}

void GUIElement::OnDoubleClick(Point point) {
    if (onDoubleClick != nullptr) onDoubleClick(this, userData, point);
}

void GUIElement::OnAuxButtonUp(Point point) {
    if (onAuxButtonUp != nullptr) onAuxButtonUp(this, userData, point);
}

void GUIElement::OnAuxButtonDown(Point point) {
    if (onAuxButtonDown != nullptr) onAuxButtonDown(this, userData, point);
}

void GUIElement::OnAuxDoubleClick(Point point) {
    if (onAuxDoubleClick != nullptr) onAuxDoubleClick(this, userData, point);
}

void GUIElement::OnKeyUp(KeySym keysym) {
    if (onKeyUp != nullptr) onKeyUp(this, keysym);
}

void GUIElement::OnKeyDown(KeySym keysym) {
    if (onKeyDown != nullptr) onKeyDown(this, keysym);
}

bool GUIElement::OnKeyChar(char character) {
    return onKeyChar != nullptr ? onKeyChar(this, character) : true;
}

void GUIElement::OnMouseMove(int32_t mouseX, int32_t mouseY) {
    if (onMouseMove != nullptr) onMouseMove(this, mouseX, mouseY);
}

int64_t GUIElement::OnSpareA(int64_t argument) {
    return onSpareA != nullptr ? onSpareA(this, argument) : 0;
}

int64_t GUIElement::OnSpareB(int64_t argument) {
    return onSpareB != nullptr ? onSpareB(this, argument) : 0;
}

void GUIElement::Focus() {
    hasFocus = true;
}

void GUIElement::OnMove() {
    GetPosition();
    if (onMove != nullptr) onMove(this);
}

void GUIElement::OnResize() {
    SetBackColor(backColor);
    if (onResize != nullptr) onResize(this);
}

void GUIElement::Paint() {}

bool GUIElement::OnCloseQuery() {
    return onCloseQuery != nullptr ? onCloseQuery(this) : true;
}

void GUIElement::OnClosed() {
    if (onClosed != nullptr) onClosed(this);
    closed = true;
}

void GUIElement::OnFocusIn() {
    hasFocus = true;
    valueAtFocus = GetValueText();
    if (onFocusIn != nullptr) onFocusIn(this);
}

void GUIElement::OnFocusOut() {
    hasFocus = false;
    if (onFocusOut != nullptr) onFocusOut(this);
    if (GetValueText() != valueAtFocus && onValueChanged != nullptr) onValueChanged(this);
}

void GUIElement::OnMouseEnter() {
    if (onMouseEnter != nullptr) onMouseEnter(this);
}

void GUIElement::OnMouseLeave() {
    if (onMouseLeave != nullptr) onMouseLeave(this);
}

void GUIElement::OnLoad(uint64_t data) {
    if (userData == 0) userData = data;
    if (!loaded && onLoad != nullptr) onLoad(this, userData);
    loaded = true;
}

void GUIElement::UpdateBackColor() {
    if (created) ApplyBackColor();
}

bool GUIElement::IsBlocked() const {
    return blocked;
}

bool GUIElement::IsActive() const {
    return active;
}

void GUIElement::SetBlocked(bool flag) {
    blocked = flag;
    if (flag) active = false;
}

void GUIElement::SetActive(bool flag) {
    active = flag;
    if (flag) blocked = false;
}

void GUIElement::UserHookB() {}

uint64_t& GUIElement::GetUserDataRef() {
    return userData;
}

void GUIElement::ApplyPosition() {}
void GUIElement::ApplySize() {}
void GUIElement::ApplyBackColor() {}
void GUIElement::ApplyRaise() {}
void GUIElement::ApplyLower() {}
void GUIElement::OnAttach(GUIElement*) {}
void GUIElement::ApplyFont() {}

void GUIElement::AssignId() {
    if (id == 0) {
        id = Application::NextElementId();
        userData = id;
    }
    if (created) ApplyFont();
}

}  // namespace nebulark

#include "widgets/Form.h"

#include <X11/Xlib.h>

#include "app/Application.h"
#include "app/DisplayScale.h"
#include "app/Screen.h"
#include "widgets/ScaledCanvas.h"

// A form's geometry, state and hooks; its X window is made, described to the
// window manager and released in FormWindow.cpp.

namespace nebulark {

Form::Form(int64_t tag) : Form(tag, false) {}

Form::Form(int64_t tag, bool dialog) : GUIElement(tag), dialog(dialog) {
    typeName = "form";
    backColor = -1;
    Application::RegisterForm(this);
}

Form::~Form() {
    Application::Unregister(this);
    created = false;
    ReleaseWindow();
}

Display* Form::Connection() const {
    return screen != nullptr ? screen->GetDisplay() : nullptr;
}

Form::ServerGeometry Form::ToServer() const {
    return ServerGeometry{x * scale, y * scale, width * scale, height * scale};
}

int32_t Form::FromServer(int value) const {
    return Unscaled(value, scale);
}

int32_t Form::GetWidth() const {
    return width;
}

int32_t Form::GetHeight() const {
    return height;
}

// The size of the window as the server has it; the stored size when there is
// no window to ask.
Size Form::ClientSize() const {
    Window root = 0;
    int wx = 0, wy = 0;
    unsigned int w = 0, h = 0, border = 0, depth = 0;
    if (!created || Connection() == nullptr ||
        !XGetGeometry(Connection(), window, &root, &wx, &wy, &w, &h, &border, &depth))
        return Size{width, height};
    return Size{FromServer(static_cast<int>(w)), FromServer(static_cast<int>(h))};
}

int32_t Form::GetClientWidth() const {
    return ClientSize().width;
}

int32_t Form::GetClientHeight() const {
    return ClientSize().height;
}

Point Form::GetPosition() const {
    Display* display = Connection();
    if (!created || display == nullptr) return Point{x, y};
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, RootWindow(display, DefaultScreen(display)), 0, 0,
                          &rootX, &rootY, &child);
    return Point{FromServer(rootX), FromServer(rootY)};
}

// The window's own background is fixed at creation; only the stored colour
// changes.
void Form::SetBackColor(int64_t colour) {
    backColor = colour;
    if (created) UpdateBackColor();
}

void Form::Show() {
    GUIElement::Show();
    if (created && Connection() != nullptr) XRaiseWindow(Connection(), window);
}

void Form::Reveal() {
    GUIElement::Show();
    if (created && Connection() != nullptr) XMapWindow(Connection(), window);
}

void Form::Hide() {
    GUIElement::Hide();
    if (created && Connection() != nullptr) XUnmapWindow(Connection(), window);
}

// Only a mapped window can take the focus. One that the window manager has
// unmapped before the toolkit heard of it refuses it, which is no fault.
void Form::Focus() {
    if (created && windowMapped && Connection() != nullptr) {
        Screen::ExpectErrorOfNextRequest(Connection(), BadMatch);
        XSetInputFocus(Connection(), window, RevertToNone, CurrentTime);
    }
    GUIElement::Focus();
}

void Form::Paint() {
    for (GUIElement* element : Application::CollectChildren(id))
        if (element->IsOwnerPainted() && element->IsCreated()) element->Paint();
}

void Form::SetBlocked(bool flag) {
    if (created) GUIElement::SetBlocked(flag);
}

void Form::ApplyPosition() {
    if (window == 0 || Connection() == nullptr) return;
    const ServerGeometry at = ToServer();
    XMoveWindow(Connection(), window, at.x, at.y);
}

void Form::ApplySize() {
    if (window == 0 || Connection() == nullptr) return;
    const ServerGeometry at = ToServer();
    XResizeWindow(Connection(), window, static_cast<unsigned>(at.width),
                  static_cast<unsigned>(at.height));
    if (canvas != nullptr) canvas->Resize(width, height);
}

void Form::ApplyBackColor() {}

void Form::ApplyRaise() {
    if (window != 0 && Connection() != nullptr) XRaiseWindow(Connection(), window);
}

void Form::ApplyLower() {
    if (window != 0 && Connection() != nullptr) XLowerWindow(Connection(), window);
}

void Form::OnAttach(GUIElement*) {}

void Form::ApplyFont() {}

void Form::UserHookC() {}

void Form::OnBeforeClose() {}

std::string Form::GetTitle() const {
    return GetValueText();
}

std::string Form::GetTitleText() const {
    return GetTitle();
}

void Form::SetTitleText(const char* data, size_t length) {
    SetTitle(data != nullptr ? std::string(data, length) : std::string());
}

void Form::OnCreated() {}

void Form::OnTick() {}

void Form::UserHookD() {}

void Form::SetWindowFlagB(bool flag) {
    windowFlagB = flag;
}

void Form::SetWindowFlagC(bool flag) {
    windowFlagC = flag;
}

void Form::SetWindowFlagD(bool flag) {
    windowFlagD = flag;
}

void Form::OnDialogResult(int32_t, int32_t) {}

bool Form::IsDialog() const {
    return dialog;
}

void Form::FitClientSize(int32_t w, int32_t h) {
    FitClientSize(w, h, true);
}

// The difference between the outer and the client size is what the window
// manager's frame takes; the form grows by it so the client area gets w × h.
void Form::FitClientSize(int32_t w, int32_t h, bool recentre) {
    if (!created) return;
    int32_t dw = GetWidth() - GetClientWidth();
    int32_t dh = GetHeight() - GetClientHeight();
    if (dw < 0) dw = 0;
    if (dh < 0) dh = 0;
    if (recentre) {
        // The position read is the client area's, below the frame's title
        // bar, while the one given places the frame: the window goes up by
        // the height difference once to reach its frame's top and once more
        // for the height it gains, but left only by the width difference,
        // which the frame's two sides share.
        const Point position = GetPosition();
        MoveTo(position.x - dw, position.y - 2 * dh);
    }
    SetSize(w + dw, h + dh);
}

void Form::SetWindowFlagE(bool flag) {
    windowFlagE = flag;
}

void Form::SetWindowFlagA(bool flag) {
    windowFlagA = flag;
}

void Form::SetModalChild(Form* form) {
    modalChild = form;
}

void Form::StoreGeometry(int32_t newX, int32_t newY, int32_t w, int32_t h) {
    x = newX;
    y = newY;
    width = w;
    height = h;
}

void Form::SetScreen(Screen* value) {
    screen = value;
}

Screen* Form::GetScreen() const {
    return screen;
}

// The screen is measured in the form's own pixels, at the scale its window
// will have.
void Form::CenterOnScreen() {
    const Size size = GetSize();
    const int32_t shown = screen != nullptr ? screen->SettleScale(size.width, size.height) : 1;
    const int32_t screenWidth =
        (screen != nullptr ? screen->GetWidth() : Screen::ScreenWidth()) / shown;
    const int32_t screenHeight =
        (screen != nullptr ? screen->GetHeight() : Screen::ScreenHeight()) / shown;
    MoveTo((screenWidth - size.width) / 2, (screenHeight - size.height) / 2);
}

void Form::ShowForm() {
    if (!created) Create();
    visible = true;
}

void Form::ShowForm(int32_t) {
    if (!created) Create();
    visible = true;
}

Window Form::GetWindow() const {
    return window;
}

void Form::Activate() {
    if (created) SetActive(true);
}

void Form::Deactivate() {
    if (created) SetActive(false);
}

void Form::OnKeyboardLost() {}

}  // namespace nebulark

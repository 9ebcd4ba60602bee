#include "widgets/Form.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <limits.h>
#include <unistd.h>

#include <vector>

#include "app/Application.h"
#include "app/DisplayScale.h"
#include "app/Screen.h"
#include "util/Log.h"
#include "widgets/ScaledCanvas.h"

namespace nebulark {

namespace {

constexpr const char* kApplicationName = "Nebulark.exe";
constexpr unsigned long kDefaultBackground = 0xAAAAAA;
constexpr long kInputMask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            EnterWindowMask | LeaveWindowMask | PointerMotionMask |
                            ButtonMotionMask | ExposureMask | StructureNotifyMask |
                            SubstructureNotifyMask | FocusChangeMask;

// A text property made from one string, released with it.
struct TextProperty {
    XTextProperty value{};
    bool ok = false;

    explicit TextProperty(const std::string& text) {
        std::string copy = text;
        char* list[] = {copy.data()};
        ok = XStringListToTextProperty(list, 1, &value) != 0;
    }
    TextProperty(const TextProperty&) = delete;
    TextProperty& operator=(const TextProperty&) = delete;
    ~TextProperty() {
        if (ok) XFree(value.value);
    }
    XTextProperty* Get() { return ok ? &value : nullptr; }
};

// The three hint records of a new window, freed together on every path.
struct HintRecords {
    XSizeHints* size = XAllocSizeHints();
    XWMHints* wm = XAllocWMHints();
    XClassHint* classHint = XAllocClassHint();

    HintRecords() = default;
    HintRecords(const HintRecords&) = delete;
    HintRecords& operator=(const HintRecords&) = delete;
    ~HintRecords() {
        if (size != nullptr) XFree(size);
        if (wm != nullptr) XFree(wm);
        if (classHint != nullptr) XFree(classHint);
    }
    bool Complete() const { return size != nullptr && wm != nullptr && classHint != nullptr; }
};

void FillFixedSizeHints(XSizeHints& hints, int x, int y, int width, int height) {
    hints.flags = PPosition | PSize | PMinSize | PMaxSize;
    hints.x = x;
    hints.y = y;
    hints.width = hints.min_width = hints.max_width = width;
    hints.height = hints.min_height = hints.max_height = height;
}

// The name of this machine as the window manager compares it with its own;
// empty when it cannot be learnt.
std::string HostName() {
    char name[HOST_NAME_MAX + 1] = {};
    if (gethostname(name, sizeof name - 1) != 0) return "";
    return name;
}

// The _NET_WM_ICON property: for each size its width, its height and then
// its pixels row by row. Xlib takes format-32 data as one long per value.
std::vector<unsigned long> IconProperty(std::span<const IconImage> images) {
    std::vector<unsigned long> values;
    for (const IconImage& image : images) {
        if (image.width <= 0 || image.height <= 0 || image.argb == nullptr) continue;
        values.push_back(static_cast<unsigned long>(image.width));
        values.push_back(static_cast<unsigned long>(image.height));
        const size_t count = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
        values.insert(values.end(), image.argb, image.argb + count);
    }
    return values;
}

void FillWMHints(XWMHints& hints, Pixmap icon) {
    hints.flags = InputHint | StateHint | IconPixmapHint;
    hints.input = True;
    hints.initial_state = NormalState;
    hints.icon_pixmap = icon;
}

}  // namespace

bool Form::suppressPaint = false;

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
    return Size{Unscaled(static_cast<int>(w), scale), Unscaled(static_cast<int>(h), scale)};
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
    return Point{Unscaled(rootX, scale), Unscaled(rootY, scale)};
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

void Form::Create() {
    if (created) return;
    if (Connection() == nullptr) {
        LogMessage("E' necessario impostare il display");
        return;
    }
    const bool haveWindow = CreateWindow();
    if (haveWindow) {
        SetWindowProperties();
        if (dialog) AnnounceDialog();
    }
    Focus();
    if (!haveWindow) {
        LogMessage("Errore creazione Form ");
        return;
    }
    AssignId();
    LoadContents();
    created = true;
    UpdateBackColor();
    OnCreated();
    XMapWindow(Connection(), window);
    windowMapped = true;
    visible = true;
    XFlush(Connection());
}

bool Form::CreateWindow() {
    Display* display = Connection();
    const int screenNumber = screen->GetScreenNumber();
    const unsigned long background =
        backColor == -1 ? kDefaultBackground : static_cast<unsigned long>(backColor);
    scale = screen->SettleScale(width, height);
    window = XCreateSimpleWindow(display, RootWindow(display, DefaultScreen(display)), x * scale,
                                 y * scale, static_cast<unsigned>(width * scale),
                                 static_cast<unsigned>(height * scale), 1,
                                 BlackPixel(display, screenNumber), background);
    if (window != 0 && scale > 1) MakeCanvas(background);
    return window != 0;
}

// Without a canvas the form is drawn on the window itself, in its top-left
// part: smaller than asked, but all there.
void Form::MakeCanvas(unsigned long background) {
    canvas = ScaledCanvas::Make(Connection(), window, scale, width, height, background);
    if (canvas == nullptr) LogMessage("Errore nella creazione della superficie ingrandita");
}

Drawable Form::GetDrawTarget() const {
    return canvas != nullptr ? canvas->Target() : window;
}

// Minimum and maximum size equal the size, so the user cannot resize the
// window; the close button is announced through WM_DELETE_WINDOW.
void Form::SetWindowProperties() {
    AnnounceOwner();
    WriteIcon();
    HintRecords hints;
    if (!hints.Complete()) {
        LogMessage("XAllocSizeHints/XAllocWMHints/XAllocClassHint failed");
        return;
    }
    FillFixedSizeHints(*hints.size, x * scale, y * scale, width * scale, height * scale);
    FillWMHints(*hints.wm, iconPixmap);
    TextProperty windowName(GetCaption()), iconName(kApplicationName);
    if (!windowName.ok || !iconName.ok) LogMessage("XStringListToTextProperty - error");
    std::string applicationName = kApplicationName;
    hints.classHint->res_name = applicationName.data();
    hints.classHint->res_class = applicationName.data();
    XSetWMProperties(Connection(), window, windowName.Get(), iconName.Get(), nullptr, 0, hints.size,
                     hints.wm, hints.classHint);
    EnableCloseAndInput();
}

// Which process on which machine owns the window, so that a window manager
// can offer to end a program that stops answering. The two go together;
// XSetWMProperties stores the machine again when it runs.
void Form::AnnounceOwner() {
    Display* display = Connection();
    TextProperty machine(HostName());
    if (machine.ok) XSetWMClientMachine(display, window, machine.Get());
    const unsigned long pid = static_cast<unsigned long>(getpid());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
}

void Form::SetIcon(std::span<const IconImage> images) {
    icon = images;
    if (created) WriteIcon();
}

void Form::WriteIcon() {
    Display* display = Connection();
    if (window == 0 || display == nullptr || icon.empty()) return;
    const std::vector<unsigned long> values = IconProperty(icon);
    if (values.empty()) return;
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(values.data()),
                    static_cast<int>(values.size()));
}

void Form::EnableCloseAndInput() {
    Display* display = Connection();
    deleteAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteAtom, 1);
    XSelectInput(display, window, kInputMask);
}

void Form::AnnounceDialog() {
    Display* display = Connection();
    const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    const Atom dialogType = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display, window, type, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&dialogType), 1);
}

void Form::LoadContents() {
    suppressPaint = true;
    OnLoad(userData != 0 ? userData : id);
    suppressPaint = false;
}

void Form::ApplyPosition() {
    if (window != 0 && Connection() != nullptr)
        XMoveWindow(Connection(), window, x * scale, y * scale);
}

void Form::ApplySize() {
    if (window == 0 || Connection() == nullptr) return;
    XResizeWindow(Connection(), window, static_cast<unsigned>(width * scale),
                  static_cast<unsigned>(height * scale));
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

void Form::SetTitle(const std::string& title) {
    SetCaption(title);
    if (!created || Connection() == nullptr) return;
    TextProperty property(GetCaption());
    if (!property.ok) {
        LogMessage("XStringListToTextProperty - out of memory");
        return;
    }
    XSetWMName(Connection(), window, property.Get());
    XSetWMIconName(Connection(), window, property.Get());
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

void Form::DestroyWindow() {
    created = false;
    ReleaseWindow();
}

// A connection that is already closed has taken its windows with it, so only
// the handle is forgotten then.
void Form::ReleaseWindow() {
    if (window == 0) return;
    Application::ClearFocus();
    windowMapped = false;
    focusAway = false;
    if (Display* display = Connection()) {
        canvas.reset();
        XUnmapWindow(display, window);
        XDestroyWindow(display, window);
    } else if (canvas != nullptr) {
        canvas->Abandon();
        canvas.reset();
    }
    window = 0;
}

void Form::OnDialogResult(int32_t, int32_t) {}

bool Form::IsDialog() const {
    return dialog;
}

void Form::SetIconPixmap(Pixmap pixmap) {
    iconPixmap = pixmap;
    if (!created || Connection() == nullptr) return;
    XWMHints* hints = XAllocWMHints();
    if (hints == nullptr) return;
    FillWMHints(*hints, iconPixmap);
    XSetWMHints(Connection(), window, hints);
    XFree(hints);
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

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <limits.h>
#include <unistd.h>

#include <vector>

#include "app/Application.h"
#include "app/Screen.h"
#include "util/Log.h"
#include "widgets/Form.h"
#include "widgets/ScaledCanvas.h"

// A form's X window: its creation, the properties the window manager reads
// from it (hints, title, icon, owner, type) and its release.

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
    const ServerGeometry at = ToServer();
    window = XCreateSimpleWindow(display, RootWindow(display, DefaultScreen(display)), at.x, at.y,
                                 static_cast<unsigned>(at.width), static_cast<unsigned>(at.height),
                                 1, BlackPixel(display, screenNumber), background);
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
    const ServerGeometry at = ToServer();
    FillFixedSizeHints(*hints.size, at.x, at.y, at.width, at.height);
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

void Form::SetIconPixmap(Pixmap pixmap) {
    iconPixmap = pixmap;
    if (!created || Connection() == nullptr) return;
    XWMHints* hints = XAllocWMHints();
    if (hints == nullptr) return;
    FillWMHints(*hints, iconPixmap);
    XSetWMHints(Connection(), window, hints);
    XFree(hints);
}

}  // namespace nebulark

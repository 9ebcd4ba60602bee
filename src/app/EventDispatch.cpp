#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <array>
#include <optional>

#include "app/Application.h"
#include "app/ApplicationState.h"
#include "app/EventScale.h"
#include "app/LatinKeys.h"
#include "util/MillisecondCounter.h"
#include "widgets/Form.h"
#include "widgets/ScaledCanvas.h"

// The dispatch table of the event loop: one small handler per X event type.
// Callbacks run inside these handlers and may create, focus or delete
// elements, so a handler checks that an element is still registered before it
// calls it again after handing control away.

namespace nebulark {

namespace Application {

namespace {

using Handler = void (*)(Form* form, XEvent& event);

KeyTranslation Translate(XKeyEvent& event) {
    const std::optional<KeyTranslation> byPlace =
        LatinKeys::TranslateByPlace(LatinKeys::ServerMap(event.display), LatinKeys::PressOf(event));
    if (byPlace) return *byPlace;
    char buffer[50];
    KeyTranslation key;
    const int count = XLookupString(&event, buffer, sizeof buffer, &key.keysym, nullptr);
    if (count > 0) key.character = static_cast<unsigned char>(buffer[0]);
    return key;
}

std::optional<KeyTranslation>& PressedKey(const XKeyEvent& event) {
    return State().pressedKeys[event.keycode % State().pressedKeys.size()];
}

// A released key reports what it typed when it was pressed, not what the
// modifiers held now make of it: a typist who lets go of Shift a moment before
// the letter still types a capital, and the release clears the key-table entry
// that the press set. A release whose press was not seen is translated as it
// stands.
KeyTranslation ReleaseTranslation(XKeyEvent& event) {
    std::optional<KeyTranslation>& pressed = PressedKey(event);
    if (!pressed) return Translate(event);
    const KeyTranslation key = *pressed;
    pressed.reset();
    return key;
}

bool IsTyped(unsigned char character) {
    return character >= 1 && character <= 127;
}

bool Alive(const GUIElement* element) {
    return IsRegistered(element);
}

Point EventPoint(int x, int y) {
    return Point{x, y};
}

void OnKeyPressEvent(Form* form, XEvent& event) {
    if (!form->IsEnabled()) return;
    const KeyTranslation key = Translate(event.xkey);
    PressedKey(event.xkey) = key;
    if (GUIElement* focused = FocusedElement()) focused->OnKeyDown(key.keysym);
    if (IsTyped(key.character)) KeyTable()[key.character] = 1;
    if (Alive(form)) form->OnKeyDown(key.keysym);
}

// A hidden control is not there to be used, so it is no stop for Tab; a
// disabled one still is.
bool IsTabStop(const GUIElement* element) {
    return element->CanFocus() && element->IsVisible();
}

// The next tab stop after the focused element by id, wrapping to the first.
GUIElement* NextTabStop(Form* form, const GUIElement* focused) {
    const std::vector<GUIElement*> children = CollectChildren(form->GetId());
    for (GUIElement* child : children)
        if ((focused == nullptr || child->GetId() > focused->GetId()) && IsTabStop(child))
            return child;
    for (GUIElement* child : children)
        if (IsTabStop(child)) return child;
    return nullptr;
}

void NavigateTab(Form* form) {
    GUIElement* focused = FocusedElement();
    GUIElement* next = NextTabStop(form, focused);
    if (next == nullptr) return;
    if (focused != nullptr) focused->OnFocusOut();
    if (!Alive(next)) return;
    SetFocusedElement(next);
    next->OnFocusIn();
}

void OnKeyReleaseEvent(Form* form, XEvent& event) {
    if (!form->IsEnabled()) return;
    const KeyTranslation key = ReleaseTranslation(event.xkey);
    GUIElement* focused = FocusedElement();
    if (key.keysym == XK_Tab && (focused == nullptr || focused->CanFocus())) {
        NavigateTab(form);
    } else if (focused != nullptr) {
        if (IsTyped(key.character)) focused->OnKeyChar(static_cast<char>(key.character));
        if (GUIElement* now = FocusedElement()) now->OnKeyUp(key.keysym);
    }
    if (IsTyped(key.character)) {
        KeyTable()[key.character] = 0;
        if (Alive(form)) form->OnKeyChar(static_cast<char>(key.character));
    }
    if (Alive(form)) form->OnKeyUp(key.keysym);
}

// A focused control directly on the form that is hit takes the event first.
bool FocusedControlHit(Form* form, Point point) {
    GUIElement* focused = FocusedElement();
    return focused != nullptr && focused->HitTest(point) && focused->GetParent() == form;
}

void DropFocus() {
    GUIElement* focused = FocusedElement();
    if (focused == nullptr) return;
    focused->OnFocusOut();
    ClearFocus();
}

void MoveFocusTo(GUIElement* element) {
    GUIElement* focused = FocusedElement();
    if (focused == nullptr) {
        element->OnFocusIn();
    } else if (focused->GetId() != element->GetId()) {
        focused->OnFocusOut();
        if (Alive(element)) element->OnFocusIn();
    }
}

void LeftPress(Form* form, Point point) {
    if (FocusedControlHit(form, point)) {
        FocusedElement()->OnMouseDown(point);
        if (Alive(form)) form->OnMouseDown(point);
        return;
    }
    GUIElement* hit = FindElementAt(form->GetId(), point);
    if (hit == nullptr) {
        DropFocus();
    } else {
        MoveFocusTo(hit);
        if (Alive(hit)) hit->OnMouseDown(point);
        if (Alive(hit)) SetFocusedElement(hit);
    }
    if (Alive(form)) form->OnMouseDown(point);
}

// A release reaches a control only when the press left the focus on it: a
// drag from one control to another takes the focus away and tells only the
// form.
void LeftRelease(Form* form, Point point) {
    if (FocusedControlHit(form, point)) {
        FocusedElement()->OnMouseUp(point);
        if (Alive(form)) form->OnMouseUp(point);
        return;
    }
    GUIElement* hit = FindElementAt(form->GetId(), point);
    GUIElement* focused = FocusedElement();
    if (hit != nullptr && focused != nullptr && hit->GetId() == focused->GetId())
        hit->OnMouseUp(point);
    else
        DropFocus();
    if (Alive(form)) form->OnMouseUp(point);
}

void OnButtonPressEvent(Form* form, XEvent& event) {
    const Point point = EventPoint(event.xbutton.x, event.xbutton.y);
    if (!form->IsEnabled()) {
        form->OnMouseDown(point);
        return;
    }
    const unsigned button = event.xbutton.button;
    if (button == Button1)
        LeftPress(form, point);
    else if (button == Button2 || button == Button3 || button == Button4)
        form->OnAuxButtonDown(point);
}

void OnButtonReleaseEvent(Form* form, XEvent& event) {
    const Point point = EventPoint(event.xbutton.x, event.xbutton.y);
    if (!form->IsEnabled()) {
        form->OnMouseUp(point);
        return;
    }
    const unsigned button = event.xbutton.button;
    if (button == Button1)
        LeftRelease(form, point);
    else if (button == Button2 || button == Button3 || button == Button4)
        form->OnAuxButtonUp(point);
}

// Only sliders and scroll bars follow the pointer while they hold the focus.
void OnMotionEvent(Form* form, XEvent& event) {
    if (!form->IsEnabled()) return;
    const int x = event.xmotion.x, y = event.xmotion.y;
    GUIElement* focused = FocusedElement();
    if (focused != nullptr && (focused->IsType("slider") || focused->IsType("scrollbar")))
        focused->OnMouseMove(x, y);
    if (Alive(form)) form->OnMouseMove(x, y);
}

void OnEnterEvent(Form* form, XEvent&) {
    form->OnMouseEnter();
}

void OnLeaveEvent(Form* form, XEvent&) {
    form->OnMouseLeave();
}

// At a scale above 1 the canvas still holds what the window lost; the
// controls are painted again as at scale 1.
void OnExposeEvent(Form* form, XEvent& event) {
    if (ScaledCanvas* canvas = form->GetCanvas()) {
        const XExposeEvent& expose = event.xexpose;
        canvas->ShowAgain(PixelRect{expose.x, expose.y, expose.width, expose.height});
    }
    form->Paint();
}

void OnConfigureEvent(Form* form, XEvent& event) {
    const XConfigureEvent& configure = event.xconfigure;
    const Size size = form->GetSize();
    if (configure.width != size.width || configure.height != size.height) form->OnResize();
    if (Alive(form))
        form->StoreGeometry(configure.x, configure.y, configure.width, configure.height);
}

// A key whose release goes to another window would stay held for good, so
// when a window stops taking the keyboard every key the toolkit believes held
// is let go, and so are the form's own.
void KeyboardLost(Form* form) {
    KeyTable().fill(0);
    State().pressedKeys.fill(std::nullopt);
    form->OnKeyboardLost();
}

// Whether a window of another program, or none, has the focus now. A grab
// leaves the focus where it was; while the focus follows the pointer the
// window takes the keyboard again as soon as the pointer is back over it; and
// a dialog of the program's own keeps the player in the program.
bool FocusTakenAway(Display* display) {
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    if (focus == PointerRoot) return false;
    return focus == None || FindFormByWindow(focus) == nullptr;
}

void OnFocusInEvent(Form* form, XEvent&) {
    form->NoteFocusAway(false);
}

// Focus moving on into a sub-window of the window stays with it.
void OnFocusOutEvent(Form* form, XEvent& event) {
    if (event.xfocus.detail == NotifyInferior) return;
    form->NoteFocusAway(FocusTakenAway(event.xfocus.display));
    KeyboardLost(form);
}

// Only the window's own mapping counts, not that of a sub-window.
void OnMapEvent(Form* form, XEvent& event) {
    if (event.xmap.window == form->GetWindow()) form->NoteWindowMapped(true);
}

void OnUnmapEvent(Form* form, XEvent& event) {
    if (event.xunmap.window != form->GetWindow()) return;
    form->NoteWindowMapped(false);
    KeyboardLost(form);
}

// The main form's own close operation decides whether to quit; other forms
// are closed here when they agree.
void CloseRequested(Form* form) {
    Form* mainForm = State().mainForm;
    if (mainForm != nullptr && form->GetId() == mainForm->GetId()) {
        mainForm->OnCloseQuery();
        return;
    }
    if (!form->OnCloseQuery() || !Alive(form)) return;
    form->DestroyWindow();
    if (Alive(form)) form->OnClosed();
}

void OnClientMessageEvent(Form* form, XEvent& event) {
    const XClientMessageEvent& message = event.xclient;
    const long first = message.data.l[0];
    if (form->GetDeleteAtom() != 0 && static_cast<Atom>(first) == form->GetDeleteAtom()) {
        CloseRequested(form);
    } else if (message.message_type == None && first == 1) {
        MillisecondCounter::Advance();
        form->OnTick();
    }
}

constexpr std::array<Handler, LASTEvent> MakeHandlers() {
    std::array<Handler, LASTEvent> table{};
    table[KeyPress] = OnKeyPressEvent;
    table[KeyRelease] = OnKeyReleaseEvent;
    table[ButtonPress] = OnButtonPressEvent;
    table[ButtonRelease] = OnButtonReleaseEvent;
    table[MotionNotify] = OnMotionEvent;
    table[EnterNotify] = OnEnterEvent;
    table[LeaveNotify] = OnLeaveEvent;
    table[Expose] = OnExposeEvent;
    table[ConfigureNotify] = OnConfigureEvent;
    table[FocusIn] = OnFocusInEvent;
    table[FocusOut] = OnFocusOutEvent;
    table[MapNotify] = OnMapEvent;
    table[UnmapNotify] = OnUnmapEvent;
    table[ClientMessage] = OnClientMessageEvent;
    return table;
}

constexpr std::array<Handler, LASTEvent> kHandlers = MakeHandlers();

// ConfigureNotify names the configured window in its `window` member, which is
// not where XAnyEvent keeps the window.
Window EventWindow(const XEvent& event) {
    return event.type == ConfigureNotify ? event.xconfigure.window : event.xany.window;
}

}  // namespace

void DispatchEvent(XEvent& event) {
    if (event.type < 0 || event.type >= LASTEvent) return;
    const Handler handler = kHandlers[static_cast<size_t>(event.type)];
    if (handler == nullptr) return;
    Form* form = FindFormByWindow(EventWindow(event));
    if (form == nullptr) return;
    ScaleDownEvent(event, form->GetScale());
    handler(form, event);
}

}  // namespace Application

}  // namespace nebulark

#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "app/Screen.h"
#include "support/XDriver.h"
#include "widgets/Child.h"
#include "widgets/Form.h"

namespace nebulark::test {

// Everything the probes below were told, in order, as "name.Operation" or
// "name.Operation x,y".
std::vector<std::string>& Calls();
std::string KeyName(KeySym keysym);

// An element that records the notifications it receives and then behaves as
// its base does.
template <class Base>
class Recording : public Base {
public:
    template <class... Args>
    explicit Recording(std::string name, Args... args) : Base(args...), name(std::move(name)) {}

    void OnMouseDown(Point p) override {
        Record("OnMouseDown", p);
        Base::OnMouseDown(p);
    }
    void OnMouseUp(Point p) override {
        Record("OnMouseUp", p);
        Base::OnMouseUp(p);
    }
    void OnAuxButtonDown(Point p) override {
        Record("OnAuxButtonDown", p);
        Base::OnAuxButtonDown(p);
    }
    void OnAuxButtonUp(Point p) override {
        Record("OnAuxButtonUp", p);
        Base::OnAuxButtonUp(p);
    }
    void OnFocusIn() override {
        Record("OnFocusIn");
        Base::OnFocusIn();
    }
    void OnFocusOut() override {
        Record("OnFocusOut");
        Base::OnFocusOut();
    }
    void OnKeyDown(KeySym k) override {
        Record("OnKeyDown " + KeyName(k));
        Base::OnKeyDown(k);
    }
    void OnKeyUp(KeySym k) override {
        Record("OnKeyUp " + KeyName(k));
        Base::OnKeyUp(k);
    }
    bool OnKeyChar(char c) override {
        Record(std::string("OnKeyChar ") + c);
        return Base::OnKeyChar(c);
    }
    void OnMouseMove(int32_t x, int32_t y) override {
        Record("OnMouseMove", Point{x, y});
        Base::OnMouseMove(x, y);
    }

protected:
    void Record(const std::string& operation) { Calls().push_back(name + "." + operation); }
    void Record(const std::string& operation, Point p) {
        Record(operation + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    }

private:
    std::string name;
};

// A control at (x, y) of size w × h in its container.
class ProbeControl : public Recording<Child> {
public:
    ProbeControl(GUIElement* container, std::string name, int x, int y, int w, int h,
                 const char* type = "probe");
    void Create() override;
    void OnDoubleClick(Point p) override {
        Record("OnDoubleClick", p);
        Child::OnDoubleClick(p);
    }
    void ApplySize() override { ++applySizeCalls; }

    void SetCanFocus(bool flag) { canFocus = flag; }
    // Pretends the previous mouse-up happened `seconds` ago.
    void AgeLastMouseUp(int seconds) { lastMouseUp.addSeconds(-seconds); }
    int applySizeCalls = 0;
};

// A form that also records its ticks, resizes, closing and dialog answers.
class ProbeForm : public Recording<Form> {
public:
    explicit ProbeForm(std::string name = "form", bool dialog = false)
        : Recording<Form>(std::move(name), int64_t{0}, dialog) {}
    void OnResize() override {
        Record("OnResize");
        Form::OnResize();
    }
    void OnTick() override { Record("OnTick"); }
    void OnKeyboardLost() override {
        Record("OnKeyboardLost");
        Form::OnKeyboardLost();
    }
    bool OnCloseQuery() override;
    void OnClosed() override {
        Record("OnClosed");
        Form::OnClosed();
    }
    void Paint() override {
        ++paints;
        Form::Paint();
    }
    void OnDialogResult(int32_t requestCode, int32_t result) override {
        Record("OnDialogResult " + std::to_string(requestCode) + "," + std::to_string(result));
        if (dialogResult) dialogResult(requestCode, result);
    }

    int paints = 0;
    std::function<void(int32_t, int32_t)> dialogResult;
    bool allowClose = true;
    bool quitOnClose = false;
};

// Runs passes of the event loop until done() holds, never blocking: a pass
// runs only when an event is queued or a timer makes the loop poll.
bool PumpUntil(Display* display, const std::function<bool()>& done,
               std::chrono::milliseconds deadline = std::chrono::milliseconds(3000));
// Handles every event already queued for the display.
void Drain(Display* display);
// Gives the form the screen, creates it at (x, y) with size w × h and waits
// until it has been exposed.
bool ShowOnScreen(ProbeForm& form, nebulark::Screen& screen, int x, int y, int w, int h);

// While alive, protocol errors are only logged by the program's own handler
// and do not fail the test. It must be made before the first Screen of the
// test process, since the handler remembers what it found installed.
class ExpectXErrors {
public:
    ExpectXErrors() : previous(XSetErrorHandler(nullptr)) {}
    ~ExpectXErrors() { XSetErrorHandler(previous); }

private:
    XErrorHandler previous;
};

}  // namespace nebulark::test

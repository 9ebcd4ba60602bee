#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "app/Screen.h"
#include "widgets/Child.h"
#include "widgets/Form.h"

namespace nebulark::test {

// Everything the probes below were told, in order, as "name.Operation" or
// "name.Operation x,y".
std::vector<std::string>& Calls();
// The calls recorded for one element name only.
std::vector<std::string> CallsOf(const std::string& name);

// A control that records the notifications it receives and then behaves as
// the base does.
class ProbeControl : public Child {
public:
    ProbeControl(GUIElement* container, std::string name, int x, int y, int w, int h,
                 const char* type = "probe");
    void Create() override;
    void OnMouseDown(Point point) override;
    void OnMouseUp(Point point) override;
    void OnDoubleClick(Point point) override;
    void OnFocusIn() override;
    void OnFocusOut() override;
    void OnKeyDown(KeySym keysym) override;
    void OnKeyUp(KeySym keysym) override;
    bool OnKeyChar(char character) override;
    void OnMouseMove(int32_t mouseX, int32_t mouseY) override;
    void ApplySize() override;

    void SetCanFocus(bool flag) { canFocus = flag; }
    void SetParent(GUIElement* container) { parent = container; }
    // Pretends the previous mouse-up happened `seconds` ago.
    void AgeLastMouseUp(int seconds);
    int applySizeCalls = 0;

private:
    std::string name;
    void Record(const std::string& operation);
    void Record(const std::string& operation, Point point);
};

// A form that records what the loop tells it.
class ProbeForm : public Form {
public:
    explicit ProbeForm(std::string name = "form", bool dialog = false);
    void OnMouseDown(Point point) override;
    void OnMouseUp(Point point) override;
    void OnAuxButtonDown(Point point) override;
    void OnAuxButtonUp(Point point) override;
    void OnKeyDown(KeySym keysym) override;
    void OnKeyUp(KeySym keysym) override;
    bool OnKeyChar(char character) override;
    void OnMouseMove(int32_t mouseX, int32_t mouseY) override;
    void OnResize() override;
    void OnTick() override;
    bool OnCloseQuery() override;
    void OnClosed() override;
    void Paint() override;

    int paints = 0;
    bool allowClose = true;
    bool quitOnClose = false;

private:
    std::string name;
    void Record(const std::string& operation);
    void Record(const std::string& operation, Point point);
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
    ExpectXErrors();
    ~ExpectXErrors();

private:
    XErrorHandler previous;
};

}  // namespace nebulark::test

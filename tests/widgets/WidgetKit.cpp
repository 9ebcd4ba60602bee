#include "WidgetKit.h"

#include <X11/Xutil.h>

#include "app/Application.h"
#include "support/XDriver.h"

namespace nebulark::test {

namespace {

std::string KeyName(KeySym keysym) {
    const char* name = XKeysymToString(keysym);
    return name != nullptr ? name : "?";
}

std::string PointText(Point point) {
    return std::to_string(point.x) + "," + std::to_string(point.y);
}

}  // namespace

std::vector<std::string>& Calls() {
    static std::vector<std::string> calls;
    return calls;
}

std::vector<std::string> CallsOf(const std::string& name) {
    std::vector<std::string> mine;
    for (const std::string& call : Calls())
        if (call.rfind(name + ".", 0) == 0) mine.push_back(call);
    return mine;
}

ProbeControl::ProbeControl(GUIElement* container, std::string name, int x, int y, int w, int h,
                           const char* type)
    : name(std::move(name)) {
    typeName = type;
    parent = container;
    ownerPainted = true;
    SetPosition(x, y);
    SetSize(w, h);
}

void ProbeControl::Create() {
    if (created) return;
    AssignId();
    created = true;
    visible = true;
}

void ProbeControl::Record(const std::string& operation) {
    Calls().push_back(name + "." + operation);
}

void ProbeControl::Record(const std::string& operation, Point point) {
    Record(operation + " " + PointText(point));
}

void ProbeControl::OnMouseDown(Point point) {
    Record("OnMouseDown", point);
    Child::OnMouseDown(point);
}

void ProbeControl::OnMouseUp(Point point) {
    Record("OnMouseUp", point);
    Child::OnMouseUp(point);
}

void ProbeControl::OnDoubleClick(Point point) {
    Record("OnDoubleClick", point);
    Child::OnDoubleClick(point);
}

void ProbeControl::OnFocusIn() {
    Record("OnFocusIn");
    Child::OnFocusIn();
}

void ProbeControl::OnFocusOut() {
    Record("OnFocusOut");
    Child::OnFocusOut();
}

void ProbeControl::OnKeyDown(KeySym keysym) {
    Record("OnKeyDown " + KeyName(keysym));
    Child::OnKeyDown(keysym);
}

void ProbeControl::OnKeyUp(KeySym keysym) {
    Record("OnKeyUp " + KeyName(keysym));
    Child::OnKeyUp(keysym);
}

bool ProbeControl::OnKeyChar(char character) {
    Record(std::string("OnKeyChar ") + character);
    return Child::OnKeyChar(character);
}

void ProbeControl::OnMouseMove(int32_t mouseX, int32_t mouseY) {
    Record("OnMouseMove", Point{mouseX, mouseY});
    Child::OnMouseMove(mouseX, mouseY);
}

void ProbeControl::ApplySize() {
    ++applySizeCalls;
}

void ProbeControl::AgeLastMouseUp(int seconds) {
    lastMouseUp.addSeconds(-seconds);
}

ProbeForm::ProbeForm(std::string name, bool dialog) : Form(0, dialog), name(std::move(name)) {}

void ProbeForm::Record(const std::string& operation) {
    Calls().push_back(name + "." + operation);
}

void ProbeForm::Record(const std::string& operation, Point point) {
    Record(operation + " " + PointText(point));
}

void ProbeForm::OnMouseDown(Point point) {
    Record("OnMouseDown", point);
    Form::OnMouseDown(point);
}

void ProbeForm::OnMouseUp(Point point) {
    Record("OnMouseUp", point);
    Form::OnMouseUp(point);
}

void ProbeForm::OnAuxButtonDown(Point point) {
    Record("OnAuxButtonDown", point);
    Form::OnAuxButtonDown(point);
}

void ProbeForm::OnAuxButtonUp(Point point) {
    Record("OnAuxButtonUp", point);
    Form::OnAuxButtonUp(point);
}

void ProbeForm::OnKeyDown(KeySym keysym) {
    Record("OnKeyDown " + KeyName(keysym));
    Form::OnKeyDown(keysym);
}

void ProbeForm::OnKeyUp(KeySym keysym) {
    Record("OnKeyUp " + KeyName(keysym));
    Form::OnKeyUp(keysym);
}

bool ProbeForm::OnKeyChar(char character) {
    Record(std::string("OnKeyChar ") + character);
    return Form::OnKeyChar(character);
}

void ProbeForm::OnMouseMove(int32_t mouseX, int32_t mouseY) {
    Record("OnMouseMove", Point{mouseX, mouseY});
    Form::OnMouseMove(mouseX, mouseY);
}

void ProbeForm::OnResize() {
    Record("OnResize");
    Form::OnResize();
}

void ProbeForm::OnTick() {
    Record("OnTick");
}

bool ProbeForm::OnCloseQuery() {
    Record("OnCloseQuery");
    if (quitOnClose) Application::RequestQuit();
    return allowClose;
}

void ProbeForm::OnClosed() {
    Record("OnClosed");
    Form::OnClosed();
}

void ProbeForm::Paint() {
    ++paints;
    Form::Paint();
}

bool PumpUntil(Display* display, const std::function<bool()>& done,
               std::chrono::milliseconds deadline) {
    return WaitUntil(
        done,
        [display] {
            XSync(display, False);
            if (XPending(display) > 0 || !Application::Timers().empty())
                Application::RunPass(display);
            else
                Application::WaitForInput(ConnectionNumber(display), 10);
        },
        deadline);
}

void Drain(Display* display) {
    XSync(display, False);
    while (XPending(display) > 0)
        Application::RunPass(display);
}

bool ShowOnScreen(ProbeForm& form, nebulark::Screen& screen, int x, int y, int w, int h) {
    form.SetScreen(&screen);
    form.SetPosition(x, y);
    form.SetSize(w, h);
    form.Create();
    const bool exposed = PumpUntil(screen.GetDisplay(), [&form] { return form.paints > 0; });
    Drain(screen.GetDisplay());
    return exposed;
}

ExpectXErrors::ExpectXErrors() : previous(XSetErrorHandler(nullptr)) {}

ExpectXErrors::~ExpectXErrors() {
    XSetErrorHandler(previous);
}

}  // namespace nebulark::test

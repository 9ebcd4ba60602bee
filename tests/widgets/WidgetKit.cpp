#include "WidgetKit.h"

#include "app/Application.h"
#include "support/XDriver.h"

namespace nebulark::test {

std::vector<std::string>& Calls() {
    static std::vector<std::string> calls;
    return calls;
}

std::string KeyName(KeySym keysym) {
    const char* name = XKeysymToString(keysym);
    return name != nullptr ? name : "?";
}

ProbeControl::ProbeControl(GUIElement* container, std::string name, int x, int y, int w, int h,
                           const char* type)
    : Recording<Child>(std::move(name)) {
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

bool ProbeForm::OnCloseQuery() {
    Record("OnCloseQuery");
    if (quitOnClose) Application::RequestQuit();
    return allowClose;
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

}  // namespace nebulark::test

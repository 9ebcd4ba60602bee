#include <sys/select.h>

#include <utility>

#include "app/Application.h"
#include "app/ApplicationState.h"
#include "app/Screen.h"
#include "util/ChildProcesses.h"
#include "util/Log.h"
#include "widgets/Form.h"
#include "widgets/Timer.h"

namespace nebulark {

namespace Application {

namespace {

constexpr int kIdleStepMs = 10;

bool IsTimerRegistered(const GUIElement* timer) {
    for (const GUIElement* element : State().timers)
        if (element == timer) return true;
    return false;
}

}  // namespace

void Run(Form* mainForm) {
    Display* display = BeginRun(mainForm);
    if (display != nullptr) {
        while (!State().quitRequested)
            RunPass(display);
    }
    EndRun(mainForm);
}

// Without a connection there is nothing to wait on, so the loop is not
// entered at all.
Display* BeginRun(Form* mainForm) {
    State().mainForm = mainForm;
    State().keyTable.fill(0);
    Screen* screen = mainForm != nullptr ? mainForm->GetScreen() : nullptr;
    Display* display = screen != nullptr ? screen->GetDisplay() : nullptr;
    if (display == nullptr) LogMessage("Application::Run - nessun display");
    return display;
}

// Timer time runs only while the connection stays quiet for a whole 10 ms
// wait. A wait that ends without a queued event (an error reply, a signal)
// starts the next pass rather than blocking in XNextEvent, so the timers keep
// running.
void RunPass(Display* display) {
    reapFinishedChildren();
    DeletePending();
    if (!State().timers.empty() && XPending(display) == 0) {
        const int ready = WaitForInput(ConnectionNumber(display), kIdleStepMs);
        if (ready == 0) {
            AdvanceTimers(kIdleStepMs);
            return;
        }
        if (XPending(display) == 0) return;
    }
    XEvent event;
    XNextEvent(display, &event);
    DispatchEvent(event);
}

void EndRun(Form* mainForm) {
    DestroyFormWindows();
    ApplicationState& state = State();
    if (state.messageBoxForm != nullptr) {
        Form* messageBox = state.messageBoxForm;
        state.messageBoxForm = nullptr;
        messageBox->DestroyWindow();
        delete messageBox;
    }
    DeletePending();
    if (mainForm != nullptr) mainForm->OnClosed();
    state.mainForm = nullptr;
}

int WaitForInput(int descriptor, int ms) {
    if (descriptor < 0 || descriptor >= FD_SETSIZE) return -1;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(descriptor, &readable);
    timeval timeout{ms / 1000, (ms % 1000) * 1000};
    return select(descriptor + 1, &readable, nullptr, nullptr, &timeout);
}

// The pass visits the timers registered when it began. A callback may add or
// remove timers: the copy keeps the walk inside its own list, and a timer
// removed meanwhile is skipped, since its owner may have deleted it. The id
// tells a timer from a new one made at the same address.
void AdvanceTimers(int step) {
    std::vector<std::pair<GUIElement*, uint32_t>> timers;
    for (GUIElement* element : State().timers)
        timers.emplace_back(element, element->GetId());
    for (const auto& [element, id] : timers) {
        if (!IsTimerRegistered(element) || element->GetId() != id) continue;
        Timer* timer = static_cast<Timer*>(element);
        if (timer->IsRunning() && timer->Advance(step)) timer->Fire();
    }
}

void DestroyFormWindows() {
    const std::vector<GUIElement*> elements = State().elements;
    for (GUIElement* element : elements)
        if (IsRegistered(element) && element->IsType("form") && element->IsCreated())
            static_cast<Form*>(element)->DestroyWindow();
}

}  // namespace Application

}  // namespace nebulark

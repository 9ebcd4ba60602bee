#include <sys/select.h>

#include <algorithm>
#include <chrono>
#include <utility>

#include "app/Application.h"
#include "app/ApplicationState.h"
#include "app/Screen.h"
#include "app/Tick.h"
#include "util/ChildProcesses.h"
#include "util/Log.h"
#include "widgets/Form.h"
#include "widgets/Timer.h"

namespace nebulark {

namespace Application {

namespace {

using IdleClock = std::chrono::steady_clock;
using std::chrono::microseconds;

constexpr microseconds kIdleStep{kTickMs * 1000};

int WaitReadable(int descriptor, microseconds limit) {
    if (descriptor < 0 || descriptor >= FD_SETSIZE) return -1;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(descriptor, &readable);
    const long us = static_cast<long>(limit.count());
    timeval timeout{us / 1000000, us % 1000000};
    return select(descriptor + 1, &readable, nullptr, nullptr, &timeout);
}

// Waits out what is left of the current idle step and keeps the time waited,
// so that input arriving more often than once a step cannot starve the
// timers: the step completes once a whole step of idle waiting has been
// gathered, however many waits it took. Answers true when the step completed.
// A wait that overran its time-out (the process woke late) carries the excess
// into the next step, up to one step, so late wake-ups cost no timer time.
bool WaitIdleStep(int descriptor) {
    microseconds& waited = State().idleWaited;
    const auto start = IdleClock::now();
    const int ready = WaitReadable(descriptor, kIdleStep - waited);
    waited += std::chrono::floor<microseconds>(IdleClock::now() - start);
    if (ready != 0 && waited < kIdleStep) return false;
    waited = std::clamp(waited - kIdleStep, microseconds::zero(), kIdleStep);
    return true;
}

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

// Timer time runs only while the loop waits idle on the connection, in steps
// of exactly 10 ms; the time spent handling events is not counted. A wait that
// ends without a queued event (an error reply, a signal) starts the next pass
// rather than blocking in XNextEvent, so the timers keep running.
void RunPass(Display* display) {
    reapFinishedChildren();
    DeletePending();
    if (!State().timers.empty() && XPending(display) == 0) {
        if (WaitIdleStep(ConnectionNumber(display))) {
            AdvanceTimers(kTickMs);
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
    return WaitReadable(descriptor, std::chrono::milliseconds(ms));
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

#include "widgets/Timer.h"

#include "app/Application.h"

namespace nebulark {

Timer::Timer(GUIElement* owner, int32_t intervalMs) {
    parent = owner;
    running = false;
    typeName = "timer";
    interval = intervalMs;
    canFocus = false;
    onElapsed = nullptr;
    caption = "timer";
    width = 0;
    height = 0;
    Application::RegisterTimer(this);
}

Timer::~Timer() {
    Stop();
}

// A timer is never shown, so creating it neither sets `visible` nor touches
// `userData`.
void Timer::Create() {
    if (created) return;
    if (id == 0) id = Application::NextElementId();
    created = true;
}

void Timer::Start() {
    if (running) return;
    if (!created) Create();
    running = true;
}

void Timer::Stop() {
    running = false;
}

void Timer::SetInterval(int32_t ms) {
    interval = ms;
    if (!running) return;
    Stop();
    if (!created) Create();
    running = true;
}

void Timer::Fire() {
    if (running && onElapsed != nullptr) onElapsed(this);
}

bool Timer::Advance(int32_t step) {
    elapsed += step;
    if (elapsed < interval) return false;
    elapsed = 0;
    return true;
}

}  // namespace nebulark

#pragma once

#include "widgets/Child.h"

namespace nebulark {

class Timer;

using ElapsedCallback = void (*)(Timer* timer);

// Calls a function every `interval` milliseconds of the event loop's idle
// time. A timer has no window and draws nothing.
class Timer : public Child {
public:
    Timer(GUIElement* owner, int32_t intervalMs);
    // Stops, then leaves the registry through Child.
    ~Timer() override;

    void Create() override;

    void Start();
    void Stop();
    bool IsRunning() const { return running; }
    void SetInterval(int32_t ms);
    int32_t GetInterval() const { return interval; }
    int32_t GetElapsed() const { return elapsed; }
    void setOnElapsed(ElapsedCallback callback) { onElapsed = callback; }
    // Calls the callback when the timer runs and has one.
    void Fire();
    // Counts `step` milliseconds; true when the interval is used up, which
    // restarts the count at 0.
    bool Advance(int32_t step);

private:
    bool running = false;
    int32_t interval = 0;
    int32_t elapsed = 0;
    ElapsedCallback onElapsed = nullptr;
};

}  // namespace nebulark

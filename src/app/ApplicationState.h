#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

namespace nebulark {

class Form;
class GUIElement;

// Everything the registry and the event loop keep for the whole process, in
// one place. Shared by the files that make up Application; the toolkit's
// millisecond counter lives in util/MillisecondCounter so that date stamps can
// read it.
struct ApplicationState {
    std::vector<GUIElement*> elements;
    std::vector<GUIElement*> forms;
    std::vector<GUIElement*> timers;
    uint32_t nextElementId = 0;
    GUIElement* focusedElement = nullptr;
    std::array<uint8_t, 256> keyTable{};
    bool quitRequested = false;
    Form* messageBoxForm = nullptr;
    std::vector<GUIElement*> pendingDeletes;
    Form* mainForm = nullptr;
    // Idle time gathered towards the event loop's current 10 ms timer step.
    std::chrono::microseconds idleWaited{0};
};

ApplicationState& State();

}  // namespace nebulark

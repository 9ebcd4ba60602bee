#pragma once

#include <X11/X.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace nebulark {

class Form;
class GUIElement;

// What a key typed: its keysym and the first byte of its translation, 0 for
// cursor and function keys.
struct KeyTranslation {
    KeySym keysym = NoSymbol;
    unsigned char character = 0;
};

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
    // What each key code typed when it was pressed, kept until its release.
    std::array<std::optional<KeyTranslation>, 256> pressedKeys{};
    bool quitRequested = false;
    Form* messageBoxForm = nullptr;
    std::vector<GUIElement*> pendingDeletes;
    Form* mainForm = nullptr;
    // Idle time gathered towards the event loop's current 10 ms timer step.
    std::chrono::microseconds idleWaited{0};
};

ApplicationState& State();

}  // namespace nebulark

#include "input/JoystickBlock.h"

namespace nebulark {

namespace {

bool inRange(int value, int low, int high) {
    return low <= value && value <= high;
}

void applyAxis(const js_event& event, const JoystickSettings& settings, unsigned char* block) {
    bool up = false, down = false, left = false, right = false;
    const int axis = event.number;
    const int value = event.value;
    // Left is tested before right and up before down, so overlapping ranges
    // resolve to left and up.
    if (axis == settings.aixsXCfg) {
        left = inRange(value, settings.minValueLeftCfg, settings.maxValueLeftCfg);
        right = !left && inRange(value, settings.minValueRightCfg, settings.maxValueRightCfg);
    } else if (axis == settings.aixsYCfg) {
        up = inRange(value, settings.minValueUpCfg, settings.maxValueUpCfg);
        down = !up && inRange(value, settings.minValueDownCfg, settings.maxValueDownCfg);
    }
    block[kJoystickUp] = up;
    block[kJoystickDown] = down;
    block[kJoystickLeft] = left;
    block[kJoystickRight] = right;
}

void applyButton(const js_event& event, unsigned char* block) {
    block[kJoystickButtonNumber] = event.number;
    block[kJoystickButtonPressed] = event.value != 0;
}

}  // namespace

void applyJoystickEvent(const js_event& event, const JoystickSettings& settings,
                        unsigned char* block) {
    // The initial-state events (JS_EVENT_INIT | type) match neither case.
    switch (event.type) {
        case JS_EVENT_AXIS:
            applyAxis(event, settings, block);
            break;
        case JS_EVENT_BUTTON:
            applyButton(event, block);
            break;
        default:
            break;
    }
}

}  // namespace nebulark

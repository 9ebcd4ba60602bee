#pragma once

#include <linux/joystick.h>

#include <cstddef>

#include "input/JoystickState.h"

namespace nebulark {

// The POSIX shared-memory block through which the reader process publishes the
// joystick's state: seven single-byte fields, so that each value is always
// written and read whole without a lock.
constexpr const char* kJoystickBlockName = "/mem_shared_hardJoy";
constexpr size_t kJoystickBlockSize = 7;

enum JoystickByte : size_t {
    kJoystickAvailable = 0,
    kJoystickUp = 1,
    kJoystickDown = 2,
    kJoystickLeft = 3,
    kJoystickRight = 4,
    kJoystickButtonNumber = 5,
    kJoystickButtonPressed = 6,
};

// Applies one device event to the block. An axis event sets at most one
// direction and clears the other three; a button event records the button and
// whether it is down. Every other type, the initial-state events included, is
// ignored.
void applyJoystickEvent(const js_event& event, const JoystickSettings& settings,
                        unsigned char* block);

}  // namespace nebulark

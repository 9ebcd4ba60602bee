#include "input/JoystickState.h"

namespace nebulark {

JoystickState& joystickState() {
    static JoystickState state;
    return state;
}

}  // namespace nebulark

#pragma once

namespace nebulark {

// The game's view of the joystick for one input step: construction copies the
// shared block into the process's snapshot values, which the queries read.
// Every query answers false (the button number 0) while no joystick is
// available.
class JoystickSnapshot {
public:
    JoystickSnapshot();

    bool left() const;
    bool right() const;
    bool up() const;
    bool down() const;
    // The last button event was a press.
    bool fire() const;
    int buttonNumber() const;
};

}  // namespace nebulark

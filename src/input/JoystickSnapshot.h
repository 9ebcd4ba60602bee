#pragma once

#include <array>
#include <cstdint>

#include "input/JoystickState.h"

namespace nebulark {

// The game's view of the joystick for one input step: construction copies the
// shared block into the process's snapshot values, which the queries read.
// Every query answers false (the button number 0) while no joystick is
// available.
class JoystickSnapshot {
public:
    JoystickSnapshot();
    // The snapshot a recorded game saw, as the seven bytes of the block in its
    // order; the process's own snapshot is left as it was.
    using Bytes = std::array<uint8_t, 7>;
    explicit JoystickSnapshot(const Bytes& bytes);

    // The snapshot as the seven bytes of the block, each flag 0 or 1.
    Bytes bytes() const;

    bool left() const;
    bool right() const;
    bool up() const;
    bool down() const;
    // The last button event was a press.
    bool fire() const;
    int buttonNumber() const;

private:
    JoystickSnapshotValues values;
};

}  // namespace nebulark

#pragma once

#include <sys/types.h>

#include <string>

namespace nebulark {

// The whole life of the joystick reader process. It loads the settings and
// returns at once when they cannot be read or turn the joystick off. Otherwise
// it opens the device and publishes its state in the shared block until a read
// fails or ends (the stick is pulled out), then removes the block, so that the
// game sees no stick and nothing stays held. A device that cannot be opened or
// has ended is looked for again until it is back, and then published anew: a
// stick plugged in late or plugged in again is used without a restart. The
// "no joystick" line is logged once each time the device goes missing; a
// device that opens but ends before its first event is still missing. From
// then on it returns only when the block cannot be made, and otherwise ends
// with the game, by SIGTERM. -1 selects /dev/input/js0, n /dev/input/js<n>.
void runJoystickReader(int deviceIndex);

// The same on the device at the given path; any file that delivers 8-byte
// joystick events will do.
void runJoystickReaderOn(const std::string& devicePath);

std::string joystickDevicePath(int deviceIndex);

// Forks the reader process on /dev/input/js0 and answers its pid, or -1 when
// fork failed. The child never returns from here, and it ends when this
// process ends, however it ends: it keeps looking for a missing device until
// then. A block left by an earlier run is removed first, so that it is not
// read as a live joystick.
pid_t startJoystickReader();
pid_t startJoystickReaderOn(const std::string& devicePath);

// Sends SIGTERM to the reader this process started, if any, and waits a short
// while for it to end, so that it cannot publish a block after the clean-up.
void stopJoystickReader();

// Closes the device if this process holds it and removes the shared block when
// the last snapshot saw a joystick or this process started a reader.
void releaseJoystickBlock();

}  // namespace nebulark

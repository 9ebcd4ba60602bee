#pragma once

#include <sys/types.h>

#include <string>

namespace nebulark {

// The whole life of the joystick reader process: loads the settings, opens the
// device, publishes its state in the shared block until a read fails or ends,
// then removes the block. -1 selects /dev/input/js0, n selects /dev/input/js<n>.
void runJoystickReader(int deviceIndex);

// The same on the device at the given path; any file that delivers 8-byte
// joystick events will do.
void runJoystickReaderOn(const std::string& devicePath);

std::string joystickDevicePath(int deviceIndex);

// Forks the reader process on /dev/input/js0 and answers its pid, or -1 when
// fork failed. The child never returns from here, and it ends when this
// process ends, however it ends. A block left by an earlier run is removed
// first, so that it is not read as a live joystick.
pid_t startJoystickReader();
pid_t startJoystickReaderOn(const std::string& devicePath);

// Sends SIGTERM to the reader this process started, if any, and waits a short
// while for it to end, so that it cannot publish a block after the clean-up.
void stopJoystickReader();

// Closes the device if this process holds it and removes the shared block when
// the last snapshot saw a joystick or this process started a reader.
void releaseJoystickBlock();

}  // namespace nebulark

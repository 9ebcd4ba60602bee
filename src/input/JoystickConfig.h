#pragma once

#include <string>
#include <vector>

#include "input/JoystickState.h"

namespace nebulark {

// Makes sure "joystick.cfg" exists in the working directory, writing the
// default settings when it does not, then fills the process's settings from it
// unless they were loaded before (JoystickEnable is no longer -1).
void loadJoystickConfig();

// The eleven lines of a new "joystick.cfg".
std::vector<std::string> defaultJoystickConfigLines();

// Stores every usable "key = value" line of the list in the settings; later
// lines win, malformed lines and unknown keys are skipped.
void applyJoystickConfigLines(const std::vector<std::string>& lines, JoystickSettings& settings);

}  // namespace nebulark

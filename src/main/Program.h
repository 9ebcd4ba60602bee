#pragma once

namespace nebulark {

// The program's whole life: prepares a fresh log, opens the display, runs the
// game and tears everything down in a fixed order. Always answers 0.
int RunNebulark();

// The window title handed to the display connection and to the main form.
const char* WindowTitle();

}  // namespace nebulark

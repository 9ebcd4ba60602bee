#pragma once

namespace nebulark {

// Opens the display, shows the gallery and runs the event loop until the
// gallery is closed. Answers 0, or 1 when there is no display to show it on.
int RunGallery();

}  // namespace nebulark

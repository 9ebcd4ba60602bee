#pragma once

namespace nebulark {

// How many screen pixels each way make one pixel of the program's own: at a
// scale of s every form is drawn at its own size and shown with each pixel an
// s × s block.
inline constexpr int kLargestScale = 4;

// The scale the player or the desktop asks for. `setting` is the value of
// NEBULARK_SCALE (null when it is not set): a single digit from 1 to 4 is
// taken as it stands, and any other value is logged and ignored (an empty one
// quietly). Without it, `resources` (the server's resource string, or null)
// decides: its Xft.dpi divided by 96 and rounded, kept within 1 to 4. Without
// either the scale is 1.
int WantedScale(const char* setting, const char* resources);

// The largest scale up to `wanted` at which a window of width × height fits a
// screen of screenWidth × screenHeight with room for a title bar above it;
// never below 1.
int FittingScale(int wanted, int width, int height, int screenWidth, int screenHeight);

// A position or length on the screen in the program's own pixels, rounded
// down as pixel coordinates are (−1 is in pixel −1 at any scale).
constexpr int Unscaled(int value, int scale) {
    return value >= 0 ? value / scale : -((-(value + 1)) / scale) - 1;
}

}  // namespace nebulark

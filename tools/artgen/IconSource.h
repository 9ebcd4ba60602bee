#pragma once

#include <string>

#include "Sprites.h"

namespace nebulark::artgen {

// The sizes of the icon compiled into the programs for their windows.
constexpr int kWindowIconSizes[] = {16, 32, 48, 128};

// C++ source that defines nebulark::appIcon() (declared in images/AppIcon.h)
// with the desktop icon at every window icon size, each pixel an 0xAARRGGBB
// word.
std::string MakeIconSource(const SpriteSet& sprites);

}  // namespace nebulark::artgen

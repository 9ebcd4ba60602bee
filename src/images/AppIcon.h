#pragma once

#include <span>

#include "images/IconImage.h"

namespace nebulark {

// The programs' own icon at 16, 32, 48 and 128 pixels, the sizes task bars,
// window switchers and title bars pick from. Its source is written at build
// time by the generator that draws the installed desktop icons, from the
// same drawing, so the window and the menu show the same picture.
std::span<const IconImage> appIcon();

}  // namespace nebulark

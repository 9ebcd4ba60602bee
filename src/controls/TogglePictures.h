#pragma once

#include "images/EmbeddedImage.h"

namespace nebulark {

// The compiled-in 20 × 20 pictures that the check box and the option box draw
// beside their captions, one for each state: on (checked or selected) or off,
// enabled or disabled.
namespace TogglePictures {

inline constexpr int kSide = 20;

// A sunken square, ticked when checked; greyed inside when disabled.
const EmbeddedImage& CheckBoxPicture(bool checked, bool enabled);
// A sunken ring on pure black, which is drawn transparent, with a near-black
// dot when selected; greyed inside when disabled.
const EmbeddedImage& OptionBoxPicture(bool selected, bool enabled);

}  // namespace TogglePictures

}  // namespace nebulark

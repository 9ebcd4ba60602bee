#pragma once

#include "Artwork.h"
#include "Image.h"

namespace nebulark::artgen {

// One picture that shows all the artwork at a glance: the title screen and
// the other screens reduced, and every sprite frame enlarged and labelled.
Image MakeContactSheet(const Artwork& art);

}  // namespace nebulark::artgen

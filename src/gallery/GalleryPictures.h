#pragma once

#include "images/RgbBuffer.h"

namespace nebulark {

// The pictures the gallery shows, computed rather than read from files so
// that the gallery needs nothing beside its program.
namespace GalleryPictures {

// How many phases planetPicture draws.
inline constexpr int kPhases = 4;

// A ringed planet on a field of stars, lit from a side that turns with the
// phase (0 … kPhases − 1), each phase in a colour of its own.
RgbBuffer planetPicture(int width, int height, int phase);

}  // namespace GalleryPictures

}  // namespace nebulark

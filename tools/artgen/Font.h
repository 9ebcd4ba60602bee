#pragma once

#include <string_view>

#include "Image.h"
#include "Mask.h"

namespace nebulark::artgen {

// A 5 x 7 pixel font of capitals, digits and a little punctuation, compiled
// in so that lettering needs no font files. Lower-case letters are drawn as
// capitals; characters it lacks are left blank.
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;

// The ink of a line of text, one pixel per font pixel: 6 columns a character
// less the last gap, 7 rows.
Mask TextMask(std::string_view text);

// Width in pixels of the text drawn at `scale`.
int TextWidth(std::string_view text, int scale);

// Plain lettering: each font pixel a scale x scale square of `colour`.
void DrawText(Image& image, int x, int y, std::string_view text, int scale, Rgb colour);

}  // namespace nebulark::artgen

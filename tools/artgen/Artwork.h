#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Image.h"
#include "Sprites.h"

namespace nebulark::artgen {

// Everything the generator draws, made once and shared by the data files and
// the contact sheet.
struct Artwork {
    SpriteSet sprites;
    Image title, field, levelComplete, lifeLost, gameOver;
};

Artwork MakeArtwork();

struct DataFile {
    std::string name;  // as the game opens it under Data/
    std::vector<uint8_t> bytes;
};

// The game's twelve data files: ten raw pictures and two sounds.
std::vector<DataFile> MakeDataFiles(const Artwork& art);

}  // namespace nebulark::artgen

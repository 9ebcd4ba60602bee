#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nebulark::test {

// Links every picture and sound the build drew in `from` into a folder Data/
// of the working directory. The folder itself is a real one, so the game can
// keep its high-score table in it. Answers whether every file was linked.
bool LinkGameData(const std::string& from);

// A w × h area at (x, y) of a raw RGB picture `pictureWidth` pixels wide, as
// 0xRRGGBB values row by row, the way XDriver::Pixels reads a window; empty
// when the file cannot be read that far.
std::vector<uint32_t> RawPictureArea(const std::string& path, int pictureWidth, int x, int y, int w,
                                     int h);

}  // namespace nebulark::test

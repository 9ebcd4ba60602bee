#pragma once

#include <string>

namespace nebulark::test {

// Links every picture and sound the build drew in `from` into a folder Data/
// of the working directory. The folder itself is a real one, so the game can
// keep its high-score table in it. Answers whether every file was linked.
bool LinkGameData(const std::string& from);

}  // namespace nebulark::test

#pragma once

#include <string>

namespace nebulark {

// What every sprite of one kind shares: its size, its frame cycle and the
// default step interval of the strategies made for it.
struct SpriteKind {
    int areaWidth = 800;
    int areaHeight = 640;
    int width = 64;
    int height = 63;
    int firstFrame = 0;
    int lastFrame = 0;
    int interval = 60;
    std::string name;
    int speedSpread = 100;
    int speedBase = 5;
};

}  // namespace nebulark

#pragma once

#include <string>
#include <vector>

namespace nebulark {

// What a level is built from: asteroids of kind A and B in spawn order and the
// step intervals of its UFOs. Levels repeat in a cycle of five, so level 6 is
// built like level 1 and level 10 like level 5.
struct LevelPopulation {
    std::string asteroids;  // 'A' or 'B' per asteroid, in spawn order
    std::vector<int> ufoIntervals;
};

LevelPopulation PopulationOf(int level);

}  // namespace nebulark

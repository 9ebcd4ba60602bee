#include "game/LevelTable.h"

namespace nebulark {

namespace {

// Indexed by level mod 5.
const LevelPopulation kPopulations[5] = {
    {"ABAABABABABBA", {30, 30, 60}}, {"ABA", {30, 60}},
    {"ABAABAABBABA", {30}},          {"ABAABABABABA", {30, 60}},
    {"ABAABABAABBA", {30, 30, 60}},
};

}  // namespace

LevelPopulation PopulationOf(int level) {
    int n = level % 5;
    if (n < 0) n += 5;
    return kPopulations[n];
}

}  // namespace nebulark

#pragma once

namespace nebulark {

// One tick of the program's clock, in milliseconds. The event loop advances
// its timers by a tick for each tick it waits idle; the game form's frame
// timer fires once a tick and the game counts its pace in ticks.
inline constexpr int kTickMs = 10;

}  // namespace nebulark

#include "game/GameGlobals.h"

namespace nebulark {

GameGlobals& gameGlobals() {
    static GameGlobals globals;
    return globals;
}

}  // namespace nebulark

#include "widgets/PixelChannels.h"

namespace nebulark {

PixelChannels ProbePixelChannels(GUIElement*) {
    return PixelChannels{};
}

}  // namespace nebulark

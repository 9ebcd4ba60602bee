#include "widgets/PixelChannels.h"

#include "images/MyImage.h"

namespace nebulark {

PixelChannels ProbePixelChannels(GUIElement* element) {
    MyImage::probePixelLayout(element);
    return PixelChannels{MyImage::ixRosso, MyImage::ixVerde, MyImage::ixBlu};
}

}  // namespace nebulark

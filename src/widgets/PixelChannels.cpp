#include "widgets/PixelChannels.h"

#include "images/MyImage.h"

namespace nebulark {

PixelChannels ProbePixelChannels(GUIElement* element) {
    MyImage::probePixelLayout(element);
    const int bytesPerPixel = MyImage::bitsPerPixel >= 8 ? MyImage::bitsPerPixel / 8 : 4;
    return PixelChannels{bytesPerPixel, MyImage::ixRosso, MyImage::ixVerde, MyImage::ixBlu};
}

}  // namespace nebulark

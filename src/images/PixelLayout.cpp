#include "images/PixelLayout.h"

namespace nebulark {

PixelChannels PixelLayout::Channels() const {
    const int bytesPerPixel = bitsPerPixel >= 8 ? bitsPerPixel / 8 : 4;
    return PixelChannels{bytesPerPixel, ixRosso, ixVerde, ixBlu};
}

}  // namespace nebulark

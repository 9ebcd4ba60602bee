#include "PngFile.h"

#include <png.h>

#include <cstddef>
#include <cstdio>

namespace nebulark::artgen {

// libpng's simplified interface keeps its error handling to itself: a failure
// comes back as a result and a message, never as a jump through our frames.
// The buffer is sized for the worst case, so one pass writes the file.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgba) {
    if (width <= 0 || height <= 0 ||
        rgba.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
        std::fprintf(stderr, "nebulark_artgen: a %d x %d picture needs %d x %d x 4 bytes\n", width,
                     height, width, height);
        return {};
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> out(PNG_IMAGE_PNG_SIZE_MAX(image));
    png_alloc_size_t size = out.size();
    const bool written =
        png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr) != 0;
    if (!written) std::fprintf(stderr, "nebulark_artgen: cannot encode a PNG: %s\n", image.message);
    png_image_free(&image);
    if (!written) return {};
    out.resize(size);
    return out;
}

}  // namespace nebulark::artgen

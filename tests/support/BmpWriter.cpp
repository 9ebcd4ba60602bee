#include "support/BmpWriter.h"

#include <fstream>

namespace nebulark::test {

namespace {

void putLe(std::string& out, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string row(const BmpPicture& p, int y) {
    std::string out;
    const uint32_t* px = p.pixels.data() + static_cast<size_t>(y) * p.width;
    for (int x = 0; x < p.width; ++x) {
        if (p.bitsPerPixel == 24) {
            putLe(out, px[x] & 0xFFFFFF, 3);  // blue, green, red
        } else if (p.bitsPerPixel == 8) {
            out += static_cast<char>(px[x]);
        } else if (x % 2 == 0) {
            const uint32_t right = x + 1 < p.width ? px[x + 1] : p.filler;
            out += static_cast<char>(((px[x] & 0xF) << 4) | (right & 0xF));
        }
    }
    while (out.size() % 4 != 0)
        out += static_cast<char>(p.filler);
    return out;
}

}  // namespace

std::string bmpBytes(const BmpPicture& p) {
    std::string palette;
    for (uint32_t colour : p.palette)
        putLe(palette, colour & 0xFFFFFF, 4);
    palette.append(static_cast<size_t>(p.paletteSlack), '\x5A');
    std::string pixels;
    for (int y = p.height - 1; y >= 0; --y)
        pixels += row(p, y);
    const uint32_t offset = static_cast<uint32_t>(54 + palette.size());
    std::string out = "BM";
    putLe(out, offset + static_cast<uint32_t>(pixels.size()), 4);
    putLe(out, 0, 4);
    putLe(out, offset, 4);
    putLe(out, 40, 4);
    putLe(out, static_cast<uint32_t>(p.width), 4);
    putLe(out, static_cast<uint32_t>(p.height), 4);
    putLe(out, 1, 2);
    putLe(out, static_cast<uint32_t>(p.bitsPerPixel), 2);
    putLe(out, 0, 4);  // no compression
    putLe(out, static_cast<uint32_t>(pixels.size()), 4);
    putLe(out, 2835, 4);
    putLe(out, 2835, 4);
    putLe(out, static_cast<uint32_t>(p.palette.size()), 4);
    putLe(out, 0, 4);
    return out + palette + pixels;
}

void writeBmp(const std::string& path, const BmpPicture& picture) {
    std::ofstream(path, std::ios::binary) << bmpBytes(picture);
}

std::vector<unsigned char> expectedRgb(const BmpPicture& p) {
    std::vector<unsigned char> rgb;
    for (uint32_t value : p.pixels) {
        const uint32_t colour = p.bitsPerPixel == 24 ? value : p.palette.at(value);
        rgb.push_back(static_cast<unsigned char>(colour >> 16));
        rgb.push_back(static_cast<unsigned char>(colour >> 8));
        rgb.push_back(static_cast<unsigned char>(colour));
    }
    return rgb;
}

void patchLe32(std::string& bytes, size_t offset, int32_t value) {
    std::string field;
    putLe(field, static_cast<uint32_t>(value), 4);
    bytes.replace(offset, 4, field);
}

}  // namespace nebulark::test

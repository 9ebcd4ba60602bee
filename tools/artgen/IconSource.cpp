#include "IconSource.h"

#include <cstdio>

#include "Icon.h"

namespace nebulark::artgen {

namespace {

constexpr int kWordsPerLine = 8;

std::string ArrayName(int size) {
    return "kPixels" + std::to_string(size);
}

// One icon size as an array of words; the RGBA bytes the icon is drawn in
// become alpha in the high byte, then red, green and blue.
std::string PixelArray(const SpriteSet& sprites, int size) {
    const std::vector<uint8_t> rgba = MakeIcon(sprites, size);
    std::string text = "const uint32_t " + ArrayName(size) + "[] = {";
    char word[16];
    for (size_t i = 0; i < rgba.size(); i += 4) {
        const uint32_t argb = static_cast<uint32_t>(rgba[i + 3]) << 24 |
                              static_cast<uint32_t>(rgba[i]) << 16 |
                              static_cast<uint32_t>(rgba[i + 1]) << 8 | rgba[i + 2];
        std::snprintf(word, sizeof word, "0x%08Xu,", argb);
        text += (i / 4) % kWordsPerLine == 0 ? "\n    " : " ";
        text += word;
    }
    return text + "\n};\n";
}

}  // namespace

std::string MakeIconSource(const SpriteSet& sprites) {
    std::string text =
        "// Written by nebulark_artgen --icon-source at build time: the desktop icon\n"
        "// at the window icon sizes.\n"
        "#include \"images/AppIcon.h\"\n\n"
        "namespace nebulark {\n\nnamespace {\n\n";
    std::string table = "const IconImage kImages[] = {\n";
    for (const int size : kWindowIconSizes) {
        text += PixelArray(sprites, size) + "\n";
        const std::string side = std::to_string(size);
        table += "    {" + side + ", " + side + ", " + ArrayName(size) + "},\n";
    }
    return text + table +
           "};\n\n}  // namespace\n\n"
           "std::span<const IconImage> appIcon() {\n    return kImages;\n}\n\n"
           "}  // namespace nebulark\n";
}

}  // namespace nebulark::artgen

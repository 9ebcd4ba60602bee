#include <gtest/gtest.h>

#include <cctype>
#include <climits>

#include "images/EmbeddedImage.h"
#include "images/ImageFiles.h"
#include "support/BmpWriter.h"
#include "support/TempDir.h"

using namespace nebulark;
using nebulark::test::BmpPicture;
using nebulark::test::TempDir;

namespace {

// The values of an export's array, as a compiler would read them: every
// "0x" followed by two hexadecimal digits and a comma.
std::vector<unsigned char> arrayOfExport(const std::string& text) {
    std::vector<unsigned char> bytes;
    for (size_t at = text.find("0x"); at != std::string::npos; at = text.find("0x", at + 1)) {
        if (at + 4 < text.size() && std::isxdigit(static_cast<unsigned char>(text[at + 2])) &&
            std::isxdigit(static_cast<unsigned char>(text[at + 3])) && text[at + 4] == ',')
            bytes.push_back(
                static_cast<unsigned char>(std::stoi(text.substr(at + 2, 2), nullptr, 16)));
    }
    return bytes;
}

}  // namespace

// The export of a 4-bit BMP is the embedded layout: compiled back in, it must
// decode to the very picture the BMP decoder gave.
TEST(EmbeddedImageDecoding, DecodesItsOwnExportToTheSamePicture) {
    TempDir dir;
    BmpPicture picture(4, 7, 4);
    picture.filler = 0x0C;
    for (uint32_t i = 0; i < 16; ++i)
        picture.palette.push_back(0x0F1F2Fu * i);
    for (int i = 0; i < 28; ++i)
        picture.pixels.push_back((i * 5 + 3) % 16);
    writeBmp("p.bmp", picture);
    const RgbBuffer fromBmp = readBmp4("p.bmp");
    ASSERT_FALSE(fromBmp.empty());

    const std::vector<unsigned char> array = arrayOfExport(TempDir::Read("p.bmp.c"));
    ASSERT_EQ(array.size(), 48u + 4 * 4);
    const EmbeddedImage embedded(array.data(), array.size());
    const RgbBuffer decoded = decodeEmbeddedImage(7, 4, &embedded);
    ASSERT_EQ(decoded.size(), fromBmp.size());
    EXPECT_TRUE(std::equal(decoded.data(), decoded.data() + decoded.size(), fromBmp.data()));
    EXPECT_EQ(TempDir::Read("log.txt"), "");
}

TEST(EmbeddedImageDecoding, SizesTheArrayDoesNotHoldAreRefused) {
    TempDir dir;
    const std::vector<unsigned char> array(48 + 6, 0x11);  // 3 × 2 (or 4 × 3 is too big)
    const EmbeddedImage embedded(array.data(), array.size());
    EXPECT_EQ(decodeEmbeddedImage(3, 2, &embedded).size(), 18u);
    EXPECT_EQ(decodeEmbeddedImage(4, 3, &embedded).size(), 36u);
    struct Case {
        int width, height;
        const char* log;
    } const cases[] = {
        {3, 4, "EmbeddedImage 3x4: dati troncati"},
        {13, 1, "EmbeddedImage 13x1: dati troncati"},
        {0, 2, "EmbeddedImage 0x2: dimensioni non valide"},
        {3, -2, "EmbeddedImage 3x-2: dimensioni non valide"},
        {INT_MIN, 1, "EmbeddedImage -2147483648x1: dimensioni non valide"},
        {16385, 1, "EmbeddedImage 16385x1: dimensioni non valide"},
        {16384, 16384, "EmbeddedImage 16384x16384: dimensioni non valide"},
    };
    for (const Case& c : cases) {
        std::remove("log.txt");
        EXPECT_TRUE(decodeEmbeddedImage(c.width, c.height, &embedded).empty()) << c.log;
        EXPECT_EQ(TempDir::Read("log.txt"), std::string(c.log) + "\n");
    }
    const EmbeddedImage paletteOnly(array.data(), 47);
    EXPECT_TRUE(decodeEmbeddedImage(1, 1, &paletteOnly).empty());
    std::remove("log.txt");
    EXPECT_TRUE(decodeEmbeddedImage(3, 2, nullptr).empty());
    EXPECT_EQ(TempDir::Read("log.txt"), "");
}

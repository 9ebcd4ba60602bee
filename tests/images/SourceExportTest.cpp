#include <gtest/gtest.h>

#include "images/ImageFiles.h"
#include "images/SourceExport.h"
#include "support/BmpWriter.h"
#include "support/TempDir.h"
#include "util/FileUtils.h"

using namespace nebulark;
using nebulark::test::BmpPicture;
using nebulark::test::TempDir;

namespace {

// A 3 × 2 16-colour picture: palette entry i is red i, green 2i, blue 3i, so
// most values are below 16; the unused nibble and row padding are 7.
BmpPicture dotPicture() {
    BmpPicture picture(4, 3, 2);
    picture.filler = 0x07;
    for (uint32_t i = 0; i < 16; ++i)
        picture.palette.push_back(i << 16 | (2 * i) << 8 | 3 * i);
    picture.pixels = {1, 2, 3, 10, 15, 0};
    return picture;
}

const char* const kDotExport =
    "int wDOT = 3;\n"
    "int hDOT = 2;\n"
    "\n"
    "char imgDOT[] = {\n"
    "0x00,0x00,0x00,0x01,0x02,0x03,0x02,0x04,0x06,0x03,0x06,0x09,0x04,0x08,0x0C,0x05,0x0A,0x0F,"
    "0x06,0x0C,0x12,0x07,0x0E,0x15,0x08,0x10,0x18,0x09,0x12,0x1B,0x0A,0x14,0x1E,0x0B,0x16,0x21,"
    "0x0C,0x18,0x24,0x0D,0x1A,0x27,0x0E,0x1C,0x2A,0x0F,0x1E,0x2D,\n"
    "0xAF,0x07,\n"
    "0x12,0x37,\n"
    "};\n"
    "\n";

}  // namespace

TEST(SourceExport, DotBmpIsWrittenByteForByte) {
    TempDir dir;
    writeBmp("dot.bmp", dotPicture());
    EXPECT_FALSE(readBmp4("dot.bmp").empty());
    EXPECT_EQ(TempDir::Read("dot.bmp.c"), kDotExport);
}

TEST(SourceExport, ReadingAgainReplacesTheExport) {
    TempDir dir;
    writeBmp("dot.bmp", dotPicture());
    TempDir::Write("dot.bmp.c", std::string(4000, 'x') + "\n");
    readBmp4("dot.bmp");
    EXPECT_EQ(TempDir::Read("dot.bmp.c"), kDotExport);
    readBmp4("dot.bmp");
    EXPECT_EQ(TempDir::Read("dot.bmp.c"), kDotExport);
}

TEST(SourceExport, NameWithoutExtensionAndShortPalette) {
    TempDir dir;
    ASSERT_TRUE(ensureDirectory("pictures"));
    const BmpPicture picture(4, 2, 1, {0x000000, 0xFFFFFF}, {1, 0});
    writeBmp("pictures/check", picture);
    EXPECT_FALSE(readBmp4("pictures/check").empty());
    EXPECT_EQ(TempDir::Read("pictures/check.c"),
              "int wCHECK = 2;\nint hCHECK = 1;\n\nchar imgCHECK[] = {\n"
              "0x00,0x00,0x00,0xFF,0xFF,0xFF,\n0x10,\n};\n\n");
}

TEST(SourceExport, PictureNameIsTheUpperCaseFileNameCutAtItsLastDot) {
    EXPECT_EQ(sourceExportName("pictures/check.bmp"), "CHECK");
    EXPECT_EQ(sourceExportName("pictures/check"), "CHECK");
    EXPECT_EQ(sourceExportName("old.pics/mark.v2.bmp"), "MARK.V2");
    EXPECT_EQ(sourceExportName("c:\\Pics\\Radio_On.Bmp"), "RADIO_ON");
    EXPECT_EQ(sourceExportName("c:box.bmp"), "BOX");
    EXPECT_EQ(sourceExportPath("pictures/check.bmp"), "pictures/check.bmp.c");
}

TEST(SourceExport, ARefusedPictureLeavesTheOldExportAlone) {
    TempDir dir;
    BmpPicture picture = dotPicture();
    picture.palette.resize(4);  // pixels 10 and 15 now lie beyond the palette
    writeBmp("dot.bmp", picture);
    EXPECT_TRUE(readBmp4("dot.bmp").empty());
    EXPECT_FALSE(fileExists("dot.bmp.c"));
    TempDir::Write("dot.bmp.c", "kept\n");
    EXPECT_TRUE(readBmp4("dot.bmp").empty());
    EXPECT_EQ(TempDir::Read("dot.bmp.c"), "kept\n");
}

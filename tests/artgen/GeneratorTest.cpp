// Runs the picture and sound generator itself.
#include <gtest/gtest.h>

#include <png.h>
#include <sys/wait.h>

#include <cstdlib>
#include <map>
#include <string>

#include "images/AppIcon.h"
#include "support/TempDir.h"

namespace {

using nebulark::test::TempDir;

const char* const kFiles[] = {"player.bin",   "asteroide_notte.bin", "bullet.bin",
                              "ufo.bin",      "termometro.bin",      "logo.bin",
                              "blank.bin",    "livello.bin",         "replay.bin",
                              "gameover.bin", "Explosion.wav",       "beep.wav"};

int RunGenerator(const std::string& arguments) {
    const int status = std::system(("'" NEBULARK_ARTGEN "' " + arguments + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The icon compiled into the programs at `size`, as the RGBA bytes of a PNG.
std::vector<uint8_t> WindowIconAsRgba(int size) {
    std::vector<uint8_t> rgba;
    for (const nebulark::IconImage& image : nebulark::appIcon()) {
        if (image.width != size || image.height != size) continue;
        for (int i = 0; i < size * size; ++i) {
            const uint32_t argb = image.argb[i];
            rgba.insert(rgba.end(),
                        {static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                         static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 24)});
        }
    }
    return rgba;
}

TEST(GeneratorTest, EveryRunWritesTheSameBytesAsTheBuild) {
    TempDir dir;
    ASSERT_EQ(RunGenerator("first/Data"), 0);
    ASSERT_EQ(RunGenerator("second"), 0);
    for (const char* name : kFiles) {
        const std::string first = TempDir::Read(std::string("first/Data/") + name);
        EXPECT_FALSE(first.empty()) << name;
        EXPECT_TRUE(first == TempDir::Read(std::string("second/") + name)) << name;
        EXPECT_TRUE(first == TempDir::Read(NEBULARK_DATA_DIR "/" + std::string(name))) << name;
    }
}

TEST(GeneratorTest, WritesAContactSheetAndRefusesBadArguments) {
    TempDir dir;
    ASSERT_EQ(RunGenerator("--contact-sheet sheet.ppm"), 0);
    EXPECT_EQ(TempDir::Read("sheet.ppm").substr(0, 3), "P6\n");
    EXPECT_EQ(RunGenerator(""), 2);
    EXPECT_EQ(RunGenerator("--unknown"), 2);
    TempDir::Write("file", "x");
    EXPECT_EQ(RunGenerator("file/Data"), 1);
}

// The icons are read back with libpng, which checks every checksum of the
// file; the tile's corners are transparent and its middle is opaque. The
// windows show the same pixels, and the largest icon is the same picture in
// finer detail: halved, it gives the 128-pixel one.
TEST(GeneratorTest, DrawsIconsThatDecodeWithATransparentSurround) {
    TempDir dir;
    std::map<int, std::vector<uint8_t>> icons;
    for (const int size : {48, 128, 256}) {
        const std::string name = "icon" + std::to_string(size) + ".png";
        ASSERT_EQ(RunGenerator("--icon " + std::to_string(size) + " " + name), 0);
        const std::string built = std::string(NEBULARK_ICON_DIR "/") + std::to_string(size) + "x" +
                                  std::to_string(size) + "/nebulark.png";
        EXPECT_TRUE(TempDir::Read(name) == TempDir::Read(built)) << size;

        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_file(&image, name.c_str())) << image.message;
        EXPECT_EQ(image.width, static_cast<uint32_t>(size));
        EXPECT_EQ(image.height, static_cast<uint32_t>(size));
        image.format = PNG_FORMAT_RGBA;
        std::vector<uint8_t>& pixels = icons[size];
        pixels.resize(PNG_IMAGE_SIZE(image));
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
            << image.message;
        auto alpha = [&](int x, int y) {
            return pixels[(static_cast<size_t>(y) * size + x) * 4 + 3];
        };
        EXPECT_EQ(alpha(0, 0), 0);
        EXPECT_EQ(alpha(size - 1, size - 1), 0);
        EXPECT_EQ(alpha(size / 2, size / 2), 255);
        if (size <= 128) {  // the windows carry no larger one
            EXPECT_EQ(WindowIconAsRgba(size), pixels) << "the window icon differs at " << size;
        }
    }
    int departures = 0;
    for (size_t y = 0; y < 128; ++y)
        for (size_t x = 0; x < 128; ++x)
            for (size_t channel = 0; channel < 4; ++channel) {
                int sum = 0;
                for (size_t dy = 0; dy < 2; ++dy)
                    for (size_t dx = 0; dx < 2; ++dx)
                        sum += icons[256][((2 * y + dy) * 256 + 2 * x + dx) * 4 + channel];
                const int small = icons[128][(y * 128 + x) * 4 + channel];
                // Rounded twice, and partly covered pixels weigh their colour
                // by coverage: only the tile's edge may depart by more.
                departures += std::abs(sum - 4 * small) > 8;
            }
    EXPECT_LT(departures, 128 * 4) << "the 256-pixel icon is not the 128-pixel one in finer detail";
    EXPECT_EQ(RunGenerator("--icon 50 odd.png"), 2);
    EXPECT_EQ(RunGenerator("--icon 48px icon.png"), 2);
    EXPECT_EQ(RunGenerator("--icon 0 icon.png"), 2);
}

}  // namespace

// Runs the picture and sound generator itself.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

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

}  // namespace

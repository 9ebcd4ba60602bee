// Checks the generated pictures and sounds in the build's Data/ against what
// the game expects of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace {

using nebulark::test::TempDir;

std::string ReadData(const std::string& name) {
    return TempDir::Read(NEBULARK_DATA_DIR "/" + name);
}

struct Rgb {
    int r, g, b;
    bool IsBlack() const { return r == 0 && g == 0 && b == 0; }
};

// A raw picture file: rows of R, G, B bytes, top to bottom.
struct Picture {
    int width, height;
    std::string bytes;

    Rgb At(int x, int y) const {
        const size_t i = (static_cast<size_t>(y) * width + x) * 3;
        return {static_cast<uint8_t>(bytes[i]), static_cast<uint8_t>(bytes[i + 1]),
                static_cast<uint8_t>(bytes[i + 2])};
    }
};

Picture Load(const std::string& name, int width, int height) {
    return {width, height, ReadData(name)};
}

struct Strip {
    const char* name;
    int width, frameHeight, frames;
};

const Strip kStrips[] = {{"player.bin", 64, 115, 1},
                         {"asteroide_notte.bin", 45, 63, 10},
                         {"bullet.bin", 13, 24, 1},
                         {"ufo.bin", 40, 40, 4},
                         {"termometro.bin", 160, 20, 10}};

const char* const kScreens[] = {"logo.bin", "blank.bin", "livello.bin", "replay.bin",
                                "gameover.bin"};

TEST(DataFilesTest, PicturesHaveTheSizesTheGameLoadsAndRealContent) {
    const struct {
        const char* name;
        size_t width, height;
        size_t minimumColours;
    } kFiles[] = {{"player.bin", 64, 115, 16},
                  {"asteroide_notte.bin", 45, 640, 16},
                  {"bullet.bin", 13, 24, 4},
                  {"ufo.bin", 40, 160, 16},
                  {"termometro.bin", 160, 200, 8}};
    for (const auto& file : kFiles) {
        const std::string bytes = ReadData(file.name);
        EXPECT_EQ(bytes.size(), file.width * file.height * 3) << file.name;
        std::set<std::string> colours;
        for (size_t i = 0; i + 2 < bytes.size(); i += 3)
            colours.insert(bytes.substr(i, 3));
        EXPECT_GE(colours.size(), file.minimumColours) << file.name;
    }
    for (const char* name : kScreens) {
        const std::string bytes = ReadData(name);
        EXPECT_EQ(bytes.size(), 1440000u) << name;
        std::set<std::string> colours;
        for (size_t i = 0; i + 2 < bytes.size(); i += 3)
            colours.insert(bytes.substr(i, 3));
        EXPECT_GE(colours.size(), 200u) << name;
    }
}

// Marks every black pixel that black pixels connect to the frame's edge; any
// other black pixel is a hole the game would draw as transparent.
std::vector<bool> OpenBlack(const Picture& strip, int top, int frameHeight) {
    const int w = strip.width;
    std::vector<bool> open(static_cast<size_t>(w) * frameHeight);
    std::vector<std::pair<int, int>> stack;
    const auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= frameHeight) return;
        if (open[y * w + x] || !strip.At(x, top + y).IsBlack()) return;
        open[y * w + x] = true;
        stack.push_back({x, y});
    };
    for (int x = 0; x < w; ++x)
        visit(x, 0), visit(x, frameHeight - 1);
    for (int y = 0; y < frameHeight; ++y)
        visit(0, y), visit(w - 1, y);
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        visit(x + 1, y), visit(x - 1, y), visit(x, y + 1), visit(x, y - 1);
    }
    return open;
}

TEST(DataFilesTest, SpriteFramesHaveABlackSurroundAndNoBlackInside) {
    for (const Strip& s : kStrips) {
        const Picture strip = Load(s.name, s.width, s.frameHeight * s.frames + 10);
        for (int k = 0; k < s.frames; ++k) {
            const int top = k * s.frameHeight;
            for (int x = 0; x < s.width; ++x) {
                EXPECT_TRUE(strip.At(x, top).IsBlack()) << s.name << " frame " << k;
                EXPECT_TRUE(strip.At(x, top + s.frameHeight - 1).IsBlack())
                    << s.name << " frame " << k;
            }
            for (int y = top; y < top + s.frameHeight; ++y) {
                EXPECT_TRUE(strip.At(0, y).IsBlack()) << s.name << " frame " << k;
                EXPECT_TRUE(strip.At(s.width - 1, y).IsBlack()) << s.name << " frame " << k;
            }
            const std::vector<bool> open = OpenBlack(strip, top, s.frameHeight);
            int holes = 0, ink = 0;
            for (int y = 0; y < s.frameHeight; ++y)
                for (int x = 0; x < s.width; ++x) {
                    const bool black = strip.At(x, top + y).IsBlack();
                    holes += black && !open[y * s.width + x];
                    ink += !black;
                }
            EXPECT_EQ(holes, 0) << s.name << " frame " << k;
            EXPECT_GT(ink, s.width * s.frameHeight / 8) << s.name << " frame " << k;
        }
    }
}

bool FramesDiffer(const std::string& bytes, int frameBytes, int a, int b) {
    return bytes.compare(a * frameBytes, frameBytes, bytes, b * frameBytes, frameBytes) != 0;
}

TEST(DataFilesTest, AnimationFramesChangeAndTheGaugeFillsStepByStep) {
    const std::string rocks = ReadData("asteroide_notte.bin");
    for (int k = 0; k < 9; ++k)
        EXPECT_TRUE(FramesDiffer(rocks, 45 * 63 * 3, k, k + 1)) << k;
    EXPECT_TRUE(std::all_of(rocks.end() - 45 * 10 * 3, rocks.end(), [](char c) { return c == 0; }));
    const std::string saucer = ReadData("ufo.bin");
    for (int k = 0; k < 4; ++k)
        EXPECT_TRUE(FramesDiffer(saucer, 40 * 40 * 3, k, (k + 1) % 4)) << k;

    const Picture gauge = Load("termometro.bin", 160, 200);
    int previous = -1;
    for (int k = 0; k < 10; ++k) {
        int lit = 0;
        for (int y = k * 20; y < k * 20 + 20; ++y)
            for (int x = 0; x < 160; ++x) {
                const Rgb c = gauge.At(x, y);
                lit += std::max({c.r, c.g, c.b}) >= 200;
            }
        EXPECT_GT(lit, previous) << "frame " << k;
        previous = lit;
    }
}

double RelativeLuminance(Rgb c) {
    const auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

TEST(DataFilesTest, PlacesTheGameWritesOnStayDarkEnoughForItsText) {
    struct Area {
        const char* picture;
        int x, y, w, h;
    };
    // The high-score or status strip and the loading notice on every screen;
    // the gauge on the playing field; the credit line and the invitation on
    // the title.
    std::vector<Area> areas = {{"blank.bin", 0, 40, 160, 20},
                               {"logo.bin", 210, 250, 400, 18},
                               {"logo.bin", 480, 330, 230, 18}};
    for (const char* screen : kScreens) {
        areas.push_back({screen, 0, 0, 800, 28});
        areas.push_back({screen, 10, 60, 240, 18});
    }
    for (const Area& area : areas) {
        const Picture picture = Load(area.picture, 800, 600);
        double brightest = 0;
        for (int y = area.y; y < area.y + area.h; ++y)
            for (int x = area.x; x < area.x + area.w; ++x)
                brightest = std::max(brightest, RelativeLuminance(picture.At(x, y)));
        // White text keeps a contrast of at least 10:1 and the red blink of
        // the invitation at least 3:1 on every pixel.
        EXPECT_LE(brightest, 0.03) << area.picture << " at " << area.x << ", " << area.y;
    }
}

// Reads a little-endian field of a byte string.
uint32_t Field(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

TEST(DataFilesTest, SoundsAreShort16BitPcmWavFilesWithSound) {
    for (const char* name : {"Explosion.wav", "beep.wav"}) {
        const std::string wav = ReadData(name);
        ASSERT_GE(wav.size(), 44u) << name;
        EXPECT_EQ(wav.substr(0, 4), "RIFF") << name;
        EXPECT_EQ(Field(wav, 4, 4), wav.size() - 8) << name;
        EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ") << name;
        EXPECT_EQ(Field(wav, 16, 4), 16u) << name;
        EXPECT_EQ(Field(wav, 20, 2), 1u) << name;  // PCM
        const uint32_t channels = Field(wav, 22, 2), rate = Field(wav, 24, 4);
        EXPECT_EQ(Field(wav, 28, 4), rate * channels * 2) << name;
        EXPECT_EQ(Field(wav, 32, 2), channels * 2) << name;
        EXPECT_EQ(Field(wav, 34, 2), 16u) << name;
        EXPECT_EQ(wav.substr(36, 4), "data") << name;
        const uint32_t length = Field(wav, 40, 4);
        EXPECT_EQ(length, wav.size() - 44) << name;
        EXPECT_LT(length, rate * channels * 2) << name << " lasts a second or more";
    }
}

TEST(DataFilesTest, TheExplosionStartsLoudAndDiesAway) {
    const std::string wav = ReadData("Explosion.wav");
    ASSERT_GT(wav.size(), 44u + 2000);
    const size_t samples = (wav.size() - 44) / 2, tenth = samples / 10;
    const auto loudness = [&](size_t from) {
        double sum = 0;
        for (size_t i = from; i < from + tenth; ++i) {
            const double s = static_cast<int16_t>(Field(wav, 44 + 2 * i, 2));
            sum += s * s;
        }
        return std::sqrt(sum / tenth);
    };
    EXPECT_GT(loudness(0), 3000);
    EXPECT_LT(loudness(samples - tenth), loudness(0) / 8);
}

}  // namespace

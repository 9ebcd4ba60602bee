#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nebulark::artgen {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// Pure black is the transparent colour of the game's sprite strips; dark parts
// of a sprite use this one instead.
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kNearBlack{0, 0, 1};

// Channels in 0 ... 255, rounded to the nearest whole value and clamped.
Rgb MakeRgb(double r, double g, double b);
Rgb MixRgb(Rgb a, Rgb b, double t);
Rgb ScaleRgb(Rgb c, double factor);
// Perceived brightness, 0 ... 255.
double Luma(Rgb c);

// An RGB picture: width x height pixels, rows top to bottom, three bytes a
// pixel, exactly the layout of the game's raw picture files.
class Image {
public:
    Image(int width, int height, Rgb fill = kBlack);

    int Width() const { return width; }
    int Height() const { return height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    Rgb Get(int x, int y) const;
    // Writes outside the picture are ignored.
    void Set(int x, int y, Rgb c);
    // Mixes c into the pixel by alpha (0 ... 1).
    void Blend(int x, int y, Rgb c, double alpha);
    // Adds light: each channel grows by c times amount, saturating.
    void AddLight(int x, int y, Rgb c, double amount);
    void FillRect(int x, int y, int w, int h, Rgb c);

    // Copies src with its top left corner at (x, y); the keyed form skips
    // pure black pixels, as the game draws its sprites.
    void Paste(const Image& src, int x, int y);
    void PasteKeyed(const Image& src, int x, int y);
    Image Crop(int x, int y, int w, int h) const;
    Image Enlarged(int factor) const;
    // Half the size in both directions, each pixel the mean of four.
    Image Halved() const;

    const std::vector<uint8_t>& Bytes() const { return pixels; }

private:
    int width;
    int height;
    std::vector<uint8_t> pixels;
};

// Writes bytes to path; false (with a message on stderr) when that fails.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// A binary portable pixmap (P6) of the picture.
std::vector<uint8_t> EncodePpm(const Image& image);

}  // namespace nebulark::artgen

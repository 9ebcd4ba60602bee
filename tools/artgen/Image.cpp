#include "Image.h"

#include <cstdio>
#include <fstream>

namespace nebulark::artgen {

namespace {

uint8_t Channel(double v) {
    if (v <= 0) return 0;
    if (v >= 255) return 255;
    return static_cast<uint8_t>(v + 0.5);
}

}  // namespace

Rgb MakeRgb(double r, double g, double b) {
    return {Channel(r), Channel(g), Channel(b)};
}

Rgb MixRgb(Rgb a, Rgb b, double t) {
    return MakeRgb(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t);
}

Rgb ScaleRgb(Rgb c, double factor) {
    return MakeRgb(c.r * factor, c.g * factor, c.b * factor);
}

double Luma(Rgb c) {
    return 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b;
}

Image::Image(int width, int height, Rgb fill)
    : width(width), height(height), pixels(static_cast<size_t>(width) * height * 3) {
    FillRect(0, 0, width, height, fill);
}

Rgb Image::Get(int x, int y) const {
    if (!Contains(x, y)) return kBlack;
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return {pixels[i], pixels[i + 1], pixels[i + 2]};
}

void Image::Set(int x, int y, Rgb c) {
    if (!Contains(x, y)) return;
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    pixels[i] = c.r;
    pixels[i + 1] = c.g;
    pixels[i + 2] = c.b;
}

void Image::Blend(int x, int y, Rgb c, double alpha) {
    if (Contains(x, y)) Set(x, y, MixRgb(Get(x, y), c, alpha));
}

void Image::AddLight(int x, int y, Rgb c, double amount) {
    if (!Contains(x, y)) return;
    const Rgb old = Get(x, y);
    Set(x, y, MakeRgb(old.r + c.r * amount, old.g + c.g * amount, old.b + c.b * amount));
}

void Image::FillRect(int x, int y, int w, int h, Rgb c) {
    for (int row = y; row < y + h; ++row)
        for (int column = x; column < x + w; ++column)
            Set(column, row, c);
}

void Image::Paste(const Image& src, int x, int y) {
    for (int row = 0; row < src.height; ++row)
        for (int column = 0; column < src.width; ++column)
            Set(x + column, y + row, src.Get(column, row));
}

void Image::PasteKeyed(const Image& src, int x, int y) {
    for (int row = 0; row < src.height; ++row)
        for (int column = 0; column < src.width; ++column)
            if (src.Get(column, row) != kBlack) Set(x + column, y + row, src.Get(column, row));
}

Image Image::Crop(int x, int y, int w, int h) const {
    Image out(w, h);
    for (int row = 0; row < h; ++row)
        for (int column = 0; column < w; ++column)
            out.Set(column, row, Get(x + column, y + row));
    return out;
}

Image Image::Enlarged(int factor) const {
    Image out(width * factor, height * factor);
    for (int row = 0; row < out.height; ++row)
        for (int column = 0; column < out.width; ++column)
            out.Set(column, row, Get(column / factor, row / factor));
    return out;
}

Image Image::Halved() const {
    Image out(width / 2, height / 2);
    for (int row = 0; row < out.height; ++row) {
        for (int column = 0; column < out.width; ++column) {
            double sum[3] = {0, 0, 0};
            for (int k = 0; k < 4; ++k) {
                const Rgb c = Get(column * 2 + k % 2, row * 2 + k / 2);
                sum[0] += c.r;
                sum[1] += c.g;
                sum[2] += c.b;
            }
            out.Set(column, row, MakeRgb(sum[0] / 4, sum[1] / 4, sum[2] / 4));
        }
    }
    return out;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out) return true;
    std::fprintf(stderr, "nebulark_artgen: cannot write %s\n", path.c_str());
    return false;
}

std::vector<uint8_t> EncodePpm(const Image& image) {
    const std::string header =
        "P6\n" + std::to_string(image.Width()) + " " + std::to_string(image.Height()) + "\n255\n";
    std::vector<uint8_t> out(header.begin(), header.end());
    out.insert(out.end(), image.Bytes().begin(), image.Bytes().end());
    return out;
}

}  // namespace nebulark::artgen

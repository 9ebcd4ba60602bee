#include "gameframework/FrameImage.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace nebulark {

namespace {

bool IsUsual(const PixelChannels& layout) {
    return layout.bytesPerPixel == 4 && layout.red == 2 && layout.green == 1 && layout.blue == 0;
}

// Blends one row of `count` pixels. The usual layout (4-byte pixels, blue,
// green and red from byte 0) gets a copy with constant offsets, which the
// compiler makes far tighter; both write only the three colour bytes.
template <bool kUsual>
void BlendRow(const uint8_t* from, uint8_t* to, uint8_t* copy, int count, bool transparent,
              const PixelChannels& s, const PixelChannels& d) {
    const int sStep = kUsual ? 4 : s.bytesPerPixel, dStep = kUsual ? 4 : d.bytesPerPixel;
    const int sr = kUsual ? 2 : s.red, sg = kUsual ? 1 : s.green, sb = kUsual ? 0 : s.blue;
    const int dr = kUsual ? 2 : d.red, dg = kUsual ? 1 : d.green, db = kUsual ? 0 : d.blue;
    for (int col = 0; col < count; ++col, from += sStep, to += dStep) {
        const uint8_t r = from[sr], g = from[sg], b = from[sb];
        if (transparent && (r | g | b) == 0) continue;
        to[dr] = r;
        to[dg] = g;
        to[db] = b;
        if (copy == nullptr) continue;
        uint8_t* pixel = copy + static_cast<ptrdiff_t>(col) * dStep;
        pixel[dr] = r;
        pixel[dg] = g;
        pixel[db] = b;
    }
}

// The usual layout a word per pixel, for a blend into the frame alone: the
// colour is the word's first three bytes and the target's fourth byte is kept.
// A skipped pixel is stored back as it was, so the loop has no branch and the
// compiler can take several pixels at once.
void BlendRowWords(const uint8_t* from, uint8_t* to, int count, bool transparent) {
    constexpr uint32_t kColour =
        std::endian::native == std::endian::little ? 0x00FFFFFFu : 0xFFFFFF00u;
    for (int col = 0; col < count; ++col) {
        uint32_t source, target;
        std::memcpy(&source, from + static_cast<ptrdiff_t>(col) * 4, 4);
        std::memcpy(&target, to + static_cast<ptrdiff_t>(col) * 4, 4);
        const uint32_t colour = source & kColour;
        const bool skip = transparent && colour == 0;
        target = skip ? target : (target & ~kColour) | colour;
        std::memcpy(to + static_cast<ptrdiff_t>(col) * 4, &target, 4);
    }
}

// Whole 4-byte pixels are compared as words.
bool SamePixel(const uint8_t* a, const uint8_t* b, int bytes) {
    if (bytes != 4) return std::memcmp(a, b, static_cast<size_t>(bytes)) == 0;
    uint32_t x, y;
    std::memcpy(&x, a, 4);
    std::memcpy(&y, b, 4);
    return x == y;
}

}  // namespace

FrameImage::FrameImage(uint8_t* data, int width, int height, int bytesPerLine,
                       const PixelChannels& layout)
    : data(data), width(width), height(height), bytesPerLine(bytesPerLine), layout(layout) {}

FrameImage FrameImage::Of(XImage* image, const PixelChannels& layout) {
    if (image == nullptr || image->data == nullptr) return FrameImage();
    PixelChannels probed = layout;
    if (image->bits_per_pixel >= 8) probed.bytesPerPixel = image->bits_per_pixel / 8;
    return FrameImage(reinterpret_cast<uint8_t*>(image->data), image->width, image->height,
                      image->bytes_per_line, probed);
}

void FrameImage::CopyAllFrom(const FrameImage& source) {
    if (Empty() || source.Empty()) return;
    std::memcpy(data, source.data, std::min(ByteSize(), source.ByteSize()));
}

PixelRect FrameImage::ClipRect(const FrameImage& source, const PixelRect& rect) const {
    PixelCopy c{rect, rect.x, rect.y};
    if (Empty() || source.Empty() || !clipCopy(c, width, height, source.width, source.height))
        return PixelRect{};
    return c.at;
}

PixelRect FrameImage::CopyRectFrom(const FrameImage& source, const PixelRect& rect) {
    const PixelRect part = ClipRect(source, rect);
    const size_t bytes = static_cast<size_t>(part.w) * layout.bytesPerPixel;
    for (int row = part.y; row < part.Bottom(); ++row)
        std::memcpy(Pixel(part.x, row), source.Pixel(part.x, row), bytes);
    return part;
}

// The source is clipped first, so a frame index beyond a strip never reads
// outside the picture.
PixelCopy FrameImage::ClipBlend(const FrameImage& source, int x, int y,
                                const PixelRect& part) const {
    PixelCopy c{PixelRect{x, y, part.w, part.h}, part.x, part.y};
    if (Empty() || source.Empty() || !clipCopy(c, width, height, source.width, source.height))
        return PixelCopy{};
    return c;
}

void FrameImage::Blend(const FrameImage& source, const PixelCopy& clipped, bool transparent,
                       FrameImage* alsoInto) {
    // A copy: the pixel writes below could alias the caller's record, which
    // would make the compiler read it again after every write.
    const PixelCopy c = clipped;
    const PixelRect& at = c.at;
    if (at.Empty()) return;
    if (alsoInto != nullptr &&
        (alsoInto->Empty() || alsoInto->width < at.Right() || alsoInto->height < at.Bottom()))
        alsoInto = nullptr;

    const bool usual = IsUsual(source.layout) && IsUsual(layout);
    for (int row = 0; row < at.h; ++row) {
        const int ty = at.y + row;
        const uint8_t* from = source.Pixel(c.sourceX, c.sourceY + row);
        uint8_t* to = Pixel(at.x, ty);
        uint8_t* copy = alsoInto ? alsoInto->Pixel(at.x, ty) : nullptr;
        if (usual && copy == nullptr)
            BlendRowWords(from, to, at.w, transparent);
        else if (usual)
            BlendRow<true>(from, to, copy, at.w, transparent, source.layout, layout);
        else
            BlendRow<false>(from, to, copy, at.w, transparent, source.layout, layout);
    }
}

void FrameImage::CopyOut(const PixelRect& area, std::vector<uint8_t>& rows) const {
    const size_t rowBytes = static_cast<size_t>(area.w) * layout.bytesPerPixel;
    // Grown only: shrinking and growing again would clear the bytes each time.
    if (rows.size() < rowBytes * static_cast<size_t>(area.h))
        rows.resize(rowBytes * static_cast<size_t>(area.h));
    for (int row = 0; row < area.h; ++row)
        std::memcpy(rows.data() + rowBytes * row, Pixel(area.x, area.y + row), rowBytes);
}

// Equal rows, the most, are passed over by one comparison each; in a row
// that differs the first and last differing pixels are found from its ends.
PixelRect FrameImage::ChangedFrom(const std::vector<uint8_t>& rows, const PixelRect& area) const {
    const int step = layout.bytesPerPixel;
    const size_t rowBytes = static_cast<size_t>(area.w) * step;
    int left = area.w, right = -1, top = -1, bottom = -1;
    for (int row = 0; row < area.h; ++row) {
        const uint8_t* before = rows.data() + rowBytes * row;
        const uint8_t* now = Pixel(area.x, area.y + row);
        if (std::memcmp(before, now, rowBytes) == 0) continue;
        if (top < 0) top = row;
        bottom = row;
        int first = 0, last = area.w - 1;
        while (SamePixel(before + first * step, now + first * step, step))
            ++first;
        while (SamePixel(before + last * step, now + last * step, step))
            --last;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    if (top < 0) return PixelRect{};
    return PixelRect{area.x + left, area.y + top, right - left + 1, bottom - top + 1};
}

void FrameImage::SetPixel(int x, int y, uint32_t colour) {
    if (Empty() || x < 0 || y < 0 || x >= width || y >= height) return;
    uint8_t* pixel = Pixel(x, y);
    pixel[layout.red] = static_cast<uint8_t>(colour >> 16);
    pixel[layout.green] = static_cast<uint8_t>(colour >> 8);
    pixel[layout.blue] = static_cast<uint8_t>(colour);
}

uint32_t FrameImage::PixelAt(int x, int y) const {
    if (Empty() || x < 0 || y < 0 || x >= width || y >= height) return 0;
    const uint8_t* pixel = Pixel(x, y);
    return (uint32_t{pixel[layout.red]} << 16) | (uint32_t{pixel[layout.green]} << 8) |
           pixel[layout.blue];
}

}  // namespace nebulark

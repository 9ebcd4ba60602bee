#include "Lettering.h"

#include <vector>

#include "Font.h"
#include "Mask.h"
#include "MathUtil.h"
#include "Ramp.h"

namespace nebulark::artgen {

namespace {

Mask LetterInk(std::string_view text, int scale) {
    return TextMask(text).Smoothed2x().Smoothed2x().Enlarged(scale / 4);
}

// The ink blurred into a soft halo, strength 0 ... 1 a pixel.
std::vector<double> Halo(const Mask& ink, int radius) {
    const int w = ink.Width(), h = ink.Height();
    std::vector<double> rows(static_cast<size_t>(w) * h), out(rows.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int count = 0;
            for (int d = -radius; d <= radius; ++d)
                count += ink.At(x + d, y);
            rows[static_cast<size_t>(y) * w + x] = count / (2.0 * radius + 1);
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double sum = 0;
            for (int d = -radius; d <= radius; ++d)
                if (y + d >= 0 && y + d < h) sum += rows[static_cast<size_t>(y + d) * w + x];
            out[static_cast<size_t>(y) * w + x] = sum / (2.0 * radius + 1);
        }
    return out;
}

Rgb FillColour(const Ramp& upper, const Ramp& lower, double t, int x, int y) {
    // Dither in 2 x 2 blocks, which keeps the bands chunky at this size.
    if (t < 0.5) return PickShade(upper, t * 2, x / 2, y / 2, 0.9);
    return PickShade(lower, (t - 0.5) * 2, x / 2, y / 2, 0.9);
}

Rgb Bevel(Rgb fill, const Mask& ink, int x, int y, int width) {
    if (!ink.At(x - width, y - width) || !ink.At(x, y - width))
        return MixRgb(fill, {255, 255, 255}, 0.45);
    if (!ink.At(x + width, y + width) || !ink.At(x, y + width)) return ScaleRgb(fill, 0.6);
    return fill;
}

}  // namespace

void DrawLettering(Image& image, int centreX, int top, std::string_view text,
                   const LetteringStyle& style) {
    const int margin = style.scale * 2;
    const Mask raw = LetterInk(text, style.scale);
    Mask ink(raw.Width() + 2 * margin, raw.Height() + 2 * margin);
    for (int y = 0; y < raw.Height(); ++y)
        for (int x = 0; x < raw.Width(); ++x)
            ink.Set(x + margin, y + margin, raw.At(x, y));
    const int left = centreX - ink.Width() / 2, up = top - margin;
    const int outlineWidth = style.scale / 4 + 1;
    const Mask outline = ink.Grown(outlineWidth);
    const Mask shadow = outline.Shifted(style.scale / 3, style.scale / 2);
    const std::vector<double> halo = Halo(outline, style.scale);
    const Ramp upper = MakeRamp({style.top, style.aboveHorizon}, 7);
    const Ramp lower = MakeRamp({style.belowHorizon, style.bottom}, 7);
    for (int y = 0; y < ink.Height(); ++y) {
        for (int x = 0; x < ink.Width(); ++x) {
            const int px = left + x, py = up + y;
            const double glow = halo[static_cast<size_t>(y) * ink.Width() + x];
            if (!outline.At(x, y)) image.AddLight(px, py, style.glow, glow * 0.8);
            if (shadow.At(x, y) && !outline.At(x, y)) image.Blend(px, py, {4, 2, 10}, 0.85);
            if (outline.At(x, y) && !ink.At(x, y)) image.Set(px, py, style.outline);
            if (!ink.At(x, y)) continue;
            const double t = static_cast<double>(y - margin) / raw.Height();
            const Rgb fill = FillColour(upper, lower, t, px, py);
            image.Set(px, py, Bevel(fill, ink, x, y, style.scale / 4));
        }
    }
}

void DrawCaption(Image& image, int centreX, int top, std::string_view text, int scale, Rgb colour) {
    const Mask ink = TextMask(text).Enlarged(scale);
    const Mask outline = ink.Grown(scale / 2 + 1);
    const int left = centreX - ink.Width() / 2;
    for (int y = -scale; y < ink.Height() + scale; ++y)
        for (int x = -scale; x < ink.Width() + scale; ++x) {
            if (ink.At(x, y))
                image.Set(left + x, top + y,
                          y % scale == 0 ? MixRgb(colour, {255, 255, 255}, 0.4) : colour);
            else if (outline.At(x, y))
                image.Set(left + x, top + y, {6, 4, 14});
        }
}

}  // namespace nebulark::artgen

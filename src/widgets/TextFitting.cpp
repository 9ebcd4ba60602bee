#include "widgets/TextFitting.h"

#include <cctype>

#include "util/StringUtils.h"

namespace nebulark {

FittedText TextFitting::Fit(int x, int y, int w, int h, const std::string& text, int alignment,
                            bool centreVertically) const {
    FittedText fitted;
    std::string left = text;
    for (bool first = true;; first = false) {
        if (h <= kShortestBox) {
            fitted.cutShort = true;
            return fitted;
        }
        const Split split = TakeFirstLine(left, w);
        if (split.rest.empty()) {
            const int down = first && centreVertically ? (h - lineHeight) / 2 : 0;
            fitted.lines.push_back(FittedLine{split.line, AlignedStart(x, w, split.line, alignment),
                                              y + lineHeight + down - 1});
            return fitted;
        }
        const int start = split.narrowed ? x : AlignedStart(x, w, split.line, alignment);
        fitted.lines.push_back(FittedLine{split.line, start, y + lineHeight - 1});
        if (split.narrowed) alignment = kAlignLeft;
        left = trim(split.rest);
        y += lineHeight;
        h -= lineHeight;
    }
}

// The text up to the first newline, narrowed to fit w when w is above 0; what
// was cut off goes before the rest of the text.
TextFitting::Split TextFitting::TakeFirstLine(const std::string& text, int w) const {
    const size_t newline = text.find('\n');
    Split first{text.substr(0, newline),
                newline == std::string::npos ? "" : text.substr(newline + 1), false};
    if (w <= 0) return first;
    const size_t cut = FitLine(first.line, w);
    if (cut == first.line.size()) return first;
    first.narrowed = true;
    first.rest = first.line.substr(cut) + (newline == std::string::npos ? "" : "\n" + first.rest);
    first.line.resize(cut);
    return first;
}

// Moves the cut left until the line fits. A cut that would split a word moves
// back to the blank before the word when there is one; that blank then starts
// the rest.
size_t TextFitting::FitLine(const std::string& line, int w) const {
    size_t cut = line.size();
    while (cut > 0 && measure.Width(line.substr(0, cut)) > w) {
        --cut;
        if (!std::isalpha(static_cast<unsigned char>(line[cut])) || cut == 0) continue;
        const size_t blank = line.rfind(' ', cut - 1);
        if (blank != std::string::npos) cut = blank;
    }
    return cut;
}

int TextFitting::AlignedStart(int x, int w, const std::string& line, int alignment) const {
    if (alignment == kAlignLeft || w <= 0) return x;
    const int textWidth = measure.Width(line);
    return alignment == kAlignRight ? x + w - textWidth : x + (w - textWidth) / 2;
}

}  // namespace nebulark

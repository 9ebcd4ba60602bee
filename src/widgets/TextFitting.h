#pragma once

#include <string>
#include <vector>

namespace nebulark {

// How a text lies in its box across: 0 left, 1 right, any other value
// centred; the drawing operations take it as a plain int.
enum TextAlignment : int { kAlignLeft = 0, kAlignRight = 1, kAlignCentre = 2 };

// The width a text takes in the font it will be drawn in.
class TextMeasure {
public:
    virtual int Width(const std::string& text) const = 0;

protected:
    ~TextMeasure() = default;
};

// One line of a fitted text: its left end and its baseline.
struct FittedLine {
    std::string text;
    int x = 0;
    int baseline = 0;

    bool operator==(const FittedLine&) const = default;
};

struct FittedText {
    std::vector<FittedLine> lines;
    // More text was left when the box below the last line had become too
    // short for another (9 pixels or less); also when the box is that short
    // from the start and no line fits.
    bool cutShort = false;
};

// How a text is word-wrapped into a box, line by line, with no display: each
// line is the text up to the next newline, narrowed to the box's width (when
// it has one) at the blank before the word that would cross it; what is cut
// off begins the next line, one line height lower, in a box shorter by as
// much. A single line may be centred down the box; several never are, and
// once a line had to be narrowed the lines below it start at the left edge.
class TextFitting {
public:
    TextFitting(const TextMeasure& measure, int lineHeight)
        : measure(measure), lineHeight(lineHeight) {}

    FittedText Fit(int x, int y, int w, int h, const std::string& text, int alignment,
                   bool centreVertically) const;

    // A box 9 pixels tall or less holds no line: that is less than any font
    // the toolkit draws in needs above its baseline.
    static constexpr int kShortestBox = 9;

private:
    struct Split {
        std::string line;
        std::string rest;
        bool narrowed = false;
    };

    Split TakeFirstLine(const std::string& text, int w) const;
    size_t FitLine(const std::string& line, int w) const;
    int AlignedStart(int x, int w, const std::string& line, int alignment) const;

    const TextMeasure& measure;
    int lineHeight;
};

}  // namespace nebulark

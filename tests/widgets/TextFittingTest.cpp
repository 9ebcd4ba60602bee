// How texts are wrapped into their boxes, with a font of fixed-width glyphs
// and no display.
#include <gtest/gtest.h>

#include "widgets/TextFitting.h"

namespace nebulark {
namespace {

// Seven pixels a character, as the toolkit's 14-pixel font.
class FixedWidth : public TextMeasure {
public:
    int Width(const std::string& text) const override { return 7 * static_cast<int>(text.size()); }
};

constexpr int kLine = 15;

FittedText Fit(int x, int y, int w, int h, const std::string& text, int alignment,
               bool centreVertically = false) {
    static const FixedWidth measure;
    return TextFitting(measure, kLine).Fit(x, y, w, h, text, alignment, centreVertically);
}

TEST(TextFitting, ABoxNineTallHoldsNoLineAndTenHoldsOne) {
    const FittedText none = Fit(0, 0, 100, 9, "Ciao", kAlignLeft);
    EXPECT_TRUE(none.lines.empty());
    EXPECT_TRUE(none.cutShort);
    const FittedText one = Fit(0, 0, 100, 10, "Ciao", kAlignLeft);
    EXPECT_EQ(one.lines, (std::vector<FittedLine>{{"Ciao", 0, 14}}));
    EXPECT_FALSE(one.cutShort);
}

// "hello world" is 77 pixels: in 60 it breaks at the blank, and the narrowed
// line and those below it start at the left edge even when centred.
TEST(TextFitting, TwoWordsWrapAtTheBlankAndANarrowedLineStartsLeft) {
    const FittedText fitted = Fit(10, 20, 60, 60, "hello world", kAlignCentre);
    EXPECT_EQ(fitted.lines, (std::vector<FittedLine>{{"hello", 10, 34}, {"world", 10, 49}}));
    // A word longer than the box is cut where it must be.
    EXPECT_EQ(Fit(0, 0, 21, 60, "abcdef", kAlignLeft).lines,
              (std::vector<FittedLine>{{"abc", 0, 14}, {"def", 0, 29}}));
    // The box runs out before the text does.
    const FittedText cut = Fit(0, 0, 60, 24, "hello world again", kAlignLeft);
    EXPECT_EQ(cut.lines.size(), 1u);
    EXPECT_TRUE(cut.cutShort);
}

// A single line is centred across and, when asked, down; lines given by
// newlines are centred across but never down.
TEST(TextFitting, CentringAcrossAndDown) {
    EXPECT_EQ(Fit(10, 100, 100, 60, "ab", kAlignCentre, true).lines,
              (std::vector<FittedLine>{{"ab", 10 + (100 - 14) / 2, 100 + kLine + 22 - 1}}));
    EXPECT_EQ(Fit(10, 100, 100, 60, "ab\ncd", kAlignCentre, true).lines,
              (std::vector<FittedLine>{{"ab", 53, 114}, {"cd", 53, 129}}));
    EXPECT_EQ(Fit(200, 100, 100, 20, "ab", kAlignRight).lines,
              (std::vector<FittedLine>{{"ab", 300 - 14, 114}}));
    // Without a box width nothing is aligned or narrowed.
    EXPECT_EQ(Fit(5, 0, 0, 20, "a long line", kAlignRight).lines,
              (std::vector<FittedLine>{{"a long line", 5, 14}}));
}

}  // namespace
}  // namespace nebulark

#include <gtest/gtest.h>

#include "util/StringUtils.h"

using namespace nebulark;
using Pieces = std::vector<std::string>;

TEST(StringUtils, CaseConversionTouchesOnlyAsciiLetters) {
    EXPECT_EQ(toUpperCase("ab1\xEC z"), "AB1\xEC Z");
    EXPECT_EQ(toLowerCase("AB1\xCC Z"), "ab1\xCC z");
}

TEST(StringUtils, TrimRemovesEveryKindOfWhiteSpace) {
    EXPECT_EQ(trim(" \t\r\n x y \v\f"), "x y");
    EXPECT_EQ(trim(" \t \t"), "");
    EXPECT_EQ(trim(""), "");
    EXPECT_EQ(trimLeft("  a  "), "a  ");
    EXPECT_EQ(trimRight("  a  "), "  a");
    EXPECT_EQ(trim("\xA0x\xA0"), "\xA0x\xA0");  // not white space in the C locale
}

// Each pass searches from the beginning again, so what one pass puts in can
// be replaced by the next; a replacement holding the searched string would
// never end, and is searched only after what it put in.
TEST(StringUtils, ReplaceAllSearchesAgainFromTheStartAndAlwaysEnds) {
    EXPECT_EQ(replaceAll("a-b-c", "-", "+"), "a+b+c");
    EXPECT_EQ(replaceAll("aaaa", "aa", "a"), "a");
    EXPECT_EQ(replaceAll("a   b", "  ", " "), "a b");
    EXPECT_EQ(replaceAll("xaab", "ab", "ba"), "xbaa");
    EXPECT_EQ(replaceAll("xaaab", "ab", "b"), "xb");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(replaceAll("a.a", "a", "aa"), "aa.aa");
    EXPECT_EQ(replaceAll("xx", "x", "yxy"), "yxyyxy");
    EXPECT_EQ(replaceAll("it's", "'", "'\\''"), "it'\\''s");
    EXPECT_EQ(replaceAll("", "a", "b"), "");
    EXPECT_EQ(replaceChar("c:\\dir\\f", '\\', '/'), "c:/dir/f");
}

TEST(StringUtils, PaddingFillsToWidthAndNeverCuts) {
    EXPECT_EQ(padLeft("7", '0', 3), "007");
    EXPECT_EQ(padLeft("1234", '0', 2), "1234");
    EXPECT_EQ(padRight("ab", '.', 4), "ab..");
    EXPECT_EQ(padRight("ab", '.', -5), "ab");
}

TEST(StringUtils, SplitKeepsInnerEmptyPiecesButNotATrailingOne) {
    EXPECT_EQ(split("a,,b", ","), (Pieces{"a", "", "b"}));
    EXPECT_EQ(split("a,b,", ","), (Pieces{"a", "b"}));
    EXPECT_EQ(split(",a", ","), (Pieces{"", "a"}));
    EXPECT_EQ(split("JoystickEnable=1", "="), (Pieces{"JoystickEnable", "1"}));
    EXPECT_EQ(split("a::b", "::"), (Pieces{"a", "b"}));
    EXPECT_TRUE(split("", ",").empty());
    EXPECT_TRUE(split("abc", "").empty());
    EXPECT_EQ(split("abc", ";"), (Pieces{"abc"}));
}

TEST(StringUtils, IntegersAndHexBytes) {
    EXPECT_EQ(toText(-7), "-7");
    EXPECT_EQ(toText(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(formatInteger(5, '0', 3), "005");
    EXPECT_EQ(formatInteger(1234, '0', 2), "1234");
    EXPECT_EQ(formatInteger(42, ' ', 9), "       42");
    EXPECT_EQ(formatInteger(-5, '0', 3), "-05");
    EXPECT_EQ(formatInteger(-5, '0', 1), "-5");
    EXPECT_EQ(formatInteger(-5, ' ', 4), "  -5");
    EXPECT_EQ(hexByte(10), "0A");
    EXPECT_EQ(hexByte(255), "FF");
    EXPECT_EQ(hexByte(0x1FF), "FF");
    EXPECT_EQ(hexByte(-1), "FF");
}

TEST(StringUtils, GroupedNumbersUseTheDecimalCommaConvention) {
    EXPECT_EQ(decimalSeparator(), ",");
    EXPECT_EQ(thousandsSeparator(), ".");
    EXPECT_EQ(formatGrouped(999), "999");
    EXPECT_EQ(formatGrouped(1000), "1.000");
    EXPECT_EQ(formatGrouped(1234567), "1.234.567");
    EXPECT_EQ(formatGrouped(1234567890), "1.234.567.890");
    EXPECT_EQ(formatGrouped(-123), "-123");
    EXPECT_EQ(formatGrouped(-123456), "-123.456");
    EXPECT_EQ(formatFixed2(2.5), "2.50");
    EXPECT_EQ(formatAmount(1234.5), "1.234,50");
    // Rounded to the nearest hundredth, carrying into the units and the
    // thousands, with the sign kept.
    EXPECT_EQ(formatAmount(1.994), "1,99");
    EXPECT_EQ(formatAmount(1.999), "2,00");
    EXPECT_EQ(formatAmount(999.999), "1.000,00");
    EXPECT_EQ(formatAmount(999999.999), "1.000.000,00");
    EXPECT_EQ(formatAmount(-0.5), "-0,50");
    EXPECT_EQ(formatAmount(-1234.567), "-1.234,57");
    EXPECT_EQ(formatAmount(-0.001), "0,00");
    std::string amount = "1.234,50";
    EXPECT_DOUBLE_EQ(parseAmount(amount), 1234.5);
    EXPECT_EQ(amount, "1234.50");
}

TEST(StringUtils, UrlEncodingRoundTripsEveryByteButZero) {
    EXPECT_EQ(urlEncode("a b/~"), "a%20b%2F~");
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(urlDecode(urlEncode(all)), all);
    EXPECT_EQ(urlDecode("x%00y"), "xy");
    EXPECT_EQ(urlDecode("100%"), "100%");
    EXPECT_EQ(urlDecode("%4"), "%4");
    EXPECT_EQ(urlDecode("%zz%41"), "%zzA");
}

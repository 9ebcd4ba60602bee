#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "support/XvfbEnvironment.h"
#include "util/FontDescriptor.h"

using namespace nebulark;
using nebulark::test::TempDir;
using nebulark::test::XvfbEnvironment;

TEST(FontDescriptor, ComposesTheCoreFontName) {
    FontDescriptor plain;
    EXPECT_EQ(plain.buildName(), "-*-*-Medium-R-Normal--14-*");
    FontDescriptor styled("misc-fixed", 20);
    styled.setBold(true);
    styled.setItalic(true);
    EXPECT_EQ(styled.buildName(), "-misc-fixed-Bold-R-Italic--20-*");
    EXPECT_EQ(styled.xlfdName, "-misc-fixed-Bold-R-Italic--20-*");
    EXPECT_EQ(FontDescriptor("adobe-courier").buildName(), "-adobe-courier-Medium-R-Normal--14-*");
    EXPECT_EQ(plain.fontHeight(), 14);
}

TEST(FontDescriptor, LoadsOnceAndHoldsOneFont) {
    TempDir dir;
    Display* display = XvfbEnvironment::Driver().Connection();
    FontDescriptor font;
    XFontStruct* first = font.getFont(display);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(font.fontLoaded);
    const unsigned long before = XNextRequest(display);
    EXPECT_EQ(font.getFont(display), first);
    EXPECT_EQ(XNextRequest(display), before);  // nothing was sent to the server
    EXPECT_EQ(font.fontHeight(), first->ascent);
    // With a font loaded the name carries the font's own ascent.
    EXPECT_EQ(font.buildName(), "-*-*-Medium-R-Normal--" + std::to_string(first->ascent) + "-*");

    const Font oldId = first->fid;
    font.load(display);
    ASSERT_NE(font.xfont, nullptr);
    EXPECT_TRUE(font.fontLoaded);
    EXPECT_NE(font.xfont->fid, oldId);
    EXPECT_EQ(font.xlfdName, "-*-*-Medium-R-Normal--14-*");
    EXPECT_EQ(TempDir::Read("log.txt"), "");
}

TEST(FontDescriptor, MissingFontIsLoggedOnEveryTryAndFreesNothing) {
    TempDir dir;
    Display* display = XvfbEnvironment::Driver().Connection();
    {
        FontDescriptor font("nosuchfoundry-nosuchfamily", 31);
        EXPECT_EQ(font.getFont(display), nullptr);
        EXPECT_EQ(font.getFont(display), nullptr);
        EXPECT_FALSE(font.fontLoaded);
        EXPECT_EQ(font.fontHeight(), 31);
    }
    {
        FontDescriptor unconnected;
        EXPECT_EQ(unconnected.getFont(nullptr), nullptr);
    }
    EXPECT_EQ(TempDir::Read("log.txt"),
              "XLoadQueryFont failed\nXLoadQueryFont failed\nXLoadQueryFont failed\n");
}

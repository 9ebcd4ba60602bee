#include <gtest/gtest.h>

#include <X11/extensions/XTest.h>

#include <cstdlib>

#include "app/Screen.h"
#include "support/TempDir.h"
#include "support/XvfbEnvironment.h"

using AppScreen = nebulark::Screen;
using nebulark::test::TempDir;
using nebulark::test::XvfbEnvironment;
using nebulark::test::XvfbServer;

TEST(Screen, OpensTheServerNamedByTheEnvironment) {
    TempDir dir;
    AppScreen screen("title");
    ASSERT_NE(screen.GetDisplay(), nullptr);
    EXPECT_EQ(screen.GetOpenFailed(), 0);
    EXPECT_EQ(screen.GetWidth(), 1024);
    EXPECT_EQ(screen.GetHeight(), 768);
    EXPECT_EQ(screen.GetDepth(), 24);
    ASSERT_NE(screen.GetVisualInfo(), nullptr);
    EXPECT_EQ(screen.GetVisualInfo()->depth, 24);
    EXPECT_STREQ(screen.GetTitle(), "title");
    EXPECT_EQ(AppScreen::Current(), &screen);
    EXPECT_EQ(AppScreen::ScreenWidth(), 1024);
    EXPECT_EQ(AppScreen::ScreenHeight(), 768);
    EXPECT_EQ(TempDir::Read("log.txt"), "");

    AppScreen second("second");
    EXPECT_EQ(AppScreen::Current(), &screen);
    EXPECT_TRUE(second.Close());

    EXPECT_TRUE(screen.Close());
    EXPECT_EQ(screen.GetDisplay(), nullptr);
    EXPECT_FALSE(screen.Close());
}

TEST(Screen, PointerPositionPacksRootCoordinates) {
    AppScreen screen("title");
    Display* driver = XvfbEnvironment::Driver().Connection();
    XTestFakeMotionEvent(driver, 0, 321, 654, CurrentTime);
    XSync(driver, False);
    const uint64_t packed = AppScreen::PointerPosition();
    EXPECT_EQ(packed & 0xFFFFFFFFu, 321u);
    EXPECT_EQ(packed >> 32, 654u);
}

TEST(Screen, NoServerLeavesDefaultsAndIsSurvived) {
    TempDir dir;
    unsetenv("DISPLAY");
    {
        AppScreen screen("title");
        EXPECT_EQ(screen.GetDisplay(), nullptr);
        EXPECT_EQ(screen.GetOpenFailed(), 1);
        EXPECT_EQ(screen.GetWidth(), 800);
        EXPECT_EQ(screen.GetHeight(), 600);
        EXPECT_EQ(screen.GetDepth(), 8);
        EXPECT_EQ(AppScreen::PointerPosition(), 0u);
        EXPECT_FALSE(screen.Close());
    }
    EXPECT_EQ(TempDir::Read("log.txt"), "XOpenDisplay(0) failed.\n");
    EXPECT_EQ(AppScreen::ScreenWidth(), 0);
    EXPECT_EQ(AppScreen::PointerPosition(), 0u);
}

TEST(Screen, ShallowServerIsReportedButUsed) {
    TempDir dir;
    XvfbServer shallow;
    ASSERT_TRUE(shallow.Start(16));
    setenv("DISPLAY", shallow.DisplayName().c_str(), 1);
    AppScreen screen("title");
    ASSERT_NE(screen.GetDisplay(), nullptr);
    EXPECT_EQ(screen.GetDepth(), 16);
    EXPECT_EQ(TempDir::Read("log.txt"), "This app requires 24-bit depth.\n");
    EXPECT_TRUE(screen.Close());
}

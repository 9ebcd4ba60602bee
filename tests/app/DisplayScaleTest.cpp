// How the scale is chosen, and how events of an enlarged window are brought
// back to the form's own pixels; no display is needed.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/DisplayScale.h"
#include "app/EventScale.h"
#include "support/TempDir.h"

namespace nebulark {
namespace {

using test::TempDir;

constexpr const char* kDesktopAt200 = "Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n";

TEST(Scale, TheVariableWinsAndAnythingButOneToFourIsLoggedAndIgnored) {
    TempDir dir;
    EXPECT_EQ(WantedScale("1", kDesktopAt200), 1);
    EXPECT_EQ(WantedScale("3", kDesktopAt200), 3);
    EXPECT_EQ(WantedScale("4", nullptr), 4);
    EXPECT_EQ(TempDir::Read("log.txt"), "");
    for (const char* bad : {"9", "x", "0", "22", "2 ", "-2"})
        EXPECT_EQ(WantedScale(bad, kDesktopAt200), 2) << bad;
    EXPECT_EQ(WantedScale("x", nullptr), 1);
    const std::string log = TempDir::Read("log.txt");
    EXPECT_NE(log.find("NEBULARK_SCALE non valida (\"9\")"), std::string::npos) << log;
    EXPECT_NE(log.find("NEBULARK_SCALE non valida (\"x\")"), std::string::npos) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 7);
    // Set but empty is as good as unset.
    EXPECT_EQ(WantedScale("", kDesktopAt200), 2);
}

TEST(Scale, TheDesktopsDpiIsDividedBy96AndRoundedWithinOneToFour) {
    TempDir dir;
    EXPECT_EQ(WantedScale(nullptr, nullptr), 1);
    EXPECT_EQ(WantedScale(nullptr, ""), 1);
    EXPECT_EQ(WantedScale(nullptr, "Xft.dpi: 96\n"), 1);
    EXPECT_EQ(WantedScale(nullptr, "Xft.dpi: 120\n"), 1);
    EXPECT_EQ(WantedScale(nullptr, "Xft.dpi: 144"), 2);
    EXPECT_EQ(WantedScale(nullptr, "  Xft.dpi :288.0\n"), 3);
    EXPECT_EQ(WantedScale(nullptr, "Xft.dpi: 960\n"), 4);
    EXPECT_EQ(WantedScale(nullptr, "Xft.dpi: 20\n"), 1);
    // Only Xft.dpi counts, its last line wins, and what is not a positive
    // number is no dpi.
    EXPECT_EQ(WantedScale(nullptr, "Xft.dpix: 192\n*dpi: 192\nXterm*Xft.dpi: 192\n"), 1);
    EXPECT_EQ(WantedScale(nullptr, "Xft.dpi: 192\nXft.dpi: 96\n"), 1);
    EXPECT_EQ(WantedScale(nullptr, "Xft.dpi: 192\nXft.dpi: lots\n"), 2);
    EXPECT_EQ(WantedScale(nullptr, "Xft.dpi: -192\nXft.dpi: nan\nXft.dpi: inf\n"), 1);
    EXPECT_EQ(WantedScale(nullptr, "Xft.dpi: 1e300\n"), 4);
    EXPECT_EQ(TempDir::Read("log.txt"), "");
}

TEST(Scale, IsLoweredUntilTheWindowAndATitleBarFitTheScreen) {
    EXPECT_EQ(FittingScale(2, 800, 600, 3840, 2160), 2);
    EXPECT_EQ(FittingScale(4, 800, 600, 3840, 2160), 3);
    EXPECT_EQ(FittingScale(2, 800, 600, 1920, 1080), 1);
    EXPECT_EQ(FittingScale(2, 800, 600, 2560, 1440), 2);
    EXPECT_EQ(FittingScale(2, 800, 600, 1599, 2160), 1);
    // 600 rows and a title bar of 32, twice.
    EXPECT_EQ(FittingScale(2, 800, 600, 1600, 1264), 2);
    EXPECT_EQ(FittingScale(2, 800, 600, 1600, 1263), 1);
    EXPECT_EQ(FittingScale(3, 100000, 100000, 800, 600), 1);
    EXPECT_EQ(FittingScale(0, 800, 600, 3840, 2160), 1);
}

TEST(Scale, EventsComeToTheFormsOwnPixelsRoundedDown) {
    XEvent press{};
    press.type = ButtonPress;
    press.xbutton.x = 3;
    press.xbutton.y = -1;
    press.xbutton.x_root = 1001;
    press.xbutton.y_root = -3;
    ScaleDownEvent(press, 2);
    EXPECT_EQ(press.xbutton.x, 1);
    EXPECT_EQ(press.xbutton.y, -1);
    EXPECT_EQ(press.xbutton.x_root, 500);
    EXPECT_EQ(press.xbutton.y_root, -2);

    XEvent motion{};
    motion.type = MotionNotify;
    motion.xmotion.x = 5;
    motion.xmotion.y = 6;
    ScaleDownEvent(motion, 3);
    EXPECT_EQ(motion.xmotion.x, 1);
    EXPECT_EQ(motion.xmotion.y, 2);
    ScaleDownEvent(motion, 1);
    EXPECT_EQ(motion.xmotion.x, 1);

    // Every form pixel the exposed area touches is shown again.
    XEvent expose{};
    expose.type = Expose;
    expose.xexpose.x = 3;
    expose.xexpose.width = 2;
    expose.xexpose.y = 4;
    expose.xexpose.height = 4;
    ScaleDownEvent(expose, 2);
    EXPECT_EQ(expose.xexpose.x, 1);
    EXPECT_EQ(expose.xexpose.width, 2);
    EXPECT_EQ(expose.xexpose.y, 2);
    EXPECT_EQ(expose.xexpose.height, 2);

    XEvent configure{};
    configure.type = ConfigureNotify;
    configure.xconfigure.x = 101;
    configure.xconfigure.y = -7;
    configure.xconfigure.width = 1600;
    configure.xconfigure.height = 1200;
    ScaleDownEvent(configure, 2);
    EXPECT_EQ(configure.xconfigure.x, 50);
    EXPECT_EQ(configure.xconfigure.y, -4);
    EXPECT_EQ(configure.xconfigure.width, 800);
    EXPECT_EQ(configure.xconfigure.height, 600);
}

}  // namespace
}  // namespace nebulark

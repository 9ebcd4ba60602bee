// How the scale is chosen, and how events of an enlarged window are brought
// back to the form's own pixels; no display is needed.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

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

// An event of the given type with its first four coordinates (x, y, then the
// root's x and y, or the width and height) set, scaled down.
template <typename Fields>
std::array<int, 4> ScaledDown(int type, Fields XEvent::*member, std::array<int, 4> values,
                              int scale) {
    XEvent event{};
    event.type = type;
    Fields& fields = event.*member;
    fields.x = values[0];
    fields.y = values[1];
    if constexpr (requires { fields.x_root; }) {
        fields.x_root = values[2];
        fields.y_root = values[3];
        ScaleDownEvent(event, scale);
        return {fields.x, fields.y, fields.x_root, fields.y_root};
    } else {
        fields.width = values[2];
        fields.height = values[3];
        ScaleDownEvent(event, scale);
        return {fields.x, fields.y, fields.width, fields.height};
    }
}

TEST(Scale, EventsComeToTheFormsOwnPixelsRoundedDown) {
    using Four = std::array<int, 4>;
    EXPECT_EQ(ScaledDown(ButtonPress, &XEvent::xbutton, {3, -1, 1001, -3}, 2),
              (Four{1, -1, 500, -2}));
    EXPECT_EQ(ScaledDown(MotionNotify, &XEvent::xmotion, {5, 6, 0, 0}, 3), (Four{1, 2, 0, 0}));
    EXPECT_EQ(ScaledDown(MotionNotify, &XEvent::xmotion, {5, 6, 0, 0}, 1), (Four{5, 6, 0, 0}));
    // Every form pixel an exposed area touches is shown again.
    EXPECT_EQ(ScaledDown(Expose, &XEvent::xexpose, {3, 4, 2, 4}, 2), (Four{1, 2, 2, 2}));
    EXPECT_EQ(ScaledDown(ConfigureNotify, &XEvent::xconfigure, {101, -7, 1600, 1200}, 2),
              (Four{50, -4, 800, 600}));
}

}  // namespace
}  // namespace nebulark

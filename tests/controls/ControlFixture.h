#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../widgets/WidgetKit.h"
#include "app/Application.h"
#include "support/TempDir.h"
#include "support/XvfbEnvironment.h"

namespace nebulark::test {

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kGrey = 0xAAAAAA, kLight = 0xDDDDDD;

// A shown 300 × 200 form holding the keyboard focus, whose controls are
// driven through XTEST and read back pixel by pixel. Every step waits until
// the form itself has been told of the input.
class ControlFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ShowOnScreen(form, screen, 0, 0, 300, 200));
        driver.Focus(form.GetWindow());
        Drain(screen.GetDisplay());
    }

    // The program's drawing is read once the server has handled it: the
    // driver's request on its own connection could otherwise overtake it.
    uint32_t Pixel(int x, int y) const {
        XSync(screen.GetDisplay(), False);
        return static_cast<uint32_t>(driver.PixelAt(form.GetWindow(), x, y));
    }
    std::vector<uint32_t> Pixels(int x, int y, int w, int h) const {
        XSync(screen.GetDisplay(), False);
        return driver.Pixels(form.GetWindow(), x, y, w, h);
    }
    int Count(int x, int y, int w, int h, uint32_t colour) const {
        const std::vector<uint32_t> pixels = Pixels(x, y, w, h);
        return static_cast<int>(std::count(pixels.begin(), pixels.end(), colour));
    }

    void Press(int x, int y) {
        Await("OnMouseDown", x, y, [&] {
            driver.MoveTo(form.GetWindow(), x, y);
            driver.ButtonDown(1);
        });
    }
    // The pointer must not be at (x, y) already, or no motion is reported.
    void MoveTo(int x, int y) {
        Await("OnMouseMove", x, y, [&] { driver.MoveTo(form.GetWindow(), x, y); });
    }
    // Releases the button where the pointer is.
    void Release(int x, int y) {
        Await("OnMouseUp", x, y, [&] { driver.ButtonUp(1); });
    }
    void Click(int x, int y) {
        Press(x, y);
        Release(x, y);
    }
    void Key(KeySym keysym) {
        Calls().clear();
        driver.KeyTap(keysym);
        ASSERT_TRUE(PumpFor("form.OnKeyUp " + KeyName(keysym)));
    }

    TempDir dir;
    XDriver& driver = XvfbEnvironment::Driver();
    nebulark::Screen screen{"controls"};
    ProbeForm form;

private:
    bool PumpFor(const std::string& call) {
        return PumpUntil(screen.GetDisplay(), [call] {
            return std::find(Calls().begin(), Calls().end(), call) != Calls().end();
        });
    }
    template <class Step>
    void Await(const std::string& operation, int x, int y, Step step) {
        Calls().clear();
        step();
        ASSERT_TRUE(
            PumpFor("form." + operation + " " + std::to_string(x) + "," + std::to_string(y)));
    }
};

}  // namespace nebulark::test

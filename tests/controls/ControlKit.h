#pragma once

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "WidgetKit.h"
#include "support/StubAplay.h"
#include "support/TempDir.h"
#include "support/XDriver.h"
#include "support/XvfbEnvironment.h"

namespace nebulark::test {

// A 300 × 200 form shown at the top-left corner of the private server with
// the keyboard focus, input sent through XTEST and handled by the program's
// own event loop.
class ControlBench : public ::testing::Test {
protected:
    void SetUp() override;

    // Every event the server has queued for the program, handled.
    void Settle();
    // Types the characters with real key presses (Shift for capitals).
    void Type(const std::string& characters);
    void Tap(KeySym keysym);
    void Click(Window window, int x, int y);
    // Pixels of the form, once the server has handled what the program drew.
    int64_t Pixel(int x, int y) const;
    std::vector<uint32_t> Pixels(int x, int y, int w, int h) const;
    // Shows a dialog's window and gives it the keyboard.
    bool Mapped(Window window);

    TempDir dir;
    XDriver& driver = XvfbEnvironment::Driver();
    nebulark::Screen screen{"controls"};
    ProbeForm form;
};

// The beeps the program plays: a stand-in player first on PATH and the beep
// file in the working directory.
class BeepCounter {
public:
    explicit BeepCounter(const TempDir& dir);
    // Lets the last beeps end while their folder is still there.
    ~BeepCounter();
    // Waits until `count` beeps have started; true when they did.
    bool Heard(size_t count) const;
    size_t Count() const { return player->Runs().size(); }

private:
    std::unique_ptr<StubAplay> player;
};

}  // namespace nebulark::test

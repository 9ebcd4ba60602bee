#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/Screen.h"
#include "images/RgbBuffer.h"
#include "widgets/Form.h"

namespace nebulark::test {

// A form that counts how often it was asked to paint, so a test can wait for
// its first exposure.
class CountingForm : public Form {
public:
    CountingForm() : Form(0) {}
    void Paint() override {
        ++paints;
        Form::Paint();
    }
    // Changes the colour without telling the window or repainting.
    void StoreBackColor(int64_t colour) { backColor = colour; }
    int paints = 0;
};

// Gives the form the screen, creates it at the top-left corner of the screen
// with size w × h and waits until it has been exposed.
bool ShowExposed(CountingForm& form, nebulark::Screen& screen, int w, int h);
// Handles every event already queued for the display.
void DrainEvents(Display* display);
// A picture whose pixels are the given 0xRRGGBB values, top row first.
RgbBuffer RgbPicture(int width, int height, const std::vector<uint32_t>& pixels);
// The same picture as raw file bytes: R, G, B per pixel.
std::string RawBytes(const std::vector<uint32_t>& pixels);
// 0xRRGGBB values of a window rectangle, read through the test's own
// connection.
std::vector<uint32_t> WindowPixels(const Form& form, int x, int y, int w, int h);
// The lines of log.txt in the working directory.
std::vector<std::string> LogLines();

}  // namespace nebulark::test

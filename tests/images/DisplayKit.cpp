#include "support/XvfbEnvironment.h"

#include "DisplayKit.h"

#include <sstream>

#include "app/Application.h"
#include "support/TempDir.h"
#include "support/XDriver.h"

namespace nebulark::test {

bool ShowExposed(CountingForm& form, nebulark::Screen& screen, int w, int h) {
    Display* display = screen.GetDisplay();
    form.SetScreen(&screen);
    form.SetPosition(0, 0);
    form.SetSize(w, h);
    form.Create();
    const bool exposed = WaitUntil([&form] { return form.paints > 0; },
                                   [display] {
                                       XSync(display, False);
                                       if (XPending(display) > 0)
                                           Application::RunPass(display);
                                       else
                                           Application::WaitForInput(ConnectionNumber(display), 10);
                                   });
    DrainEvents(display);
    return exposed;
}

void DrainEvents(Display* display) {
    XSync(display, False);
    while (XPending(display) > 0)
        Application::RunPass(display);
}

RgbBuffer RgbPicture(int width, int height, const std::vector<uint32_t>& pixels) {
    RgbBuffer rgb = RgbBuffer::allocate(width, height);
    unsigned char* out = rgb.data();
    for (size_t i = 0; i < pixels.size() && i < static_cast<size_t>(width) * height; ++i) {
        out[3 * i] = static_cast<unsigned char>(pixels[i] >> 16);
        out[3 * i + 1] = static_cast<unsigned char>(pixels[i] >> 8);
        out[3 * i + 2] = static_cast<unsigned char>(pixels[i]);
    }
    return rgb;
}

std::string RawBytes(const std::vector<uint32_t>& pixels) {
    std::string bytes;
    for (uint32_t pixel : pixels) {
        bytes += static_cast<char>(pixel >> 16);
        bytes += static_cast<char>(pixel >> 8);
        bytes += static_cast<char>(pixel);
    }
    return bytes;
}

std::vector<uint32_t> WindowPixels(const Form& form, int x, int y, int w, int h) {
    // The program's requests must have been handled before another client
    // reads the window.
    XSync(form.GetScreen()->GetDisplay(), False);
    XDriver& driver = XvfbEnvironment::Driver();
    return driver.Pixels(form.GetWindow(), x, y, w, h);
}

std::vector<std::string> LogLines() {
    std::vector<std::string> lines;
    std::istringstream log(TempDir::Read("log.txt"));
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace nebulark::test

#include "ControlKit.h"

#include <X11/keysym.h>

#include <cctype>
#include <chrono>
#include <thread>

#include "util/ProcessUtils.h"

namespace nebulark::test {

namespace {

KeySym SymbolOf(char character) {
    switch (character) {
        case ' ':
            return XK_space;
        case '.':
            return XK_period;
        case '/':
            return XK_slash;
        case '-':
            return XK_minus;
        case '\r':
            return XK_Return;
        case '\b':
            return XK_BackSpace;
        case 127:
            return XK_Delete;
        default:
            return XStringToKeysym(std::string(1, static_cast<char>(std::tolower(
                                                      static_cast<unsigned char>(character))))
                                       .c_str());
    }
}

}  // namespace

void ControlBench::SetUp() {
    Calls().clear();
    ASSERT_TRUE(ShowOnScreen(form, screen, 0, 0, 300, 200));
    driver.Focus(form.GetWindow());
}

void ControlBench::Settle() {
    driver.Sync();
    Drain(screen.GetDisplay());
}

void ControlBench::Tap(KeySym keysym) {
    driver.KeyTap(keysym);
    Settle();
}

void ControlBench::Type(const std::string& characters) {
    for (const char character : characters) {
        const bool capital = std::isupper(static_cast<unsigned char>(character)) != 0;
        if (capital) driver.KeyDown(XK_Shift_L);
        driver.KeyTap(SymbolOf(character));
        if (capital) driver.KeyUp(XK_Shift_L);
    }
    Settle();
}

int64_t ControlBench::Pixel(int x, int y) const {
    XSync(screen.GetDisplay(), False);
    return driver.PixelAt(form.GetWindow(), x, y);
}

std::vector<uint32_t> ControlBench::Pixels(int x, int y, int w, int h) const {
    XSync(screen.GetDisplay(), False);
    return driver.Pixels(form.GetWindow(), x, y, w, h);
}

void ControlBench::Click(Window window, int x, int y) {
    driver.Click(window, x, y);
    Settle();
}

bool ControlBench::Mapped(Window window) {
    const bool viewable = PumpUntil(screen.GetDisplay(), [&] {
        XWindowAttributes attributes{};
        return window != 0 && XGetWindowAttributes(driver.Connection(), window, &attributes) &&
               attributes.map_state == IsViewable;
    });
    Settle();
    if (viewable) driver.Focus(window);
    return viewable;
}

BeepCounter::BeepCounter(const TempDir& dir)
    : player(std::make_unique<StubAplay>(dir.Path() + "/bin", 0)) {
    FolderData();
    TempDir::Write("Data/beep.wav", "RIFF");
}

BeepCounter::~BeepCounter() {
    WaitUntil([&] { return player->AllEnded(); },
              [] { std::this_thread::sleep_for(std::chrono::milliseconds(5)); });
}

bool BeepCounter::Heard(size_t count) const {
    return WaitUntil([&] { return player->Runs().size() >= count; },
                     [] { std::this_thread::sleep_for(std::chrono::milliseconds(5)); });
}

}  // namespace nebulark::test

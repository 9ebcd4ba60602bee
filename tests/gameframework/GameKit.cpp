#include "GameKit.h"

#include <chrono>

#include "app/Application.h"
#include "controls/MyImage.h"
#include "gameframework/FrameImage.h"
#include "images/RgbBuffer.h"
#include "support/TempDir.h"
#include "widgets/XImageConversion.h"

namespace nebulark::test {

namespace {

FrameImage ViewOf(XImage* image) {
    PixelChannels layout;
    layout.red = MyImage::ixRosso;
    layout.green = MyImage::ixVerde;
    layout.blue = MyImage::ixBlu;
    return FrameImage::Of(image, layout);
}

}  // namespace

TestGame::TestGame(nebulark::Screen* screen, int w, int h) : FormGames(screen, "test game", w, h) {}

void TestGame::RunApp() {
    ++runAppCalls;
}

void TestGame::RenderFrame() {
    ++framesComposed;
    FormGames::RenderFrame();
}

GameScene::GameScene() : screen(std::make_unique<nebulark::Screen>("test")) {
    game = std::make_unique<TestGame>(screen.get(), kWidth, kHeight);
}

bool GameScene::Pump(const std::function<bool()>& done, int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    Display* display = screen->GetDisplay();
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return done();
        XSync(display, False);
        Application::RunPass(display);
    }
    return true;
}

void GameScene::LoadBackground(const std::string& path) {
    std::string bytes;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            bytes += static_cast<char>(x);
            bytes += static_cast<char>(y);
            bytes += static_cast<char>(0x40);
        }
    TempDir::Write(path, bytes);
    game->RenderSfondo(path);
}

uint32_t GameScene::FramePixel(int x, int y) const {
    return ViewOf(game->GetScreenBuffer()).PixelAt(x, y);
}

uint32_t GameScene::CopyPixel(int x, int y) const {
    return ViewOf(game->GetBackgroundCopy()).PixelAt(x, y);
}

XImage* MakePicture(FormGames& form, int w, int h,
                    const std::function<uint32_t(int, int)>& colourAt) {
    RgbBuffer rgb = RgbBuffer::allocate(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t colour = colourAt(x, y);
            unsigned char* pixel = rgb.row(y) + x * 3;
            pixel[0] = static_cast<unsigned char>(colour >> 16);
            pixel[1] = static_cast<unsigned char>(colour >> 8);
            pixel[2] = static_cast<unsigned char>(colour);
        }
    return createXImageFromRgb(&form, rgb);
}

}  // namespace nebulark::test

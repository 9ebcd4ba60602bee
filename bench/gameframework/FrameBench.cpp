// A whole frame of the game form on a private Xvfb: 48 transparent sprites
// (asteroid- and UFO-sized) over an 800 × 600 background, composed in memory
// and put on the window, with a round trip so the transfer is counted.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/Screen.h"
#include "gameframework/FormGames.h"
#include "gameframework/Sprite.h"
#include "images/RgbBuffer.h"
#include "support/TempDir.h"
#include "support/XvfbServer.h"
#include "widgets/XImageConversion.h"

using namespace nebulark;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kSprites = 48;

RgbBuffer Noise(int w, int h, uint32_t seed, bool withBlack) {
    RgbBuffer rgb = RgbBuffer::allocate(w, h);
    for (size_t i = 0; i < rgb.size(); i += 3) {
        seed = seed * 1103515245u + 12345u;
        const bool black = withBlack && (seed >> 8) % 4 == 0;
        rgb.data()[i] = black ? 0 : static_cast<unsigned char>(seed >> 16) | 1;
        rgb.data()[i + 1] = black ? 0 : static_cast<unsigned char>(seed >> 8);
        rgb.data()[i + 2] = black ? 0 : static_cast<unsigned char>(seed);
    }
    return rgb;
}

// Everything the benchmark needs, made once: server, screen, form, pictures.
struct Stage {
    Stage() {
        if (!server.Start(24, kWidth + 100, kHeight + 100)) return;
        setenv("DISPLAY", server.DisplayName().c_str(), 1);
        screen = std::make_unique<nebulark::Screen>("bench");
        game = std::make_unique<FormGames>(screen.get(), "bench", kWidth, kHeight);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (game->GetSurface() == nullptr && std::chrono::steady_clock::now() < end)
            Application::RunPass(screen->GetDisplay());
        const RgbBuffer background = Noise(kWidth, kHeight, 1, false);
        std::string raw(reinterpret_cast<const char*>(background.data()), background.size());
        test::TempDir::Write("background.bin", raw);
        game->RenderSfondo("background.bin");
        asteroids = createXImageFromRgb(game.get(), Noise(45, 63, 2, true));
        ufos = createXImageFromRgb(game.get(), Noise(40, 40, 3, true));
        for (int i = 0; i < kSprites; ++i) {
            const bool asteroid = i % 2 == 0;
            auto sprite = std::make_unique<Sprite>(game.get(), asteroid ? asteroids : ufos,
                                                   asteroid ? 45 : 40, asteroid ? 63 : 40);
            sprite->PlaceAt((i * 97) % (kWidth - 20) - 10, (i * 53) % (kHeight - 20) - 10);
            game->AddSprite(sprite.get());
            sprites.push_back(std::move(sprite));
        }
        game->deferredDrawing = true;
    }
    ~Stage() {
        sprites.clear();
        destroyXImage(asteroids);
        destroyXImage(ufos);
        game.reset();
        screen.reset();
    }
    bool Ready() const { return game && game->GetScreenBuffer() != nullptr; }

    test::TempDir dir;
    test::XvfbServer server;
    std::unique_ptr<nebulark::Screen> screen;
    std::unique_ptr<FormGames> game;
    XImage* asteroids = nullptr;
    XImage* ufos = nullptr;
    std::vector<std::unique_ptr<Sprite>> sprites;
};

Stage& TheStage() {
    static Stage stage;
    return stage;
}

void WholeFrameToServer(benchmark::State& state) {
    Stage& stage = TheStage();
    if (!stage.Ready()) {
        state.SkipWithError("no X server for the benchmark");
        return;
    }
    for (auto _ : state) {
        stage.game->RenderFrame();
        XSync(stage.screen->GetDisplay(), False);
    }
    state.SetBytesProcessed(state.iterations() * int64_t{kWidth} * kHeight * 4);
}
BENCHMARK(WholeFrameToServer)->Unit(benchmark::kMicrosecond);

}  // namespace

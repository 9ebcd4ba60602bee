// Frame composition in memory: the background copy into the frame buffer and
// 48 transparent sprites (half asteroid-sized, half UFO-sized) blended over it,
// beside a plain memcpy of one frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "gameframework/FrameImage.h"

using namespace nebulark;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kSprites = 48;

struct Picture {
    Picture(int w, int h, uint32_t seed) : bytes(static_cast<size_t>(w) * h * 4) {
        view = FrameImage(bytes.data(), w, h, w * 4, PixelChannels{});
        // Roughly a quarter of a sprite's pixels are black, like the edges of
        // the game's pictures.
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                seed = seed * 1103515245u + 12345u;
                view.SetPixel(x, y, (seed >> 8) % 4 == 0 ? 0 : (seed & 0xFFFFFF) | 1);
            }
    }
    std::vector<uint8_t> bytes;
    FrameImage view;
};

void ComposeFrame(benchmark::State& state) {
    Picture background(kWidth, kHeight, 1), frame(kWidth, kHeight, 2);
    Picture asteroid(45, 63, 3), ufo(40, 40, 4);
    for (auto _ : state) {
        frame.view.CopyAllFrom(background.view);
        for (int i = 0; i < kSprites; ++i) {
            const Picture& sprite = (i % 2 == 0) ? asteroid : ufo;
            const int x = (i * 97) % (kWidth - 20) - 10;
            const int y = (i * 53) % (kHeight - 20) - 10;
            frame.view.Blend(sprite.view, x, y,
                             SourceRect{0, 0, sprite.view.Width(), sprite.view.Height()}, true);
        }
        benchmark::DoNotOptimize(frame.bytes.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(frame.bytes.size()));
}
BENCHMARK(ComposeFrame);

void MemcpyFrame(benchmark::State& state) {
    std::vector<uint8_t> source(static_cast<size_t>(kWidth) * kHeight * 4, 7),
        target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(source.size()));
}
BENCHMARK(MemcpyFrame);

}  // namespace

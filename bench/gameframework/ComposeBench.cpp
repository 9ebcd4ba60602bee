// Frame composition in memory: the background copy into the frame buffer and
// 48 transparent sprites (half asteroid-sized, half UFO-sized) blended over it,
// beside the same frame composed again only where its sprites moved (a third
// of them 10 pixels down at each frame, as asteroids fall in the game) and a
// plain memcpy of one frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "gameframework/FrameImage.h"
#include "gameframework/FramePlan.h"

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
                             PixelRect{0, 0, sprite.view.Width(), sprite.view.Height()}, true);
        }
        benchmark::DoNotOptimize(frame.bytes.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(frame.bytes.size()));
}
BENCHMARK(ComposeFrame);

// Each sprite moves 10 pixels down every third frame, wrapping at the bottom;
// each frame records what they draw, finds where it changed and composes that.
void ComposeWhereChanged(benchmark::State& state) {
    Picture background(kWidth, kHeight, 1), frame(kWidth, kHeight, 2);
    Picture asteroid(45, 63, 3), ufo(40, 40, 4);
    FramePlan plan;
    int64_t composed = 0, frames = 0;
    for (auto _ : state) {
        plan.BeginFrame();
        for (int i = 0; i < kSprites; ++i) {
            const Picture& sprite = (i % 2 == 0) ? asteroid : ufo;
            const int x = (i * 97) % (kWidth - 20) - 10;
            const int y = (i * 53 + (frames + i) / 3 * 10) % (kHeight - 20) - 10;
            const PixelRect rect{0, 0, sprite.view.Width(), sprite.view.Height()};
            plan.BeginSprite(i + 1);
            plan.AddBlend(sprite.view, frame.view.ClipBlend(sprite.view, x, y, rect), true);
        }
        DamageRegion damage(kWidth, kHeight);
        plan.CollectChanges(damage);
        for (const PixelRect& area : damage.CollapseToRects())
            plan.Compose(frame.view, background.view, area, false);
        composed += damage.Area();
        ++frames;
        benchmark::DoNotOptimize(frame.bytes.data());
        benchmark::ClobberMemory();
    }
    state.counters["pixels_per_frame"] =
        static_cast<double>(composed) / static_cast<double>(frames);
}
BENCHMARK(ComposeWhereChanged);

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

// What a frame of level 5 costs: composed and put only where it changed (at
// scale 1, and at scale 2 where the server enlarges it), beside the same
// frame composed and put whole, as every frame was before,
// and a memcpy of one whole frame. The play steps of the six ticks between
// two frames run untimed; a round trip after each frame counts the server's
// part. Then the bytes of pixels sent to a server without the shared-memory
// extension per second of play, both ways.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "PlayStage.h"

using namespace nebulark;

namespace {

constexpr int kTicksPerFrame = 6;
constexpr size_t kFrameBytes = size_t{800} * 600 * 4;
constexpr auto kWindow = std::chrono::milliseconds(500);

void Frames(benchmark::State& state, bool whole, int scale = 1) {
    bench::PlayStage& stage = bench::PlayStage::Shared(true, scale);
    if (!stage.Ready()) {
        state.SkipWithError("no X server, or the game could not start level 5");
        return;
    }
    const ImageTraffic before = stage.PutTraffic();
    for (auto _ : state) {
        state.PauseTiming();
        stage.StepWithoutFrames(kTicksPerFrame);
        if (whole) stage.Game().InvalidateFrame();
        state.ResumeTiming();
        stage.Game().RenderFrame();
        XSync(stage.Connection(), False);
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["pixels_per_frame"] = (stage.PutTraffic().pixels - before.pixels) / frames;
    state.counters["puts_per_frame"] = (stage.PutTraffic().puts - before.puts) / frames;
}

void FrameAtLevelFive(benchmark::State& state) {
    Frames(state, false);
}
BENCHMARK(FrameAtLevelFive)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same frame on a desktop at 200 %, enlarged onto a window of 1600 × 1200.
void FrameAtLevelFiveScaleTwo(benchmark::State& state) {
    Frames(state, false, 2);
}
BENCHMARK(FrameAtLevelFiveScaleTwo)->Unit(benchmark::kMicrosecond)->UseRealTime();

void WholeFrameAtLevelFive(benchmark::State& state) {
    Frames(state, true);
}
BENCHMARK(WholeFrameAtLevelFive)->Unit(benchmark::kMicrosecond)->UseRealTime();

void MemcpyOfAWholeFrame(benchmark::State& state) {
    std::vector<uint8_t> source(kFrameBytes, 7), target(kFrameBytes);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(MemcpyOfAWholeFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Windows of play in turns, frames where changed and whole, on a server with
// no shared memory, where every pixel put goes through the connection. The
// whole frame a window of whole frames leaves due is put between the windows.
void BytesSentWithoutSharedMemory(benchmark::State& state) {
    bench::PlayStage& stage = bench::PlayStage::Shared(false);
    if (!stage.Ready()) {
        state.SkipWithError("no X server, or the game could not start level 5");
        return;
    }
    double seconds[2] = {0, 0}, bytes[2] = {0, 0};
    for (auto _ : state)
        for (const bool whole : {false, true}) {
            stage.wholeFrames = whole;
            const uint64_t before = stage.PutTraffic().bytesSent;
            seconds[whole] += stage.RunGame(kWindow).seconds;
            bytes[whole] += static_cast<double>(stage.PutTraffic().bytesSent - before);
            stage.Game().RenderFrame();
        }
    stage.wholeFrames = false;
    state.counters["MB_per_s"] = bytes[0] / seconds[0] / 1e6;
    state.counters["whole_MB_per_s"] = bytes[1] / seconds[1] / 1e6;
}
BENCHMARK(BytesSentWithoutSharedMemory)->Iterations(10)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

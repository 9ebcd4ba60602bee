// Ticks per wall-clock second of the game playing level 5, beside an empty
// 10 ms timer driven by the same event loop on the same server. Timer time
// runs only while the loop is idle, so every millisecond of work in a tick
// slows the game itself; the loss is the share of the empty timer's rate the
// game does not reach. The two run in turns, a short window each per
// iteration, so a change of load on the machine falls on both alike. Beside
// them: the wall time of the game's own work per tick, which the loss follows
// (1 % of the rate is 100 us per tick) and which varies far less with the
// load, and the bullets in flight on average.
#include <benchmark/benchmark.h>

#include <chrono>

#include "PlayStage.h"

using namespace nebulark;

namespace {

constexpr auto kWindow = std::chrono::milliseconds(500);

bench::PlayStage& TheStage() {
    return bench::PlayStage::Shared();
}

void TickRate(benchmark::State& state, bool wholeFrames) {
    bench::PlayStage& stage = TheStage();
    if (!stage.Ready()) {
        state.SkipWithError("no X server, or the game could not start level 5");
        return;
    }
    bench::PlayStage::Window empty, game;
    const long playerBefore = stage.playerBulletsSeen, enemyBefore = stage.enemyBulletsSeen;
    const long rebuildsBefore = stage.rebuilds;
    const auto workBefore = stage.tickWork;
    stage.wholeFrames = wholeFrames;
    for (auto _ : state) {
        const auto e = stage.RunEmptyTimer(kWindow);
        const auto g = stage.RunGame(kWindow);
        empty.seconds += e.seconds;
        empty.ticks += e.ticks;
        game.seconds += g.seconds;
        game.ticks += g.ticks;
    }
    stage.wholeFrames = false;
    const double emptyRate = empty.ticks / empty.seconds;
    const double gameRate = game.ticks / game.seconds;
    const double ticks = game.ticks > 0 ? static_cast<double>(game.ticks) : 1.0;
    state.counters["empty_ticks_per_s"] = emptyRate;
    state.counters["game_ticks_per_s"] = gameRate;
    state.counters["loss_pct"] = 100.0 * (emptyRate - gameRate) / emptyRate;
    state.counters["tick_work_us"] =
        std::chrono::duration<double, std::micro>(stage.tickWork - workBefore).count() / ticks;
    state.counters["player_bullets"] = (stage.playerBulletsSeen - playerBefore) / ticks;
    state.counters["enemy_bullets"] = (stage.enemyBulletsSeen - enemyBefore) / ticks;
    state.counters["rebuilds"] = static_cast<double>(stage.rebuilds - rebuildsBefore);
}
BENCHMARK_CAPTURE(TickRate, frames_where_changed, false)
    ->Iterations(30)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
// Every frame composed and put whole, as before frames cost only what changed.
BENCHMARK_CAPTURE(TickRate, whole_frames, true)
    ->Iterations(30)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

// Ticks per wall-clock second of the game playing level 5, beside an empty
// 10 ms timer driven by the same event loop on the same server. Timer time
// runs only while the loop is idle, so every millisecond of work in a tick
// slows the game itself; the loss is the share of the empty timer's rate the
// game does not reach. The two run in turns, a short window each per
// iteration, so a change of load on the machine falls on both alike. Beside
// them: the wall time of the game's own work per tick, which the loss follows
// (1 % of the rate is 100 us per tick) and which varies far less with the
// load, and the bullets in flight on average. Two more rows play the same
// turns while a second connection sends the game window what a player's
// desktop sends it: the repeats of a held key, or the reports of a moving
// mouse. One more has every frame composed and put whole, as frames were
// before they cost only what changed, and one plays at scale 2.
#include <benchmark/benchmark.h>

#include <chrono>

#include "PlayStage.h"

using namespace nebulark;

namespace {

constexpr auto kWindow = std::chrono::milliseconds(500);

// The game's window of each turn runs under `traffic` when one is given; at
// a scale above 1 the windows are that many times larger each way.
void TickRate(benchmark::State& state, const bench::PlayStage::Traffic* traffic, bool wholeFrames,
              int scale = 1) {
    bench::PlayStage& stage = bench::PlayStage::Shared(true, scale);
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
        const auto g = stage.RunGame(kWindow, traffic);
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
constexpr auto kKeyRepeats = bench::PlayStage::Traffic::KeyRepeat;
constexpr auto kPointerMotion = bench::PlayStage::Traffic::PointerMotion;

BENCHMARK_CAPTURE(TickRate, quiet, nullptr, false)
    ->Iterations(30)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
// The same on a desktop at 200 %: every frame is enlarged onto a window of
// 1600 × 1200.
BENCHMARK_CAPTURE(TickRate, quiet_scale_2, nullptr, false, 2)
    ->Iterations(30)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(TickRate, quiet_whole_frames, nullptr, true)
    ->Iterations(30)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
// A cursor key held, as the server repeats it, 25 times a second.
BENCHMARK_CAPTURE(TickRate, key_repeats, &kKeyRepeats, false)
    ->Iterations(30)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
// The pointer moving over the window, a report every 8 ms.
BENCHMARK_CAPTURE(TickRate, pointer_motion, &kPointerMotion, false)
    ->Iterations(30)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

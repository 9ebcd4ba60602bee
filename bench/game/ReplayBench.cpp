// A recorded game of four levels played again whole, on the game's own window
// on a private Xvfb: once as fast as the machine allows, with what the game's
// ticks cost set apart from what its frames cost, and once at the real pace of
// the game's 10 ms frame timer, with the processor time the game and the X
// server spend per second of play beside the rate an empty 10 ms timer reaches
// in the same event loop. In both the end-of-level and lost-life pauses are
// instant (the stage's clock), so a replay is all play; its last tick also
// brings the title screen back, as the end of every replay does.
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "PlayStage.h"
#include "app/Application.h"
#include "game/KeyActions.h"
#include "replay/RecordingReader.h"

using namespace nebulark;

namespace {

using Clock = std::chrono::steady_clock;

// Far more ticks than the recording holds: a replay that never reaches its
// game over stops here.
constexpr int64_t kMostTicks = 200'000;
// The frame throttle composes a frame once the ticks since the last one add
// up past 50 ms: at every sixth tick from the start of a game.
constexpr int kTicksPerFrame = 6;
// The whole recording takes about 17 s at the real pace.
constexpr auto kMostPlay = std::chrono::seconds(30);
constexpr auto kFloorWindow = std::chrono::seconds(2);
// Ordinary ticks stay far under it, even the one just after a sound player
// was started, which takes some hundreds of microseconds.
constexpr auto kHeavyTick = std::chrono::milliseconds(2);

std::optional<Recording> ReadRecording() {
    return RecordingReader::read(std::string(NEBULARK_RECORDINGS_DIR) + "/four-levels.txt");
}

// The stage for replays: the game at its title screen, frame timer stopped.
bench::PlayStage* ReplayStage(benchmark::State& state, const std::optional<Recording>& recording) {
    if (!recording) {
        state.SkipWithError("the recording four-levels.txt could not be read");
        return nullptr;
    }
    bench::PlayStage& stage =
        bench::PlayStage::Shared(true, 1, bench::PlayStage::Opening::TitleScreen);
    if (!stage.Ready()) {
        state.SkipWithError("no X server, or the game did not reach its title screen");
        return nullptr;
    }
    return &stage;
}

// A replay diverged when it strayed from a checkpoint or its recorded end, or
// never came back to the title screen.
bool Diverged(const FormMain& game) {
    return game.Session().FirstDifference().has_value() || game.Session().IsReplaying() ||
           game.state != kTitle;
}

double Micros(Clock::duration length) {
    return std::chrono::duration<double, std::micro>(length).count();
}

// Every tick of the replay is called in a loop, with no idle wait between
// them. The frames are those the throttle composes, at the same ticks, but
// composed here rather than inside the tick: the throttle is restarted before
// each tick so that it never reaches a frame itself, which lets the tick and
// the frame be timed apart. A frame is timed with a round trip after it, so
// that the server's part of the put counts too. The frames the end-of-level
// and lost-life sequences show from within their tick count as tick work.
//
// A dozen ticks of the replay do far more than the rest: those where a level
// ends or starts, a life is lost or the title comes back read and put a whole
// picture, and those where a UFO is hit start the explosion's sound player, a
// process of its own. They take milliseconds to tens of milliseconds, an
// ordinary tick some microseconds, and they alone would make the mean of all
// ticks; so beside that mean, the ticks under kHeavyTick and the others are
// given apart.
void ReplayAsFastAsPossible(benchmark::State& state) {
    const std::optional<Recording> recording = ReadRecording();
    bench::PlayStage* stage = ReplayStage(state, recording);
    if (stage == nullptr) return;
    FormMain& game = stage->Game();
    Clock::duration tickWork{}, heavyWork{}, frameWork{};
    int64_t ticks = 0, heavy = 0, frames = 0;
    bool diverged = false;
    for (auto _ : state) {
        game.Watch(*recording);
        for (int64_t tick = 1; game.Session().IsReplaying() && tick <= kMostTicks; ++tick) {
            game.RestartFrameThrottle();
            const auto start = Clock::now();
            game.OnTick();
            const auto work = Clock::now() - start;
            tickWork += work;
            ++ticks;
            if (work >= kHeavyTick) {
                heavyWork += work;
                ++heavy;
            }
            if (tick % kTicksPerFrame != 0 || !game.Session().IsReplaying()) continue;
            const uint64_t puts = stage->PutTraffic().puts;
            const auto frameStart = Clock::now();
            game.RenderFrame();
            XSync(stage->Connection(), False);
            // A frame with nothing new in it puts nothing, and is no frame.
            if (stage->PutTraffic().puts == puts) continue;
            frameWork += Clock::now() - frameStart;
            ++frames;
        }
        diverged = diverged || Diverged(game);
    }
    const double replays = static_cast<double>(state.iterations());
    state.counters["tick_us"] = ticks > 0 ? Micros(tickWork) / static_cast<double>(ticks) : 0;
    state.counters["light_tick_us"] =
        ticks > heavy ? Micros(tickWork - heavyWork) / static_cast<double>(ticks - heavy) : 0;
    state.counters["heavy_tick_ms"] =
        heavy > 0 ? Micros(heavyWork) / 1000 / static_cast<double>(heavy) : 0;
    state.counters["heavy_ticks"] = static_cast<double>(heavy) / replays;
    state.counters["frame_us"] = frames > 0 ? Micros(frameWork) / static_cast<double>(frames) : 0;
    state.counters["ticks"] = static_cast<double>(ticks) / replays;
    state.counters["frames"] = static_cast<double>(frames) / replays;
    state.counters["diverged"] = diverged ? 1 : 0;
}
BENCHMARK(ReplayAsFastAsPossible)
    ->Name("Replay/AsFastAsPossible")
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

double OwnProcessSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// User and system time of another process, from fields 14 and 15 of its
// /proc/<pid>/stat; 0 when it cannot be read. The command name, field 2, may
// hold spaces, so the fields are counted from its closing parenthesis.
double OtherProcessSeconds(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(file, line)) return 0;
    const size_t end = line.rfind(')');
    if (end == std::string::npos) return 0;
    std::istringstream fields(line.substr(end + 1));
    std::string field;
    // Field 3 (the state) comes first; utime is field 14.
    for (int skipped = 3; skipped < 14 && fields >> field; ++skipped) {
    }
    unsigned long long user = 0, system = 0;
    if (!(fields >> user >> system)) return 0;
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The whole replay through the real event loop, the game's own frame timer
// calling its tick, so that every tick waits its 10 ms idle and the throttle
// composes every sixth frame as in a game played. Play is timed from the
// replay's start to the tick that ends it. Then a window of the empty timer
// alone, for the rate the loop reaches with nothing to do.
void ReplayRealPace(benchmark::State& state) {
    const std::optional<Recording> recording = ReadRecording();
    bench::PlayStage* stage = ReplayStage(state, recording);
    if (stage == nullptr) return;
    FormMain& game = stage->Game();
    Timer* frameTimer = game.GetFrameTimer();
    const pid_t server = stage->ServerPid();
    double play = 0, gameCpu = 0, serverCpu = 0;
    int64_t ticks = 0;
    bench::PlayStage::Window empty;
    bool diverged = false;
    for (auto _ : state) {
        const double gameBefore = OwnProcessSeconds(), serverBefore = OtherProcessSeconds(server);
        const auto start = Clock::now();
        game.Watch(*recording);
        frameTimer->Start();
        while (game.Session().IsReplaying() && Clock::now() - start < kMostPlay)
            Application::RunPass(stage->Connection());
        frameTimer->Stop();
        XSync(stage->Connection(), False);
        play += std::chrono::duration<double>(Clock::now() - start).count();
        gameCpu += OwnProcessSeconds() - gameBefore;
        serverCpu += OtherProcessSeconds(server) - serverBefore;
        ticks += game.Session().Ticks();
        diverged = diverged || Diverged(game);
        const auto window = stage->RunEmptyTimer(kFloorWindow);
        empty.seconds += window.seconds;
        empty.ticks += window.ticks;
    }
    const double replays = static_cast<double>(state.iterations());
    state.counters["play_s"] = play / replays;
    state.counters["ticks"] = static_cast<double>(ticks) / replays;
    state.counters["ticks_per_s"] = static_cast<double>(ticks) / play;
    state.counters["empty_ticks_per_s"] =
        empty.seconds > 0 ? static_cast<double>(empty.ticks) / empty.seconds : 0;
    state.counters["game_cpu_ms_per_s"] = 1000 * gameCpu / play;
    state.counters["server_cpu_ms_per_s"] = 1000 * serverCpu / play;
    state.counters["diverged"] = diverged ? 1 : 0;
}
BENCHMARK(ReplayRealPace)
    ->Name("Replay/RealPace")
    ->Iterations(2)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

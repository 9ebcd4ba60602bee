#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "app/Screen.h"
#include "game/FormMain.h"
#include "support/EventStream.h"
#include "support/StubAplay.h"
#include "support/TempDir.h"
#include "support/XvfbServer.h"
#include "widgets/DrawingSurface.h"
#include "widgets/Form.h"
#include "widgets/Timer.h"

namespace nebulark::bench {

// The game on a private Xvfb (with or without the shared-memory extension),
// playing level 5 (13 asteroids, 3 UFOs) with five
// player bullets and eleven enemy bullets kept in flight, beside a second form
// whose only content is an empty 10 ms timer. Either timer runs alone while the
// real event loop is driven for a wall-clock window, so the two tick rates can
// be set side by side.
//
// How the population is kept steady:
// - the game's clock is a value of ours: the end-of-level and lost-life pauses
//   are instant, and the clock moves one second before each shot of ours so
//   the shot rate limits let it through;
// - after every game tick the player and enemy bullets are topped up to five
//   and eleven with the game's own firing operations, enemy bullets at heights
//   where a UFO would have fired them;
// - the ship stays at the bottom centre, out of harm: asteroids wrap, UFOs turn
//   back to the top row and enemy bullets leave play above it (their maxY is
//   lowered), so all of them move at their level-5 speeds in the upper field;
// - the UFO hits still needed stay at 20 and the lives at 3, so the level
//   never ends; should it be rebuilt all the same, the clock is moved on
//   until play resumes, and the rebuild is counted;
// - the explosion sound of a UFO hit is started as in the game, with a
//   stand-in audio player that ends at once.
//
// A stage may instead leave its game at the title screen, with the game's own
// frame timer and none of the upkeep above, for games played as the player
// played them (such as recorded ones); the clock and the pauses are still
// ours.
class PlayStage {
public:
    enum class Opening { LevelFive, TitleScreen };

    // At a scale above 1 every window is that many times larger each way, as
    // on a desktop that asks for it.
    explicit PlayStage(bool sharedMemory = true, int scale = 1,
                       Opening opening = Opening::LevelFive);
    ~PlayStage();
    PlayStage(const PlayStage&) = delete;
    PlayStage& operator=(const PlayStage&) = delete;

    // The one stage of the benchmark program, made on first use; asking for
    // another kind of server, another scale or another opening replaces it.
    static PlayStage& Shared(bool sharedMemory = true, int scale = 1,
                             Opening opening = Opening::LevelFive);

    bool Ready() const { return ready; }
    FormMain& Game() { return *game; }
    Display* Connection() const { return screen->GetDisplay(); }
    const ImageTraffic& PutTraffic() const { return game->GetSurface()->Traffic(); }
    pid_t ServerPid() const { return server.Pid(); }

    struct Window {
        double seconds = 0;
        long ticks = 0;
    };
    // Drives the event loop for the given time with only the empty timer
    // running.
    Window RunEmptyTimer(std::chrono::milliseconds length);
    // The same with only the game's frame timer running, and with a stream of
    // input of the given kind sent to the game window meanwhile from a
    // connection of its own, when one is given.
    using Traffic = test::EventStream::Kind;
    Window RunGame(std::chrono::milliseconds length, const Traffic* traffic = nullptr);
    // Game ticks with our upkeep but no frame: the play steps alone.
    void StepWithoutFrames(int ticks);
    // Every frame is composed and put whole, as before frames cost only what
    // changed.
    bool wholeFrames = false;

    // Sums over every game tick so far: the time the game's own tick took
    // (without our upkeep), the bullets in flight after the tick, and the
    // level rebuilds play went through.
    std::chrono::steady_clock::duration tickWork{};
    long playerBulletsSeen = 0;
    long enemyBulletsSeen = 0;
    long gameTicks = 0;
    long rebuilds = 0;
    long emptyTicks = 0;

private:
    test::TempDir dir;
    bool sharedMemory;
    int scale;
    Opening opening;
    test::XvfbServer server;
    std::unique_ptr<test::StubAplay> aplay;
    std::unique_ptr<nebulark::Screen> screen;
    std::unique_ptr<FormMain> game;
    std::unique_ptr<Form> emptyForm;
    std::unique_ptr<Timer> emptyTimer;
    bool ready = false;
    bool wasPlaying = false;
    int nextEnemyRow = 0;

    bool Pump(const std::function<bool()>& done, std::chrono::milliseconds limit);
    bool StartLevelFive();
    Window Drive(std::chrono::milliseconds length, long& ticks);
    void AfterGameTick();
    void KeepOutOfHarm();
    void TopUp();

    static void GameTick(Timer* timer);
    static void EmptyTick(Timer* timer);
};

}  // namespace nebulark::bench

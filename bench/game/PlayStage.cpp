#include "PlayStage.h"

#include <unistd.h>

#include <cstdlib>

#include "app/Application.h"
#include "game/GameGlobals.h"
#include "game/KeyActions.h"
#include "game/MovingSprite.h"
#include "support/GameData.h"

namespace nebulark::bench {

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kLevel = 5;
constexpr int kPlayerBullets = 5;
constexpr int kEnemyBullets = 11;
// Nothing moves below this row, so nothing reaches the ship (its top is 485).
constexpr int kSafeMaxY = 400;
// Heights at which a UFO of the upper rows would fire (its y + 40 + 5).
constexpr int kEnemyRows[] = {65, 95, 125, 155, 185, 215};

PlayStage* current = nullptr;

// A held key repeats 25 times a second; a mouse reports every 8 ms.
std::chrono::microseconds PeriodOf(PlayStage::Traffic traffic) {
    using std::chrono::microseconds;
    return traffic == PlayStage::Traffic::KeyRepeat ? microseconds(40000) : microseconds(8000);
}
DateTime benchTime;

template <class List>
int Alive(const List& list) {
    int alive = 0;
    for (const auto& sprite : list) {
        const auto* moving = dynamic_cast<const MovingSprite*>(sprite.get());
        if (moving == nullptr || moving->alive) ++alive;
    }
    return alive;
}

}  // namespace

PlayStage& PlayStage::Shared(bool sharedMemory, int scale, Opening opening) {
    static std::unique_ptr<PlayStage> stage;
    if (stage == nullptr || stage->sharedMemory != sharedMemory || stage->scale != scale ||
        stage->opening != opening) {
        stage.reset();
        stage = std::make_unique<PlayStage>(sharedMemory, scale, opening);
    }
    return *stage;
}

PlayStage::PlayStage(bool sharedMemory, int scale, Opening opening)
    : sharedMemory(sharedMemory), scale(scale), opening(opening) {
    current = this;
    const std::vector<std::string> withoutShm = {"-extension", "MIT-SHM"};
    if (!test::LinkGameData(NEBULARK_DATA_DIR) ||
        !server.Start(24, (kWidth + 100) * scale, (kHeight + 100) * scale,
                      sharedMemory ? std::vector<std::string>{} : withoutShm))
        return;
    setenv("DISPLAY", server.DisplayName().c_str(), 1);
    aplay = std::make_unique<test::StubAplay>(dir.Path() + "/bin", 0);

    GameClock& clock = gameGlobals().clock;
    clock.now = [] { return benchTime; };
    clock.pause = [](unsigned) {};

    setenv("NEBULARK_SCALE", std::to_string(scale).c_str(), 1);
    screen = std::make_unique<nebulark::Screen>("bench");
    unsetenv("NEBULARK_SCALE");
    if (screen->GetDisplay() == nullptr) return;
    emptyForm = std::make_unique<Form>(0);
    emptyForm->SetScreen(screen.get());
    emptyForm->SetSize(100, 100);
    emptyForm->Create();
    emptyTimer = std::make_unique<Timer>(emptyForm.get(), 10);
    emptyTimer->setOnElapsed(EmptyTick);

    game = std::make_unique<FormMain>(screen.get(), "bench");
    game->useJoystick = false;
    Application::BeginRun(game.get());
    if (!Pump([this] { return game->state == kTitle; }, std::chrono::seconds(10))) return;
    if (opening == Opening::LevelFive) {
        ready = StartLevelFive();
    } else if (Timer* frameTimer = game->GetFrameTimer()) {
        // The title screen waits, as level 5 does, for a window of play.
        frameTimer->Stop();
        ready = true;
    }
}

PlayStage::~PlayStage() {
    if (game != nullptr) Application::EndRun(game.get());
    emptyTimer.reset();
    game.reset();
    emptyForm.reset();
    screen.reset();
    current = nullptr;
}

bool PlayStage::Pump(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        Application::RunPass(screen->GetDisplay());
    }
    return true;
}

// A new game as the G key starts it, then level 5 built in its place. The
// frame timer is stopped again until a window of play begins.
bool PlayStage::StartLevelFive() {
    Timer* frameTimer = game->GetFrameTimer();
    if (frameTimer == nullptr) return false;
    frameTimer->setOnElapsed(GameTick);
    game->KeyTyped('G');
    game->level = kLevel;
    game->StartLevel();
    KeepOutOfHarm();
    TopUp();
    frameTimer->Stop();
    wasPlaying = game->state == kPlaying;
    return wasPlaying && game->enemies.size() == 16;
}

PlayStage::Window PlayStage::RunEmptyTimer(std::chrono::milliseconds length) {
    emptyTimer->Start();
    const Window window = Drive(length, emptyTicks);
    emptyTimer->Stop();
    return window;
}

PlayStage::Window PlayStage::RunGame(std::chrono::milliseconds length, const Traffic* traffic) {
    std::unique_ptr<test::EventStream> stream;
    if (traffic != nullptr)
        stream =
            std::make_unique<test::EventStream>(game->GetWindow(), *traffic, PeriodOf(*traffic));
    game->GetFrameTimer()->Start();
    const Window window = Drive(length, gameTicks);
    game->GetFrameTimer()->Stop();
    return window;
}

// The window is measured from its first tick to its last: the idle time the
// loop had gathered towards a step when the last window ended would otherwise
// count in this one.
PlayStage::Window PlayStage::Drive(std::chrono::milliseconds length, long& ticks) {
    const long before = ticks;
    const auto end = std::chrono::steady_clock::now() + length;
    std::chrono::steady_clock::time_point first, last;
    long seen = ticks;
    for (auto now = std::chrono::steady_clock::now(); now < end;
         now = std::chrono::steady_clock::now()) {
        Application::RunPass(screen->GetDisplay());
        if (ticks == seen) continue;
        last = std::chrono::steady_clock::now();
        if (seen == before) first = last;
        seen = ticks;
    }
    if (ticks - before < 2) return Window{};
    return Window{std::chrono::duration<double>(last - first).count(), ticks - before - 1};
}

void PlayStage::StepWithoutFrames(int ticks) {
    for (int tick = 0; tick < ticks; ++tick) {
        if (game->state == kPlaying)
            game->PlayStep();
        else if (game->state == kIntermission)
            game->IntermissionStep();
        AfterGameTick();
    }
}

// The frame timer's callback: the game's tick as the timer would call it, then
// our upkeep of the population.
void PlayStage::GameTick(Timer* timer) {
    if (current == nullptr || current->game == nullptr) return;
    if (timer->GetParent() != current->game.get()) return;
    const auto start = std::chrono::steady_clock::now();
    if (current->wholeFrames) current->game->InvalidateFrame();
    current->game->OnTick();
    current->tickWork += std::chrono::steady_clock::now() - start;
    current->AfterGameTick();
}

void PlayStage::EmptyTick(Timer*) {
    if (current != nullptr) ++current->emptyTicks;
}

void PlayStage::AfterGameTick() {
    ++gameTicks;
    FormMain& play = *game;
    play.hitsLeft = kHitsPerLevel;
    play.lives = 3;
    const bool playing = play.state == kPlaying;
    if (!playing) {
        // Lets the intermission's deadline pass.
        benchTime.addSeconds(1);
    } else if (!wasPlaying) {
        ++rebuilds;
    }
    wasPlaying = playing;
    if (!playing) return;
    KeepOutOfHarm();
    TopUp();
    playerBulletsSeen += Alive(play.playerBullets);
    enemyBulletsSeen += Alive(play.enemyBullets);
}

void PlayStage::KeepOutOfHarm() {
    for (auto* list : {&game->enemies, &game->enemyBullets})
        for (auto& sprite : *list)
            if (auto* moving = dynamic_cast<MovingSprite*>(sprite.get())) moving->maxY = kSafeMaxY;
}

void PlayStage::TopUp() {
    while (Alive(game->playerBullets) < kPlayerBullets) {
        benchTime.addSeconds(1);
        if (game->FirePlayerBullet() == nullptr) break;
    }
    while (Alive(game->enemyBullets) < kEnemyBullets) {
        benchTime.addSeconds(1);
        const int row = kEnemyRows[nextEnemyRow++ % std::size(kEnemyRows)];
        if (game->FireEnemyBullet(row) == nullptr) break;
    }
    KeepOutOfHarm();
}

}  // namespace nebulark::bench

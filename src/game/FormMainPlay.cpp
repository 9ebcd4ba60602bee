#include <X11/keysym.h>

#include <algorithm>

#include "app/Screen.h"
#include "app/Tick.h"
#include "game/FormMain.h"
#include "game/GameGlobals.h"
#include "game/KeyActions.h"
#include "game/LevelTable.h"
#include "game/MovementAsteroide.h"
#include "game/MovementBullet.h"
#include "game/MovementBulletNemico.h"
#include "game/MovementUfo.h"
#include "game/PlayRules.h"
#include "game/SpritePlayer.h"
#include "game/SpriteTermometro.h"
#include "input/JoystickSnapshot.h"
#include "sound/SoundPlayer.h"
#include "util/ProcessUtils.h"

namespace nebulark {

namespace {

// The ship never enters the status strip.
constexpr int kShipTop = 25;
constexpr int kShotInterval = 20;
constexpr int kEnemyShotInterval = 100;
constexpr int kGaugeX = 0;
constexpr int kGaugeY = 40;
// About 30 seconds of play, counted in ticks so that no clock is read per tick.
constexpr int kPresenceTicks = 3000;

int AliveCount(const FormMain::SpriteList& list) {
    return static_cast<int>(std::count_if(list.begin(), list.end(), [](const auto& sprite) {
        const auto* moving = dynamic_cast<const MovingSprite*>(sprite.get());
        return moving == nullptr || moving->alive;
    }));
}

// Erases the first entry whose sprite has the given id.
template <class List, class SpriteOf>
void EraseFirstOf(List& list, int id, SpriteOf spriteOf) {
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&](const auto& entry) { return spriteOf(entry)->Id() == id; });
    if (found != list.end()) list.erase(found);
}

void RemoveFrom(FormMain::SpriteList& list, int id) {
    EraseFirstOf(list, id, [](const std::unique_ptr<Sprite>& s) { return s.get(); });
}

// A strategy comes due when its counter, advanced by one tick, reaches its
// interval; the listed one then starts counting again.
void Advance(SpriteAnim& strategy) {
    strategy.counter += kTickMs;
    if (strategy.counter >= strategy.interval) strategy.counter = 0;
}

}  // namespace

// A replay the watcher holds runs no tick, but its frames are still shown.
void FormMain::OnTick() {
    GameGlobals& globals = gameGlobals();
    if (globals.tickGuard) return;
    globals.tickGuard = true;
    if (!session.IsHeld()) {
        BeginTick();
        // The title's texts are drawn on the window and read back from it,
        // which an unmapped window cannot give: its blinking waits until it
        // is shown.
        if (state == kTitle && IsWindowMapped())
            TitleStep();
        else if (state == kPlaying)
            PlayStep();
        else if (state == kIntermission)
            IntermissionStep();
        EndTick();
    }
    globals.tickGuard = false;
    FormGames::OnTick();
}

// The tick steps copies of the strategies, because a step may delete
// strategies, sprites or whole lists; it stops as soon as a step has left the
// playing state.
void FormMain::PlayStep() {
    StrategyList copies;
    copies.reserve(animations.size() + movements.size());
    for (StrategyList* list : {&animations, &movements}) {
        for (const auto& strategy : *list) {
            copies.emplace_back(strategy->Clone());
            Advance(*strategy);
        }
    }
    for (auto& copy : copies) {
        if (state != kPlaying) break;
        copy->counter += kTickMs;
        if (copy->counter >= copy->interval) copy->Step();
        copy.reset();
    }
    if (state != kPlaying) return;
    InputStep();
    KeepScreenAwake();
}

// Left and Right held together cancel out within the tick; the fire button
// fires whether or not the stick steers.
void FormMain::InputStep() {
    const JoystickSnapshot stick =
        session.IsReplaying() ? JoystickSnapshot(session.ReplayJoystick()) : JoystickSnapshot();
    session.NoteJoystick(stick.bytes());
    const bool steer = useJoystick;
    if (IsKeyHeld(XK_Left) || (steer && stick.left())) MoveShipX(stepBack);
    if (IsKeyHeld(XK_Up) || (steer && stick.up())) MoveShipY(stepBack);
    if (IsKeyHeld(XK_Right) || (steer && stick.right())) MoveShipX(stepForward);
    if (IsKeyHeld(XK_Down) || (steer && stick.down())) MoveShipY(stepForward);
    if (IsKeyHeld(XK_space) || stick.fire()) FirePlayerBullet();
}

bool FormMain::MoveShipX(int dx) {
    if (player == nullptr) return false;
    const Point at = player->Position();
    const int x = at.x + dx;
    if (x < 0 || x > playerKind.areaWidth - playerKind.width) return false;
    player->PlaceAt(x, at.y);
    DrawSprite(player.get());
    return true;
}

bool FormMain::MoveShipY(int dy) {
    if (player == nullptr) return false;
    const Point at = player->Position();
    const int y = at.y + dy;
    if (y < kShipTop || y > playerKind.areaHeight - playerKind.height) return false;
    player->PlaceAt(at.x, y);
    DrawSprite(player.get());
    return true;
}

// Both sides' shots are aimed from the ship: none leaves while there is no
// ship, and `place` puts the new bullet relative to the top centre of the
// ship before it is drawn.
template <class Bullet, class Motion, class Place>
Bullet* FormMain::FireBullet(ShotLimiter& shots, SpriteList& list, SpriteKind& kind, int interval,
                             Place place) {
    const DateTime now = gameGlobals().Now();
    if (player == nullptr || !shots.MayFire(AliveCount(list), now)) return nullptr;
    shots.Fired(now);
    auto bullet = CreateAs<Bullet>(kind);
    if (bullet == nullptr) return nullptr;
    const Point ship = player->Position();
    place(*bullet, Point{ship.x + player->Dimensions().width / 2, ship.y});
    DrawSprite(bullet.get());
    movements.push_back(std::make_unique<Motion>(this, &kind, bullet.get(), interval));
    return AddTo(list, std::move(bullet));
}

// The shot leaves from the top centre of the ship.
SpriteBullet* FormMain::FirePlayerBullet() {
    return FireBullet<SpriteBullet, MovementBullet>(
        gameGlobals().playerShots, playerBullets, bulletKind, kShotInterval,
        [](SpriteBullet& bullet, Point shipTop) { bullet.PlaceAt(shipTop.x, shipTop.y); });
}

void FormMain::StartLevel() {
    state = kBuilding;
    ClearLevel();
    ShowPicture("Data/blank.bin");
    hitsLeft = kHitsPerLevel;
    Populate();
    PlaceShip();
    PlaceGauge();
    DrawStatusLine();
    // A level that begins while the player is away waits for P. In a replay
    // the recording says when the player was away.
    state = kPlaying;
    if (!session.IsReplaying() && PlayerAway()) {
        state = kPaused;
        session.NoteAway();
    }
    SetSingleKeyMode(false);
}

void FormMain::ClearLevel() {
    ClearSprites();
    ClearStrategies();
    enemies.clear();
    playerBullets.clear();
    enemyBullets.clear();
    player.reset();
    thermometer.reset();
}

void FormMain::ClearStrategies() {
    animations.clear();
    movements.clear();
}

void FormMain::Populate() {
    const LevelPopulation population = PopulationOf(level);
    for (const char kind : population.asteroids)
        SpawnAsteroid(kind == 'A' ? asteroidKindA : asteroidKindB);
    for (const int interval : population.ufoIntervals)
        SpawnUfo(interval);
}

// Bottom centre of the field.
void FormMain::PlaceShip() {
    player = CreateAs<SpritePlayer>(playerKind);
    if (player == nullptr) return;
    player->PlaceAt((playerKind.areaWidth - playerKind.width) / 2,
                    playerKind.areaHeight - playerKind.height);
    DrawSprite(player.get());
}

void FormMain::PlaceGauge() {
    thermometer = CreateAs<SpriteTermometro>(thermometerKind);
    if (thermometer == nullptr) return;
    thermometer->SetFrame(0);
    thermometer->PlaceAt(kGaugeX, kGaugeY);
    DrawSprite(thermometer.get());
}

// Asteroids fall faster with every level, by a larger step and a shorter
// interval; they start at the top row, never in the leftmost column.
SpriteAsteroidi* FormMain::SpawnAsteroid(SpriteKind& kind) {
    auto asteroid = CreateAs<SpriteAsteroidi>(kind);
    if (asteroid == nullptr) return nullptr;
    const int x = RandomInt(1, asteroid->maxX);
    const int interval =
        AsteroidInterval(kind.speedBase, level, RandomInt(kind.speedSpread / 2, kind.speedSpread));
    asteroid->stepY = AsteroidFallStep(RandomInt(level + 4, level + 7), kind.height);
    asteroid->PlaceAt(x, kTopRow);
    DrawSprite(asteroid.get());
    AddAnimation(kind, asteroid.get());
    movements.push_back(std::make_unique<MovementAsteroide>(this, &kind, asteroid.get(), interval));
    return AddTo(enemies, std::move(asteroid));
}

// A new UFO starts out of sight, 1 … 100 pixels beyond the side it enters
// from, in the upper third of the field.
SpriteUfo* FormMain::SpawnUfo(int interval) {
    auto ufo = CreateAs<SpriteUfo>(ufoKind);
    if (ufo == nullptr) return nullptr;
    const int y = RandomInt(kTopRow, ufo->maxY / 3);
    const int c = RandomInt(1, 100);
    ufo->PlaceAt(ufo->movingRight ? ufo->minX - c : ufo->maxX + c, y);
    DrawSprite(ufo.get());
    AddAnimation(ufoKind, ufo.get());
    movements.push_back(std::make_unique<MovementUfo>(this, &ufoKind, ufo.get(), interval));
    return AddTo(enemies, std::move(ufo));
}

void FormMain::AddAnimation(SpriteKind& kind, Sprite* sprite) {
    sprite->SetFrame(kind.firstFrame);
    animations.push_back(std::make_unique<SpriteAnimazione>(this, &kind, sprite));
}

// The bullet starts straight above the ship's centre line, at the height the
// UFO gives, drifting to a side drawn at random.
SpriteBulletNemico* FormMain::FireEnemyBullet(int y) {
    return FireBullet<SpriteBulletNemico, MovementBulletNemico>(
        gameGlobals().enemyShots, enemyBullets, enemyBulletKind, kEnemyShotInterval,
        [y](SpriteBulletNemico& bullet, Point shipTop) {
            bullet.movingRight = RandomInt(1, 2) == 1;
            bullet.PlaceAt(shipTop.x, y);
        });
}

void FormMain::UfoHit(int points) {
    score += points;
    DrawStatusLine();
    --hitsLeft;
    if (thermometer != nullptr) {
        thermometer->SetFrame(GaugeFrame(hitsLeft));
        DrawSprite(thermometer.get());
    }
    if (hitsLeft == 0) LevelComplete();
}

void FormMain::PlayExplosion() {
    soundPlayer->play("Data/Explosion.wav", false);
}

void FormMain::RemoveMovementOf(const Sprite* sprite) {
    EraseFirstOf(movements, sprite->Id(),
                 [](const std::unique_ptr<SpriteAnim>& strategy) { return strategy->sprite; });
}

void FormMain::RemovePlayerBullet(Sprite* sprite) {
    const int id = sprite->Id();
    RemoveSprite(sprite);
    RemoveFrom(playerBullets, id);
}

void FormMain::RemoveEnemyBullet(Sprite* sprite) {
    const int id = sprite->Id();
    RemoveSprite(sprite);
    RemoveFrom(enemyBullets, id);
}

void FormMain::RetirePlayerBullet(SpriteBullet* bullet) {
    EraseSprite(bullet);
    RemoveMovementOf(bullet);
    bullet->alive = false;
    RemovePlayerBullet(bullet);
}

void FormMain::RetireEnemyBullet(SpriteBulletNemico* bullet) {
    RemoveMovementOf(bullet);
    bullet->alive = false;
    RemoveEnemyBullet(bullet);
}

void FormMain::CheckShipHit(const Sprite& sprite, int inset) {
    if (player != nullptr && sprite.CollidesWith(*player, inset, 10)) LifeLost();
}

void FormMain::KeepScreenAwake() {
    int& ticks = gameGlobals().ticksSincePresence;
    if (++ticks < kPresenceTicks) return;
    ticks = 0;
    if (Screen* display = GetScreen()) display->ResetScreenSaver();
}

}  // namespace nebulark

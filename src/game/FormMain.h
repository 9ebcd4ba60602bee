#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <string>
#include <vector>

#include "game/PlaySession.h"
#include "gameframework/FormGames.h"
#include "gameframework/Sprite.h"
#include "gameframework/SpriteAnim.h"
#include "gameframework/SpriteKind.h"

namespace nebulark {

class FormNamePlayer;
class Screen;
class ShotLimiter;
class SoundPlayer;
class SpriteAsteroidi;
class SpriteBullet;
class SpriteBulletNemico;
class SpritePlayer;
class SpriteTermometro;
class SpriteUfo;

// The game: the main window, with its pictures, its seven kinds of sprite,
// the sprites and the strategies that move them, the title screen's high
// scores, the name entry of the last game over and the sound player.
//
// Construction, loading and the sprite factory are in FormMain.cpp, the play
// of a level in FormMainPlay.cpp, the states and screens around it in
// FormMainScreens.cpp.
class FormMain : public FormGames {
public:
    FormMain(Screen* screen, const std::string& title);
    ~FormMain() override;

    // The title screen: pictures, background, credit line and high scores.
    void RunApp() override;
    // Sizes, frames and intervals of the seven kinds for a new game.
    void ConfigureKinds();
    // A sprite of the class the kind's name chooses, with its bounds, appended
    // to the sprite list; null for a name the game does not know.
    std::unique_ptr<Sprite> CreateSprite(SpriteKind& kind);

    // Play (FormMainPlay.cpp).
    void OnTick() override;
    void PlayStep();
    void InputStep();
    bool MoveShipX(int dx);
    bool MoveShipY(int dy);
    SpriteBullet* FirePlayerBullet();
    void StartLevel() override;
    SpriteAsteroidi* SpawnAsteroid(SpriteKind& kind);
    SpriteUfo* SpawnUfo(int interval);
    void AddAnimation(SpriteKind& kind, Sprite* sprite);
    SpriteBulletNemico* FireEnemyBullet(int y);
    void UfoHit(int points);
    void PlayExplosion();
    void RemoveMovementOf(const Sprite* sprite);
    // Takes the bullet out of the sprite list and its own list, and deletes it.
    void RemovePlayerBullet(Sprite* sprite);
    void RemoveEnemyBullet(Sprite* sprite);
    // A shot that has hit or left the field goes, with its movement.
    void RetirePlayerBullet(SpriteBullet* bullet);
    // An enemy bullet past the bottom goes, with its movement; it is not
    // erased first.
    void RetireEnemyBullet(SpriteBulletNemico* bullet);
    // A life is lost when the sprite, shrunk by `inset`, meets the ship shrunk
    // by 10.
    void CheckShipHit(const Sprite& sprite, int inset);

    // States and screens (FormMainScreens.cpp).
    bool KeyTyped(char character) override;
    // A level in play pauses when the player leaves the window.
    void OnKeyboardLost() override;
    // Another window has the focus, or the window is unmapped (iconified, or
    // on another desktop).
    bool PlayerAway() const;
    void TitleStep();
    void DrawStatusLine();
    void IntermissionStep();
    void LevelComplete();
    void LifeLost();
    void GameOver();
    // Stores the result once the name form has closed.
    void SaveHighScore();
    // Ends the sound playing in the background, if any.
    void StopSound();

    // Recorded games (FormMainReplay.cpp).
    void KeyPressed(KeySym keysym) override;
    void KeyReleased(KeySym keysym) override;
    // R on the title screen: the best game of the table that has a recording
    // is played again; nothing when none has.
    void WatchBest();
    // The recorded game is played again, from its seed and start time.
    void Watch(Recording recording);
    // The replay ends, and the title screen is shown again.
    void EndReplay();
    const PlaySession& Session() const { return session; }

    SpritePlayer* Player() const { return player.get(); }
    SpriteTermometro* Thermometer() const { return thermometer.get(); }
    FormNamePlayer* NameForm() const { return nameForm.get(); }

    using SpriteList = std::vector<std::unique_ptr<Sprite>>;
    using StrategyList = std::vector<std::unique_ptr<SpriteAnim>>;

    SpriteList enemies;
    SpriteList playerBullets;
    SpriteList enemyBullets;
    bool useJoystick = true;
    int stepBack = -2;
    int stepForward = 2;
    int hitsLeft = 0;
    StrategyList animations;
    StrategyList movements;
    std::vector<std::string> topTen;
    int topTenIndex = 0;
    int textHeight = 0;
    int state = 0;
    SpriteKind playerKind;
    SpriteKind bulletKind;
    SpriteKind asteroidKindA;
    SpriteKind asteroidKindB;
    SpriteKind enemyBulletKind;
    SpriteKind ufoKind;
    SpriteKind thermometerKind;
    std::unique_ptr<SpritePlayer> player;
    std::unique_ptr<SpriteTermometro> thermometer;

private:
    struct Strip {
        XImage* image = nullptr;
        unsigned fileSize = 0;
    };
    Strip playerImage;
    Strip asteroidImage;
    Strip ufoImage;
    Strip enemyBulletImage;
    Strip thermometerImage;

    std::unique_ptr<FormNamePlayer> nameForm;
    std::unique_ptr<SoundPlayer> soundPlayer;
    PlaySession session;
    // The window's title outside replays.
    std::string title;

    void LoadStrips();
    void LoadStrip(const char* path, int width, int height, Strip& strip);
    void ReleaseStrips();
    // Deletes every sprite and strategy of the last level, and empties the
    // sprite list.
    void ClearLevel();
    void ClearStrategies();
    // Builds the level's asteroids and UFOs, then the ship and the gauge.
    void Populate();
    void PlaceShip();
    void PlaceGauge();
    // The sprite the factory made for a kind whose class is T; null (and the
    // sprite gone from the sprite list) for any other.
    template <class T>
    std::unique_ptr<T> CreateAs(SpriteKind& kind);
    template <class T>
    T* AddTo(SpriteList& list, std::unique_ptr<T> sprite);
    // A shot of either side, if its limiter lets one leave: a bullet of the
    // kind, placed, drawn, moved every `interval` ms and listed.
    template <class Bullet, class Motion, class Place>
    Bullet* FireBullet(ShotLimiter& shots, SpriteList& list, SpriteKind& kind, int interval,
                       Place place);
    // What a typed character does in the game's state, live or recorded.
    void Act(char character);
    // A new game from level 1, live or replayed.
    void BeginGame();
    // The clock for the tick, and the recorded inputs due before it.
    void BeginTick();
    // What the tick did goes into the digest; a replay past its recorded end
    // stops.
    void EndTick();
    void DigestTick(PlayDigest& digest) const;
    void ApplyRecorded(const Recording::Event& event);
    // The game over of a replay: it is compared with the recorded one.
    void ReplayOver();
    void LogDifference() const;
    // A background picture, with the replay's sign over it during a replay.
    void ShowPicture(const char* path);
    void DrawReplaySign();
    // The last game's recording is stored beside the table.
    void SaveRecording(const std::string& tableLine);
    // Tells the X server the player is there while a level is played with the
    // joystick alone, which sends no X events, so the screen saver stays off.
    void KeepScreenAwake();
};

template <class T>
inline std::unique_ptr<T> FormMain::CreateAs(SpriteKind& kind) {
    std::unique_ptr<Sprite> made = CreateSprite(kind);
    if (dynamic_cast<T*>(made.get()) == nullptr) {
        RemoveSprite(made.get());
        return nullptr;
    }
    return std::unique_ptr<T>(static_cast<T*>(made.release()));
}

template <class T>
inline T* FormMain::AddTo(SpriteList& list, std::unique_ptr<T> sprite) {
    T* added = sprite.get();
    if (added != nullptr) list.push_back(std::move(sprite));
    return added;
}

}  // namespace nebulark

#include "game/FormMain.h"

#include "dialogs/FormNamePlayer.h"
#include "game/GameGlobals.h"
#include "game/GameTexts.h"
#include "game/KeyActions.h"
#include "game/PlayRules.h"
#include "game/SpriteAsteroidi.h"
#include "game/SpriteBullet.h"
#include "game/SpriteBulletNemico.h"
#include "game/SpritePlayer.h"
#include "game/SpriteTermometro.h"
#include "game/SpriteUfo.h"
#include "images/AppIcon.h"
#include "scores/HighScoreTable.h"
#include "sound/SoundPlayer.h"
#include "widgets/XImageConversion.h"

namespace nebulark {

namespace {

constexpr int32_t kFormWidth = 800;
constexpr int32_t kFormHeight = 600;

struct KindValues {
    const char* name;
    int width;
    int height;
    int firstFrame;
    int lastFrame;
    int interval;
};

void Configure(SpriteKind& kind, const KindValues& values, Size area) {
    kind.areaWidth = area.width;
    kind.areaHeight = area.height;
    kind.name = values.name;
    kind.width = values.width;
    kind.height = values.height;
    kind.firstFrame = values.firstFrame;
    kind.lastFrame = values.lastFrame;
    kind.interval = values.interval;
}

// Asteroids and enemy bullets stay inside the field, below the top row.
MotionBounds FieldBounds(const SpriteKind& kind) {
    return MotionBounds{0, kind.areaWidth - kind.width, kTopRow, kind.areaHeight - kind.height};
}

// UFOs leave the field completely on either side before they wrap.
MotionBounds SweepBounds(const SpriteKind& kind) {
    return MotionBounds{-kind.width, kind.areaWidth, kTopRow, kind.areaHeight - kind.height};
}

}  // namespace

FormMain::FormMain(Screen* screen, const std::string& title)
    : FormGames(screen, title, kFormWidth, kFormHeight),
      soundPlayer(std::make_unique<SoundPlayer>()),
      title(title) {
    SetIcon(appIcon());
}

// Sprites go before the strips they were cut from, and the name form before
// the form it belongs to.
FormMain::~FormMain() {
    soundPlayer->terminate();
    soundPlayer.reset();
    ClearSprites();
    player.reset();
    enemies.clear();
    playerBullets.clear();
    enemyBullets.clear();
    thermometer.reset();
    ClearStrategies();
    ReleaseStrips();
    nameForm.reset();
}

void FormMain::StopSound() {
    soundPlayer->stop();
}

void FormMain::RunApp() {
    deferredDrawing = true;
    SetSingleKeyMode(true);
    RenderText(10, 60, kLoadingText, 0xFFFFFF);
    gameGlobals().clock.pause(1);
    // The last game's sprites still point into the strips about to be
    // released; they are unlisted since that game ended, and go now.
    ClearLevel();
    LoadStrips();
    RenderSfondo("Data/logo.bin");
    RenderText(210, 250, kCreditText, 0xFFFF00);
    textHeight = TextHeight();
    topTen = HighScoreTable(kGameName).read();
    state = kTitle;
    Focus();
}

void FormMain::LoadStrips() {
    LoadStrip("Data/player.bin", 64, 115, playerImage);
    LoadStrip("Data/asteroide_notte.bin", 45, 640, asteroidImage);
    LoadStrip("Data/bullet.bin", 13, 24, enemyBulletImage);
    LoadStrip("Data/ufo.bin", 40, 160, ufoImage);
    LoadStrip("Data/termometro.bin", 160, 200, thermometerImage);
}

void FormMain::LoadStrip(const char* path, int width, int height, Strip& strip) {
    destroyXImage(strip.image);
    strip = Strip{};
    loadRawImage(this, path, width, height, strip.image, strip.fileSize);
}

void FormMain::ReleaseStrips() {
    for (Strip* strip :
         {&playerImage, &asteroidImage, &ufoImage, &enemyBulletImage, &thermometerImage}) {
        destroyXImage(strip->image);
        *strip = Strip{};
    }
}

void FormMain::ConfigureKinds() {
    const Size area = GetExtent();
    Configure(playerKind, {"player", 64, 115, 0, 0, 100}, area);
    Configure(bulletKind, {"bullet", 3, 3, 0, 0, 60}, area);
    Configure(enemyBulletKind, {"bulletNemico", 13, 24, 0, 0, 200}, area);
    Configure(ufoKind, {"ufo", 40, 40, 0, 3, 200}, area);
    Configure(asteroidKindA, {"asteroide", 45, 63, 0, 4, 200}, area);
    Configure(asteroidKindB, {"asteroide", 45, 63, 6, 9, 200}, area);
    Configure(thermometerKind, {"termometro", 160, 20, 0, 9, 60}, area);
}

std::unique_ptr<Sprite> FormMain::CreateSprite(SpriteKind& kind) {
    const int w = kind.width;
    const int h = kind.height;
    std::unique_ptr<Sprite> sprite;
    if (kind.name == "player") {
        sprite = std::make_unique<SpritePlayer>(this, playerImage.image, w, h);
    } else if (kind.name == "termometro") {
        sprite = std::make_unique<SpriteTermometro>(this, thermometerImage.image, w, h);
    } else if (kind.name == "asteroide") {
        auto asteroid = std::make_unique<SpriteAsteroidi>(this, asteroidImage.image, w, h);
        asteroid->SetBounds(FieldBounds(kind));
        sprite = std::move(asteroid);
    } else if (kind.name == "ufo") {
        auto ufo = std::make_unique<SpriteUfo>(this, ufoImage.image, w, h);
        ufo->SetBounds(SweepBounds(kind));
        ufo->movingRight = true;
        sprite = std::move(ufo);
    } else if (kind.name == "bulletNemico") {
        auto bullet = std::make_unique<SpriteBulletNemico>(this, enemyBulletImage.image, w, h);
        bullet->SetBounds(FieldBounds(kind));
        bullet->movingRight = true;
        sprite = std::move(bullet);
    } else if (kind.name == "bullet") {
        sprite = std::make_unique<SpriteBullet>(this, w, h);
    }
    AddSprite(sprite.get());
    return sprite;
}

}  // namespace nebulark

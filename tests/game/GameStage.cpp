#include "GameStage.h"

#include <unistd.h>

#include <X11/keysym.h>

#include <cstdlib>

#include "WidgetKit.h"
#include "controls/MyImage.h"
#include "game/GameGlobals.h"
#include "game/KeyActions.h"
#include "game/SpritePlayer.h"
#include "gameframework/FrameImage.h"
#include "support/GameData.h"

namespace nebulark::test {

void GameStage::SetUp() {
    ASSERT_TRUE(LinkGameData(NEBULARK_DATA_DIR));
    player = std::make_unique<StubAplay>(dir.Path() + "/bin", 0);
    GameClock& clock = gameGlobals().clock;
    clock.now = [this] { return now; };
    clock.pause = [this](unsigned seconds) { pauses.push_back(seconds); };
    screen = std::make_unique<nebulark::Screen>("game");
    game = std::make_unique<FormMain>(screen.get(), "Nebulark test");
    ASSERT_TRUE(PumpUntil(screen->GetDisplay(), [this] { return game->state == kTitle; }));
    Settle();
}

void GameStage::TearDown() {
    game.reset();
    WaitUntil([this] { return player->NoneRunning(); }, [] { usleep(10000); });
}

void GameStage::Settle() {
    driver.Sync();
    Drain(screen->GetDisplay());
}

void GameStage::StartGame() {
    game->KeyTyped('g');
    ASSERT_EQ(game->state, kPlaying);
}

void GameStage::AdvanceClock(int seconds) {
    now.addSeconds(seconds);
}

void GameStage::FinishIntermission() {
    ASSERT_EQ(game->state, kIntermission);
    game->IntermissionStep();
    AdvanceClock(2);
    game->IntermissionStep();
    ASSERT_EQ(game->state, kPlaying);
}

SpriteAnim* GameStage::MovementOf(const Sprite* sprite) const {
    for (const auto& movement : game->movements)
        if (movement->sprite == sprite) return movement.get();
    return nullptr;
}

Sprite* GameStage::FirstEnemy(const std::string& name) const {
    for (const auto& enemy : game->enemies)
        if (enemy->name == name) return enemy.get();
    return nullptr;
}

void GameStage::Step(SpriteAnim* strategy, int times) {
    for (int i = 0; i < times; ++i)
        strategy->Step();
}

bool GameStage::SetLayout(const std::string& layouts) {
    return std::system(("setxkbmap -layout " + layouts).c_str()) == 0;
}

uint32_t FramePixel(XImage* frame, int x, int y) {
    PixelChannels layout;
    layout.red = MyImage::ixRosso;
    layout.green = MyImage::ixVerde;
    layout.blue = MyImage::ixBlu;
    return FrameImage::Of(frame, layout).PixelAt(x, y);
}

void GameOverStage::LoseLastLife() {
    StartGame();
    game->level = 3;
    game->score = 350;
    game->lives = 1;
    game->StartLevel();
    Sprite* rock = FirstEnemy("spriteasteroidi");
    rock->PlaceAt(game->Player()->Position().x, game->Player()->Position().y - 20);
    MovementOf(rock)->Step();
    AwaitNameForm();
}

void GameOverStage::AwaitNameForm() {
    ASSERT_EQ(game->state, kNameEntry);
    form = game->NameForm();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(PumpUntil(screen->GetDisplay(), [&] {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(driver.Connection(), form->GetWindow(), &attributes) &&
               attributes.map_state == IsViewable;
    }));
    Settle();
}

void GameOverStage::Type(const std::string& name, bool thenReturn) {
    driver.Focus(form->GetWindow());
    driver.KeyDown(XK_Shift_L);
    for (const char c : name)
        driver.KeyTap(XStringToKeysym(std::string(1, c).c_str()));
    driver.KeyUp(XK_Shift_L);
    if (thenReturn) driver.KeyTap(XK_Return);
    Settle();
}

}  // namespace nebulark::test

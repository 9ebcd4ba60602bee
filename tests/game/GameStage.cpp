#include "GameStage.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "WidgetKit.h"
#include "game/GameGlobals.h"
#include "game/KeyActions.h"

namespace nebulark::test {

namespace {

// Links every generated picture and sound into Data/, which stays a folder of
// its own so the game can keep its high scores in it.
void LinkData() {
    mkdir("Data", 0777);
    DIR* folder = opendir(NEBULARK_DATA_DIR);
    ASSERT_NE(folder, nullptr);
    while (const dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        ASSERT_EQ(symlink((std::string(NEBULARK_DATA_DIR) + "/" + name).c_str(),
                          ("Data/" + name).c_str()),
                  0);
    }
    closedir(folder);
}

}  // namespace

void GameStage::SetUp() {
    LinkData();
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
    WaitUntil([this] { return player->AllEnded(); }, [] { usleep(10000); });
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

}  // namespace nebulark::test

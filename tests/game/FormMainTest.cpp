// The game played through its own operations on the private server: the ship,
// the shots, the hits, the lives, the level end and the game over.
#include "GameStage.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <set>

#include "WidgetKit.h"
#include "app/Application.h"
#include "dialogs/FormNamePlayer.h"
#include "game/KeyActions.h"
#include "game/MovementBullet.h"
#include "game/SpriteBullet.h"
#include "game/SpriteBulletNemico.h"
#include "game/SpritePlayer.h"
#include "game/SpriteTermometro.h"
#include "game/SpriteUfo.h"
#include "support/ProcessProbe.h"

namespace nebulark::test {
namespace {

using Game = GameStage;

int CountNamed(const FormMain::SpriteList& list, const std::string& name) {
    int count = 0;
    for (const auto& sprite : list)
        count += sprite->name == name ? 1 : 0;
    return count;
}

TEST_F(Game, StartsOnTheTitleAndBuildsTheFirstLevelOnG) {
    EXPECT_EQ(pauses, std::vector<unsigned>{1});
    EXPECT_EQ(game->state, kTitle);
    driver.Focus(game->GetWindow());
    driver.KeyTap(XK_g);
    Settle();
    ASSERT_EQ(game->state, kPlaying);
    EXPECT_EQ(CountNamed(game->enemies, "spriteasteroidi"), 3);
    EXPECT_EQ(CountNamed(game->enemies, "spriteufo"), 2);
    EXPECT_EQ(game->Player()->Position().x, 368);
    EXPECT_EQ(game->Player()->Position().y, 485);
    EXPECT_EQ(game->hitsLeft, 20);
    // Asteroids, UFOs, the ship, then the gauge.
    EXPECT_EQ(game->SpriteCount(), 7);
    EXPECT_EQ(game->SpriteAt(5)->name, "spriteplayer");
    EXPECT_EQ(game->SpriteAt(6)->name, "spritetermometro");
}

// Iconified during the loading pause, before the game has heard of it, the
// window has no pixels to read back: the title keeps its credit line all the
// same, and neither drawing it nor taking the focus logs an X error.
TEST_F(Game, UnmappedDuringTheLoadingPauseTheTitleKeepsItsCreditLine) {
    XUnmapWindow(driver.Connection(), game->GetWindow());
    driver.Sync();
    game->RunApp();
    XSync(screen->display, False);
    int yellow = 0;
    for (int y = 250; y < 270; ++y)
        for (int x = 210; x < 600; ++x)
            yellow += FramePixel(game->GetBackgroundCopy(), x, y) == 0xFFFF00 ? 1 : 0;
    EXPECT_GT(yellow, 200);
    EXPECT_EQ(TempDir::Read("log.txt").find("Errore X"), std::string::npos)
        << TempDir::Read("log.txt");
}

TEST_F(Game, HeldKeysSteerTheShipWhichStopsAtItsBounds) {
    StartGame();
    SpritePlayer* ship = game->Player();
    driver.Focus(game->GetWindow());
    driver.KeyDown(XK_Left);
    Settle();
    game->InputStep();
    EXPECT_EQ(ship->Position().x, 366);
    driver.KeyDown(XK_Right);
    Settle();
    game->InputStep();
    EXPECT_EQ(ship->Position().x, 366) << "Left and Right cancel out";
    driver.KeyUp(XK_Left);
    driver.KeyUp(XK_Right);
    Settle();

    EXPECT_FALSE(game->MoveShipY(2)) << "the ship starts on the bottom row";
    while (game->MoveShipX(-2)) {
    }
    while (game->MoveShipY(-2)) {
    }
    EXPECT_EQ(ship->Position().x, 0);
    EXPECT_EQ(ship->Position().y, 25);
    while (game->MoveShipX(2)) {
    }
    EXPECT_EQ(ship->Position().x, 736);
}

TEST_F(Game, FiveShotsFlyAtOnceAndTheFirstLeavesAtOnce) {
    StartGame();
    ASSERT_NE(game->FirePlayerBullet(), nullptr);
    EXPECT_EQ(game->FirePlayerBullet(), nullptr) << "the clock's second has not changed";
    for (int shot = 2; shot <= 5; ++shot) {
        AdvanceClock(1);
        ASSERT_NE(game->FirePlayerBullet(), nullptr) << "shot " << shot;
    }
    AdvanceClock(1);
    EXPECT_EQ(game->FirePlayerBullet(), nullptr);
    EXPECT_EQ(game->playerBullets.size(), 5u);
}

TEST_F(Game, AShotFromTheBottomLeavesTheFieldOnItsHundredAndSeventeenthStep) {
    StartGame();
    game->ClearSprites();
    SpriteBullet* shot = game->FirePlayerBullet();
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->Position().x, 368 + 32);
    EXPECT_EQ(shot->Position().y, 485);
    std::unique_ptr<SpriteAnim> copy(MovementOf(shot)->Clone());
    Step(copy.get(), 116);
    EXPECT_EQ(shot->Position().y, 21);
    copy->Step();
    EXPECT_TRUE(game->playerBullets.empty());
    EXPECT_EQ(MovementOf(shot), nullptr);
    EXPECT_EQ(game->SpriteCount(), 0);
}

TEST_F(Game, AsteroidsComeBackAtTheTopButNeverInTheLeftmostColumn) {
    StartGame();
    game->player.reset();
    Sprite* rock = FirstEnemy("spriteasteroidi");
    std::set<int> columns;
    SpriteAnim* fall = MovementOf(rock);
    for (int step = 0; step < 3000; ++step) {
        fall->Step();
        if (rock->Position().y == 20) columns.insert(rock->Position().x);
    }
    ASSERT_GT(columns.size(), 20u);
    EXPECT_GE(*columns.begin(), 1);
    EXPECT_LE(*columns.rbegin(), 755);
}

// The shot flies on after a hit; the UFO starts again at the top row from
// the edge it now moves away from.
TEST_F(Game, AHitUfoRestartsAtAnEdgeAndScoresFifty) {
    StartGame();
    auto* ufo = dynamic_cast<SpriteUfo*>(FirstEnemy("spriteufo"));
    ufo->PlaceAt(300, 200);
    SpriteBullet* shot = game->FirePlayerBullet();
    shot->PlaceAt(310, 230);
    MovementOf(shot)->Step();
    EXPECT_EQ(game->score, 50);
    EXPECT_EQ(game->hitsLeft, 19);
    EXPECT_EQ(game->Thermometer()->FrameIndex(), 0);
    EXPECT_EQ(ufo->Position().y, 20);
    EXPECT_EQ(ufo->Position().x, ufo->movingRight ? -40 : 800);
    EXPECT_EQ(game->playerBullets.size(), 1u);
    ASSERT_TRUE(WaitUntil([&] { return !player->Runs().empty(); }, [] { usleep(10000); }));
    EXPECT_EQ(player->Runs()[0].arguments, "Data/Explosion.wav");
}

TEST_F(Game, TheTwentiethHitEndsTheLevelWithinTheTick) {
    StartGame();
    game->hitsLeft = 1;
    Sprite* ufo = FirstEnemy("spriteufo");
    ufo->PlaceAt(300, 200);
    SpriteBullet* shot = game->FirePlayerBullet();
    shot->PlaceAt(310, 230);
    SpriteBulletNemico* late = game->FireEnemyBullet(100);
    ASSERT_NE(late, nullptr);
    const Point before = late->Position();
    for (const auto& movement : game->movements)
        movement->counter = movement->sprite == ufo ? 0 : movement->interval - 10;
    game->PlayStep();
    EXPECT_EQ(game->state, kIntermission);
    EXPECT_EQ(game->level, 2);
    EXPECT_EQ(late->Position().y, before.y) << "a step after the level ended";
    EXPECT_EQ(pauses, (std::vector<unsigned>{1, 1, 3}));
    EXPECT_TRUE(game->movements.empty());
    EXPECT_EQ(game->SpriteCount(), 0);
}

TEST_F(Game, GaugeFollowsTheHitsLeft) {
    StartGame();
    game->hitsLeft = 17;
    game->UfoHit(50);
    EXPECT_EQ(game->Thermometer()->FrameIndex(), 1);
    game->hitsLeft = 2;
    game->UfoHit(50);
    EXPECT_EQ(game->Thermometer()->FrameIndex(), 9);
}

// An asteroid, a UFO and an enemy bullet each take a life; the level is
// played again with its score, 20 hits to go and the gauge at its start.
TEST_F(Game, EveryEnemyCostsALifeAndTheLevelStartsAgain) {
    StartGame();
    game->level = 3;
    game->score = 350;
    for (const std::string kind : {"asteroid", "ufo", "bullet"}) {
        game->StartLevel();
        game->hitsLeft = 7;
        Sprite* enemy = kind == "asteroid" ? FirstEnemy("spriteasteroidi")
                        : kind == "ufo"    ? FirstEnemy("spriteufo")
                                           : game->FireEnemyBullet(300);
        ASSERT_NE(enemy, nullptr) << kind;
        AdvanceClock(1);
        const Point ship = game->Player()->Position();
        enemy->PlaceAt(ship.x + 10, ship.y - enemy->Dimensions().height + 30);
        const int lives = game->lives;
        MovementOf(enemy)->Step();
        EXPECT_EQ(game->lives, lives - 1) << kind;
        FinishIntermission();
        EXPECT_EQ(game->level, 3) << kind;
        EXPECT_EQ(game->score, 350) << kind;
        EXPECT_EQ(game->hitsLeft, 20) << kind;
        EXPECT_EQ(game->Thermometer()->FrameIndex(), 0) << kind;
        game->lives = 3;
    }
}

TEST_F(Game, PauseAndEndOfLevelKeys) {
    StartGame();
    game->KeyTyped('p');
    EXPECT_EQ(game->state, kPaused);
    game->KeyTyped('n');
    EXPECT_EQ(game->state, kPaused);
    game->KeyTyped('P');
    EXPECT_EQ(game->state, kPlaying);
    game->level = 4;
    game->KeyTyped('n');
    FinishIntermission();
    EXPECT_EQ(game->level, 5);
    EXPECT_EQ(CountNamed(game->enemies, "spriteasteroidi"), 13);
    EXPECT_EQ(CountNamed(game->enemies, "spriteufo"), 3);
}

// Without a window manager nothing takes the focus away, so nothing pauses:
// another client's keyboard grab (a global shortcut) lets the held keys go,
// and the pointer passing over and off the window changes nothing.
TEST_F(Game, WithoutAWindowManagerNothingPausesTheGame) {
    StartGame();
    driver.Focus(game->GetWindow());
    driver.KeyDown(XK_Left);
    Settle();
    ASSERT_TRUE(game->IsKeyHeld(XK_Left));
    Display* server = driver.Connection();
    XGrabKeyboard(server, DefaultRootWindow(server), False, GrabModeAsync, GrabModeAsync,
                  CurrentTime);
    driver.KeyUp(XK_Left);
    XUngrabKeyboard(server, CurrentTime);
    driver.MoveTo(game->GetWindow(), 50, 50);
    driver.MoveTo(DefaultRootWindow(server), 2, 2);
    Settle();
    EXPECT_FALSE(game->IsKeyHeld(XK_Left));
    EXPECT_EQ(game->state, kPlaying);
}

// The keys marked G, P and N start, pause and end a level under a layout of
// another script, alone in the keyboard map or beside a Latin one: sent by
// their codes, as the keyboard sends them.
TEST_F(Game, TheKeysActByTheirPlaceUnderLayoutsOfOtherScripts) {
    constexpr unsigned kG = 42, kP = 33, kN = 57;
    driver.Focus(game->GetWindow());
    for (const char* layouts : {"ru", "gr", "us,ru"}) {
        SCOPED_TRACE(layouts);
        ASSERT_TRUE(SetLayout(layouts));
        // The second group, Russian, is the active one.
        if (std::string(layouts) == "us,ru") XkbLockGroup(driver.Connection(), XkbUseCoreKbd, 1);
        driver.Sync();
        game->RunApp();
        driver.KeyCodeTap(kG);
        Settle();
        EXPECT_EQ(game->state, kPlaying);
        driver.KeyCodeTap(kP);
        Settle();
        EXPECT_EQ(game->state, kPaused);
        driver.KeyCodeTap(kP);
        Settle();
        EXPECT_EQ(game->state, kPlaying);
        driver.KeyCodeTap(kN);
        Settle();
        EXPECT_EQ(game->state, kIntermission);
    }
}

// Closed by the window manager during an explosion, the game ends as the
// program ends it, its sound stopped and the form gone, and no player is left
// playing the explosion.
TEST_F(Game, ClosedDuringAnExplosionLeavesNoPlayerBehind) {
    // One run outlasts the wait below, so a player left over is seen.
    player.reset();
    player = std::make_unique<StubAplay>(dir.Path() + "/bin", 10);
    const size_t before = player->Runs().size();
    StartGame();
    game->PlayExplosion();
    ASSERT_TRUE(WaitFor([&] { return player->Runs().size() == before + 1; }));
    driver.SendDeleteWindow(game->GetWindow());
    Settle();
    ASSERT_TRUE(Application::QuitRequested());
    game->StopSound();
    game.reset();
    EXPECT_TRUE(WaitFor([this] { return player->NoneRunning(); }));
}

using GameOver = GameOverStage;

TEST_F(GameOver, TheNameFormStoresTheResultAndAKeyShowsTheTitle) {
    LoseLastLife();
    EXPECT_FALSE(game->IsEnabled());
    const Point at = game->GetPosition();
    // The server reports both windows inside their one-pixel borders.
    EXPECT_NEAR(form->GetPosition().x, at.x + (800 - form->GetSize().width) / 2, 1);
    EXPECT_NEAR(form->GetPosition().y, at.y + (600 - form->GetSize().height) / 2, 1);
    Type("MARIO");
    EXPECT_EQ(game->state, kResultStored);
    EXPECT_EQ(Table(), "00000350 MARIO        Level 3\n");
    EXPECT_TRUE(game->IsEnabled());
    driver.Focus(game->GetWindow());
    driver.KeyTap(XK_space);
    Settle();
    EXPECT_EQ(game->state, kTitle);
    EXPECT_EQ(game->topTen, std::vector<std::string>{"00000350 MARIO        Level 3"});
}

// Under a Greek layout the keys type the Latin letters and symbols marked on
// them, also the keys where the layout has punctuation (Q types ";" there),
// and with Shift what Shift gives on a US keyboard.
TEST_F(GameOver, ANameTypedUnderAnotherLayoutIsLatin) {
    ASSERT_TRUE(SetLayout("gr"));
    LoseLastLife();
    driver.Focus(form->GetWindow());
    for (const unsigned code : {24u, 25u, 26u})  // the keys marked Q, W and E
        driver.KeyCodeTap(code);
    driver.KeyDown(XK_Shift_L);
    driver.KeyCodeTap(38);  // A
    driver.KeyCodeTap(12);  // 3
    driver.KeyUp(XK_Shift_L);
    driver.KeyTap(XK_Return);
    Settle();
    EXPECT_EQ(Table(), "00000350 qweA#        Level 3\n");
}

TEST_F(GameOver, ClosedWithoutANameTheResultIsStoredWithABlankName) {
    LoseLastLife();
    driver.SendDeleteWindow(form->GetWindow());
    Settle();
    EXPECT_EQ(game->state, kResultStored);
    EXPECT_EQ(Table(), "00000350              Level 3\n");
}

TEST_F(GameOver, ATableThatCannotBeWrittenIsLoggedAndTheGameGoesOn) {
    // The title screen made the table's folders; a file takes their place.
    ASSERT_EQ(rmdir("Data/Nebulark/Score"), 0);
    ASSERT_EQ(rmdir("Data/Nebulark"), 0);
    TempDir::Write("Data/Nebulark", "a file where the folder should be");
    LoseLastLife();
    Type("MARIO");
    EXPECT_EQ(game->state, kResultStored);
    EXPECT_NE(TempDir::Read("log.txt").find("impossibile salvare la classifica"),
              std::string::npos);
}

// A second game over replaces the first game's name form.
TEST_F(GameOver, ASecondGameOverMakesANewNameForm) {
    LoseLastLife();
    Type("MARIO");
    game->KeyTyped('x');
    game->KeyTyped('g');
    FormNamePlayer* first = form;
    LoseLastLife();
    EXPECT_NE(form, nullptr);
    EXPECT_EQ(Application::IsRegistered(first), first == form);
    Type("LUIGI");
    EXPECT_NE(Table().find("LUIGI"), std::string::npos);
}

}  // namespace
}  // namespace nebulark::test

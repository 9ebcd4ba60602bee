#pragma once

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Screen.h"
#include "dialogs/FormNamePlayer.h"
#include "game/FormMain.h"
#include "support/StubAplay.h"
#include "support/TempDir.h"
#include "support/XDriver.h"
#include "support/XvfbEnvironment.h"
#include "util/DateTime.h"

namespace nebulark::test {

// The game on the private server, in a fresh working directory holding the
// generated pictures and sounds, with a stand-in audio player. The game's
// clock is the test's: pauses return at once (and are recorded), and time
// moves only when the test says. Ticks run only while the stage waits for the
// title screen; after that the test calls the game's steps itself.
class GameStage : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Handles the input queued so far, without timer ticks.
    void Settle();
    // A new game from the title screen, as the G key starts it.
    void StartGame();
    void AdvanceClock(int seconds);
    // Runs intermission ticks until the next level has been built.
    void FinishIntermission();
    // The strategy that moves the sprite.
    SpriteAnim* MovementOf(const Sprite* sprite) const;
    // The first enemy whose name is given.
    Sprite* FirstEnemy(const std::string& name) const;
    // Calls Step on the strategy `times` times.
    static void Step(SpriteAnim* strategy, int times = 1);
    // Gives the server's keyboard the layouts, such as "ru" or "us,ru"; true
    // when setxkbmap did.
    static bool SetLayout(const std::string& layouts);

    TempDir dir;
    std::unique_ptr<StubAplay> player;
    XDriver& driver = XvfbEnvironment::Driver();
    DateTime now{2026, 12, 8, 12, 0, 0};
    std::vector<unsigned> pauses;
    std::unique_ptr<nebulark::Screen> screen;
    std::unique_ptr<FormMain> game;
};

// 0xRRGGBB of a pixel of the game's frame buffer.
uint32_t FramePixel(XImage* frame, int x, int y);

// A game that loses its last life at level 3 with 350 points, and the name
// form that follows.
class GameOverStage : public GameStage {
protected:
    // Ends the game and waits until the name form is shown.
    void LoseLastLife();
    // Waits until the name form of the game just over is shown.
    void AwaitNameForm();
    // Types the name into the name form in capitals, then Return when asked.
    void Type(const std::string& name, bool thenReturn = true);
    static std::string Table() { return TempDir::Read("Data/Nebulark/Score/Classifica.txt"); }

    FormNamePlayer* form = nullptr;
};

}  // namespace nebulark::test

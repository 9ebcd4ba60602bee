#include "main/Program.h"

#include <memory>

#include "app/Application.h"
#include "app/Screen.h"
#include "game/FormMain.h"
#include "input/JoystickReader.h"
#include "util/FileUtils.h"
#include "util/Log.h"

namespace nebulark {

namespace {

constexpr const char* kLogFile = "log.txt";

void StartFreshLog() {
    if (fileExists(kLogFile)) removeFile(kLogFile);
}

// Splits off the joystick reader once the display is open; the child never
// comes back here. Without a child the game is played with the keyboard.
void StartJoystick() {
    if (startJoystickReader() < 0)
        LogMessage("Could not open joystick. Use the cursor keys to move.");
}

// The game while it runs; the shutdown steps below reach its sound through it.
FormMain* runningGame = nullptr;

// Ends the reader before its shared block is removed, so that it cannot
// publish the block again afterwards.
void StopJoystick() {
    stopJoystickReader();
    releaseJoystickBlock();
}

// The steps of the shutdown that need no X connection, shared by the normal
// close and the end that follows a lost connection.
void StopProcesses() {
    StopJoystick();
    if (runningGame != nullptr) runningGame->StopSound();
}

void CloseScreen(std::unique_ptr<Screen>& screen) {
    if (!screen->Close()) LogMessage("Chiusura screen non riuscita");
    screen.reset();
}

}  // namespace

const char* WindowTitle() {
    return "Nebulark - a space shooter by the Nebulark team";
}

int RunNebulark() {
    StartFreshLog();
    auto screen = std::make_unique<Screen>(WindowTitle());
    // Without a display there is nothing to play on: the failure has been
    // logged, and going on would hand a null connection to the main form.
    if (screen->GetDisplay() == nullptr) {
        CloseScreen(screen);
        return 0;
    }
    StartJoystick();
    Screen::SetConnectionLostAction(StopProcesses);

    auto game = std::make_unique<FormMain>(screen.get(), WindowTitle());
    runningGame = game.get();
    Application::Run(game.get());

    StopProcesses();
    runningGame = nullptr;
    game.reset();
    CloseScreen(screen);
    return 0;
}

}  // namespace nebulark

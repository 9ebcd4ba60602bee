#include "app/Program.h"

#include <memory>

#include "app/Log.h"
#include "app/Screen.h"
#include "util/FileUtils.h"

namespace nebulark {

namespace {

constexpr const char* kLogFile = "log.txt";

void StartFreshLog() {
    if (fileExists(kLogFile)) removeFile(kLogFile);
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
    CloseScreen(screen);
    return 0;
}

}  // namespace nebulark

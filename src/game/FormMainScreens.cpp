#include "dialogs/FormNamePlayer.h"
#include "game/FormMain.h"
#include "game/GameGlobals.h"
#include "game/GameTexts.h"
#include "game/KeyActions.h"
#include "scores/HighScoreTable.h"
#include "util/Log.h"
#include "util/ProcessUtils.h"

namespace nebulark {

namespace {

constexpr int32_t kTextColour = 0xFFFFFF;
constexpr int kIntermissionMs = 1500;

// The name form's onClosed: its owner stores the result.
void NameFormClosed(GUIElement* element) {
    auto* form = dynamic_cast<FormNamePlayer*>(element);
    auto* game = form != nullptr ? dynamic_cast<FormMain*>(form->getOwner()) : nullptr;
    if (game != nullptr) game->SaveHighScore();
}

void Pause(unsigned seconds) {
    gameGlobals().clock.pause(seconds);
}

}  // namespace

// In a replay the watcher's keys steer nothing: P holds it, any other key ends
// it. A live game's characters that act are recorded.
bool FormMain::KeyTyped(char character) {
    if (session.IsReplaying()) {
        const KeyAction action = WatcherActionFor(character);
        if (action == KeyAction::HoldOrGoOn) session.Hold(!session.IsHeld());
        if (action == KeyAction::BackToTitle) EndReplay();
        return true;
    }
    if (session.IsRecording() && ActionFor(state, character) != KeyAction::Nothing)
        session.NoteTyped(character);
    Act(character);
    return true;
}

void FormMain::Act(char character) {
    switch (ActionFor(state, character)) {
        case KeyAction::NewGame:
            gameGlobals().StartGame();
            session.StartRecording(SeedPlayRandomFromTime(), gameGlobals().clock.now().getTime());
            BeginGame();
            break;
        case KeyAction::Watch:
            WatchBest();
            break;
        case KeyAction::Pause:
            state = kPaused;
            break;
        case KeyAction::Resume:
            state = kPlaying;
            break;
        case KeyAction::EndLevel:
            LevelComplete();
            break;
        case KeyAction::BackToTitle:
            RunApp();
            break;
        case KeyAction::HoldOrGoOn:
        case KeyAction::Nothing:
            break;
    }
}

void FormMain::BeginGame() {
    ConfigureKinds();
    level = 1;
    lives = 3;
    score = 0;
    ClearSprites();
    RestartFrameThrottle();
    StartLevel();
}

// The pause is the one P makes, and only P ends it: a player coming back to
// the window finds the level as it was left. A grab or the pointer leaving the
// window while the focus follows it lets the held keys go but does not pause.
// A watcher who leaves the window holds the replay, whose held keys are the
// recorded game's.
void FormMain::OnKeyboardLost() {
    if (session.IsReplaying()) {
        Form::OnKeyboardLost();
        if (PlayerAway()) session.Hold(true);
        return;
    }
    session.NoteKeysLost();
    FormGames::OnKeyboardLost();
    if (state == kPlaying && PlayerAway()) {
        state = kPaused;
        session.NoteAway();
    }
}

bool FormMain::PlayerAway() const {
    return IsFocusAway() || !IsWindowMapped();
}

// The texts are drawn for good and stay in the frames until the next
// background.
void FormMain::TitleStep() {
    GameGlobals& globals = gameGlobals();
    const Blink blink = globals.blinker.Step(globals.Now(), topTen, topTenIndex);
    if (!blink.due) return;
    if (blink.clearStrip) {
        RenderRect(0, 0, GetClientWidth(), textHeight + 14, kNearBlack);
        if (!blink.topTenLine.empty()) RenderText(5, 7, blink.topTenLine, kTextColour);
    }
    RenderText(480, 330, kInvitationText, blink.colour);
}

void FormMain::DrawStatusLine() {
    RenderStatusStrip(ScoreText(score), LevelText(level), LivesText(lives));
}

// The next level starts at the first tick after the deadline's second, 1 to 2
// seconds after the intermission began: the comparison is by whole seconds.
void FormMain::IntermissionStep() {
    GameGlobals& globals = gameGlobals();
    const DateTime now = globals.Now();
    DateTime& deadline = globals.intermissionDeadline;
    if (deadline.getYear() == GameGlobals::kNoDeadlineYear) {
        deadline = now;
        deadline.addMilliseconds(kIntermissionMs);
        return;
    }
    if (now > deadline) {
        deadline = DateTime(GameGlobals::kNoDeadlineYear, 1, 1);
        StartLevel();
    }
}

// The pauses block the event loop, as the sequences always have: no key is
// handled and no frame composed until they are over.
void FormMain::LevelComplete() {
    state = kPaused;
    RenderFrame();
    ClearSprites();
    ClearStrategies();
    ++level;
    Pause(1);
    ShowPicture("Data/livello.bin");
    Pause(3);
    state = kIntermission;
}

void FormMain::LifeLost() {
    RenderFrame();
    state = kPaused;
    PlayExplosion();
    ClearSprites();
    ClearStrategies();
    --lives;
    Pause(1);
    if (lives > 0) {
        ShowPicture("Data/replay.bin");
        Pause(3);
        state = kIntermission;
    } else {
        GameOver();
    }
}

// A replay ends at its game over; the name form is the player's, not the
// watcher's.
void FormMain::GameOver() {
    ShowPicture("Data/gameover.bin");
    if (session.IsReplaying()) {
        ReplayOver();
        return;
    }
    session.FinishRecording(score, level, lives);
    nameForm.reset();
    nameForm = std::make_unique<FormNamePlayer>(this, GetScreen(), kNameFormTitle);
    nameForm->setOwner(this);
    nameForm->setPrompt(kNamePrompt);
    nameForm->setOnClosed(NameFormClosed);
    const Point at = GetPosition();
    const Size size = GetSize();
    const Size formSize = nameForm->GetSize();
    nameForm->MoveTo(at.x + (size.width - formSize.width) / 2,
                     at.y + (size.height - formSize.height) / 2);
    nameForm->Show();
    state = kNameEntry;
}

// The title screen's lines are read anew only when the next key brings it
// back. The game form takes the keyboard again, so that key reaches it.
void FormMain::SaveHighScore() {
    HighScoreTable table(kGameName);
    const std::string rest = HighScoreRest(FormNamePlayer::playerName(), level);
    if (!table.addEntry(score, rest))
        LogMessage("SaveHighScore(): impossibile salvare la classifica");
    SaveRecording(HighScoreTable::entryLine(score, rest));
    state = kResultStored;
    Focus();
}

}  // namespace nebulark

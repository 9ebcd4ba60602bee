#include "dialogs/FormNamePlayer.h"
#include "game/FormMain.h"
#include "game/GameGlobals.h"
#include "game/GameTexts.h"
#include "game/KeyActions.h"
#include "gameframework/HeldKeyTable.h"
#include "replay/ReplayStore.h"
#include "scores/HighScoreTable.h"
#include "util/Log.h"
#include "util/ProcessUtils.h"

namespace nebulark {

namespace {

constexpr int32_t kSignColour = 0x00FFFF;
// The sign sits at the bottom left, clear of the status line and the gauge.
constexpr int kSignX = 10;
constexpr int kSignY = 576;

}  // namespace

// Only the keys the held-key table keeps are recorded; a replay's table is the
// recorded game's, which the watcher's keys never reach.
void FormMain::KeyPressed(KeySym keysym) {
    if (session.IsReplaying()) return;
    if (HeldKeyTable::CodeOf(keysym) >= 0) session.NoteKeyDown(static_cast<uint32_t>(keysym));
    FormGames::KeyPressed(keysym);
}

void FormMain::KeyReleased(KeySym keysym) {
    if (session.IsReplaying()) return;
    if (HeldKeyTable::CodeOf(keysym) >= 0) session.NoteKeyUp(static_cast<uint32_t>(keysym));
    FormGames::KeyReleased(keysym);
}

void FormMain::WatchBest() {
    if (auto best = ReplayStore(kGameName).best(topTen)) Watch(std::move(best->second));
}

void FormMain::Watch(Recording recording) {
    gameGlobals().StartGame();
    SeedPlayRandom(recording.seed);
    heldKeys.Clear();
    SetTitle(title + " - " + ReplayTitle(recording.name));
    session.StartReplay(std::move(recording));
    BeginGame();
}

void FormMain::EndReplay() {
    session.Stop();
    heldKeys.Clear();
    SetTitle(title);
    RunApp();
}

void FormMain::BeginTick() {
    GameGlobals& globals = gameGlobals();
    if (session.IsReplaying()) {
        for (const Recording::Event& event : session.TakeDue())
            ApplyRecorded(event);
        globals.tickNow = DateTime::at(session.ReplaySecond());
    } else {
        globals.tickNow = globals.clock.now();
        session.NoteSecond(globals.tickNow.getTime());
    }
    session.CountTick();
}

void FormMain::EndTick() {
    if (session.IsActive()) {
        DigestTick(session.Digest());
        session.EndTick();
    }
    if (session.PastRecordedEnd()) {
        session.FinishReplay(score, level, lives);
        LogDifference();
    }
    if (session.IsReplayOver()) EndReplay();
}

// Sprite ids are left out: they count every sprite the process has made.
void FormMain::DigestTick(PlayDigest& digest) const {
    for (const int value : {state, score, lives, level, hitsLeft, SpriteCount()})
        digest.addNumber(value);
    for (int i = 0; i < SpriteCount(); ++i) {
        const Sprite* sprite = SpriteAt(i);
        digest.addNumber(sprite->Position().x);
        digest.addNumber(sprite->Position().y);
        digest.addNumber(sprite->FrameIndex());
    }
}

void FormMain::ApplyRecorded(const Recording::Event& event) {
    switch (event.kind) {
        case Recording::Kind::KeyDown:
            FormGames::KeyPressed(static_cast<KeySym>(event.value));
            break;
        case Recording::Kind::KeyUp:
            FormGames::KeyReleased(static_cast<KeySym>(event.value));
            break;
        case Recording::Kind::Typed:
            Act(static_cast<char>(event.value));
            break;
        case Recording::Kind::Away:
            if (state == kPlaying) state = kPaused;
            break;
        case Recording::Kind::KeysLost:
            heldKeys.Clear();
            break;
        default:
            break;
    }
}

void FormMain::ReplayOver() {
    state = kPaused;
    if (!session.FinishReplay(score, level, lives)) LogDifference();
}

void FormMain::LogDifference() const {
    if (const auto tick = session.FirstDifference())
        LogMessage("Partita rivista diversa dalla registrazione dal tick " + std::to_string(*tick));
}

void FormMain::ShowPicture(const char* path) {
    RenderSfondo(path);
    if (session.IsReplaying()) DrawReplaySign();
}

void FormMain::DrawReplaySign() {
    RenderText(kSignX, kSignY, ReplayTitle(session.Current().name), kSignColour);
}

// The table as it stands after the result was added tells which line the
// recording belongs to.
void FormMain::SaveRecording(const std::string& tableLine) {
    auto recording = session.TakeRecorded();
    if (!recording) return;
    recording->name = FormNamePlayer::playerName();
    recording->tableLine = tableLine;
    ReplayStore(kGameName).save(*recording, HighScoreTable(kGameName).read());
}

}  // namespace nebulark

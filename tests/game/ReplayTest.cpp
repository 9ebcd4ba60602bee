// Whole games checked exactly: recordings made by a scripted player are played
// again and must end as they were recorded, in the same state and with the
// same digest of every tick.
//
// NEBULARK_WRITE_RECORDINGS=<folder> plays the scripted games anew and writes
// their recordings there instead; the games' rules changed only when the
// recordings kept here no longer replay.
#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <set>

#include "GameStage.h"
#include "game/KeyActions.h"
#include "game/SpritePlayer.h"
#include "game/SpriteUfo.h"
#include "replay/RecordingReader.h"
#include "replay/ReplayStore.h"
#include "support/WindowManager.h"

namespace nebulark::test {
namespace {

// A second of the game's clock passes every this many ticks, unless a script
// says otherwise: shots, limited to one a second, leave often.
constexpr int kTicksPerSecond = 10;
constexpr int64_t kMostTicks = 200'000;

std::string RecordingPath(const std::string& name) {
    return std::string(NEBULARK_RECORDINGS_DIR) + "/" + name + ".txt";
}

class Replay : public GameOverStage {
protected:
    using Script = std::function<void(int64_t tick)>;

    // Plays a game from G to the name form, the script acting before each
    // tick, and stores it under the name.
    void PlayScripted(const Script& script, int ticksPerSecond) {
        game->KeyTyped('g');
        for (int64_t tick = 0; game->state != kNameEntry && tick < kMostTicks; ++tick) {
            script(tick);
            game->OnTick();
            if (tick % ticksPerSecond == 0) AdvanceClock(1);
        }
        if (beforeName) beforeName();
        AwaitNameForm();
        Type("BOT");
    }

    std::set<KeySym> held;
    // Called once the game is over, before the name is typed.
    std::function<void()> beforeName;

    // The status line across the top of the field, as the frames show it.
    std::vector<uint32_t> StatusLine() const {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < kStatusRows; ++y)
            for (int x = 0; x < 800; ++x)
                pixels.push_back(FramePixel(game->GetBackgroundCopy(), x, y));
        return pixels;
    }
    static constexpr int kStatusRows = 24;

    // Plays the recording again to its end; false when it strayed.
    bool Watch(Recording recording) {
        game->Watch(std::move(recording));
        for (int64_t tick = 0; game->Session().IsReplaying() && tick < kMostTicks; ++tick)
            game->OnTick();
        return !game->Session().FirstDifference() && game->state == kTitle;
    }

    // Presses or lets go of the key when it is not so already, as a keyboard
    // does.
    void Hold(KeySym key, bool down) {
        if (held.count(key) == (down ? 1u : 0u)) return;
        if (down) {
            held.insert(key);
            game->KeyPressed(key);
        } else {
            held.erase(key);
            game->KeyReleased(key);
        }
    }

    // Steers away from a rock or a bullet about to fall on the ship; else
    // under the UFO lowest on the field, where its sweep will be when a shot
    // reaches its row, and fires once the shot is lined up.
    void Aim() {
        const SpritePlayer* ship = game->Player();
        if (ship == nullptr) return;
        const int shipX = ship->Position().x + 32;
        const int shipY = ship->Position().y;
        int want = 0;
        bool fire = false;
        if (const SpriteUfo* target = LowestUfo()) {
            const int aim = InterceptX(*target, shipY) - shipX;
            want = aim > 2 ? 1 : aim < -2 ? -1 : 0;
            fire = want == 0;
        }
        // The way the shot asks for when it is safe, else standing, else
        // either way.
        for (const int move : {want, 0, -1, 1})
            if (Safe(shipX + move * 24, shipY)) {
                if (move != want) fire = false;
                want = move;
                break;
            }
        Hold(XK_Left, want < 0);
        Hold(XK_Right, want > 0);
        Hold(XK_space, fire);
    }

    // No rock or bullet falls on the ship's column close above it, or beside
    // it, at this centre.
    bool Safe(int shipX, int shipY) const {
        if (shipX < 32 || shipX > 768) return false;
        for (const FormMain::SpriteList* list : {&game->enemies, &game->enemyBullets})
            for (const auto& sprite : *list) {
                if (dynamic_cast<const SpriteUfo*>(sprite.get()) != nullptr) continue;
                const int half = sprite->Dimensions().width / 2;
                const int x = sprite->Position().x + half;
                const int y = sprite->Position().y + sprite->Dimensions().height;
                if (y > shipY - 150 && y < shipY + 125 && std::abs(x - shipX) < 32 + half + 8)
                    return false;
            }
        return true;
    }

    const SpriteUfo* LowestUfo() const {
        const SpriteUfo* target = nullptr;
        for (const auto& enemy : game->enemies) {
            const auto* ufo = dynamic_cast<const SpriteUfo*>(enemy.get());
            if (ufo != nullptr && MovementOf(ufo) != nullptr && ufo->Position().x > 0 &&
                ufo->Position().x < 760 &&
                (target == nullptr || ufo->Position().y > target->Position().y))
                target = ufo;
        }
        return target;
    }

    // The UFO's centre when a shot leaving now reaches its lower edge.
    int InterceptX(const SpriteUfo& ufo, int shipY) const {
        const int ticks = (shipY - ufo.Position().y - 40) / 2;
        const int interval = std::max(1, MovementOf(&ufo)->interval / 10);
        const int drift = ticks * ufo.stepX / interval * (ufo.movingRight ? 1 : -1);
        return ufo.Position().x + 20 + drift;
    }

    void Idle() {
        for (const KeySym key : {XK_Left, XK_Right, XK_Up, XK_Down, XK_space})
            Hold(key, false);
    }

    void Check(const std::string& name, const Script& script,
               int ticksPerSecond = kTicksPerSecond) {
        if (const char* folder = std::getenv("NEBULARK_WRITE_RECORDINGS")) {
            PlayScripted(script, ticksPerSecond);
            const std::string path = std::string(folder) + "/" + name + ".txt";
            TempDir::Write(path, TempDir::Read("Data/Nebulark/Score/Replays/last.txt"));
            return;
        }
        auto recording = RecordingReader::read(RecordingPath(name));
        ASSERT_TRUE(recording.has_value());
        EXPECT_TRUE(Watch(*recording)) << TempDir::Read("log.txt");
        EXPECT_EQ(TempDir::Read("log.txt").find("diversa"), std::string::npos);
    }
};

// Shots aimed at the UFOs score at every level, each level ended with N after
// a while, until the game is lost at level 4. The clock runs fast, so that
// the shots leave as fast as five in flight allow.
TEST_F(Replay, AimedShotsScoreThroughFourLevels) {
    int level = 0;
    int64_t since = 0;
    Check(
        "four-levels",
        [&](int64_t tick) {
            if (game->level != level) {
                level = game->level;
                since = tick;
            }
            if (level >= 4 || game->state != kPlaying) {
                Idle();
                return;
            }
            Aim();
            if (tick - since == 400) game->KeyTyped('n');
        },
        2);
}

// Level 1 won by 20 hits in one life, the game then lost at level 2. The
// scripted player wins only some of its games: the recording kept is one it
// won.
TEST_F(Replay, ALevelWonByTwentyHitsThenLostAtLevelTwo) {
    Check(
        "won-by-hits",
        [this](int64_t) {
            if (game->level == 1 && game->state == kPlaying)
                Aim();
            else
                Idle();
        },
        kTicksPerSecond);
}

// Lives lost to what falls, while the ship wanders.
TEST_F(Replay, AWanderingShipLosesItsLives) {
    std::mt19937 draws(7);
    Check("wandering", [&](int64_t tick) {
        if (tick % 40 != 0) return;
        const KeySym keys[] = {XK_Left, XK_Right, XK_Up, XK_Down, XK_space};
        for (const KeySym key : keys)
            Hold(key, draws() % 3 == 0);
    });
}

// Paused with P, and by the focus moving to another window and back.
TEST_F(Replay, PausedByPAndByTheFocusLeaving) {
    Window other = 0;
    Check("paused", [&](int64_t tick) {
        if (tick == 150 || tick == 400 || tick == 900) game->KeyTyped('p');
        if (tick == 600) {
            other = MakeOtherWindow(driver.Connection());
            driver.Focus(other);
            Settle();
        }
        if (tick == 800) {
            driver.Focus(game->GetWindow());
            Settle();
        }
        if (tick > 900 && game->level == 1 && tick % 50 == 0) game->KeyTyped('n');
    });
}

// A game played with real keys to its game over and stored with its name is
// watched again with R on the title screen: the replay says whose it is, and
// its last status line is the game's, pixel for pixel.
TEST_F(Replay, AStoredGameIsWatchedAgainWithR) {
    if (std::getenv("NEBULARK_WRITE_RECORDINGS") != nullptr) GTEST_SKIP();
    driver.Focus(game->GetWindow());
    Settle();
    std::mt19937 draws(11);
    std::set<KeySym> down;
    auto press = [&](KeySym key, bool want) {
        if (want == (down.count(key) > 0)) return;
        if (want) {
            down.insert(key);
            driver.KeyDown(key);
        } else {
            down.erase(key);
            driver.KeyUp(key);
        }
    };
    beforeName = [&] {
        for (const KeySym key : std::set<KeySym>(down))
            press(key, false);
        Settle();
    };
    std::vector<uint32_t> played;
    PlayScripted(
        [&](int64_t tick) {
            if (game->state == kPlaying) played = StatusLine();
            if (tick % 40 != 0) return;
            for (const KeySym key : {XK_Left, XK_Right, XK_Up, XK_Down, XK_space})
                press(key, draws() % 3 == 0);
            Settle();
        },
        kTicksPerSecond);
    ASSERT_EQ(game->state, kResultStored);
    driver.Focus(game->GetWindow());
    driver.KeyTap(XK_x);
    Settle();
    ASSERT_EQ(game->state, kTitle);
    driver.KeyTap(XK_r);
    Settle();
    ASSERT_TRUE(game->Session().IsReplaying());
    char* shownTitle = nullptr;
    XFetchName(driver.Connection(), game->GetWindow(), &shownTitle);
    EXPECT_NE(std::string(shownTitle != nullptr ? shownTitle : "").find("REPLAY: BOT"),
              std::string::npos);
    XFree(shownTitle);
    std::vector<uint32_t> replayed;
    for (int64_t tick = 0; game->Session().IsReplaying() && tick < kMostTicks; ++tick) {
        if (game->state == kPlaying) replayed = StatusLine();
        game->OnTick();
    }
    EXPECT_EQ(game->state, kTitle);
    EXPECT_FALSE(game->Session().FirstDifference().has_value());
    EXPECT_FALSE(played.empty());
    EXPECT_TRUE(replayed == played);
}

// A recording that cannot be read is named in the log, and R leaves the title
// screen as it was.
TEST_F(Replay, ARecordingCutShortIsRefusedAndTheTitleStays) {
    if (std::getenv("NEBULARK_WRITE_RECORDINGS") != nullptr) GTEST_SKIP();
    auto recording = RecordingReader::read(RecordingPath("paused"));
    ASSERT_TRUE(recording.has_value());
    TempDir::Write("Data/Nebulark/Score/Classifica.txt", recording->tableLine + "\n");
    ASSERT_TRUE(ReplayStore("Nebulark").save(*recording, {recording->tableLine}));
    const std::string folder = ReplayStore("Nebulark").folder();
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().rfind("line-", 0) == 0)
            std::filesystem::resize_file(entry.path(), entry.file_size() - 10);
    game->RunApp();
    game->KeyTyped('r');
    EXPECT_EQ(game->state, kTitle);
    EXPECT_FALSE(game->Session().IsReplaying());
    EXPECT_NE(TempDir::Read("log.txt").find("Registrazione della partita illeggibile"),
              std::string::npos);
}

// The check can fail: the same game with one input a tick later, or another
// seed, is not the game recorded.
TEST_F(Replay, AGameChangedByOneTickOrAnotherSeedStrays) {
    if (std::getenv("NEBULARK_WRITE_RECORDINGS") != nullptr) GTEST_SKIP();
    auto recording = RecordingReader::read(RecordingPath("four-levels"));
    ASSERT_TRUE(recording.has_value());
    Recording later = *recording;
    for (auto& event : later.events)
        if (event.kind == Recording::Kind::KeyDown) {
            ++event.tick;
            break;
        }
    EXPECT_FALSE(Watch(later));
    Recording reseeded = *recording;
    reseeded.seed ^= 1;
    EXPECT_FALSE(Watch(reseeded));
    EXPECT_NE(TempDir::Read("log.txt").find("Partita rivista diversa dalla registrazione dal tick"),
              std::string::npos);
}

}  // namespace
}  // namespace nebulark::test

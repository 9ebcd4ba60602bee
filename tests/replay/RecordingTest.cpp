#include <gtest/gtest.h>

#include <X11/keysym.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <algorithm>
#include <cstdio>

#include "gameframework/HeldKeyTable.h"
#include "replay/RecordingReader.h"
#include "replay/RecordingSyntax.h"
#include "replay/RecordingWriter.h"
#include "replay/ReplayStore.h"
#include "support/TempDir.h"
#include "util/FileUtils.h"
#include "util/PlayRandom.h"

using namespace nebulark;
using nebulark::test::TempDir;

namespace {

constexpr const char* kReplays = "Data/Nebulark/Score/Replays/";
constexpr const char* kUnreadable = "Registrazione della partita illeggibile: ";

// A recording with every kind of event and every field at the edges of its
// bounds.
Recording Sample() {
    Recording recording;
    recording.seed = UINT64_MAX;
    recording.start = 1718000000;
    recording.name = "MARIO %\t\xE9";
    recording.tableLine = "00001250 MARIO        Level 3\r";
    recording.addJoystick(0, {1, 0, 0, 1, 0, 255, 1});
    recording.addKeyDown(57, XK_Left);
    recording.addSecond(60, 1718000001);
    recording.addKeyUp(91, 0xFFFFFFFFu);
    recording.addTyped(212, 1);
    recording.addTyped(212, 127);
    recording.addKeysLost(230);
    recording.addAway(230);
    recording.end = Recording::End{60000, RecordingSyntax::kMostScore, 3, 0, 0x0123456789abcdefULL};
    return recording;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string Repeated(const std::string& line, size_t times) {
    std::string text;
    text.reserve(line.size() * times);
    for (size_t i = 0; i < times; ++i)
        text += line;
    return text;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names = listFiles(folder);
    std::sort(names.begin(), names.end());
    return names;
}

Recording Game(uint64_t seed, const std::string& tableLine) {
    Recording recording;
    recording.seed = seed;
    recording.start = 1718000000;
    recording.name = "P";
    recording.tableLine = tableLine;
    recording.addKeyDown(10, XK_space);
    recording.end = Recording::End{100, 50, 1, 0, seed};
    return recording;
}

}  // namespace

TEST(Recording, IsReadBackAsItWasWritten) {
    TempDir dir;
    const Recording sample = Sample();
    const std::string text = RecordingWriter::text(sample);
    EXPECT_EQ(text.substr(0, text.find("57 d")),
              "nebulark-replay 1\nseed 18446744073709551615\nstart 1718000000\n"
              "name MARIO %25%09%E9\nline 00001250 MARIO        Level 3%0D\n"
              "0 j 0100000100ff01\n");
    TempDir::Write("game.txt", text);
    const auto back = RecordingReader::read("game.txt");
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, sample);
    EXPECT_EQ(TempDir::Read("log.txt"), "");

    // A game from before its result was stored has no table line, and an
    // empty name is a name.
    Recording bare = Sample();
    bare.tableLine.clear();
    bare.name.clear();
    EXPECT_EQ(RecordingReader::parse(RecordingWriter::text(bare)), bare);
}

// Whatever a file holds, it is a recording as written or it is refused with
// one line in the log.
TEST(Recording, AnythingElseIsRefusedWithOneLogLine) {
    TempDir dir;
    const std::string good = RecordingWriter::text(Sample());
    const std::string endLine = good.substr(good.rfind("end "));
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"cut in the end line", good.substr(0, good.size() - 1)},
        {"cut in an event", good.substr(0, good.find("60 c") + 6)},
        {"cut before the end line", good.substr(0, good.size() - endLine.size())},
        {"another format", Replace(good, "nebulark-replay", "nebulark-replays")},
        {"another version", Replace(good, "replay 1", "replay 2")},
        {"lines in another order", Replace(good, "seed", "start")},
        {"Windows line ends", Replace(good, "\n57 d", "\r\n57 d")},
        {"a blank line", Replace(good, "\n57 d", "\n\n57 d")},
        {"a doubled blank", Replace(good, "57 d", "57  d")},
        {"a trailing blank", Replace(good, "230 a", "230 a ")},
        {"an unknown kind", Replace(good, "230 a", "230 z")},
        {"an argument too many", Replace(good, "230 a", "230 a 1")},
        {"an argument missing", Replace(good, "57 d ff51", "57 d")},
        {"a negative tick", Replace(good, "57 d", "-57 d")},
        {"a leading zero", Replace(good, "57 d", "057 d")},
        {"ticks going backwards", Replace(good, "91 u", "56 u")},
        {"a tick beyond the bound", Replace(good, "end 60000", "end 1000000000001")},
        {"a keysym beyond 32 bits", Replace(good, "ffffffff", "100000000")},
        {"a keysym in capitals", Replace(good, "ff51", "FF51")},
        {"character 0", Replace(good, "212 t 1\n", "212 t 0\n")},
        {"character 128", Replace(good, "212 t 127", "212 t 128")},
        {"a short joystick snapshot", Replace(good, "0100000100ff01", "0100000100ff0")},
        {"a second beyond the year 9999", Replace(good, "c 1718000001", "c 253402300800")},
        {"a seed beyond 64 bits", Replace(good, "18446744073709551615", "18446744073709551616")},
        {"a raw byte in the name", Replace(good, "%09", "\t")},
        {"a broken escape", Replace(good, "%E9", "%G9")},
        {"an empty table line", Replace(good, "line 00001250 MARIO        Level 3%0D", "line ")},
        {"a name too long", Replace(good, "name MARIO", "name " + std::string(256, 'M'))},
        {"the end before the last event", Replace(good, "end 60000", "end 229")},
        {"score beyond the bound", Replace(good, "2147483647", "2147483648")},
        {"level 0", Replace(good, " 3 0 0123", " 0 0 0123")},
        {"lives beyond the bound", Replace(good, " 3 0 0123", " 3 100 0123")},
        {"a digest too short", Replace(good, "0123456789abcdef", "123456789abcdef")},
        {"no end line", Replace(good, endLine, "")},
        {"two end lines", good + endLine},
        {"an event after the end", good + "60000 a\n"},
        {"a file over the bound", Replace(good, endLine, Repeated("230 a\n", 700000) + endLine)},
    };
    for (const auto& c : cases) {
        std::remove("log.txt");
        TempDir::Write("bad.txt", c.text);
        EXPECT_FALSE(RecordingReader::read("bad.txt").has_value()) << c.what;
        EXPECT_EQ(TempDir::Read("log.txt"), std::string(kUnreadable) + "bad.txt\n") << c.what;
    }

    // A FIFO is refused at once, never waited on, and so are a folder and a
    // missing file.
    ASSERT_EQ(mkfifo("fifo.txt", 0600), 0);
    ASSERT_TRUE(ensureDirectory("folder.txt"));
    for (const char* path : {"fifo.txt", "folder.txt", "missing.txt"}) {
        std::remove("log.txt");
        EXPECT_FALSE(RecordingReader::read(path).has_value()) << path;
        EXPECT_EQ(TempDir::Read("log.txt"), std::string(kUnreadable) + path + "\n");
    }
}

// The inputs left out to keep the file small are only those that change
// nothing: replaying what was kept into a held-key table leaves it as the
// inputs themselves did at every tick, whichever mode the table is in.
TEST(Recording, LeavesOutOnlyInputsThatChangeNothing) {
    const KeySym keys[] = {XK_Left, 'a', XK_space, 'b'};
    for (const bool singleKeyMode : {false, true}) {
        PlayRandom random(singleKeyMode ? 2 : 1);
        HeldKeyTable live;
        HeldKeyTable replayed;
        live.singleKeyMode = replayed.singleKeyMode = singleKeyMode;
        Recording recording;
        size_t replayedUpTo = 0;
        for (int64_t tick = 0; tick < 20000; ++tick) {
            for (int n = random.Int(0, 3); n > 0; --n) {
                const KeySym key = keys[random.Int(0, 3)];
                const int what = random.Int(0, 20);
                if (what == 0) {
                    live.Clear();
                    recording.addKeysLost(tick);
                } else if (what < 8) {  // the server's auto-repeat
                    live.Release(key);
                    live.Press(key);
                    recording.addTyped(tick, ' ');
                    recording.addKeyUp(tick, static_cast<uint32_t>(key));
                    recording.addKeyDown(tick, static_cast<uint32_t>(key));
                } else if (what < 14) {
                    live.Press(key);
                    recording.addKeyDown(tick, static_cast<uint32_t>(key));
                } else {
                    live.Release(key);
                    recording.addKeyUp(tick, static_cast<uint32_t>(key));
                }
            }
            for (; replayedUpTo < recording.events.size(); ++replayedUpTo) {
                const Recording::Event& event = recording.events[replayedUpTo];
                if (event.kind == Recording::Kind::KeyDown) replayed.Press(event.value);
                if (event.kind == Recording::Kind::KeyUp) replayed.Release(event.value);
                if (event.kind == Recording::Kind::KeysLost) replayed.Clear();
            }
            for (const KeySym key : keys)
                ASSERT_EQ(live.IsHeld(key), replayed.IsHeld(key))
                    << "tick " << tick << " single " << singleKeyMode;
        }
    }

    // A ten-minute game at 100 ticks a second of a busy player: Space held
    // alone through the first minute, the server repeating it 25 times a
    // second; then every second one cursor key held long enough to repeat and
    // three others tapped; the clock read and the stick, never moved, looked
    // at on every tick.
    Recording game;
    game.start = 1718000000;
    game.addKeyDown(0, XK_space);
    for (int64_t tick = 0; tick < 60000; ++tick) {
        game.addSecond(tick, game.start + tick / 100);
        game.addJoystick(tick, {});
        const int64_t step = tick % 100;
        const auto held = static_cast<uint32_t>(XK_Left + tick / 100 % 4);
        const auto tapped = static_cast<uint32_t>(XK_Left + (tick / 100 + 1) % 4);
        if (tick < 6000) {
            if (tick % 4 == 0) {
                game.addKeyUp(tick, XK_space);
                game.addKeyDown(tick, XK_space);
            }
        } else if (step == 0) {
            game.addKeyDown(tick, held);
        } else if (step >= 66 && step < 80 && step % 4 == 2) {
            game.addKeyUp(tick, held);
            game.addKeyDown(tick, held);
        } else if (step == 80) {
            game.addKeyUp(tick, held);
        } else if (step == 84 || step == 90 || step == 96) {
            game.addKeyDown(tick, tapped);
        } else if (step == 86 || step == 92 || step == 98) {
            game.addKeyUp(tick, tapped);
        }
    }
    game.end = Recording::End{60000, 12000, 9, 0, 1};
    EXPECT_LT(RecordingWriter::text(game).size(), 100u * 1000);
}

TEST(ReplayStore, KeepsTheLastGameAndOneRecordingPerLine) {
    TempDir dir;
    ReplayStore store("Nebulark");
    const std::string twin = "00000500 ANNA         Level 2";
    const std::string top = "00009000 BEA          Level 7";
    const std::string older = "00099999 OLD          Level 9";
    EXPECT_FALSE(store.best({twin}).has_value());

    ASSERT_TRUE(store.save(Game(1, twin), {twin}));
    ASSERT_TRUE(store.save(Game(2, twin), {twin, twin}));
    ASSERT_TRUE(store.save(Game(3, top), {top, twin, twin}));
    EXPECT_EQ(store.last(), Game(3, top));
    EXPECT_EQ(store.forLine({top, twin, twin}, 1), Game(1, twin));
    EXPECT_EQ(store.forLine({top, twin, twin}, 2), Game(2, twin));
    EXPECT_EQ(TempDir::Read(std::string(kReplays) + "last.txt"),
              RecordingWriter::text(Game(3, top)));

    // A line from before recordings were kept has none, and the best game
    // with one is the next.
    const auto best = store.best({older, top, twin, twin});
    ASSERT_TRUE(best.has_value());
    EXPECT_EQ(best->first, 1u);
    EXPECT_EQ(best->second, Game(3, top));

    // A game whose line did not make the ten is kept as the last game only,
    // and a twin pushed out takes its recording along; a file the store did
    // not make stays, as does the table, and so does a temporary file a save
    // may still be writing, while one a killed save left long ago goes.
    TempDir::Write("Data/Nebulark/Score/Classifica.txt", top + "\n" + twin + "\n");
    TempDir::Write(std::string(kReplays) + "notes.txt", "mine");
    const std::string fresh = std::string(kReplays) + "last.txt.saving-AbC123";
    const std::string stale = std::string(kReplays) + "last.txt.saving-XyZ789";
    TempDir::Write(fresh, "");
    TempDir::Write(stale, "");
    const utimbuf longAgo{time(nullptr) - 3600, time(nullptr) - 3600};
    ASSERT_EQ(utime(stale.c_str(), &longAgo), 0);
    ASSERT_TRUE(store.save(Game(4, "00000001 LOW          Level 1"), {top, twin}));
    EXPECT_EQ(store.last(), Game(4, "00000001 LOW          Level 1"));
    EXPECT_EQ(store.forLine({top, twin}, 1), Game(1, twin));
    const std::vector<std::string> files = FilesIn(kReplays);
    EXPECT_EQ(files.size(), 5u);
    EXPECT_TRUE(std::count(files.begin(), files.end(), "last.txt.saving-AbC123"));
    EXPECT_TRUE(std::count(files.begin(), files.end(), "notes.txt"));
    EXPECT_EQ(TempDir::Read("Data/Nebulark/Score/Classifica.txt"), top + "\n" + twin + "\n");

    // A line whose twin left keeps a recording of its own for a new twin.
    ASSERT_TRUE(store.save(Game(5, twin), {top, twin, twin}));
    EXPECT_EQ(store.forLine({top, twin, twin}, 2), Game(5, twin));
    EXPECT_EQ(TempDir::Read("log.txt"), "");
}

TEST(ReplayStore, ARecordingThatCannotBeSavedIsReportedOnce) {
    TempDir dir;
    ReplayStore store("Nebulark");
    const std::string notSaved =
        "Registrazione della partita non salvata in Data/Nebulark/Score/Replays/\n";
    ASSERT_TRUE(ensureDirectory("Data") && ensureDirectory("Data/Nebulark") &&
                ensureDirectory("Data/Nebulark/Score"));
    // A folder where no file can be made, even by root.
    ASSERT_EQ(symlink("/proc", "Data/Nebulark/Score/Replays"), 0);
    EXPECT_FALSE(store.save(Game(1, "L"), {"L"}));
    EXPECT_EQ(TempDir::Read("log.txt"), notSaved);

    ASSERT_EQ(unlink("Data/Nebulark/Score/Replays"), 0);
    TempDir::Write("Data/Nebulark/Score/Replays", "a file where the folder should be");
    std::remove("log.txt");
    EXPECT_FALSE(store.save(Game(1, "L"), {"L"}));
    EXPECT_EQ(TempDir::Read("log.txt"), notSaved);
    EXPECT_FALSE(store.last().has_value());

    // A recording the reader would refuse is not written at all.
    ASSERT_EQ(unlink("Data/Nebulark/Score/Replays"), 0);
    std::remove("log.txt");
    Recording unfinished = Game(1, "L");
    unfinished.end.reset();
    EXPECT_FALSE(store.save(unfinished, {"L"}));
    EXPECT_EQ(TempDir::Read("log.txt"),
              "Registrazione della partita non valida, non salvata in "
              "Data/Nebulark/Score/Replays/\n");
    EXPECT_FALSE(fileExists("Data/Nebulark/Score/Replays"));
}

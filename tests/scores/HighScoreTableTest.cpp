#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <csignal>
#include <functional>
#include <sstream>

#include "scores/HighScoreTable.h"
#include "support/ProcessProbe.h"
#include "support/TempDir.h"
#include "util/FileUtils.h"
#include "util/StringUtils.h"

using namespace nebulark;
using nebulark::test::ExitStatusWithin;
using nebulark::test::TempDir;
using nebulark::test::WaitForChild;

namespace {

constexpr const char* kTable = "Data/Nebulark/Score/Classifica.txt";

// The rest of a line as the game builds it.
std::string Rest(const std::string& name, int level) {
    return padRight(name, ' ', 12) + " Level " + std::to_string(level);
}

std::string TenResults() {
    std::string table;
    for (int i = 10; i >= 1; --i)
        table += padLeft(std::to_string(i * 100), '0', 8) + " " +
                 Rest(std::string("P").append(std::to_string(i)), 2) + "\n";
    return table;
}

void WriteTable(const std::string& content) {
    ASSERT_TRUE(ensureDirectory("Data") && ensureDirectory("Data/Nebulark") &&
                ensureDirectory("Data/Nebulark/Score"));
    TempDir::Write(kTable, content);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A line as the game writes it: eight digits, a blank, a name of capitals and
// digits padded with blanks, " Level " and a number.
bool IsEntry(const std::string& line) {
    const size_t level = line.find(" Level ");
    if (line.size() < 9 || level == std::string::npos || level < 10) return false;
    const auto digits = [](const std::string& text) {
        return !text.empty() && std::all_of(text.begin(), text.end(), ::isdigit);
    };
    const std::string name = trimRight(line.substr(9, level - 9));
    return digits(line.substr(0, 8)) && line[8] == ' ' && !name.empty() &&
           std::all_of(name.begin(), name.end(), [](char c) { return std::isalnum(c) != 0; }) &&
           digits(line.substr(level + 7));
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names = listFiles(folder);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(HighScoreTable, TheFirstEntryMakesTheFoldersAndAOneLineFile) {
    TempDir dir;
    HighScoreTable table("Nebulark");
    EXPECT_TRUE(table.read().empty());
    EXPECT_FALSE(table.hasError());
    EXPECT_TRUE(table.addEntry(1234, Rest("MARIO", 3)));
    EXPECT_EQ(TempDir::Read(kTable), "00001234 MARIO        Level 3\n");
    EXPECT_EQ(table.read(), std::vector<std::string>{"00001234 MARIO        Level 3"});
    EXPECT_EQ(FilesIn("Data/Nebulark/Score"),
              (std::vector<std::string>{"Classifica.txt", "Classifica.txt.lock"}));

    // An empty file is an empty table too.
    TempDir::Write(kTable, "");
    EXPECT_TRUE(table.read().empty());
    EXPECT_TRUE(table.addEntry(5, Rest("LUIGI", 1)));
    EXPECT_EQ(TempDir::Read(kTable), "00000005 LUIGI        Level 1\n");
}

TEST(HighScoreTable, EntriesAreSortedByteWiseAndCutToTen) {
    TempDir dir;
    WriteTable(TenResults());
    HighScoreTable table("Nebulark");
    // An eleventh result below all ten is sorted last and dropped.
    EXPECT_TRUE(table.addEntry(99, Rest("LAST", 9)));
    EXPECT_EQ(TempDir::Read(kTable), TenResults());

    // Equal scores keep both lines, the greater rest first.
    EXPECT_TRUE(table.addEntry(500, Rest("ZED", 1)));
    const std::vector<std::string> lines = table.read();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[5], "00000500 ZED          Level 1");
    EXPECT_EQ(lines[6], "00000500 P5           Level 2");
    EXPECT_EQ(lines[9], "00000200 P2           Level 2");

    // Nine digits keep their last eight; a long name is kept whole.
    EXPECT_TRUE(table.addEntry(123456789, Rest("FIFTEEN_LETTERS", 4)));
    EXPECT_EQ(table.read()[0], "23456789 FIFTEEN_LETTERS Level 4");
    EXPECT_EQ(table.read()[0].size(), table.read()[1].size() + 3);
}

TEST(HighScoreTable, LinesOutsideTheFormatAreKeptAndCounted) {
    TempDir dir;
    WriteTable("\nhand-written line\n00000300 ANNA         Level 2\n\xC3\xA8\x01\x7F\r\n");
    HighScoreTable table("Nebulark");
    EXPECT_TRUE(table.addEntry(700, Rest("BEA", 3)));
    EXPECT_FALSE(table.hasError());
    EXPECT_EQ(TempDir::Read(kTable),
              "\xC3\xA8\x01\x7F\r\nhand-written line\n00000700 BEA          Level 3\n"
              "00000300 ANNA         Level 2\n\n");
    // A file ending without a newline loses nothing either.
    WriteTable("00000100 END          Level 1");
    EXPECT_TRUE(table.addEntry(50, Rest("X", 1)));
    EXPECT_EQ(Lines(TempDir::Read(kTable)),
              (std::vector<std::string>{"00000100 END          Level 1",
                                        "00000050 X            Level 1"}));
}

// A table that can be read only in part is kept whole beside it, never over an
// earlier copy, and the lines that could be read take the new entry.
TEST(HighScoreTable, ATableReadOnlyInPartIsKeptAsideAndSavingGoesOn) {
    TempDir dir;
    const std::string overlong = TenResults() + std::string(256, 'x') + "\n" + "00000001 TAIL\n";
    const std::string zeroByte =
        std::string("00000900 NUL") + '\0' + "BYTE Level 5\n" + TenResults();
    const std::string copy = std::string(kTable) + ".unreadable-";
    HighScoreTable table("Nebulark");
    WriteTable(overlong);
    EXPECT_TRUE(table.addEntry(5000, Rest("NEW", 1)));
    std::vector<std::string> expected = Lines(TenResults());
    expected.insert(expected.begin(), "00005000 NEW          Level 1");
    expected.pop_back();
    EXPECT_EQ(table.read(), expected);
    EXPECT_FALSE(table.hasError());

    WriteTable(zeroByte);
    EXPECT_TRUE(table.addEntry(5000, Rest("NEW", 1)));
    EXPECT_EQ(table.read()[3], "00000900 NUL");
    // Readable again: the next entry sets nothing aside.
    EXPECT_TRUE(table.addEntry(2, Rest("LOW", 1)));
    EXPECT_EQ(TempDir::Read(copy + "1"), overlong);
    EXPECT_EQ(TempDir::Read(copy + "2"), zeroByte);
    EXPECT_EQ(TempDir::Read("log.txt"), "Classifica illeggibile, conservata in " + copy + "1\n" +
                                            "Classifica illeggibile, conservata in " + copy +
                                            "2\n");

    // A folder in the file's place cannot be kept aside, and nothing is saved.
    removeFile(kTable);
    ASSERT_TRUE(ensureDirectory(kTable));
    EXPECT_FALSE(table.addEntry(5000, Rest("NEW", 1)));
    EXPECT_TRUE(table.hasError());
}

// On a full disk every game over fails to save. A table read only in part is
// kept aside by the first of them, and neither the next ones nor a copy of the
// same bytes make another copy. Each game over runs in a process of its own,
// as after a restart; a file size limit stands in for the full disk, too low
// for the long entry and high enough for the log.
TEST(HighScoreTable, FailingSavesKeepAnUnreadableTableAsideOnce) {
    TempDir dir;
    const std::string damaged = TenResults() + std::string(256, 'x') + "\n";
    const std::string copy = std::string(kTable) + ".unreadable-1";
    const std::vector<std::string> files{"Classifica.txt", "Classifica.txt.lock",
                                         "Classifica.txt.unreadable-1"};
    const std::string logged = "Classifica illeggibile, conservata in " + copy + "\n";
    WriteTable(damaged);
    for (int game = 0; game < 3; ++game)
        EXPECT_EQ(ExitStatusWithin([] {
                      signal(SIGXFSZ, SIG_IGN);
                      const rlimit full{1024, 1024};
                      setrlimit(RLIMIT_FSIZE, &full);
                      HighScoreTable table("Nebulark");
                      return table.addEntry(9000, Rest(std::string(2000, 'L'), 1)) ? 0 : 1;
                  }),
                  1);
    EXPECT_EQ(FilesIn("Data/Nebulark/Score"), files);
    EXPECT_EQ(TempDir::Read(kTable), damaged);
    EXPECT_EQ(TempDir::Read("log.txt"), logged);

    HighScoreTable table("Nebulark");
    EXPECT_TRUE(table.addEntry(9000, Rest("ROOM", 1)));
    EXPECT_EQ(table.read()[0], "00009000 ROOM         Level 1");
    EXPECT_EQ(TempDir::Read(copy), damaged);
    WriteTable(damaged);
    EXPECT_TRUE(table.addEntry(9000, Rest("ROOM", 1)));
    EXPECT_EQ(FilesIn("Data/Nebulark/Score"), files);
    EXPECT_EQ(TempDir::Read("log.txt"), logged);
}

// A process that holds the table's lock and never lets it go (stopped, or
// stuck on a slow disk) delays a save by a few seconds only.
TEST(HighScoreTable, AHeldLockDelaysASaveOnlyForAWhile) {
    TempDir dir;
    WriteTable(TenResults());
    const int holder = open((std::string(kTable) + ".lock").c_str(), O_RDWR | O_CREAT, 0666);
    ASSERT_EQ(flock(holder, LOCK_EX), 0);
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(ExitStatusWithin(
                  [] { return HighScoreTable("Nebulark").addEntry(2000, Rest("LATE", 4)) ? 0 : 1; },
                  std::chrono::seconds(6)),
              0);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
    EXPECT_EQ(Lines(TempDir::Read(kTable))[0], "00002000 LATE         Level 4");
    EXPECT_EQ(TempDir::Read("log.txt"),
              "Classifica bloccata da un altro processo: salvataggio senza lock\n");
    close(holder);
}

TEST(HighScoreTable, FoldersThatCannotBeMadeOrWrittenAreReported) {
    TempDir dir;
    TempDir::Write("Data", "a file where the folder should be");
    HighScoreTable table("Nebulark");
    EXPECT_TRUE(table.read().empty());
    EXPECT_TRUE(table.hasError());
    EXPECT_FALSE(table.addEntry(10, Rest("A", 1)));
    EXPECT_FALSE(table.write({"line"}));
    EXPECT_EQ(TempDir::Read("Data"), "a file where the folder should be");

    // A score folder where no file can be made, even by root: the failed save
    // is reported, not taken as stored.
    removeFile("Data");
    ASSERT_TRUE(ensureDirectory("Data") && ensureDirectory("Data/Nebulark"));
    ASSERT_EQ(symlink("/proc", "Data/Nebulark/Score"), 0);
    EXPECT_FALSE(table.addEntry(10, Rest("A", 1)));
}

TEST(HighScoreTable, RewritingKeepsTheFilesPermissions) {
    TempDir dir;
    WriteTable(TenResults());
    ASSERT_EQ(chmod(kTable, 0640), 0);
    HighScoreTable table("Nebulark");
    EXPECT_TRUE(table.addEntry(2000, Rest("TOP", 7)));
    struct stat info {};
    ASSERT_EQ(stat(kTable, &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// A process killed at any moment of a rewrite leaves the old or the new table
// whole on disk, never an empty or partial one.
TEST(HighScoreTable, AKillInTheMiddleOfARewriteLeavesAWholeTable) {
    TempDir dir;
    WriteTable(TenResults());
    for (int round = 0; round < 40; ++round) {
        const pid_t writer = fork();
        if (writer == 0) {
            HighScoreTable table("Nebulark");
            for (int score = 1000 + round * 100000;; ++score)
                table.addEntry(score, Rest(std::string("W").append(std::to_string(score % 7)), 1));
        }
        usleep(static_cast<useconds_t>(500 + round * 250));
        kill(writer, SIGKILL);
        ASSERT_NE(WaitForChild(writer), -1);

        const std::string content = TempDir::Read(kTable);
        ASSERT_FALSE(content.empty()) << "round " << round;
        ASSERT_EQ(content.back(), '\n') << "round " << round;
        const std::vector<std::string> lines = Lines(content);
        ASSERT_EQ(lines.size(), 10u) << "round " << round;
        for (const std::string& line : lines)
            ASSERT_TRUE(IsEntry(line)) << "round " << round << ": " << line;
        ASSERT_TRUE(std::is_sorted(lines.begin(), lines.end(), std::greater<>()));
    }
    // The temporary files of killed writers go with the next save.
    EXPECT_TRUE(HighScoreTable("Nebulark").addEntry(1, Rest("NEXT", 1)));
    EXPECT_EQ(FilesIn("Data/Nebulark/Score"),
              (std::vector<std::string>{"Classifica.txt", "Classifica.txt.lock"}));
}

// Games saving at the same moment take turns, and every entry that ranks is
// kept; here all ten do.
TEST(HighScoreTable, TwoGamesSavingAtOnceKeepEveryEntryThatRanks) {
    TempDir dir;
    WriteTable("");
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    pid_t games[2];
    for (int game = 0; game < 2; ++game) {
        games[game] = fork();
        if (games[game] == 0) {
            close(start[1]);
            char go = 0;
            read(start[0], &go, 1);  // ends when the test closes the other end
            HighScoreTable table("Nebulark");
            bool saved = true;
            for (int i = 0; i < 5; ++i)
                saved = table.addEntry(100 + 10 * i + game, Rest("G", game)) && saved;
            _exit(saved ? 0 : 1);
        }
    }
    close(start[0]);
    close(start[1]);
    for (pid_t game : games)
        EXPECT_EQ(WaitForChild(game, std::chrono::seconds(30)), 0);
    EXPECT_EQ(HighScoreTable("Nebulark").read().size(), 10u);
}

// A table reached through a symbolic link is saved in the link's target, and
// the link stays.
TEST(HighScoreTable, ALinkedTableIsUpdatedThroughItsLink) {
    TempDir dir;
    WriteTable("");
    removeFile(kTable);
    ASSERT_TRUE(ensureDirectory("Shared"));
    TempDir::Write("Shared/table.txt", "00000100 OLD          Level 1\n");
    ASSERT_EQ(symlink("../../../Shared/table.txt", kTable), 0);
    HighScoreTable table("Nebulark");
    EXPECT_TRUE(table.addEntry(200, Rest("NEW", 2)));
    struct stat info {};
    ASSERT_EQ(lstat(kTable, &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(TempDir::Read("Shared/table.txt"),
              "00000200 NEW          Level 2\n00000100 OLD          Level 1\n");
}

// Opening a FIFO for reading waits for a writer that may never come.
TEST(HighScoreTable, AFifoInTheTablesPlaceIsRefusedWithoutWaiting) {
    TempDir dir;
    WriteTable("");
    removeFile(kTable);
    ASSERT_EQ(mkfifo(kTable, 0600), 0);
    EXPECT_EQ(ExitStatusWithin([] {
                  HighScoreTable table("Nebulark");
                  const bool refused = table.read().empty() && table.hasError() &&
                                       !table.addEntry(1, Rest("A", 1)) && !table.write({"x"});
                  return refused ? 0 : 1;
              }),
              0);
    const std::string refusal = std::string(kTable) + ": non è un file regolare\n";
    EXPECT_EQ(TempDir::Read("log.txt"), refusal + refusal + refusal);
    struct stat info {};
    ASSERT_EQ(lstat(kTable, &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

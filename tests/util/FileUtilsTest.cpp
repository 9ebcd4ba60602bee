#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "support/ProcessProbe.h"
#include "support/TempDir.h"
#include "util/BinaryFile.h"
#include "util/FileUtils.h"
#include "util/TextFile.h"

using namespace nebulark;
using nebulark::test::TempDir;
using Lines = std::vector<std::string>;

TEST(PathHelpers, DirectoryAndFileNames) {
    std::string path = "c:\\games\\data\\pic.bmp";
    EXPECT_EQ(directoryOf(path), "c:/games/data/");
    EXPECT_EQ(path, "c:/games/data/pic.bmp");
    std::string forward = "a/b/c";
    EXPECT_EQ(directoryOf(forward), "a/b/");
    std::string drive = "c:pic";
    EXPECT_EQ(directoryOf(drive), "c:");
    std::string bare = "pic.bmp";
    EXPECT_EQ(directoryOf(bare), "");
    EXPECT_EQ(fileNameOf("pic.bmp"), "pic.bmp");
    EXPECT_EQ(fileNameOf("Data\\Score\\x.txt"), "x.txt");
    EXPECT_EQ(fileNameOf("dir/"), "");
    EXPECT_EQ(withTrailingSlash(""), "");
    EXPECT_EQ(withTrailingSlash("a"), "a/");
    EXPECT_EQ(withTrailingSlash("a/"), "a/");
    EXPECT_EQ(withTrailingSlash("a\\"), "a\\");
    EXPECT_EQ(withTrailingSlash("c:"), "c:");
    EXPECT_EQ(withExtension("PIC.BMP", ".bmp"), "PIC.BMP");
    EXPECT_EQ(withExtension("pic", ".bmp"), "pic.bmp");
    EXPECT_EQ(withExtension("bmp", ".bmp"), "bmp.bmp");
    EXPECT_EQ(withExtension("pic.BMP", ".BMP"), "pic.BMP.BMP");
    EXPECT_EQ(withExtension("", ".bmp"), "");
}

TEST(PathHelpers, ExistenceSizeFoldersAndListing) {
    TempDir dir;
    EXPECT_FALSE(fileExists("missing"));
    EXPECT_EQ(fileSize("missing"), 0);
    EXPECT_FALSE(removeFile("missing"));
    TempDir::Write("five", "12345");
    EXPECT_EQ(fileSize("five"), 5);
    EXPECT_TRUE(ensureDirectory("sub"));
    EXPECT_TRUE(ensureDirectory("sub"));
    EXPECT_TRUE(ensureDirectory("five"));  // something of that name exists
    EXPECT_FALSE(ensureDirectory("no/such/parent"));
    TempDir::Write("sub/a", "x");
    TempDir::Write("sub/b", "y");
    ensureDirectory("sub/inner");
    Lines names = listFiles("sub");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Lines{"a", "b"}));
    EXPECT_TRUE(listFiles("nowhere").empty());
    EXPECT_EQ(TempDir::Read("log.txt"), "nowhere accesso negato!\n");
    EXPECT_TRUE(removeFile("five"));
    EXPECT_FALSE(fileExists("five"));
}

// Processes making the same folders at the same moment all succeed, also the
// one that finds a folder made between its check and its own mkdir.
TEST(PathHelpers, FoldersMadeByManyProcessesAtOnceAreThereForAll) {
    TempDir dir;
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    std::vector<pid_t> makers;
    for (int i = 0; i < 4; ++i) {
        const pid_t pid = fork();
        if (pid == 0) {
            close(start[1]);
            char go = 0;
            read(start[0], &go, 1);  // ends when the test closes the other end
            bool all = true;
            for (int n = 0; n < 500; ++n)
                all = ensureDirectory(std::to_string(n) + "f") && all;
            _exit(all ? 0 : 1);
        }
        makers.push_back(pid);
    }
    close(start[0]);
    close(start[1]);
    for (const pid_t maker : makers)
        EXPECT_EQ(nebulark::test::WaitForChild(maker, std::chrono::seconds(30)), 0);
}

TEST(TextFileTest, LinesRoundTripAndAppend) {
    TempDir dir;
    TextFile file("t.txt");
    EXPECT_TRUE(file.writeLines({"A", "", "B"}));
    EXPECT_TRUE(file.appendLines({"C"}));
    EXPECT_EQ(TempDir::Read("t.txt"), "A\n\nB\nC\n");
    EXPECT_EQ(file.readLines(), (Lines{"A", "", "B", "C"}));
    EXPECT_FALSE(file.failed);
    EXPECT_EQ(file.readAll(), "A\r\n\r\nB\r\nC\r\n");
    TempDir::Write("t.txt", "x\ny");
    EXPECT_EQ(file.readLines(), (Lines{"x", "y"}));
    TempDir::Write("t.txt", std::string("ab\0cd\nef\n", 9));
    EXPECT_EQ(file.readLines(), (Lines{"ab", "ef"}));
    TempDir::Write("t.txt", "");
    EXPECT_TRUE(file.readLines().empty());
    EXPECT_EQ(file.readAll(), "");
}

TEST(TextFileTest, LongLinesStopReadingAndReportFailure) {
    TempDir dir;
    TextFile file("t.txt");
    const std::string longest(255, 'x');
    TempDir::Write("t.txt", "a\n" + longest + "\nb\n");
    EXPECT_EQ(file.readLines(), (Lines{"a", longest, "b"}));
    EXPECT_FALSE(file.failed);
    TempDir::Write("t.txt", "a\n" + std::string(256, 'y') + "\nb\n");
    EXPECT_EQ(file.readLines(), (Lines{"a"}));
    EXPECT_TRUE(file.failed);
    EXPECT_FALSE(file.openFailed);
    TempDir::Write("t.txt", std::string(100000, 'z'));
    EXPECT_TRUE(file.readLines().empty());
    EXPECT_TRUE(file.failed);
}

TEST(TextFileTest, OpenFailuresAreReportedNotThrown) {
    TempDir dir;
    TextFile missing("missing.txt");
    EXPECT_TRUE(missing.readLines().empty());
    EXPECT_TRUE(missing.failed && missing.openFailed);
    EXPECT_EQ(missing.readAll(), "");
    ensureDirectory("folder");
    TextFile folder("folder");
    EXPECT_FALSE(folder.writeLines({"x"}));
    EXPECT_TRUE(folder.failed && folder.openFailed);
    TextFile full("/dev/full");
    EXPECT_FALSE(full.writeLines({"x"}));
    EXPECT_TRUE(full.failed);
    EXPECT_FALSE(full.openFailed);
}

TEST(BinaryFileTest, ReadsAndWritesAtOffsets) {
    TempDir dir;
    {
        BinaryFile out("b.bin", false, true, false);
        ASSERT_FALSE(out.openFailed);
        EXPECT_TRUE(out.writeAt(0, "hello world", 11));
        EXPECT_TRUE(out.writeAt(6, "WORLD", 5));
    }
    EXPECT_EQ(TempDir::Read("b.bin"), "hello WORLD");
    BinaryFile in("b.bin", true, false, false);
    char buffer[32] = {};
    EXPECT_EQ(in.readAt(6, buffer, 5), 5u);
    EXPECT_EQ(std::string(buffer, 5), "WORLD");
    EXPECT_FALSE(in.atEnd());
    EXPECT_EQ(in.readAt(8, buffer, 10), 3u);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(in.readAt(100, buffer, 10), 0u);
    EXPECT_FALSE(in.failed);
    EXPECT_EQ(in.readAt(0, buffer, 5), 5u);  // still usable after reaching the end
    EXPECT_EQ(in.readAt(-1, buffer, 5), 0u);
    EXPECT_TRUE(in.failed);
    EXPECT_EQ(in.readAt(0, buffer, 5), 0u);
    in.close();
    in.close();
    EXPECT_EQ(in.readAt(0, buffer, 5), 0u);
    {
        BinaryFile appender("b.bin", false, false, true);
        EXPECT_TRUE(appender.writeAt(0, "!", 1));
    }
    EXPECT_EQ(TempDir::Read("b.bin"), "hello WORLD!");
}

TEST(BinaryFileTest, MissingFileReadsNothing) {
    TempDir dir;
    BinaryFile in("missing.bin", true, false, false);
    EXPECT_TRUE(in.failed && in.openFailed && in.closed);
    char buffer[4] = {1, 2, 3, 4};
    EXPECT_EQ(in.readAt(0, buffer, 4), 0u);
    EXPECT_EQ(buffer[0], 1);
    EXPECT_FALSE(in.writeAt(0, buffer, 4));
    EXPECT_FALSE(in.atEnd());
    BinaryFile existing("missing.bin", false, false, false);
    EXPECT_TRUE(existing.openFailed);
}

TEST(FileHelpers, CopyAndFingerprint) {
    TempDir dir;
    std::string content;
    for (int i = 0; i < 30000; ++i)
        content += static_cast<char>(i * 7);
    TempDir::Write("src.bin", content);
    EXPECT_TRUE(copyFile("src.bin", "dst.bin"));
    EXPECT_EQ(TempDir::Read("dst.bin"), content);
    EXPECT_FALSE(copyFile("missing", "dst2.bin"));
    EXPECT_FALSE(fileExists("dst2.bin"));
    TempDir::Write("empty", "");
    EXPECT_FALSE(copyFile("empty", "dst3.bin"));

    unsigned char expected[16] = {};
    for (size_t i = 0; i < content.size(); ++i)
        expected[i % 16] ^= static_cast<unsigned char>(content[i]);
    char hex[33];
    for (int i = 0; i < 16; ++i)
        snprintf(hex + 2 * i, 3, "%02X", expected[i]);
    EXPECT_EQ(fileFingerprint("src.bin"), std::string(hex));
    EXPECT_EQ(fileFingerprint("missing"), std::string(32, '0'));
    TempDir::Write("ab", "\x01\x02");
    EXPECT_EQ(fileFingerprint("ab"), "0102" + std::string(28, '0'));
}

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "input/JoystickConfig.h"
#include "input/JoystickState.h"
#include "support/ProcessProbe.h"
#include "support/TempDir.h"
#include "util/FileUtils.h"

using namespace nebulark;
using nebulark::test::ExitStatusWithin;
using nebulark::test::TempDir;
using nebulark::test::WaitForChild;

namespace {

JoystickSettings Parse(const std::vector<std::string>& lines) {
    JoystickSettings settings;
    applyJoystickConfigLines(lines, settings);
    return settings;
}

}  // namespace

TEST(JoystickConfig, AMissingFileIsWrittenWithTheDefaultsAndLoaded) {
    TempDir dir;
    loadJoystickConfig();
    EXPECT_EQ(TempDir::Read("joystick.cfg"),
              "JoystickEnable= 1\nAixsXCfg= 0\nAixsYCfg= 1\nMinValueLeftCfg= -32767\n"
              "MaxValueLeftCfg= -1\nMinValueRightCfg= 1\nMaxValueRightCfg= 32767\n"
              "MinValueUpCfg= -32767\nMaxValueUpCfg= -1\nMinValueDownCfg= 1\n"
              "MaxValueDownCfg= 32767\n");
    const JoystickSettings& s = joystickState().settings;
    const int loaded[] = {s.joystickEnable,   s.aixsXCfg,        s.aixsYCfg,
                          s.minValueLeftCfg,  s.maxValueLeftCfg, s.minValueRightCfg,
                          s.maxValueRightCfg, s.minValueUpCfg,   s.maxValueUpCfg,
                          s.minValueDownCfg,  s.maxValueDownCfg};
    const int defaults[] = {1, 0, 1, -32767, -1, 1, 32767, -32767, -1, 1, 32767};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(loaded[i], defaults[i]) << "key " << i;
    EXPECT_TRUE(TempDir::Read("log.txt").empty());
}

TEST(JoystickConfig, LinesAreSplitTrimmedAndConvertedLikeTheFileFormatSays) {
    EXPECT_EQ(Parse({" \tMaxValueLeftCfg \t=  -200 \t"}).maxValueLeftCfg, -200);
    EXPECT_EQ(Parse({"JoystickEnable="}).joystickEnable, -1);
    EXPECT_EQ(Parse({"JoystickEnable=1=2"}).joystickEnable, -1);
    // A second "=" with nothing after it still leaves two fields.
    EXPECT_EQ(Parse({"JoystickEnable=1="}).joystickEnable, 1);
    EXPECT_EQ(Parse({"AixsXCfg=3x"}).aixsXCfg, 3);
    EXPECT_EQ(Parse({"AixsXCfg=+4"}).aixsXCfg, 4);
    EXPECT_EQ(Parse({"AixsXCfg=   "}).aixsXCfg, 0);
    EXPECT_EQ(Parse({"AixsXCfg=x3"}).aixsXCfg, 0);
    EXPECT_EQ(Parse({"joystickenable=1"}).joystickEnable, -1);
    EXPECT_EQ(Parse({"AxisXCfg=5"}).aixsXCfg, -1);
    EXPECT_EQ(Parse({"=5", "", "AixsYCfg 5"}).aixsYCfg, -1);
    EXPECT_EQ(Parse({"AixsYCfg=2", "AixsYCfg=7"}).aixsYCfg, 7);
    // Numbers beyond int are held at its ends rather than wrapped.
    EXPECT_EQ(Parse({"MinValueLeftCfg=-99999999999999999999"}).minValueLeftCfg, INT32_MIN);
    EXPECT_EQ(Parse({"MaxValueLeftCfg=99999999999"}).maxValueLeftCfg, INT32_MAX);
}

TEST(JoystickConfig, SettingsAreLoadedOnceUnlessTheEnableKeyIsMissing) {
    TempDir dir;
    TempDir::Write("joystick.cfg", "AixsXCfg= 4\n");
    loadJoystickConfig();
    EXPECT_EQ(joystickState().settings.joystickEnable, -1);
    EXPECT_EQ(joystickState().settings.aixsXCfg, 4);
    // Still -1: the next load reads the file again.
    TempDir::Write("joystick.cfg", "JoystickEnable= 1\nAixsXCfg= 5\n");
    loadJoystickConfig();
    EXPECT_EQ(joystickState().settings.joystickEnable, 1);
    EXPECT_EQ(joystickState().settings.aixsXCfg, 5);
    // Loaded now: edits take effect at the next start only.
    TempDir::Write("joystick.cfg", "JoystickEnable= 0\nAixsXCfg= 6\n");
    loadJoystickConfig();
    EXPECT_EQ(joystickState().settings.joystickEnable, 1);
    EXPECT_EQ(joystickState().settings.aixsXCfg, 5);
}

TEST(JoystickConfig, GarbageBinaryAndOverlongLinesDoNoHarm) {
    TempDir dir;
    std::string file = "garbage without an equals sign\n";
    file += "AixsYCfg=\xff\x01 7\n";
    file += std::string("MaxValueUpCfg= 5\0 9\n", 21);
    file += "\x80\xfe=\x01\x02\n";
    file += "JoystickEnable= 1\n";
    file += "MinValueUpCfg=" + std::string(300, '9') + "\n";  // reading stops here
    file += "AixsXCfg= 9\n";
    TempDir::Write("joystick.cfg", file);
    loadJoystickConfig();
    const JoystickSettings& s = joystickState().settings;
    EXPECT_EQ(s.joystickEnable, 1);
    EXPECT_EQ(s.aixsYCfg, 0);       // no digits
    EXPECT_EQ(s.maxValueUpCfg, 5);  // the line ends at its zero byte
    EXPECT_EQ(s.minValueUpCfg, -1);
    EXPECT_EQ(s.aixsXCfg, -1);
}

TEST(JoystickConfig, AFileThatCannotBeCreatedIsLoggedAndLeavesTheSettingsUnloaded) {
    TempDir dir;
    // A dangling link through a missing folder cannot be written, even by root.
    ASSERT_EQ(symlink("missing/folder/joystick.cfg", "joystick.cfg"), 0);
    ::testing::internal::CaptureStdout();
    loadJoystickConfig();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "impossibile creare il file joystick.cfg\n");
    EXPECT_EQ(joystickState().settings.joystickEnable, -1);
}

// A writer killed at any moment leaves no file or the whole file: a file cut
// short would be read as unreadable settings on every later start. A writer
// asked to stop (the game stops its reader so) finishes first and leaves no
// temporary file either.
TEST(JoystickConfig, AKillDuringTheDefaultWriteLeavesNoPartialFile) {
    TempDir dir;
    std::string whole;
    for (const std::string& line : defaultJoystickConfigLines())
        whole += line + "\n";
    for (int round = 0; round < 40; ++round) {
        const pid_t writer = fork();
        if (writer == 0) {
            for (;;) {
                removeFile("joystick.cfg");
                loadJoystickConfig();
            }
        }
        usleep(static_cast<useconds_t>(300 + round * 50));
        const int signal = round % 2 == 0 ? SIGTERM : SIGKILL;
        kill(writer, signal);
        ASSERT_NE(WaitForChild(writer), -1);
        if (fileExists("joystick.cfg")) {
            ASSERT_EQ(TempDir::Read("joystick.cfg"), whole) << round;
        }
        for (const std::string& name : listFiles(".")) {
            if (name == "joystick.cfg") continue;
            EXPECT_NE(signal, SIGTERM) << name << " left in round " << round;
            removeFile(name);
        }
    }
}

// Opening a FIFO for reading waits for a writer that may never come.
TEST(JoystickConfig, AFifoInTheFilesPlaceIsRefusedWithoutWaiting) {
    TempDir dir;
    ASSERT_EQ(mkfifo("joystick.cfg", 0600), 0);
    EXPECT_EQ(ExitStatusWithin([] {
                  loadJoystickConfig();
                  return joystickState().settings.joystickEnable == -1 ? 0 : 1;
              }),
              0);
    EXPECT_EQ(TempDir::Read("log.txt"), "joystick.cfg: non è un file regolare\n");
}

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/keysym.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "support/GameData.h"
#include "support/ProcessProbe.h"
#include "support/TempDir.h"
#include "support/XDriver.h"
#include "support/XvfbEnvironment.h"
#include "support/XvfbServer.h"

using nebulark::test::ChildrenOf;
using nebulark::test::TempDir;
using nebulark::test::WaitFor;
using nebulark::test::XDriver;
using nebulark::test::XvfbEnvironment;
using nebulark::test::XvfbServer;

namespace {

constexpr const char* kBlockName = "/mem_shared_hardJoy";
constexpr const char* kBlockFile = "/dev/shm/mem_shared_hardJoy";

// Runs the game binary in the working directory, with its standard output on
// `output` when one is given; answers its exit status, or -1 when it did not
// exit normally.
pid_t StartGame(int output = -1) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (output >= 0) dup2(output, STDOUT_FILENO);
        signal(SIGPIPE, SIG_DFL);
        execl(NEBULARK_BINARY, NEBULARK_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

int RunGame(int output = -1) {
    const pid_t pid = StartGame(output);
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

bool BlockExists() {
    struct stat info {};
    return lstat(kBlockFile, &info) == 0;
}

// The program uses the one fixed block name; ctest runs these tests under a
// resource lock, and each leaves nothing behind.
class Program : public ::testing::Test {
protected:
    void SetUp() override { shm_unlink(kBlockName); }
    void TearDown() override {
        EXPECT_FALSE(BlockExists());
        shm_unlink(kBlockName);
    }
};

}  // namespace

TEST_F(Program, WithoutADisplayItLogsAndEndsWithStatusZero) {
    TempDir dir;
    TempDir::Write("log.txt", "left by an earlier run\n");
    unsetenv("DISPLAY");
    EXPECT_EQ(RunGame(), 0);
    EXPECT_EQ(TempDir::Read("log.txt"), "XOpenDisplay(0) failed.\nChiusura screen non riuscita\n");
}

// Output piped into a program that has already ended, or a terminal gone:
// the program goes on, and every line still reaches the log.
TEST_F(Program, AClosedStandardOutputNeitherEndsTheProgramNorLosesTheLog) {
    TempDir dir;
    unsetenv("DISPLAY");
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    EXPECT_EQ(RunGame(ends[1]), 0);
    close(ends[1]);
    EXPECT_EQ(TempDir::Read("log.txt"), "XOpenDisplay(0) failed.\nChiusura screen non riuscita\n");
}

namespace {

// The game's window among the top-level windows, once it has been mapped.
Window FindGameWindow(const XDriver& driver) {
    Display* display = driver.Connection();
    Window root = 0, parent = 0, *children = nullptr, found = 0;
    unsigned count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count && found == 0; ++i) {
        char* name = nullptr;
        XWindowAttributes attributes{};
        if (XFetchName(display, children[i], &name) && name != nullptr &&
            std::string(name).rfind("Nebulark", 0) == 0 &&
            XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable)
            found = children[i];
        XFree(name);
    }
    if (children != nullptr) XFree(children);
    return found;
}

// 0xRRGGBB of a pixel of an 800 × 600 raw picture.
uint32_t PicturePixel(const std::string& path, int x, int y) {
    std::ifstream file(path, std::ios::binary);
    file.seekg((static_cast<std::streamoff>(y) * 800 + x) * 3);
    unsigned char rgb[3] = {};
    file.read(reinterpret_cast<char*>(rgb), 3);
    return static_cast<uint32_t>(rgb[0] << 16 | rgb[1] << 8 | rgb[2]);
}

// The window shows the picture at a handful of points nothing is drawn over.
bool Shows(const XDriver& driver, Window window, const std::string& picture) {
    for (const auto& [x, y] : {std::pair{100, 400}, {700, 500}, {30, 580}, {790, 300}})
        if (driver.PixelAt(window, x, y) != PicturePixel(picture, x, y)) return false;
    return true;
}

int CountLines(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// Ends the game as the window manager's close button would; answers its wait
// status, or -1 when it did not end in time.
int CloseGame(const XDriver& driver, Window window, pid_t pid) {
    driver.SendDeleteWindow(window);
    return nebulark::test::WaitForChild(pid, std::chrono::seconds(10));
}

}  // namespace

// From a fresh folder holding only the pictures, as a player starts it: the
// window as the window manager sees it, the files it makes, the title, a game
// started with G, and a clean end. A joystick block left by a killed run, with
// the stick held left, is not taken for a live joystick and is gone at the end.
TEST_F(Program, PlaysFromAFreshFolderAndEndsCleanly) {
    TempDir dir;
    ASSERT_TRUE(nebulark::test::LinkGameData(NEBULARK_DATA_DIR));
    TempDir::Write("log.txt", "left by an earlier run\n");
    const int handle = shm_open(kBlockName, O_RDWR | O_CREAT, 0666);
    ASSERT_GE(handle, 0);
    const unsigned char stale[7] = {1, 0, 0, 1, 0, 0, 0};
    ASSERT_EQ(write(handle, stale, sizeof stale), 7);
    close(handle);
    // Orphans of the game are handed to this process, so a reader left running
    // would show up among its children.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    XDriver& driver = XvfbEnvironment::Driver();

    const pid_t game = StartGame();
    Window window = 0;
    ASSERT_TRUE(
        WaitFor([&] { return (window = FindGameWindow(driver)) != 0; }, std::chrono::seconds(10)));
    XSizeHints hints{};
    ASSERT_TRUE(driver.NormalHints(window, hints));
    EXPECT_EQ(hints.min_width, 800);
    EXPECT_EQ(hints.max_width, 800);
    EXPECT_EQ(hints.min_height, 600);
    EXPECT_EQ(hints.max_height, 600);
    EXPECT_EQ(driver.ResourceClass(window), "Nebulark.exe");
    EXPECT_EQ(driver.Protocols(window), std::vector<std::string>{"WM_DELETE_WINDOW"});

    const std::string title = dir.Path() + "/Data/logo.bin";
    EXPECT_TRUE(WaitFor([&] { return Shows(driver, window, title); }, std::chrono::seconds(10)));
    EXPECT_EQ(TempDir::Read("log.txt").find("earlier run"), std::string::npos);
    EXPECT_NE(TempDir::Read("joystick.cfg").find("JoystickEnable"), std::string::npos);

    driver.Focus(window);
    driver.KeyTap(XK_g);
    driver.Sync();
    const std::string field = dir.Path() + "/Data/blank.bin";
    EXPECT_TRUE(WaitFor([&] { return Shows(driver, window, field); }, std::chrono::seconds(5)));
    // The status strip reaches the window with the next composed frame.
    EXPECT_TRUE(WaitFor([&] {
        const auto strip = driver.Pixels(window, 0, 0, 120, 25);
        return driver.PixelAt(window, 400, 2) == 0x010101 &&
               std::count(strip.begin(), strip.end(), 0xFFFFFFu) > 20;
    }));

    const int status = CloseGame(driver, window, game);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(BlockExists());
    for (const auto& child : ChildrenOf(getpid()))
        EXPECT_NE(child.name, "nebulark") << "left behind: pid " << child.pid << " " << child.state;
}

TEST_F(Program, WithoutItsPicturesItOpensItsWindowAndSaysWhatIsMissing) {
    TempDir dir;
    XDriver& driver = XvfbEnvironment::Driver();
    const pid_t game = StartGame();
    Window window = 0;
    ASSERT_TRUE(
        WaitFor([&] { return (window = FindGameWindow(driver)) != 0; }, std::chrono::seconds(10)));
    // The five sprite strips and the title picture.
    EXPECT_TRUE(WaitFor([] { return CountLines(TempDir::Read("log.txt"), ": non trovato") == 6; },
                        std::chrono::seconds(10)))
        << TempDir::Read("log.txt");
    driver.Focus(window);
    driver.KeyTap(XK_g);
    driver.Sync();
    EXPECT_TRUE(WaitFor(
        [] { return TempDir::Read("log.txt").find("Data/blank.bin") != std::string::npos; }));
    const int status = CloseGame(driver, window, game);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// However the game ends, its own processes end with it: a joystick reader that
// ends at once (switched off here) is reaped, not left defunct beside the
// game, and the server going away ends the game as a close would, with status
// 0, one line in the log and nothing left behind.
TEST_F(Program, ItsChildrenAreReapedAndALostServerEndsItCleanly) {
    TempDir dir;
    TempDir::Write("joystick.cfg", "JoystickEnable= 0\n");
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    XvfbServer server;
    ASSERT_TRUE(server.Start());
    setenv("DISPLAY", server.DisplayName().c_str(), 1);
    const pid_t game = StartGame();
    {
        const XDriver driver;
        ASSERT_TRUE(WaitFor([&] { return FindGameWindow(driver) != 0; }, std::chrono::seconds(10)));
    }
    // Past the title's loading pause, in the event loop.
    ASSERT_TRUE(WaitFor([] { return CountLines(TempDir::Read("log.txt"), ": non trovato") == 6; },
                        std::chrono::seconds(10)));
    EXPECT_TRUE(WaitFor(
        [game] {
            const auto children = ChildrenOf(game);
            return std::none_of(children.begin(), children.end(),
                                [](const auto& child) { return child.state == 'Z'; });
        },
        std::chrono::seconds(1)));

    server.Stop();
    const int status = nebulark::test::WaitForChild(game, std::chrono::seconds(1));
    ASSERT_TRUE(status != -1 && WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(CountLines(TempDir::Read("log.txt"), "Connessione con il server X perduta\n"), 1);
    for (const auto& child : ChildrenOf(getpid()))
        EXPECT_NE(child.name, "nebulark") << "left behind: pid " << child.pid << " " << child.state;
}

#include <gtest/gtest.h>

#include <X11/extensions/XTest.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "app/Screen.h"
#include "support/ProcessProbe.h"
#include "support/TempDir.h"
#include "support/XvfbEnvironment.h"
#include "util/ChildProcesses.h"

using AppScreen = nebulark::Screen;
using nebulark::test::TempDir;
using nebulark::test::WaitFor;
using nebulark::test::XvfbEnvironment;
using nebulark::test::XvfbServer;

TEST(Screen, OpensTheServerNamedByTheEnvironment) {
    TempDir dir;
    AppScreen screen("title");
    ASSERT_NE(screen.GetDisplay(), nullptr);
    EXPECT_EQ(screen.GetOpenFailed(), 0);
    EXPECT_EQ(screen.GetWidth(), 1024);
    EXPECT_EQ(screen.GetHeight(), 768);
    EXPECT_EQ(screen.GetDepth(), 24);
    ASSERT_NE(screen.GetVisualInfo(), nullptr);
    EXPECT_EQ(screen.GetVisualInfo()->depth, 24);
    EXPECT_STREQ(screen.GetTitle(), "title");
    EXPECT_EQ(AppScreen::Current(), &screen);
    EXPECT_EQ(AppScreen::ScreenWidth(), 1024);
    EXPECT_EQ(AppScreen::ScreenHeight(), 768);
    EXPECT_EQ(TempDir::Read("log.txt"), "");

    AppScreen second("second");
    EXPECT_EQ(AppScreen::Current(), &screen);
    EXPECT_TRUE(second.Close());

    EXPECT_TRUE(screen.Close());
    EXPECT_EQ(screen.GetDisplay(), nullptr);
    EXPECT_FALSE(screen.Close());
}

TEST(Screen, PointerPositionPacksRootCoordinates) {
    AppScreen screen("title");
    Display* driver = XvfbEnvironment::Driver().Connection();
    XTestFakeMotionEvent(driver, 0, 321, 654, CurrentTime);
    XSync(driver, False);
    const uint64_t packed = AppScreen::PointerPosition();
    EXPECT_EQ(packed & 0xFFFFFFFFu, 321u);
    EXPECT_EQ(packed >> 32, 654u);
}

TEST(Screen, NoServerLeavesDefaultsAndIsSurvived) {
    TempDir dir;
    unsetenv("DISPLAY");
    {
        AppScreen screen("title");
        EXPECT_EQ(screen.GetDisplay(), nullptr);
        EXPECT_EQ(screen.GetOpenFailed(), 1);
        EXPECT_EQ(screen.GetWidth(), 800);
        EXPECT_EQ(screen.GetHeight(), 600);
        EXPECT_EQ(screen.GetDepth(), 8);
        EXPECT_EQ(AppScreen::PointerPosition(), 0u);
        EXPECT_FALSE(screen.Close());
    }
    EXPECT_EQ(TempDir::Read("log.txt"), "XOpenDisplay(0) failed.\n");
    EXPECT_EQ(AppScreen::ScreenWidth(), 0);
    EXPECT_EQ(AppScreen::PointerPosition(), 0u);
}

TEST(Screen, ShallowServerIsReportedButUsed) {
    TempDir dir;
    XvfbServer shallow;
    ASSERT_TRUE(shallow.Start(16));
    setenv("DISPLAY", shallow.DisplayName().c_str(), 1);
    AppScreen screen("title");
    ASSERT_NE(screen.GetDisplay(), nullptr);
    EXPECT_EQ(screen.GetDepth(), 16);
    EXPECT_EQ(TempDir::Read("log.txt"), "This app requires 24-bit depth.\n");
    EXPECT_TRUE(screen.Close());
}

// A window enlarged without the server's help would show the form in its
// top-left part only, so the scale asked for is given up.
TEST(Screen, AServerThatCannotEnlargeKeepsScaleOne) {
    TempDir dir;
    XvfbServer plain;
    ASSERT_TRUE(plain.Start(24, 3840, 2160, {"-extension", "RENDER"}));
    setenv("DISPLAY", plain.DisplayName().c_str(), 1);
    setenv("NEBULARK_SCALE", "2", 1);
    AppScreen screen("title");
    unsetenv("NEBULARK_SCALE");
    ASSERT_NE(screen.GetDisplay(), nullptr);
    EXPECT_EQ(screen.GetScale(), 1);
    EXPECT_EQ(screen.SettleScale(800, 600), 1);
    EXPECT_EQ(TempDir::Read("log.txt"), "Il server X non sa ingrandire (RENDER): scala 1\n");
    EXPECT_TRUE(screen.Close());
}

// The program ends with status 0 when its server dies; a test process whose
// server dies mid-test fails, and says why.
TEST(Screen, ALostServerFailsTheTestThatUsedIt) {
    TempDir dir;
    const int status = nebulark::test::ExitStatusWithin([] {
        XvfbServer dying;
        if (!dying.Start()) return 2;
        if (freopen("stderr.txt", "w", stderr) == nullptr) return 3;
        setenv("DISPLAY", dying.DisplayName().c_str(), 1);
        AppScreen screen("title");
        dying.Stop();
        XSync(screen.GetDisplay(), False);
        return 0;
    });
    EXPECT_EQ(status, 1);
    EXPECT_NE(TempDir::Read("stderr.txt").find("X server was lost"), std::string::npos);
    EXPECT_EQ(TempDir::Read("log.txt"), "Connessione con il server X perduta\n");
}

namespace {

// What a program tells the test about itself before it is killed.
struct ProgramFacts {
    Window window = 0;
    pid_t child = 0;
};

// A program with one window and a child that plays on; it reports both and
// waits to be killed.
[[noreturn]] void RunProgramWithChild(int report) {
    AppScreen screen("title");
    Display* display = screen.GetDisplay();
    ProgramFacts facts;
    facts.window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
    XSync(display, False);
    facts.child = nebulark::startChildProcess([] { pause(); });
    if (write(report, &facts, sizeof facts) != sizeof facts) _exit(1);
    for (;;)
        pause();
}

}  // namespace

// A child forked without exec closes its copy of the connection, so that when
// the program is gone, killed or not, the server lets its windows go while the
// child plays on.
TEST(Screen, ForkedChildrenLeaveTheConnectionToTheProgram) {
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t program = fork();
    if (program == 0) RunProgramWithChild(report[1]);
    ProgramFacts facts;
    ASSERT_EQ(read(report[0], &facts, sizeof facts), static_cast<ssize_t>(sizeof facts));
    kill(program, SIGKILL);
    EXPECT_NE(nebulark::test::WaitForChild(program), -1);
    Display* driver = XvfbEnvironment::Driver().Connection();
    EXPECT_TRUE(WaitFor([&] { return !nebulark::test::WindowExists(driver, facts.window); },
                        std::chrono::seconds(2)));
    kill(facts.child, SIGTERM);
    EXPECT_NE(nebulark::test::WaitForChild(facts.child), -1);
}

// The real game on the X servers players meet besides a bare Xvfb: Xwayland
// under a Wayland compositor (Weston, shown on a private Xvfb and being the
// window manager), and a server without the shared-memory extension, as over
// a network, where every frame travels through the connection.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/keysym.h>

#include <climits>
#include <memory>

#include "support/GameData.h"
#include "support/ProcessProbe.h"
#include "support/TempDir.h"
#include "support/WestonServer.h"
#include "support/XDriver.h"
#include "support/XvfbEnvironment.h"
#include "support/XvfbServer.h"

namespace {

using namespace nebulark::test;

constexpr const char* kBlockName = "/mem_shared_hardJoy";
constexpr int kWidth = 800, kHeight = 600;
// Below the blinking prompt of the title screen: the game writes nothing
// there, so the window shows the picture itself.
constexpr int kBandTop = 360, kBandRows = kHeight - kBandTop;
constexpr auto kDeadline = std::chrono::seconds(15);

enum class Server { Xwayland, WithoutSharedMemory };

const char* NameOf(Server server) {
    return server == Server::Xwayland ? "Xwayland" : "WithoutSharedMemory";
}

void PrintTo(Server server, std::ostream* out) {
    *out << NameOf(server);
}

std::string HostName() {
    char name[HOST_NAME_MAX + 1] = {};
    gethostname(name, sizeof name - 1);
    return name;
}

pid_t StartGame() {
    const pid_t pid = fork();
    if (pid == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        execl(NEBULARK_BINARY, NEBULARK_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

double ShareEqual(const std::vector<uint32_t>& shown, const std::vector<uint32_t>& picture) {
    if (shown.size() != picture.size() || picture.empty()) return 0;
    size_t equal = 0;
    for (size_t i = 0; i < shown.size(); ++i)
        equal += shown[i] == picture[i];
    return static_cast<double>(equal) / static_cast<double>(picture.size());
}

class DisplayServers : public ::testing::TestWithParam<Server> {
protected:
    void SetUp() override {
        shm_unlink(kBlockName);
        if (GetParam() == Server::Xwayland) {
            ASSERT_TRUE(xvfb.Start(24, 1280, 1024));
            if (weston.Start(xvfb.DisplayName())) Connect(weston.DisplayName());
            // Weston starts Xwayland only when the first client connects.
            if (driver == nullptr)
                GTEST_SKIP() << "Weston could not start Xwayland here (are the packages weston "
                                "and xwayland installed?), so the game was not tried under it. "
                                "Weston said:\n"
                             << weston.Log();
        } else {
            ASSERT_TRUE(xvfb.Start(24, 1024, 768, {"-extension", "MIT-SHM"}));
            Connect(xvfb.DisplayName());
            ASSERT_NE(driver, nullptr) << "cannot connect to " << xvfb.DisplayName();
        }
        XSetErrorHandler(FailOnXError);
        // Orphans of the game come to this process, so a joystick reader left
        // running shows among its children.
        ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    }

    void TearDown() override {
        struct stat info {};
        EXPECT_NE(lstat("/dev/shm/mem_shared_hardJoy", &info), 0) << "the joystick block was left";
        shm_unlink(kBlockName);
    }

    // Points DISPLAY at the server and connects the driver to it.
    void Connect(const std::string& display) {
        setenv("DISPLAY", display.c_str(), 1);
        driver = std::make_unique<XDriver>();
        if (!driver->Ok()) driver.reset();
    }

    // The band of the window, once four points of it show the picture.
    std::vector<uint32_t> BandShowing(Window window, const std::vector<uint32_t>& picture) {
        auto at = [&](int x, int y) { return picture[(y - kBandTop) * kWidth + x]; };
        WaitFor(
            [&] {
                for (const auto& [x, y] : {std::pair{100, 400}, {700, 500}, {30, 580}, {790, 370}})
                    if (driver->PixelAt(window, x, y) != at(x, y)) return false;
                return true;
            },
            kDeadline);
        return driver->Pixels(window, 0, kBandTop, kWidth, kBandRows);
    }

    XvfbServer xvfb;
    WestonServer weston;
    // Closed before the servers stop.
    std::unique_ptr<XDriver> driver;
    TempDir dir;
};

// The window as the window manager sees it, the title picture put whole on
// it, a game started with G through XTEST, and the window manager's close
// ending the program with nothing left behind.
TEST_P(DisplayServers, TheGameShowsItsPicturesPlaysAndEndsCleanly) {
    ASSERT_TRUE(LinkGameData(NEBULARK_DATA_DIR));
    const pid_t game = StartGame();
    Window window = 0;
    ASSERT_TRUE(
        WaitFor([&] { return (window = driver->FindViewable("Nebulark.exe")) != 0; }, kDeadline));
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(driver->Connection(), window, &attributes));
    EXPECT_EQ(attributes.width, kWidth);
    EXPECT_EQ(attributes.height, kHeight);
    EXPECT_EQ(driver->StringProperty(window, XA_WM_NAME),
              "Nebulark - a space shooter by the Nebulark team");
    EXPECT_EQ(driver->Cardinals(window, "_NET_WM_PID"),
              std::vector<unsigned long>{static_cast<unsigned long>(game)});
    EXPECT_EQ(driver->StringProperty(window, XA_WM_CLIENT_MACHINE), HostName());
    // The game's form sets its icon as soon as its window is there.
    const std::vector<int> sides{16, 32, 48, 128};
    EXPECT_TRUE(WaitFor([&] { return VisibleIconSides(driver->Icons(window)) == sides; }));

    const auto title = RawPictureArea("Data/logo.bin", kWidth, 0, kBandTop, kWidth, kBandRows);
    ASSERT_FALSE(title.empty());
    EXPECT_TRUE(BandShowing(window, title) == title) << "the title picture is not on the window";

    // Weston gives the new window the focus itself; a bare server has no one
    // to do it.
    if (GetParam() == Server::WithoutSharedMemory) driver->Focus(window);
    driver->KeyTap(XK_g);
    // The ship and the first asteroids and UFOs fly over the field.
    const auto field = RawPictureArea("Data/blank.bin", kWidth, 0, kBandTop, kWidth, kBandRows);
    ASSERT_FALSE(field.empty());
    EXPECT_GT(ShareEqual(BandShowing(window, field), field), 0.9) << "G did not start a game";

    driver->SendDeleteWindow(window);
    const int status = WaitForChild(game, std::chrono::seconds(10));
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ZombieChildCount(), 0);
    for (const auto& child : ChildrenOf(getpid()))
        EXPECT_NE(child.name, "nebulark") << "left running: pid " << child.pid;
}

INSTANTIATE_TEST_SUITE_P(Servers, DisplayServers,
                         ::testing::Values(Server::Xwayland, Server::WithoutSharedMemory),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

}  // namespace

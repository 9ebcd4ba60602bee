// The installed launcher, started as a player would from the menu: from an
// unrelated working directory, with a home of its own, on a private X server.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <map>

#include "InstalledTree.h"
#include "support/ProcessProbe.h"
#include "support/TempDir.h"
#include "support/XvfbEnvironment.h"

namespace {

using namespace nebulark::test;
namespace fs = std::filesystem;

constexpr const char* kBlockName = "/mem_shared_hardJoy";
constexpr auto kDeadline = std::chrono::milliseconds(20000);

bool IsFile(const std::string& path) {
    return fs::is_regular_file(fs::symlink_status(path));
}

bool Exists(const std::string& path) {
    return fs::exists(fs::symlink_status(path));
}

std::string LinkTarget(const std::string& path) {
    std::error_code error;
    return fs::read_symlink(path, error).string();
}

// Every entry below the folder with its size and modification time.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> entries;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
        struct stat info {};
        lstat(entry.path().c_str(), &info);
        entries[entry.path().string()] = std::to_string(info.st_size) + " " +
                                         std::to_string(info.st_mtim.tv_sec) + "." +
                                         std::to_string(info.st_mtim.tv_nsec);
    }
    return entries;
}

// The game's main window.
Window GameWindow() {
    return XvfbEnvironment::Driver().FindViewable("Nebulark.exe");
}

class Launcher : public ::testing::Test {
protected:
    void SetUp() override {
        shm_unlink(kBlockName);
        ASSERT_TRUE(InstallBuildInto(Prefix()));
        fs::create_directories(Home());
        fs::create_directories(Elsewhere());
        // The game's joystick reader would be handed to this process if it
        // outlived the game.
        ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    }

    void TearDown() override {
        for (const auto& child : ChildrenOf(getpid())) {
            if (child.name == "Xvfb") continue;
            ADD_FAILURE() << "left running: " << child.name << " (pid " << child.pid << ")";
            kill(child.pid, SIGKILL);
            WaitForChild(child.pid);
        }
        EXPECT_FALSE(Exists("/dev/shm/mem_shared_hardJoy"));
        shm_unlink(kBlockName);
    }

    std::string Prefix() const { return dir.Path() + "/prefix"; }
    std::string Home() const { return dir.Path() + "/home"; }
    std::string Elsewhere() const { return dir.Path() + "/elsewhere"; }
    std::string Installed() const { return Prefix() + "/share/nebulark/Data"; }
    std::string PlayerFolder() const { return Home() + "/.local/share/nebulark"; }

    std::string LauncherPath() const { return Prefix() + "/bin/nebulark"; }

    // Starts a launcher; XDG_DATA_HOME is set only when `dataHome` is given.
    pid_t Start(const std::string& launcher, const std::string& dataHome) const {
        const pid_t pid = fork();
        if (pid == 0) {
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDOUT_FILENO);
            if (chdir(Elsewhere().c_str()) != 0) _exit(126);
            setenv("HOME", Home().c_str(), 1);
            if (dataHome.empty())
                unsetenv("XDG_DATA_HOME");
            else
                setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
            execl(launcher.c_str(), launcher.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        return pid;
    }

    // Starts the game, waits for its window and closes that as a window
    // manager would; answers the launcher's exit status, -1 when it failed.
    int PlayOnce(const std::string& dataHome = "") const {
        return PlayOnceWith(LauncherPath(), dataHome);
    }
    int PlayOnceWith(const std::string& launcher, const std::string& dataHome = "") const {
        const pid_t pid = Start(launcher, dataHome);
        Window window = 0;
        const bool shown = WaitFor([&] { return (window = GameWindow()) != 0; }, kDeadline);
        EXPECT_TRUE(shown) << "the game's window never appeared";
        if (shown) XvfbEnvironment::Driver().SendDeleteWindow(window);
        const int status = WaitForChild(pid, kDeadline);
        if (status == -1) {
            kill(pid, SIGKILL);
            WaitForChild(pid);
        }
        return shown && status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    TempDir dir;
};

TEST_F(Launcher, PlaysInThePlayersFolderAndKeepsTheirFilesAcrossStarts) {
    const auto installed = Snapshot(Installed());
    ASSERT_EQ(PlayOnce(), 0);

    const std::string folder = PlayerFolder();
    EXPECT_TRUE(IsFile(folder + "/log.txt"));
    EXPECT_TRUE(IsFile(folder + "/joystick.cfg"));
    EXPECT_TRUE(fs::is_directory(folder + "/Data/Nebulark/Score"));
    for (const std::string& name : FilesBelow(Installed()))
        EXPECT_EQ(LinkTarget(folder + "/Data/" + name), Installed() + "/" + name);
    EXPECT_TRUE(fs::is_empty(Elsewhere()));

    // The player's own table and settings, and links an older version left.
    const std::string table = folder + "/Data/Nebulark/Score/Classifica.txt";
    TempDir::Write(table, "00004200 Ada\n00000700 Bob\n");
    TempDir::Write(folder + "/joystick.cfg", "JoystickEnable= 0\nAixsXCfg= 2\n");
    fs::remove(folder + "/Data/logo.bin");
    fs::create_symlink("/gone/logo.bin", folder + "/Data/logo.bin");
    fs::create_symlink("/gone/retired.bin", folder + "/Data/retired.bin");
    ASSERT_EQ(PlayOnce(), 0);

    EXPECT_EQ(TempDir::Read(table), "00004200 Ada\n00000700 Bob\n");
    EXPECT_EQ(TempDir::Read(folder + "/joystick.cfg"), "JoystickEnable= 0\nAixsXCfg= 2\n");
    EXPECT_EQ(LinkTarget(folder + "/Data/logo.bin"), Installed() + "/logo.bin");
    EXPECT_FALSE(Exists(folder + "/Data/retired.bin"));
    EXPECT_EQ(Snapshot(Installed()), installed) << "the installed data was written";
}

TEST_F(Launcher, PlaysInXdgDataHomeWhenItIsSet) {
    const std::string dataHome = dir.Path() + "/data home";
    ASSERT_EQ(PlayOnce(dataHome), 0);
    EXPECT_TRUE(IsFile(dataHome + "/nebulark/log.txt"));
    EXPECT_FALSE(Exists(PlayerFolder()));
}

TEST_F(Launcher, WithoutADisplayItSaysSoAndFails) {
    std::string output;
    EXPECT_EQ(RunProgram({"env", "-u", "DISPLAY", "HOME=" + Home(), LauncherPath()}, &output), 1);
    EXPECT_NE(output.find("DISPLAY is not set"), std::string::npos) << output;
    EXPECT_FALSE(Exists(PlayerFolder()));
}

// Installs both packages on this machine, as a player would, plays and
// removes them again. That takes root, and a machine where the game is not
// installed already.
TEST_F(Launcher, BothPackagesInstallTogetherAndPlay) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "installing the Debian packages needs root";
    }
    std::string state;
    RunProgram({"dpkg-query", "-W", "-f", "${db:Status-Status}", "nebulark", "nebulark-data"},
               &state);
    if (state.find("installed") != std::string::npos || state.find("config") != std::string::npos) {
        GTEST_SKIP() << "Nebulark is installed on this machine already; the test would replace it";
    }
    const std::map<std::string, std::string> packages = BuildPackages(dir.Path() + "/packages");
    ASSERT_EQ(packages.size(), 2u);

    const std::vector<std::string> apt = {"apt-get", "-y", "-q", "-o", "DPkg::Lock::Timeout=60"};
    std::vector<std::string> install = apt;
    install.insert(install.end(), {"install", "--no-install-recommends", packages.at("nebulark"),
                                   packages.at("nebulark-data")});
    std::vector<std::string> purge = apt;
    purge.insert(purge.end(), {"purge", "nebulark", "nebulark-data"});
    // Whatever fails, the machine is left without the packages.
    struct Removal {
        std::vector<std::string> command;
        ~Removal() { RunProgram(command); }
    } removal{purge};
    std::string output;
    ASSERT_EQ(RunProgram(install, &output), 0) << output;
    EXPECT_EQ(PlayOnceWith("/usr/games/nebulark"), 0);
    EXPECT_EQ(RunProgram(purge, &output), 0) << output;

    EXPECT_EQ(LinkTarget(PlayerFolder() + "/Data/logo.bin"), "/usr/share/nebulark/Data/logo.bin");
    EXPECT_FALSE(Exists("/usr/share/nebulark"));
    EXPECT_TRUE(IsFile(PlayerFolder() + "/log.txt"));
}

}  // namespace

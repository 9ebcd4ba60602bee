#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/inotify.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <sstream>
#include <thread>
#include <vector>

#include "input/JoystickBlock.h"
#include "input/JoystickConfig.h"
#include "input/JoystickReader.h"
#include "input/JoystickSnapshot.h"
#include "input/JoystickState.h"
#include "support/ProcessProbe.h"
#include "support/TempDir.h"

using namespace nebulark;
using nebulark::test::ChildrenOf;
using nebulark::test::TempDir;
using nebulark::test::WaitFor;
using nebulark::test::WaitForChild;

namespace {

constexpr const char* kBlockFile = "/dev/shm/mem_shared_hardJoy";
constexpr const char* kNoJoystick = "Could not open joystick. Use the cursor keys to move.\n";

bool BlockExists() {
    struct stat info {};
    return lstat(kBlockFile, &info) == 0;
}

js_event Event(uint8_t type, uint8_t number, int16_t value) {
    js_event event{};
    event.time = 12345;
    event.type = type;
    event.number = number;
    event.value = value;
    return event;
}

// Makes the block by hand, `size` bytes long, starting with `bytes`.
void MakeBlock(size_t size, const std::vector<unsigned char>& bytes) {
    const int handle = shm_open(kJoystickBlockName, O_RDWR | O_CREAT, 0666);
    ASSERT_GE(handle, 0);
    ASSERT_EQ(ftruncate(handle, static_cast<off_t>(size)), 0);
    const size_t count = std::min(size, bytes.size());
    ASSERT_EQ(pwrite(handle, bytes.data(), count, 0), static_cast<ssize_t>(count));
    close(handle);
}

struct Directions {
    bool up, down, left, right;
    bool operator==(const Directions&) const = default;
};

Directions Now() {
    const JoystickSnapshot snapshot;
    return {snapshot.up(), snapshot.down(), snapshot.left(), snapshot.right()};
}

std::ostream& operator<<(std::ostream& out, const Directions& d) {
    return out << "up " << d.up << " down " << d.down << " left " << d.left << " right " << d.right;
}

// Every test here uses the one fixed block name (ctest runs them under a
// resource lock) and must leave nothing behind in /dev/shm.
class JoystickBlockTest : public ::testing::Test {
protected:
    void SetUp() override { shm_unlink(kJoystickBlockName); }
    void TearDown() override {
        EXPECT_FALSE(BlockExists()) << "a block was left behind";
        shm_unlink(kJoystickBlockName);
        rmdir(kBlockFile);
    }

    TempDir dir;
};

// Ends a reader as the game does, with SIGTERM, which must end it wherever it
// waits: in a read, an open or the wait for its device.
void EndReader(pid_t reader) {
    kill(reader, SIGTERM);
    const int status = WaitForChild(reader);
    if (status == -1) {
        kill(reader, SIGKILL);
        WaitForChild(reader);
    }
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "status " << status;
}

// A reader process fed through a FIFO in place of the device. The device is
// plugged in when the test starts; at the end it is pulled out, which must
// remove the block, and the reader is ended as the game ends it.
class JoystickReaderTest : public JoystickBlockTest {
protected:
    void SetUp() override {
        JoystickBlockTest::SetUp();
        loadJoystickConfig();  // before the fork, so both processes see the file whole
        ASSERT_EQ(mkfifo(kDevice, 0600), 0);
        StartReader();
        ASSERT_NO_FATAL_FAILURE(OpenWriter());
    }
    void TearDown() override {
        PullOut();
        EXPECT_TRUE(WaitFor([] { return !BlockExists(); })) << "the block outlived the device";
        StopReader();
        JoystickBlockTest::TearDown();
    }

    void StartReader() {
        reader = fork();
        if (reader == 0) {
            runJoystickReaderOn(kDevice);
            _exit(0);
        }
    }
    // The write end opens once the reader has opened the device.
    void OpenWriter() {
        ASSERT_TRUE(WaitFor([this] {
            device = open(kDevice, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            return device >= 0;
        }));
        fcntl(device, F_SETFL, 0);
    }
    void PlugIn() {
        ASSERT_EQ(mkfifo(kDevice, 0600), 0);
        OpenWriter();
    }
    // The name goes before the writer, so that the reader looking again finds
    // no device rather than a FIFO it would wait in for a writer.
    void PullOut() {
        unlink(kDevice);
        if (device >= 0) close(device);
        device = -1;
    }
    void StopReader() {
        if (reader > 0) EndReader(reader);
        reader = -1;
    }

    void Send(const js_event& event) {
        ASSERT_EQ(write(device, &event, sizeof event), static_cast<ssize_t>(sizeof event));
    }
    // Sends the event, then a button release on a fresh button as a marker, and
    // waits until the snapshot shows the marker: by then the event has been
    // applied too. The marker changes no direction.
    void Settle(const js_event& event) {
        Send(event);
        const int marker = 100 + markers++ % 100;
        Send(Event(JS_EVENT_BUTTON, static_cast<uint8_t>(marker), 0));
        ASSERT_TRUE(WaitFor([marker] { return JoystickSnapshot().buttonNumber() == marker; }));
    }

    static constexpr const char* kDevice = "js0";
    pid_t reader = -1;
    int device = -1;
    int markers = 0;
};

// The same reader started while no device is there.
class JoystickHotPlugTest : public JoystickReaderTest {
protected:
    void SetUp() override {
        JoystickBlockTest::SetUp();
        loadJoystickConfig();
        StartReader();
    }
};

// The processor time the process has used so far, in clock ticks: the 14th and
// 15th fields of /proc/<pid>/stat, counted after the name, which may hold blanks.
long CpuTicks(pid_t pid) {
    const std::string stat = TempDir::Read("/proc/" + std::to_string(pid) + "/stat");
    const size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos) return -1;
    std::istringstream fields(stat.substr(nameEnd + 1));
    std::string skipped;
    for (int field = 3; field < 14; ++field)
        fields >> skipped;
    long user = 0, system = 0;
    fields >> user >> system;
    return user + system;
}

// Events of a kind seen by an inotify watch, of any file or of the one
// named: the kernel merges an event with an equal one just before it, so a
// watch of opens also takes the closes, which keep the opens apart.
int PendingEvents(int watch, uint32_t mask, const char* name = nullptr) {
    alignas(inotify_event) char events[4096];
    int count = 0;
    for (ssize_t got; (got = read(watch, events, sizeof events)) > 0;) {
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events + at);
            const bool named =
                name == nullptr || (event->len > 0 && std::strcmp(event->name, name) == 0);
            if ((event->mask & mask) != 0 && named) ++count;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return count;
}

}  // namespace

TEST_F(JoystickReaderTest, AxisEventsSetAtMostOneDirection) {
    Settle(Event(JS_EVENT_AXIS, 0, -32768));  // the left range starts at -32767
    EXPECT_EQ(Now(), (Directions{false, false, false, false}));
    Settle(Event(JS_EVENT_AXIS, 0, -1));
    EXPECT_EQ(Now(), (Directions{false, false, true, false}));
    Settle(Event(JS_EVENT_AXIS, 0, 0));
    EXPECT_EQ(Now(), (Directions{false, false, false, false}));
    Settle(Event(JS_EVENT_AXIS, 0, 1));
    EXPECT_EQ(Now(), (Directions{false, false, false, true}));
    // Held diagonally, only the axis that moved last counts.
    Settle(Event(JS_EVENT_AXIS, 1, -32767));
    EXPECT_EQ(Now(), (Directions{true, false, false, false}));
    Settle(Event(JS_EVENT_AXIS, 1, 32767));
    EXPECT_EQ(Now(), (Directions{false, true, false, false}));
    Settle(Event(JS_EVENT_AXIS, 2, -1));
    EXPECT_EQ(Now(), (Directions{false, false, false, false}));

    // An event handed over in two pieces is still read whole.
    const js_event left = Event(JS_EVENT_AXIS, 0, -100);
    ASSERT_EQ(write(device, &left, 3), 3);
    usleep(20'000);
    ASSERT_EQ(write(device, reinterpret_cast<const char*>(&left) + 3, 5), 5);
    Settle(Event(0, 0, 0));  // an unknown type, ignored
    EXPECT_EQ(Now(), (Directions{false, false, true, false}));
    EXPECT_TRUE(TempDir::Read("log.txt").empty());
}

TEST_F(JoystickReaderTest, ButtonsAndInitialStateEvents) {
    Send(Event(JS_EVENT_BUTTON, 3, 1));
    ASSERT_TRUE(WaitFor([] { return JoystickSnapshot().fire(); }));
    EXPECT_EQ(JoystickSnapshot().buttonNumber(), 3);
    Send(Event(JS_EVENT_BUTTON, 3, 0));
    ASSERT_TRUE(WaitFor([] { return !JoystickSnapshot().fire(); }));
    EXPECT_EQ(JoystickSnapshot().buttonNumber(), 3);

    // The driver's initial-state events change nothing: a button one first...
    Send(Event(JS_EVENT_BUTTON | JS_EVENT_INIT, 9, 1));
    Send(Event(JS_EVENT_AXIS, 1, 5));
    ASSERT_TRUE(WaitFor([] { return JoystickSnapshot().down(); }));
    EXPECT_EQ(JoystickSnapshot().buttonNumber(), 3);
    EXPECT_FALSE(JoystickSnapshot().fire());
    // ...then an axis one.
    Settle(Event(JS_EVENT_AXIS | JS_EVENT_INIT, 0, 1));
    EXPECT_EQ(Now(), (Directions{false, true, false, false}));
}

// A stick plugged in late, pulled out while held and plugged in again is used
// each time; each absence is logged once. The pull-out at the end is checked by
// the fixture too.
TEST_F(JoystickHotPlugTest, AStickPluggedInLateOrAgainIsUsed) {
    ASSERT_TRUE(WaitFor([] { return TempDir::Read("log.txt") == kNoJoystick; }));
    EXPECT_FALSE(BlockExists());
    ASSERT_NO_FATAL_FAILURE(PlugIn());
    Settle(Event(JS_EVENT_AXIS, 0, -1));
    Send(Event(JS_EVENT_BUTTON, 1, 1));
    ASSERT_TRUE(WaitFor([] { return JoystickSnapshot().fire(); }));

    PullOut();
    ASSERT_TRUE(WaitFor([] { return !BlockExists(); }));
    const JoystickSnapshot after;
    EXPECT_FALSE(after.left());
    EXPECT_FALSE(after.fire());
    EXPECT_EQ(after.buttonNumber(), 0);

    ASSERT_NO_FATAL_FAILURE(PlugIn());
    Settle(Event(JS_EVENT_AXIS, 1, 32767));
    EXPECT_EQ(Now(), (Directions{false, true, false, false}));
    EXPECT_EQ(TempDir::Read("log.txt"), std::string(kNoJoystick) + kNoJoystick);
}

// A device that opens and ends at once, again and again, is one absence: one
// line in the log, and looks paced at about one a second, also while the
// folder reports changes to other entries. A file of events at the device's
// place is read once: its events are not published again at every look.
TEST_F(JoystickBlockTest, ADeviceThatKeepsEndingIsLoggedOnceAndLookedForCalmly) {
    const js_event events[] = {Event(JS_EVENT_AXIS, 0, -32767), Event(JS_EVENT_BUTTON, 0, 1)};
    const std::string withEvents(reinterpret_cast<const char*>(events), sizeof events);
    TempDir::Write("joystick.cfg", "JoystickEnable= 1\n");
    loadJoystickConfig();
    for (const std::string& contents : {std::string(), withEvents}) {
        SCOPED_TRACE(contents.size());
        unlink("log.txt");
        TempDir::Write("device", contents);
        const int opens = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ASSERT_GE(inotify_add_watch(opens, "device", IN_OPEN | IN_CLOSE_NOWRITE), 0);
        const int blocks = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ASSERT_GE(inotify_add_watch(blocks, "/dev/shm", IN_CREATE), 0);
        const pid_t reader = fork();
        if (reader == 0) {
            runJoystickReaderOn("device");
            _exit(0);
        }
        ASSERT_TRUE(WaitFor([] { return TempDir::Read("log.txt") == kNoJoystick; }));
        TempDir::Write("other", "");
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));

        EXPECT_EQ(TempDir::Read("log.txt"), kNoJoystick);
        const int count = PendingEvents(opens, IN_OPEN);
        EXPECT_GE(count, 2) << "the device was not looked for again";
        EXPECT_LE(count, 5);
        EXPECT_EQ(PendingEvents(blocks, IN_CREATE, "mem_shared_hardJoy"), 1);
        const long ticks = CpuTicks(reader);
        EXPECT_TRUE(ticks >= 0 && ticks < sysconf(_SC_CLK_TCK) / 4) << ticks << " ticks";
        close(opens);
        close(blocks);
        EndReader(reader);
        // A reader ended between its open and its read leaves the block, which
        // the game removes after stopping it.
        shm_unlink(kJoystickBlockName);
    }
}

TEST_F(JoystickBlockTest, FailuresThatEndTheReaderAreLoggedAndLeaveNoBlock) {
    TempDir::Write("device", "");
    struct Case {
        const char* config;
        const char* device;
        const char* expectedLog;
        void (*prepare)();
    };
    const Case cases[] = {
        {"AixsXCfg= 0\n", "device", "Errore lettura configurazione joystick\n", nullptr},
        {"JoystickEnable= 0\n", "no-such-device", "", nullptr},
        // A folder in the block's place cannot be opened, even by root.
        {"JoystickEnable= 1\n", "device", "shm_open fallita\n", [] { mkdir(kBlockFile, 0700); }},
        // A FIFO in its place opens but cannot be sized.
        {"JoystickEnable= 1\n", "device", "mmap fallita\n", [] { mkfifo(kBlockFile, 0600); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expectedLog);
        joystickState() = JoystickState{};
        TempDir::Write("joystick.cfg", c.config);
        TempDir::Write("log.txt", "");
        if (c.prepare != nullptr) c.prepare();
        runJoystickReaderOn(c.device);
        EXPECT_EQ(TempDir::Read("log.txt"), c.expectedLog);
        EXPECT_EQ(joystickState().deviceHandle, -1);
        rmdir(kBlockFile);
        EXPECT_FALSE(BlockExists());
    }
}

TEST_F(JoystickBlockTest, SnapshotsSurviveMissingAndMisSizedBlocks) {
    TempDir::Write("joystick.cfg", "JoystickEnable= 1\n");
    loadJoystickConfig();
    MakeBlock(7, {1, 0, 0, 1, 0, 5, 1});
    JoystickSnapshot seen;
    EXPECT_TRUE(seen.left());
    EXPECT_TRUE(seen.fire());
    EXPECT_EQ(seen.buttonNumber(), 5);

    // A block that is too short would fault when read through a 7-byte mapping.
    for (size_t size : {0u, 3u}) {
        MakeBlock(size, {1, 1, 1, 1, 1, 1, 1});
        const JoystickSnapshot empty;
        EXPECT_FALSE(empty.up() || empty.down() || empty.left() || empty.right() || empty.fire());
        EXPECT_EQ(empty.buttonNumber(), 0);
        shm_unlink(kJoystickBlockName);
    }
    MakeBlock(64, {1, 1, 0, 0, 0, 2, 0});
    EXPECT_TRUE(JoystickSnapshot().up());
    shm_unlink(kJoystickBlockName);
    EXPECT_FALSE(JoystickSnapshot().up());
    EXPECT_TRUE(TempDir::Read("log.txt").empty());
}

// Snapshots keep the block mapped between them: a block removed and made anew
// under the same name is read anew, and a block made after a snapshot found
// none is found soon.
TEST_F(JoystickBlockTest, SnapshotsFollowABlockMadeAnewOrLate) {
    TempDir::Write("joystick.cfg", "JoystickEnable= 1\n");
    loadJoystickConfig();
    MakeBlock(7, {1, 0, 0, 1, 0, 0, 0});
    EXPECT_EQ(Now(), (Directions{false, false, true, false}));
    shm_unlink(kJoystickBlockName);
    MakeBlock(7, {1, 0, 0, 0, 1, 0, 0});
    EXPECT_EQ(Now(), (Directions{false, false, false, true}));
    shm_unlink(kJoystickBlockName);
    EXPECT_EQ(Now(), (Directions{false, false, false, false}));
    MakeBlock(7, {1, 1, 0, 0, 0, 0, 0});
    EXPECT_TRUE(WaitFor([] { return JoystickSnapshot().up(); }));
    shm_unlink(kJoystickBlockName);
}

// The game takes a snapshot at every step: unreadable settings are said once,
// not a hundred times a second.
TEST_F(JoystickBlockTest, UnreadableSettingsAreLoggedOnce) {
    TempDir::Write("joystick.cfg", "AixsXCfg= 0\n");
    loadJoystickConfig();
    MakeBlock(7, {1, 0, 0, 1, 0, 0, 0});
    for (int step = 0; step < 3; ++step)
        EXPECT_FALSE(JoystickSnapshot().left());
    EXPECT_EQ(TempDir::Read("log.txt"), "Errore lettura configurazione joystick\n");
    shm_unlink(kJoystickBlockName);
}

TEST_F(JoystickBlockTest, ReleaseRemovesTheBlockASnapshotSaw) {
    TempDir::Write("joystick.cfg", "JoystickEnable= 1\n");
    loadJoystickConfig();
    MakeBlock(7, {1, 0, 0, 0, 0, 0, 0});
    // Nothing here has seen it or started a reader: the block is not this process's.
    releaseJoystickBlock();
    EXPECT_TRUE(BlockExists());
    const JoystickSnapshot seen;
    releaseJoystickBlock();
    EXPECT_FALSE(BlockExists());
}

// A reader ended by SIGTERM leaves its block behind; the process that started
// it removes the block even when no snapshot ever saw it, so the next run does
// not read a stale stick position as a live joystick.
TEST_F(JoystickBlockTest, StoppingTheReaderRemovesAStaleBlock) {
    MakeBlock(7, {1, 0, 0, 1, 0, 0, 0});
    const pid_t pid = startJoystickReader();
    ASSERT_GT(pid, 0);
    stopJoystickReader();
    EXPECT_TRUE(ChildrenOf(getpid()).empty()) << "the reader was not waited for";
    releaseJoystickBlock();
    EXPECT_FALSE(BlockExists());
}

// A game killed outright takes its reader along, and the block that reader
// leaves is not read as a live joystick by the next start.
TEST_F(JoystickBlockTest, AKilledGameLeavesNoReaderAndNoStaleJoystick) {
    TempDir::Write("joystick.cfg", "JoystickEnable= 1\n");
    ASSERT_EQ(mkfifo("js0", 0600), 0);
    // An orphaned reader is handed to this process, where it can be seen.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    const pid_t game = fork();
    if (game == 0) {
        startJoystickReaderOn("js0");
        for (;;)
            pause();
    }
    int device = -1;
    ASSERT_TRUE(WaitFor([&device] {
        device = open("js0", O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        return device >= 0;
    }));
    ASSERT_TRUE(WaitFor(BlockExists));
    kill(game, SIGKILL);
    ASSERT_NE(WaitForChild(game), -1);
    const auto allEnded = [] {
        while (waitpid(-1, nullptr, WNOHANG) > 0) {
        }
        return ChildrenOf(getpid()).empty();
    };
    EXPECT_TRUE(WaitFor(allEnded)) << "the reader outlived its game";
    close(device);
    ASSERT_TRUE(WaitFor(allEnded));
    ASSERT_TRUE(BlockExists()) << "the killed reader leaves its block";

    ASSERT_GT(startJoystickReaderOn("no-such-device"), 0);
    EXPECT_FALSE(BlockExists());
    stopJoystickReader();
    releaseJoystickBlock();
}

#include "input/JoystickReader.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>

#include "input/DeviceWatch.h"
#include "input/JoystickBlock.h"
#include "input/JoystickConfig.h"
#include "util/ChildProcesses.h"
#include "util/Log.h"

namespace nebulark {

namespace {

constexpr const char* kNoJoystick = "Could not open joystick. Use the cursor keys to move.";
constexpr const char* kSettingsUnreadable = "Errore lettura configurazione joystick";
constexpr auto kReaderExitWait = std::chrono::seconds(2);

// Reads one whole event; false at the end of the device or on an error. A pipe
// may hand an event over in pieces, so the read goes on until all 8 bytes are in.
bool readEvent(int device, js_event& event) {
    auto* bytes = reinterpret_cast<char*>(&event);
    size_t have = 0;
    while (have < sizeof event) {
        const ssize_t got = read(device, bytes + have, sizeof event - have);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        have += static_cast<size_t>(got);
    }
    return true;
}

// Creates the block with the stick shown as there, or answers null after
// logging why it could not be made. The mapping outlives the handle.
unsigned char* createBlock() {
    const int handle = shm_open(kJoystickBlockName, O_RDWR | O_CREAT, 0666);
    if (handle < 0) {
        LogMessage("shm_open fallita");
        return nullptr;
    }
    void* memory = MAP_FAILED;
    if (ftruncate(handle, kJoystickBlockSize) == 0)
        memory = mmap(nullptr, kJoystickBlockSize, PROT_READ | PROT_WRITE, MAP_SHARED, handle, 0);
    close(handle);
    if (memory == MAP_FAILED) {
        LogMessage("mmap fallita");
        return nullptr;
    }
    auto* block = static_cast<unsigned char*>(memory);
    std::memset(block, 0, kJoystickBlockSize);
    block[kJoystickAvailable] = 1;
    return block;
}

// Keeps the block up to date from the device until the device ends; answers
// whether it delivered any event. The game ends the reader with SIGTERM.
bool relayEvents(const JoystickState& state, unsigned char* block) {
    bool delivered = false;
    js_event event{};
    while (readEvent(state.deviceHandle, event)) {
        applyJoystickEvent(event, state.settings, block);
        delivered = true;
    }
    return delivered;
}

void closeDevice(JoystickState& state) {
    if (state.deviceHandle >= 0) close(state.deviceHandle);
    state.deviceHandle = -1;
    state.available = false;
}

enum class SessionEnd { kNoDevice, kSilent, kDelivered, kNoBlock };

std::optional<DeviceIdentity> identityOf(int handle) {
    struct stat info {};
    if (fstat(handle, &info) != 0) return std::nullopt;
    return DeviceIdentity{info.st_dev,  info.st_ino,  info.st_rdev,
                          info.st_size, info.st_mtim, info.st_ctim};
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool sameDevice(const DeviceIdentity& a, const DeviceIdentity& b) {
    return a.device == b.device && a.inode == b.inode && a.special == b.special &&
           a.size == b.size && sameTime(a.modified, b.modified) && sameTime(a.changed, b.changed);
}

// A device whose session has ended, still there and unchanged, has not come
// back: a regular file at the device's path would otherwise be read to its
// end, its events published and its absence said, once a second. A FIFO is
// no such case: its open waits for a new writer, which is a new stream.
bool endedAndUnchanged(const JoystickState& state) {
    struct stat info {};
    if (!state.endedDevice || fstat(state.deviceHandle, &info) != 0 || S_ISFIFO(info.st_mode))
        return false;
    const std::optional<DeviceIdentity> now = identityOf(state.deviceHandle);
    return now && sameDevice(*now, *state.endedDevice);
}

// One stretch of the device's life: opens it, publishes its events until it
// ends, then removes the block, so that the game sees no stick and nothing
// stays held. The open blocks as long as the device's open does.
SessionEnd runSession(JoystickState& state, const std::string& devicePath) {
    state.deviceHandle = open(devicePath.c_str(), O_RDONLY | O_CLOEXEC);
    state.available = state.deviceHandle >= 0;
    if (!state.available) {
        state.endedDevice.reset();
        return SessionEnd::kNoDevice;
    }
    if (endedAndUnchanged(state)) {
        closeDevice(state);
        return SessionEnd::kSilent;
    }
    unsigned char* block = createBlock();
    SessionEnd end = SessionEnd::kNoBlock;
    if (block != nullptr) {
        end = relayEvents(state, block) ? SessionEnd::kDelivered : SessionEnd::kSilent;
        munmap(block, kJoystickBlockSize);
    }
    state.endedDevice = identityOf(state.deviceHandle);
    closeDevice(state);
    shm_unlink(kJoystickBlockName);
    return end;
}

// The device is missing from the end of a session until it delivers an event
// again: a real driver sends the stick's state as soon as it is opened. A
// device that keeps opening and failing stays missing, and is said missing once.
void noteAbsence(JoystickState& state, SessionEnd end) {
    if (end == SessionEnd::kDelivered) state.absenceLogged = false;
    if (state.absenceLogged) return;
    LogMessage(kNoJoystick);
    state.absenceLogged = true;
}

// Unreadable settings are said; settings that turn the joystick off are not.
bool joystickEnabled(const JoystickState& state) {
    const int enable = state.settings.joystickEnable;
    if (enable == -1) LogMessage(kSettingsUnreadable);
    return enable != -1 && enable != 0;
}

// Signal 0 only asks whether the child is still there to be signalled, that is
// not reaped yet; asking reaps it once it has ended.
void awaitExit(pid_t pid) {
    const auto deadline = std::chrono::steady_clock::now() + kReaderExitWait;
    while (std::chrono::steady_clock::now() < deadline && signalChildProcess(pid, 0))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

}  // namespace

std::string joystickDevicePath(int deviceIndex) {
    if (deviceIndex == -1) return "/dev/input/js0";
    return "/dev/input/js" + std::to_string(deviceIndex);
}

void runJoystickReader(int deviceIndex) {
    runJoystickReaderOn(joystickDevicePath(deviceIndex));
}

// The watch is made before the first look, so that a device that appears
// right after a failed look is still reported. A block that cannot be made is
// not tried again: it would fail and be logged every second.
void runJoystickReaderOn(const std::string& devicePath) {
    JoystickState& state = joystickState();
    loadJoystickConfig();
    if (!joystickEnabled(state)) return;
    DeviceWatch watch(devicePath);
    for (;;) {
        const SessionEnd end = runSession(state, devicePath);
        if (end == SessionEnd::kNoBlock) return;
        noteAbsence(state, end);
        watch.waitForDevice();
    }
}

pid_t startJoystickReader() {
    return startJoystickReaderOn(joystickDevicePath(-1));
}

pid_t startJoystickReaderOn(const std::string& devicePath) {
    // A reader whose game was killed ended without removing its block, which
    // would still show the stick as it was held last.
    shm_unlink(kJoystickBlockName);
    const pid_t game = getpid();
    const pid_t pid = forkChildProcess();
    if (pid == 0) {
        // The reader ends with the game however the game ends; a game that
        // ended before the request was made is seen by the parent check.
        if (prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || getppid() != game) _exit(0);
        // The child shares the game's stdio buffers: it runs the reader only
        // and leaves with _exit so that nothing else runs.
        runJoystickReaderOn(devicePath);
        _exit(0);
    }
    if (pid > 0) joystickState().readerPid = pid;
    return pid;
}

// A reader that has ended by itself may have been reaped already, and its pid
// may belong to another process by now: only a reader still running is
// signalled and waited for.
void stopJoystickReader() {
    const pid_t pid = joystickState().readerPid;
    if (pid > 0 && signalChildProcess(pid, SIGTERM)) awaitExit(pid);
}

void releaseJoystickBlock() {
    JoystickState& state = joystickState();
    closeDevice(state);
    // A reader ended by SIGTERM leaves its block behind. Removing it only when a
    // snapshot happened to see it would leave a stale block, with whatever
    // direction was held last, for the next run to read as a live joystick.
    if (state.snapshot.available || state.readerPid > 0) shm_unlink(kJoystickBlockName);
    state.readerPid = 0;
}

}  // namespace nebulark

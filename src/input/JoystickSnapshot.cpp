#include "input/JoystickSnapshot.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include "input/JoystickBlock.h"
#include "input/JoystickState.h"
#include "util/Log.h"

namespace nebulark {

namespace {

// The game takes a snapshot at every tick, so the block stays mapped from one
// snapshot to the next, and a block that is missing is looked for again only
// after a while: each look costs the kernel a path lookup.
constexpr auto kLookAgainAfter = std::chrono::milliseconds(100);

struct MappedBlock {
    int handle = -1;
    const unsigned char* bytes = nullptr;
    std::chrono::steady_clock::time_point nextLook{};
};

MappedBlock& mappedBlock() {
    static MappedBlock block;
    return block;
}

void unmap(MappedBlock& block) {
    munmap(const_cast<unsigned char*>(block.bytes), kJoystickBlockSize);
    close(block.handle);
    block.handle = -1;
    block.bytes = nullptr;
}

// A block shorter than 7 bytes is not mapped: reading past its end would fault.
bool longEnough(int handle) {
    struct stat info {};
    return fstat(handle, &info) == 0 && info.st_size >= static_cast<off_t>(kJoystickBlockSize) &&
           info.st_nlink > 0;
}

// A mapped block that has been removed (it has no name left) or cut short is
// let go, and the name is looked up at once, for a block made anew.
bool map(MappedBlock& block) {
    if (block.bytes != nullptr) {
        if (longEnough(block.handle)) return true;
        unmap(block);
    } else if (std::chrono::steady_clock::now() < block.nextLook) {
        return false;
    }
    const int handle = shm_open(kJoystickBlockName, O_RDONLY, 0666);
    if (handle < 0) {
        block.nextLook = std::chrono::steady_clock::now() + kLookAgainAfter;
        return false;
    }
    void* memory = MAP_FAILED;
    if (longEnough(handle))
        memory = mmap(nullptr, kJoystickBlockSize, PROT_READ, MAP_SHARED, handle, 0);
    if (memory == MAP_FAILED) {
        close(handle);
        return false;
    }
    block.handle = handle;
    block.bytes = static_cast<const unsigned char*>(memory);
    return true;
}

// Copies the block; false when it is missing, cannot be mapped or is shorter
// than the block.
bool copyBlock(unsigned char* bytes) {
    MappedBlock& block = mappedBlock();
    if (!map(block)) return false;
    std::memcpy(bytes, block.bytes, kJoystickBlockSize);
    return true;
}

JoystickSnapshotValues decode(const unsigned char* bytes) {
    JoystickSnapshotValues values;
    values.available = bytes[kJoystickAvailable] != 0;
    values.up = bytes[kJoystickUp] != 0;
    values.down = bytes[kJoystickDown] != 0;
    values.left = bytes[kJoystickLeft] != 0;
    values.right = bytes[kJoystickRight] != 0;
    values.buttonNumber = bytes[kJoystickButtonNumber];
    values.buttonPressed = bytes[kJoystickButtonPressed] != 0;
    return values;
}

}  // namespace

JoystickSnapshot::JoystickSnapshot() {
    JoystickState& state = joystickState();
    const int enable = state.settings.joystickEnable;
    // Said once: a snapshot is taken at every step of the game.
    if (enable == -1 && !state.unreadableSettingsLogged) {
        LogMessage("Errore lettura configurazione joystick");
        state.unreadableSettingsLogged = true;
    }
    if (enable != -1 && enable != 0) {
        unsigned char bytes[kJoystickBlockSize];
        state.snapshot = copyBlock(bytes) ? decode(bytes) : JoystickSnapshotValues{};
    }
    values = state.snapshot;
}

JoystickSnapshot::JoystickSnapshot(const Bytes& bytes) : values(decode(bytes.data())) {}

JoystickSnapshot::Bytes JoystickSnapshot::bytes() const {
    Bytes bytes{};
    bytes[kJoystickAvailable] = values.available;
    bytes[kJoystickUp] = values.up;
    bytes[kJoystickDown] = values.down;
    bytes[kJoystickLeft] = values.left;
    bytes[kJoystickRight] = values.right;
    bytes[kJoystickButtonNumber] = static_cast<uint8_t>(values.buttonNumber);
    bytes[kJoystickButtonPressed] = values.buttonPressed;
    return bytes;
}

bool JoystickSnapshot::left() const {
    return values.available && values.left;
}

bool JoystickSnapshot::right() const {
    return values.available && values.right;
}

bool JoystickSnapshot::up() const {
    return values.available && values.up;
}

bool JoystickSnapshot::down() const {
    return values.available && values.down;
}

bool JoystickSnapshot::fire() const {
    return values.available && values.buttonPressed;
}

int JoystickSnapshot::buttonNumber() const {
    return values.available ? values.buttonNumber : 0;
}

}  // namespace nebulark

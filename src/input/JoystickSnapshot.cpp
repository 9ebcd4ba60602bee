#include "input/JoystickSnapshot.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "input/JoystickBlock.h"
#include "input/JoystickState.h"
#include "util/Log.h"

namespace nebulark {

namespace {

// Copies the block; false when it is missing, cannot be mapped or is shorter
// than the block (mapping past its end would fault on the first read).
bool copyBlock(unsigned char* bytes) {
    const int handle = shm_open(kJoystickBlockName, O_RDONLY, 0666);
    if (handle < 0) return false;
    struct stat info {};
    void* memory = MAP_FAILED;
    if (fstat(handle, &info) == 0 && info.st_size >= static_cast<off_t>(kJoystickBlockSize))
        memory = mmap(nullptr, kJoystickBlockSize, PROT_READ, MAP_SHARED, handle, 0);
    close(handle);
    if (memory == MAP_FAILED) return false;
    std::memcpy(bytes, memory, kJoystickBlockSize);
    munmap(memory, kJoystickBlockSize);
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

const JoystickSnapshotValues& current() {
    return joystickState().snapshot;
}

}  // namespace

JoystickSnapshot::JoystickSnapshot() {
    JoystickState& state = joystickState();
    const int enable = state.settings.joystickEnable;
    if (enable == -1) LogMessage("Errore lettura configurazione joystick");
    if (enable == -1 || enable == 0) return;

    unsigned char bytes[kJoystickBlockSize];
    state.snapshot = copyBlock(bytes) ? decode(bytes) : JoystickSnapshotValues{};
}

bool JoystickSnapshot::left() const {
    return current().available && current().left;
}

bool JoystickSnapshot::right() const {
    return current().available && current().right;
}

bool JoystickSnapshot::up() const {
    return current().available && current().up;
}

bool JoystickSnapshot::down() const {
    return current().available && current().down;
}

bool JoystickSnapshot::fire() const {
    return current().available && current().buttonPressed;
}

int JoystickSnapshot::buttonNumber() const {
    return current().available ? current().buttonNumber : 0;
}

}  // namespace nebulark

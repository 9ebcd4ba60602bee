#pragma once

#include <sys/types.h>

#include <ctime>
#include <optional>

namespace nebulark {

// The joystick settings read from "joystick.cfg". Every value starts at -1,
// which means not loaded; a key missing from the file leaves its value at -1.
struct JoystickSettings {
    int joystickEnable = -1;  // 1 = use the joystick, 0 = do not
    int aixsXCfg = -1;        // the axis that steers left and right
    int aixsYCfg = -1;        // the axis that steers up and down
    int minValueLeftCfg = -1;
    int maxValueLeftCfg = -1;
    int minValueRightCfg = -1;
    int maxValueRightCfg = -1;
    int minValueUpCfg = -1;
    int maxValueUpCfg = -1;
    int minValueDownCfg = -1;
    int maxValueDownCfg = -1;
};

// The game process's last copy of the shared joystick block.
struct JoystickSnapshotValues {
    bool available = false;
    bool up = false;
    bool down = false;
    bool left = false;
    bool right = false;
    int buttonNumber = 0;
    bool buttonPressed = false;
};

// What tells one device file from another, or from itself after a change: a
// device made anew (plugged in again) or a file written again differs.
struct DeviceIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    dev_t special = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};
};

// Everything the joystick code keeps for the whole process, in one place. Each
// of the two processes has its own copy: the reader fills the device fields,
// the game the snapshot.
struct JoystickState {
    JoystickSettings settings;
    // The reader's open device, -1 when closed.
    int deviceHandle = -1;
    // The reader has the device open.
    bool available = false;
    // The reader has said that the device is missing, and the device has not
    // delivered an event since.
    bool absenceLogged = false;
    // The device whose session ended last, while it has stayed where it was
    // and unchanged since; none once the device has gone missing.
    std::optional<DeviceIdentity> endedDevice;
    JoystickSnapshotValues snapshot;
    // The reader process this process started, 0 when none.
    pid_t readerPid = 0;
    // Snapshots have said once that the settings are unreadable.
    bool unreadableSettingsLogged = false;
};

JoystickState& joystickState();

}  // namespace nebulark

#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace nebulark {

// Paces the joystick reader's look for a device that is missing or failing.
// The device's folder is watched for an entry of the device's name that is
// made, moved in or changed (a device plugged in appears, and then gets its
// permissions), so that a stick plugged in is taken up at once; without a watch
// (the folder is missing, inotify is not there) the device is looked for once
// a second. Looks are never closer than a tenth of a second, so that a device
// that keeps failing or a folder that keeps changing cannot make the reader spin.
class DeviceWatch {
public:
    explicit DeviceWatch(const std::string& devicePath);
    ~DeviceWatch();
    DeviceWatch(const DeviceWatch&) = delete;
    DeviceWatch& operator=(const DeviceWatch&) = delete;

    // Returns when the device is worth trying again: a tenth of a second after
    // the folder has reported it, or a second after the call.
    void waitForDevice();

private:
    enum class News { kNone, kDevice, kBroken };

    bool awaitDevice(std::chrono::steady_clock::time_point deadline);
    News readNews();
    bool namesDevice(const char* events, size_t length) const;
    void stopWatching();

    int watchHandle = -1;
    std::string deviceName;
};

}  // namespace nebulark

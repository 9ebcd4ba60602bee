#include "input/DeviceWatch.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <thread>

namespace nebulark {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kLookPeriod = std::chrono::seconds(1);
constexpr auto kShortestGap = std::chrono::milliseconds(100);
constexpr uint32_t kDeviceChanges = IN_CREATE | IN_ATTRIB | IN_MOVED_TO;

std::string folderOf(const std::string& devicePath) {
    const std::filesystem::path folder = std::filesystem::path(devicePath).parent_path();
    return folder.empty() ? "." : folder.string();
}

int millisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

DeviceWatch::DeviceWatch(const std::string& devicePath)
    : deviceName(std::filesystem::path(devicePath).filename().string()) {
    watchHandle = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watchHandle >= 0 &&
        inotify_add_watch(watchHandle, folderOf(devicePath).c_str(), kDeviceChanges) < 0)
        stopWatching();
}

DeviceWatch::~DeviceWatch() {
    stopWatching();
}

void DeviceWatch::waitForDevice() {
    const Clock::time_point start = Clock::now();
    if (awaitDevice(start + kLookPeriod))
        std::this_thread::sleep_until(start + kShortestGap);
    else
        std::this_thread::sleep_until(start + kLookPeriod);
}

// Answers whether the folder reported the device before the deadline, which
// holds even for a folder whose entries keep changing. A watch that fails is
// given up for the plain once-a-second look.
bool DeviceWatch::awaitDevice(Clock::time_point deadline) {
    while (watchHandle >= 0 && Clock::now() < deadline) {
        pollfd watch{watchHandle, POLLIN, 0};
        const int ready = poll(&watch, 1, millisecondsUntil(deadline));
        if (ready == 0) return false;
        if (ready < 0 && errno == EINTR) continue;
        const News news = ready > 0 ? readNews() : News::kBroken;
        if (news == News::kDevice) return true;
        if (news == News::kBroken) stopWatching();
    }
    return false;
}

// Reads every event waiting, so that a change of another entry does not wake
// the wait again at once.
DeviceWatch::News DeviceWatch::readNews() {
    alignas(inotify_event) char events[4096];
    News news = News::kNone;
    for (;;) {
        const ssize_t got = read(watchHandle, events, sizeof events);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && errno == EAGAIN) return news;
        if (got <= 0) return News::kBroken;
        if (namesDevice(events, static_cast<size_t>(got))) news = News::kDevice;
    }
}

// An overflowed queue may have lost the device's event, so it counts as one.
bool DeviceWatch::namesDevice(const char* events, size_t length) const {
    for (size_t at = 0; at + sizeof(inotify_event) <= length;) {
        const auto* event = reinterpret_cast<const inotify_event*>(events + at);
        if (event->mask & IN_Q_OVERFLOW) return true;
        if ((event->mask & kDeviceChanges) && event->len > 0 && deviceName == event->name) return true;
        at += sizeof(inotify_event) + event->len;
    }
    return false;
}

void DeviceWatch::stopWatching() {
    if (watchHandle >= 0) close(watchHandle);
    watchHandle = -1;
}

}  // namespace nebulark

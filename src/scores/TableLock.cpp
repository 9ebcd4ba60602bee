#include "scores/TableLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "util/Log.h"

namespace nebulark {

namespace {

constexpr auto kLockWait = std::chrono::seconds(3);
constexpr auto kLockRetry = std::chrono::milliseconds(10);

}  // namespace

TableLock::TableLock(const std::string& table) {
    if (!table.empty())
        handle = open((table + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (handle >= 0) held = take();
}

TableLock::~TableLock() {
    if (handle >= 0) close(handle);
}

bool TableLock::take() const {
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    while (flock(handle, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        if (std::chrono::steady_clock::now() >= deadline) {
            LogMessage("Classifica bloccata da un altro processo: salvataggio senza lock");
            return false;
        }
        std::this_thread::sleep_for(kLockRetry);
    }
    return true;
}

}  // namespace nebulark

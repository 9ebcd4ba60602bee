#pragma once

#include <string>

namespace nebulark {

// Holds an exclusive lock on "<table>.lock" for its life, so that two games
// saving at the same moment take turns over the read, the change and the
// rename, and neither loses the other's entry. A process that holds the lock
// for more than three seconds (stopped, or stuck on a slow disk) must not freeze
// the game: the save then goes on without the lock, which the rename still
// keeps whole. Without a lock file (a folder that cannot be written) the save
// goes on too and reports its own failure.
class TableLock {
public:
    explicit TableLock(const std::string& table);
    ~TableLock();
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;

    bool isHeld() const { return held; }

private:
    bool take() const;

    int handle = -1;
    bool held = false;
};

}  // namespace nebulark

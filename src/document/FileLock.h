#pragma once

#include "document/Result.h"

#include <chrono>
#include <functional>
#include <string>

namespace tallimo {

// The advisory lock that serialises the writers of one month file: every save takes it, and a
// command that changes a month holds it from load to save. A save replaces the month's file, so
// the lock lives on a lock file beside it (every path to the month, links included, shares it);
// its holder removes it on release.
class FileLock {
public:
    FileLock() = default;
    ~FileLock() { release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Waits for the lock of the month at `path`, at most `timeout` for any one other holder;
    // `waiting` is called once when the wait has lasted a second. Refused when a holder kept it
    // that long, failed when the lock file cannot be made.
    Result acquire(const std::string& path, std::chrono::milliseconds timeout,
                   const std::function<void()>& waiting = {});
    void release();
    // Whether this lock is held for the month at `path`.
    bool holds(const std::string& path) const;

private:
    int m_fd = -1;
    std::string m_lockPath;
};

// The lock file of the month at `path`.
std::string lockFileOf(const std::string& path);

} // namespace tallimo

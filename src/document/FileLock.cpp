#include "document/FileLock.h"

#include "document/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace tallimo {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(10);
constexpr auto kPatience = std::chrono::seconds(1);

// Whether the open lock file is still the one the name shows: a holder that released it may
// have removed it after it was opened here.
bool stillNamed(int fd, const std::string& lockPath) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::stat(lockPath.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace

std::string lockFileOf(const std::string& path) {
    std::error_code error;
    const auto resolved = std::filesystem::weakly_canonical(std::filesystem::absolute(path), error);
    return besideName(error ? path : resolved.string(), ".tallimo-lock");
}

Result FileLock::acquire(const std::string& path, std::chrono::milliseconds timeout,
                         const std::function<void()>& waiting) {
    release();
    const std::string lockPath = lockFileOf(path);
    const auto start = std::chrono::steady_clock::now();
    // The wait is bounded per holder: while the lock passes from writer to writer, a queue of
    // them is moving and the wait goes on.
    auto holderSince = start;
    bool told = false;
    int fd = -1;
    for (;;) {
        if (fd < 0) {
            // Read-only is enough for flock, and lets every user who may write the month wait
            // on a lock file another user made.
            fd = ::open(lockPath.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
            if (fd < 0) {
                return Result::failed(std::generic_category().message(errno));
            }
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            if (stillNamed(fd, lockPath)) {
                m_fd = fd;
                m_lockPath = lockPath;
                return {};
            }
            ::close(fd);
            fd = -1;
            continue;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const int error = errno;
            ::close(fd);
            return Result::failed(std::generic_category().message(error));
        }
        const auto now = std::chrono::steady_clock::now();
        if (!stillNamed(fd, lockPath)) {
            ::close(fd);
            fd = -1;
            holderSince = now;
            continue;
        }
        if (now - holderSince >= timeout) {
            ::close(fd);
            return Result::refused("another program is changing it");
        }
        if (!told && now - start >= kPatience) {
            told = true;
            if (waiting) {
                waiting();
            }
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

void FileLock::release() {
    if (m_fd < 0) {
        return;
    }
    // Removed while still held, so that no one locks the old file after this.
    ::unlink(m_lockPath.c_str());
    ::close(m_fd);
    m_fd = -1;
    m_lockPath.clear();
}

bool FileLock::holds(const std::string& path) const {
    return m_fd >= 0 && lockFileOf(path) == m_lockPath;
}

} // namespace tallimo

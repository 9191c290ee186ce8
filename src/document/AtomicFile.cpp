#include "document/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace tallimo {
namespace {

std::string reasonOf(int error) {
    return std::generic_category().message(error);
}

// The file a save really replaces: the one a symbolic link names, so the link survives.
std::string resolvedTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        std::error_code error;
        const auto resolved = std::filesystem::canonical(path, error);
        if (!error) {
            return resolved.string();
        }
    }
    return path;
}

std::string folderOf(const std::string& path) {
    const auto parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// Creates a fresh temporary file beside the target; never reuses an existing name.
int createTemporary(const std::string& target, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    const auto file = std::filesystem::path(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Appended piece by piece: GCC 12 at -O3 misreads "." + string as overlapping copies.
        std::string name(1, '.');
        name += file.filename().string();
        name += ".tmp-";
        name += std::to_string(::getpid());
        name += '-';
        name += std::to_string(counter++);
        tempPath = (file.parent_path() / name).string();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes, const WriteFunction& write) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write ? write(fd, bytes.data() + done, bytes.size() - done)
                                      : ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Makes the rename itself durable; a folder that refuses fsync is no reason to fail the save.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FileResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                               const WriteFunction& write) {
    if (path.empty()) {
        return FileResult::failure(reasonOf(ENOENT));
    }
    const std::string target = resolvedTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return FileResult::failure(reasonOf(EISDIR));
    }

    std::string tempPath;
    const int fd = createTemporary(target, tempPath);
    if (fd < 0) {
        return FileResult::failure(reasonOf(errno));
    }
    const auto fail = [&](int error) {
        ::unlink(tempPath.c_str());
        return FileResult::failure(reasonOf(error));
    };
    if (exists && ::fchmod(fd, existing.st_mode & 07777) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(error);
    }
    if (!writeAll(fd, bytes, write) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(error);
    }
    if (::close(fd) != 0) {
        return fail(errno);
    }
    if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        return fail(errno);
    }
    syncFolder(folderOf(target));
    return {};
}

namespace {

FileStamp stampOf(const struct stat& info) {
    return FileStamp{
        static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
        static_cast<std::int64_t>(info.st_size),
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

} // namespace

std::optional<FileStamp> fileStampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return stampOf(info);
}

FileResult readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                         FileStamp* stamp) {
    bytes.clear();
    // Non-blocking, so that opening a pipe by mistake cannot hang; regular files ignore it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return FileResult::failure(reasonOf(errno));
    }
    struct stat info {};
    const bool statFailed = ::fstat(fd, &info) != 0;
    if (statFailed || !S_ISREG(info.st_mode)) {
        const int error = statFailed ? errno : 0;
        const bool folder = S_ISDIR(info.st_mode);
        ::close(fd);
        if (folder) {
            return FileResult::failure(reasonOf(EISDIR));
        }
        // A device or a pipe can deliver without end; a time sheet is always a plain file.
        return FileResult::failure(error != 0 ? reasonOf(error) : "it is not a regular file");
    }
    if (stamp != nullptr) {
        *stamp = stampOf(info);
    }
    if (info.st_size > 0) {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            bytes.clear();
            return FileResult::failure(reasonOf(error));
        }
        if (got == 0) {
            break;
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    ::close(fd);
    return {};
}

} // namespace tallimo

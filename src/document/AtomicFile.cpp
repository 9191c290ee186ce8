#include "document/AtomicFile.h"

#include "document/InputFile.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace tallimo {
namespace {

// The longest file name the usual file systems allow.
constexpr std::size_t kNameMax = 255;

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

// A write beyond the file size limit (ulimit -f) then fails with "File too large" like any other
// write, instead of ending the program with a signal and leaving the temporary file behind.
void ignoreFileSizeSignal() {
    static const bool ignored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    (void)ignored;
}

int syncFile(int fd, const SaveCalls& calls) {
    return calls.sync ? calls.sync(fd) : ::fsync(fd);
}

// Makes the rename durable. A folder that cannot be flushed at all (some file systems refuse)
// is no failure; one that reports an error is.
Result syncFolder(const std::string& folder, const SaveCalls& calls) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    const int result = syncFile(fd, calls);
    const int error = errno;
    ::close(fd);
    if (result != 0 && error != EINVAL && error != ENOTSUP && error != EBADF) {
        return Result::failed("its folder could not be flushed to the disk: " + reasonOf(error));
    }
    return {};
}

// Creates the temporary file beside the target; one left behind by a killed save goes first.
int createTemporary(const std::string& tempPath) {
    ::unlink(tempPath.c_str());
    return ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

// Publishes the finished temporary file under `to`, never replacing an existing file.
bool renameWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // A file system without the flag: a hard link refuses an existing name just as well.
    if (::link(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    ::unlink(from.c_str());
    return true;
}

// Writes and flushes the bytes to a fresh temporary file; the caller publishes it. The new file
// takes over what it can of the existing one it will replace.
Result writeTemporary(const std::string& tempPath, std::span<const std::uint8_t> bytes,
                      const struct stat* existing, const SaveCalls& calls) {
    ignoreFileSizeSignal();
    const int fd = createTemporary(tempPath);
    if (fd < 0) {
        return Result::failed(reasonOf(errno));
    }
    const auto fail = [&](int error) {
        ::close(fd);
        ::unlink(tempPath.c_str());
        return Result::failed(reasonOf(error));
    };
    if (existing != nullptr) {
        // Root saving another user's file keeps that user's file; a user may at least keep the
        // group. What the system refuses stays as the new file was made.
        if (::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
            (void)::fchown(fd, static_cast<uid_t>(-1), existing->st_gid);
        }
        if (::fchmod(fd, existing->st_mode & 07777) != 0) {
            return fail(errno);
        }
    }
    if (!writeAll(fd, bytes, calls) || syncFile(fd, calls) != 0) {
        return fail(errno);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        return Result::failed(reasonOf(error));
    }
    return {};
}

} // namespace

bool writeAll(int fd, std::span<const std::uint8_t> bytes, const SaveCalls& calls) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const ssize_t written = calls.write ? calls.write(fd, bytes.data() + done, left)
                                            : ::write(fd, bytes.data() + done, left);
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

std::string besideName(const std::string& target, std::string_view suffix) {
    const std::filesystem::path file(target);
    const std::string name = file.filename().string();
    std::string hidden = "." + name;
    hidden += suffix;
    if (hidden.size() > kNameMax) {
        // FNV-1a of the whole name keeps two long names with the same beginning apart.
        std::uint64_t hash = 14695981039346656037ULL;
        for (const char c : name) {
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        }
        char hex[20];
        std::snprintf(hex, sizeof hex, "~%016llx", static_cast<unsigned long long>(hash));
        hidden = "." + name.substr(0, kNameMax - 1 - 17 - suffix.size()) + hex;
        hidden += suffix;
    }
    return (file.parent_path() / hidden).string();
}

Result writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                           const SaveCalls& calls) {
    if (path.empty()) {
        return Result::failed(reasonOf(ENOENT));
    }
    const std::string target = resolvedTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return Result::failed(reasonOf(EISDIR));
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        return Result::failed("it is not a regular file");
    }
    // A file the user may not write is not replaced behind its back.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return Result::failed(reasonOf(errno));
    }
    const std::string tempPath = besideName(target, ".tallimo-save");
    if (Result written = writeTemporary(tempPath, bytes, exists ? &existing : nullptr, calls);
        !written) {
        return written;
    }
    if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        return Result::failed(reasonOf(error));
    }
    return syncFolder(folderOf(target), calls);
}

Result copyFileAtomically(const std::string& from, const std::string& to, bool replace) {
    std::vector<std::uint8_t> bytes;
    if (Result read = readWholeFile(from, bytes); !read) {
        return read;
    }
    // Named after the file copied, not the copy (backups carry a time stamp): a copy cut short
    // is removed by the next copy of the same file.
    const std::string tempPath =
        (std::filesystem::path(to).parent_path() /
         std::filesystem::path(besideName(from, ".tallimo-copy")).filename())
            .string();
    if (Result written = writeTemporary(tempPath, bytes, nullptr, {}); !written) {
        return written;
    }
    const bool published = replace ? ::rename(tempPath.c_str(), to.c_str()) == 0
                                   : renameWithoutReplacing(tempPath, to);
    if (!published) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        return Result::failed(reasonOf(error));
    }
    return syncFolder(folderOf(to), {});
}

} // namespace tallimo

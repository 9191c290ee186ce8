#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tallimo {

// The outcome of a file operation: no exceptions cross the layers, only this.
struct FileResult {
    bool ok = true;
    std::string error; // the reason, for the user, when !ok

    explicit operator bool() const { return ok; }
    static FileResult failure(std::string reason) { return FileResult{false, std::move(reason)}; }
};

// The write(2) the atomic save uses; tests swap in one that fails after some bytes.
using WriteFunction = std::function<ssize_t(int fd, const void* data, std::size_t size)>;

// Writes the bytes to a temporary file beside the target, flushes it to the disk and renames it
// over the target only when all of that succeeded. On any failure the temporary file is removed
// and the target is left as it was. An existing target keeps its permissions; a symbolic link is
// followed, so the link stays and the file it names is replaced.
FileResult writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                               const WriteFunction& write = {});

// What identifies one version of a file on disk: a save (ours or another program's) replaces the
// file or changes its size or modification time.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file a path names now; empty when there is none (or it cannot be examined).
std::optional<FileStamp> fileStampOf(const std::string& path);

// Reads a whole file into memory; a folder or an unreadable file fails with the reason. The
// stamp, when asked for, is the one of the file that was read.
FileResult readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                         FileStamp* stamp = nullptr);

} // namespace tallimo

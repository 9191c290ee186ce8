#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
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

// Reads a whole file into memory; a folder or an unreadable file fails with the reason.
FileResult readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

} // namespace tallimo

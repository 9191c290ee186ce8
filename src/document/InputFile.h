#pragma once

#include "document/Result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tallimo {

// No month comes near this size (100 000 stand-by rows take under 7 MiB); a larger file is
// refused before it is read, so that a huge or sparse file costs nothing.
inline constexpr std::int64_t kLargestFile = 64 * 1024 * 1024;

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

// A regular file of at most kLargestFile bytes, open for reading. Opening never blocks, so a pipe
// or a device named by mistake is refused rather than waited on.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Failed with the reason, for the user, when the file cannot be read.
    Result open(const std::string& path);
    const FileStamp& stamp() const { return m_stamp; }
    // Appends up to `count` further bytes (fewer at the end of the file).
    Result read(std::vector<std::uint8_t>& bytes, std::size_t count);
    // Appends the rest of the file.
    Result readRest(std::vector<std::uint8_t>& bytes);

private:
    int m_fd = -1;
    FileStamp m_stamp;
};

// Reads a whole file into memory (see InputFile); the stamp, when asked for, is that of the file
// that was read.
Result readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                     FileStamp* stamp = nullptr);

} // namespace tallimo

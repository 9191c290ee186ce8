#pragma once

#include "document/Result.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace tallimo {

// The system calls of a save that can fail late; tests swap in ones that fail.
struct SaveCalls {
    std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
    // Flushes the new file, and after the rename its folder, to the disk.
    std::function<int(int fd)> sync;
};

// Writes the bytes to a temporary file beside the target, flushes it to the disk and renames it
// over the target only when all of that succeeded; the folder is flushed after the rename. On a
// failure before the rename the temporary file is removed and the target is left as it was.
// An existing target must be a regular file the user may write, exactly as a direct write
// would demand; it keeps its permissions, and its owner and group where the system allows. A
// symbolic link is followed, so the link stays and the file it names is replaced. Writers of one
// file are expected to hold its FileLock: the temporary file has a fixed name, so one left by a
// killed save is removed by the next.
// Writes all the bytes, through short writes and interruptions; false with errno set on a
// failure (ENOSPC where the disk took nothing).
bool writeAll(int fd, std::span<const std::uint8_t> bytes, const SaveCalls& calls = {});

Result writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                           const SaveCalls& calls = {});

// Copies a file through a temporary file beside `to`, so that a copy cut short never leaves a
// part of it under the final name, and the next copy of the same file removes what is left of
// it. Without `replace` an existing `to` is never replaced: the copy then fails.
Result copyFileAtomically(const std::string& from, const std::string& to, bool replace);

// The name beside `target` that a save or a lock of it uses: a hidden name ending in `suffix`,
// shortened (with a hash of the whole name, so that it stays distinct) where a long file name
// would not leave room for it.
std::string besideName(const std::string& target, std::string_view suffix);

} // namespace tallimo

#include "document/RecoveryCopy.h"

#include "document/AtomicFile.h"
#include "document/InputFile.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tallimo {
namespace {

std::optional<struct stat> statOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return info;
}

std::int64_t nanosecondsOf(const struct stat& info) {
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

} // namespace

std::string recoveryFileOf(const std::string& monthPath) {
    return besideName(monthPath, ".tallimo-recovery");
}

Result writeRecoveryCopy(const std::string& monthPath, std::span<const std::uint8_t> bytes) {
    return writeFileAtomically(recoveryFileOf(monthPath), bytes);
}

std::optional<RecoveryCopy> readRecoveryCopy(const std::string& monthPath) {
    const std::string path = recoveryFileOf(monthPath);
    RecoveryCopy copy;
    const auto copyStat = statOf(path);
    if (!copyStat || !readWholeFile(path, copy.bytes)) {
        return std::nullopt;
    }
    copy.written = copyStat->st_mtim.tv_sec;
    const auto monthStat = statOf(monthPath);
    copy.olderThanMonth = monthStat && nanosecondsOf(*monthStat) > nanosecondsOf(*copyStat);
    return copy;
}

bool hasRecoveryCopy(const std::string& monthPath) {
    return statOf(recoveryFileOf(monthPath)).has_value();
}

void removeRecoveryCopy(const std::string& monthPath) {
    ::unlink(recoveryFileOf(monthPath).c_str());
}

} // namespace tallimo

#include "document/AtomicFile.h"

#include "support/TempDir.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallimo {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

const std::vector<std::uint8_t> kOld = {'o', 'l', 'd'};
const std::vector<std::uint8_t> kNew = {'n', 'e', 'w', ' ', 'm', 'o', 'n', 't', 'h'};

std::size_t entriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

mode_t modeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

TEST(AtomicFile, NewFilesGetTheUsualPermissionsAndReplacedFilesKeepTheirs) {
    TempDir dir;
    const mode_t previous = ::umask(022);
    const FileResult result = writeFileAtomically(dir.file("m.time"), kOld);
    ::umask(previous);
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(modeOf(dir.file("m.time")), 0644u);
    ::chmod(dir.file("m.time").c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(dir.file("m.time"), kNew));
    EXPECT_EQ(readBytes(dir.file("m.time")), kNew);
    EXPECT_EQ(modeOf(dir.file("m.time")), 0640u);
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(AtomicFile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    writeBytes(dir.file("m.time"), kOld);
    // The disk fills up after four bytes.
    std::size_t written = 0;
    const WriteFunction diskFull = [&](int fd, const void* data, std::size_t size) -> ssize_t {
        if (written >= 4) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t part = std::min<std::size_t>(size, 4 - written);
        written += part;
        return ::write(fd, data, part);
    };
    const FileResult result = writeFileAtomically(dir.file("m.time"), kNew, diskFull);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, std::generic_category().message(ENOSPC));
    EXPECT_EQ(readBytes(dir.file("m.time")), kOld);
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(AtomicFile, ASymbolicLinkStaysAndItsFileIsReplaced) {
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    writeBytes(dir.file("real/m.time"), kOld);
    fs::create_symlink(dir.path() / "real" / "m.time", dir.path() / "link.time");
    ASSERT_TRUE(writeFileAtomically(dir.file("link.time"), kNew));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.time"));
    EXPECT_EQ(readBytes(dir.file("real/m.time")), kNew);
}

} // namespace
} // namespace tallimo

#include "document/AtomicFile.h"
#include "document/FileLock.h"
#include "document/InputFile.h"
#include "platform/posix/DlLibraryLoader.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tallimo {
namespace {

namespace fs = std::filesystem;
using test::errnoText;
using test::namesIn;
using test::readBytes;
using test::TempDir;
using test::writeBytes;
using Names = std::vector<std::string>;

const std::vector<std::uint8_t> kOld = {'o', 'l', 'd'};
const std::vector<std::uint8_t> kNew = {'n', 'e', 'w', ' ', 'm', 'o', 'n', 't', 'h'};

// Runs `action` in a child process, as the unprivileged user "nobody" when the tests run as
// root (root may write any file), and returns its exit status.
int asOrdinaryUser(const TempDir& dir, const std::function<int()>& action) {
    ::chmod(dir.path().c_str(), 0777);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(99);
        }
        ::_exit(action());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(AtomicFile, ReplacedFilesKeepTheirPermissionsOwnersAndLinks) {
    TempDir dir;
    const mode_t previous = ::umask(022);
    ASSERT_TRUE(writeFileAtomically(dir.file("m.time"), kOld));
    ::umask(previous);
    ::chmod(dir.file("m.time").c_str(), 0640);
    // Root saving another user's file keeps that user's file.
    const bool root = ::geteuid() == 0;
    ASSERT_TRUE(!root || ::chown(dir.file("m.time").c_str(), 65534, 65534) == 0);
    fs::create_symlink(dir.path() / "m.time", dir.path() / "link.time");
    ASSERT_TRUE(writeFileAtomically(dir.file("link.time"), kNew));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.time"));
    EXPECT_EQ(readBytes(dir.file("m.time")), kNew);
    struct stat info {};
    ::stat(dir.file("m.time").c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(info.st_uid, root ? 65534u : ::getuid());
    EXPECT_EQ(namesIn(dir.path()), (Names{"link.time", "m.time"}));
}

TEST(AtomicFile, AFailedWriteFlushOrSizeLimitKeepsTheOldFileAndSaysWhy) {
    int syncs = 0;
    // The second flush is the folder's, after the rename: the new month is there, but whether it
    // stays after a crash is not known, and the user hears so.
    const struct {
        const char* name;
        SaveCalls calls;
        rlim_t sizeLimit;
        std::string reason;
    } cases[] = {
        {"disk full",
         {[](int, const void*, std::size_t) -> ssize_t { return errno = ENOSPC, -1; }, {}},
         RLIM_INFINITY,
         errnoText(ENOSPC)},
        {"file flush", {{}, [](int) { return errno = EIO, -1; }}, RLIM_INFINITY, errnoText(EIO)},
        {"ulimit -f", {}, 4, errnoText(EFBIG)},
        {"folder flush",
         {{}, [&syncs](int fd) { return ++syncs == 2 ? (errno = EIO, -1) : ::fsync(fd); }},
         RLIM_INFINITY,
         "its folder could not be flushed to the disk: " + errnoText(EIO)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeBytes(dir.file("m.time"), kOld);
        rlimit previous{};
        ::getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = std::min(c.sizeLimit, previous.rlim_max);
        ::setrlimit(RLIMIT_FSIZE, &limited);
        const Result result = writeFileAtomically(dir.file("m.time"), kNew, c.calls);
        ::setrlimit(RLIMIT_FSIZE, &previous);
        EXPECT_EQ(result.message, c.reason);
        EXPECT_EQ(readBytes(dir.file("m.time")), syncs == 2 ? kNew : kOld);
        EXPECT_EQ(namesIn(dir.path()), Names{"m.time"});
    }
}

TEST(AtomicFile, WhatAKilledSaveLeftIsRemovedByTheNextSave) {
    TempDir dir;
    // Names up to the longest a folder allows, with room or without for the temporary name.
    for (const std::size_t length : {std::size_t{6}, std::size_t{244}, std::size_t{255}}) {
        const std::string name = std::string(length - 5, 'm') + ".time";
        writeBytes(besideName(dir.file(name), ".tallimo-save"), {'c', 'u', 't'});
        ASSERT_TRUE(writeFileAtomically(dir.file(name), kNew)) << length;
        EXPECT_EQ(namesIn(dir.path()), Names{name});
        fs::remove(dir.file(name));
    }
}

TEST(AtomicFile, LongNamesWithTheSameBeginningGetTheirOwnTemporaryNames) {
    EXPECT_NE(besideName(std::string(250, 'a') + "1", ".x"),
              besideName(std::string(250, 'a') + "2", ".x"));
}

// What a copy cut short left of the same file goes with the next copy.
TEST(AtomicFile, ACopyReplacesAFileOnlyWhenAsked) {
    TempDir dir;
    writeBytes(dir.file("m.time"), kNew);
    writeBytes(dir.file("m.bak"), kOld);
    writeBytes(besideName(dir.file("m.time"), ".tallimo-copy"), {'c', 'u', 't'});
    EXPECT_EQ(copyFileAtomically(dir.file("m.time"), dir.file("m.bak"), false).message,
              errnoText(EEXIST));
    EXPECT_EQ(readBytes(dir.file("m.bak")), kOld);
    ASSERT_TRUE(copyFileAtomically(dir.file("m.time"), dir.file("m.bak"), true));
    EXPECT_EQ(readBytes(dir.file("m.bak")), kNew);
    EXPECT_EQ(namesIn(dir.path()), (Names{"m.bak", "m.time"}));
}

TEST(AtomicFile, WhatIsNoWritableRegularFileIsNeverReplaced) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe.time").c_str(), 0666), 0);
    // A folder in the file's place is the document's failed save test.
    EXPECT_EQ(writeFileAtomically(dir.file("pipe.time"), kNew).message, "it is not a regular file");
    // A file its user may not write stays, with the reason a direct write would give.
    writeBytes(dir.file("m.time"), kOld);
    ::chmod(dir.file("m.time").c_str(), 0444);
    EXPECT_EQ(asOrdinaryUser(dir,
                             [&] {
                                 return writeFileAtomically(dir.file("m.time"), kNew).message ==
                                                errnoText(EACCES)
                                            ? 0
                                            : 1;
                             }),
              0);
    EXPECT_EQ(readBytes(dir.file("m.time")), kOld);
    EXPECT_EQ(namesIn(dir.path()), (Names{"m.time", "pipe.time"}));
}

TEST(InputFile, RefusesHugeAndStrangeFilesBeforeReadingThem) {
    TempDir dir;
    // Sparse files: they take no room on the disk.
    for (const auto& [name, size] :
         {std::pair{"huge.time", std::int64_t{4} << 30}, std::pair{"limit.time", kLargestFile}}) {
        const int fd = ::open(dir.file(name).c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_EQ(::ftruncate(fd, size), 0);
        ::close(fd);
    }
    ASSERT_EQ(::mkfifo(dir.file("pipe.time").c_str(), 0666), 0);
    const std::pair<const char*, std::string> cases[] = {
        {"huge.time", "it is larger than 64 MiB, far more than any month needs"},
        {"pipe.time", "it is not a regular file"},
        {"missing.time", errnoText(ENOENT)},
        {"limit.time", ""},
    };
    for (const auto& [name, why] : cases) {
        std::vector<std::uint8_t> bytes;
        EXPECT_EQ(readWholeFile(dir.file(name), bytes).message, why) << name;
    }
}

TEST(LibraryLoader, LoadsNoPluginFromWhatIsNoRegularFile) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe.so").c_str(), 0666), 0);
    for (const std::string& path : {dir.file("pipe.so"), std::string("/dev/zero")}) {
        std::string error;
        EXPECT_EQ(DlLibraryLoader().load(path, error), nullptr);
        EXPECT_EQ(error, "it is not a regular file") << path;
    }
}

TEST(FileLock, OneWriterAtATimeAndNoLockFileLeftBehind) {
    TempDir dir;
    const std::string month = dir.file("m.time");
    FileLock first;
    ASSERT_TRUE(first.acquire(month, std::chrono::milliseconds(0)));
    EXPECT_TRUE(first.holds(dir.path().string() + "/./m.time"));
    // Another process (another user, where the tests run as root) waits, then gives up.
    EXPECT_EQ(asOrdinaryUser(dir,
                             [&] {
                                 FileLock second;
                                 const auto refused =
                                     second.acquire(month, std::chrono::milliseconds(50)).outcome;
                                 return refused == Outcome::Refused ? 0 : 1;
                             }),
              0);
    first.release();
    EXPECT_TRUE(FileLock().acquire(month, std::chrono::milliseconds(0)));
}

} // namespace
} // namespace tallimo

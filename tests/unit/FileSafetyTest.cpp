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
using test::readBytes;
using test::TempDir;
using test::writeBytes;

const std::vector<std::uint8_t> kOld = {'o', 'l', 'd'};
const std::vector<std::uint8_t> kNew = {'n', 'e', 'w', ' ', 'm', 'o', 'n', 't', 'h'};

std::string reason(int error) {
    return std::generic_category().message(error);
}

std::vector<std::string> entriesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct stat statOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

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
    EXPECT_EQ(statOf(dir.file("m.time")).st_mode & 07777, 0644u);
    ::chmod(dir.file("m.time").c_str(), 0640);
    // Root saving another user's file keeps that user's file.
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(dir.file("m.time").c_str(), 65534, 65534), 0);
    }
    fs::create_symlink(dir.path() / "m.time", dir.path() / "link.time");
    ASSERT_TRUE(writeFileAtomically(dir.file("link.time"), kNew));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.time"));
    EXPECT_EQ(readBytes(dir.file("m.time")), kNew);
    const struct stat info = statOf(dir.file("m.time"));
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(info.st_uid, root ? 65534u : ::getuid());
    EXPECT_EQ(entriesIn(dir.path()), (std::vector<std::string>{"link.time", "m.time"}));
}

TEST(AtomicFile, AFailedWriteOrFlushKeepsTheOldFileAndSaysWhy) {
    const auto diskFull = [](int, const void*, std::size_t) -> ssize_t {
        errno = ENOSPC;
        return -1;
    };
    const auto fileFails = [](int) {
        errno = EIO;
        return -1;
    };
    int syncs = 0;
    // The second flush is the folder's, after the rename: the new month is there, but whether it
    // stays after a crash is not known, and the user hears so.
    const auto folderFails = [&syncs](int fd) {
        errno = EIO;
        return ++syncs == 2 ? -1 : ::fsync(fd);
    };
    const struct {
        const char* name;
        SaveCalls calls;
        std::string reason;
        bool replaced;
    } cases[] = {
        {"disk full", {diskFull, {}}, reason(ENOSPC), false},
        {"file flush", {{}, fileFails}, reason(EIO), false},
        {"folder flush",
         {{}, folderFails},
         "its folder could not be flushed to the disk: " + reason(EIO),
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeBytes(dir.file("m.time"), kOld);
        const Result result = writeFileAtomically(dir.file("m.time"), kNew, c.calls);
        EXPECT_EQ(result.outcome, Outcome::Failed);
        EXPECT_EQ(result.message, c.reason);
        EXPECT_EQ(readBytes(dir.file("m.time")), c.replaced ? kNew : kOld);
        EXPECT_EQ(entriesIn(dir.path()), std::vector<std::string>{"m.time"});
    }
}

TEST(AtomicFile, AWriteBeyondTheFileSizeLimitFailsInsteadOfKillingTheProgram) {
    TempDir dir;
    writeBytes(dir.file("m.time"), kOld);
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 4;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const Result result = writeFileAtomically(dir.file("m.time"), kNew);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    EXPECT_EQ(result.message, reason(EFBIG));
    EXPECT_EQ(readBytes(dir.file("m.time")), kOld);
    EXPECT_EQ(entriesIn(dir.path()), std::vector<std::string>{"m.time"});
}

TEST(AtomicFile, ATemporaryFileLeftByAKilledSaveIsRemovedByTheNext) {
    TempDir dir;
    // Names up to the longest a folder allows, with room or without for the temporary name.
    for (const std::size_t length : {std::size_t{6}, std::size_t{244}, std::size_t{255}}) {
        SCOPED_TRACE(length);
        const std::string name = std::string(length - 5, 'm') + ".time";
        const std::string target = dir.file(name);
        writeBytes(besideName(target, ".tallimo-save"), {'c', 'u', 't'});
        ASSERT_TRUE(writeFileAtomically(target, kNew));
        EXPECT_EQ(readBytes(target), kNew);
        EXPECT_EQ(entriesIn(dir.path()), std::vector<std::string>{name});
        fs::remove(target);
    }
    // Two long names that begin alike keep apart.
    EXPECT_NE(besideName(std::string(250, 'a') + "1", ".x"),
              besideName(std::string(250, 'a') + "2", ".x"));
}

TEST(AtomicFile, WhatIsNoWritableRegularFileIsNeverReplaced) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe.time").c_str(), 0666), 0);
    fs::create_directory(dir.path() / "folder.time");
    const Result pipe = writeFileAtomically(dir.file("pipe.time"), kNew);
    EXPECT_EQ(pipe.message, "it is not a regular file");
    EXPECT_TRUE(fs::is_fifo(dir.path() / "pipe.time"));
    EXPECT_EQ(writeFileAtomically(dir.file("folder.time"), kNew).message, reason(EISDIR));

    // A file its user may not write stays, with the reason a direct write would give.
    writeBytes(dir.file("m.time"), kOld);
    ::chmod(dir.file("m.time").c_str(), 0444);
    const int status = asOrdinaryUser(dir, [&] {
        const Result result = writeFileAtomically(dir.file("m.time"), kNew);
        return result.message == reason(EACCES) ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readBytes(dir.file("m.time")), kOld);
    EXPECT_EQ(entriesIn(dir.path()),
              (std::vector<std::string>{"folder.time", "m.time", "pipe.time"}));
}

TEST(AtomicFile, ACopyNeverReplacesUnlessAskedAndLeavesNothingBehind) {
    TempDir dir;
    writeBytes(dir.file("m.time"), kNew);
    writeBytes(dir.file("m.bak"), kOld);
    EXPECT_EQ(copyFileAtomically(dir.file("m.time"), dir.file("m.bak"), false).message,
              reason(EEXIST));
    EXPECT_EQ(readBytes(dir.file("m.bak")), kOld);
    ASSERT_TRUE(copyFileAtomically(dir.file("m.time"), dir.file("m.bak"), true));
    EXPECT_EQ(readBytes(dir.file("m.bak")), kNew);
    EXPECT_EQ(entriesIn(dir.path()), (std::vector<std::string>{"m.bak", "m.time"}));
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
        {"missing.time", reason(ENOENT)},
        {"limit.time", ""},
    };
    for (const auto& [name, why] : cases) {
        std::vector<std::uint8_t> bytes;
        EXPECT_EQ(readWholeFile(dir.file(name), bytes).message, why) << name;
    }
}

TEST(FileLock, OneWriterAtATimeAndNoLockFileLeftBehind) {
    TempDir dir;
    const std::string month = dir.file("m.time");
    FileLock first;
    ASSERT_TRUE(first.acquire(month, std::chrono::milliseconds(0)));
    EXPECT_TRUE(first.holds(dir.path().string() + "/./m.time"));
    // Another process (a lock of its own) waits, then gives up.
    const int status = asOrdinaryUser(dir, [&] {
        FileLock second;
        const Result result = second.acquire(month, std::chrono::milliseconds(50));
        return result.outcome == Outcome::Refused ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    first.release();
    EXPECT_TRUE(entriesIn(dir.path()).empty());
    FileLock again;
    EXPECT_TRUE(again.acquire(month, std::chrono::milliseconds(0)));
}

TEST(PluginLoader, LoadsOnlyRegularFiles) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("fifo.so").c_str(), 0666), 0);
    DlLibraryLoader loader;
    for (const std::string& path : {dir.file("fifo.so"), std::string("/dev/zero")}) {
        std::string error;
        EXPECT_EQ(loader.load(path, error), nullptr);
        EXPECT_EQ(error, "it is not a regular file") << path;
    }
}

} // namespace
} // namespace tallimo

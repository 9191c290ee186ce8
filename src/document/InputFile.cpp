#include "document/InputFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace tallimo {
namespace {

std::string reasonOf(int error) {
    return std::generic_category().message(error);
}

FileStamp stampOf(const struct stat& info) {
    return FileStamp{
        static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
        static_cast<std::int64_t>(info.st_size),
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

const std::string kTooLarge = "it is larger than 64 MiB, far more than any month needs";

} // namespace

std::optional<FileStamp> fileStampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return stampOf(info);
}

InputFile::~InputFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

Result InputFile::open(const std::string& path) {
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0) {
        return Result::failed(reasonOf(errno));
    }
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) {
        return Result::failed(reasonOf(errno));
    }
    if (S_ISDIR(info.st_mode)) {
        return Result::failed(reasonOf(EISDIR));
    }
    // A device or a pipe can deliver without end; a time sheet is always a plain file.
    if (!S_ISREG(info.st_mode)) {
        return Result::failed("it is not a regular file");
    }
    if (info.st_size > kLargestFile) {
        return Result::failed(kTooLarge);
    }
    m_stamp = stampOf(info);
    return {};
}

Result InputFile::read(std::vector<std::uint8_t>& bytes, std::size_t count) {
    while (count > 0) {
        const std::size_t before = bytes.size();
        // Reads into room already reserved where there is some: zeroing a 64 KiB chunk for a
        // month of a few hundred bytes costs more than reading it.
        const std::size_t room = std::max<std::size_t>(bytes.capacity() - before, 512);
        const std::size_t chunk = std::min({count, room, std::size_t{65536}});
        bytes.resize(before + chunk);
        const ssize_t got = ::read(m_fd, bytes.data() + before, chunk);
        const int error = errno;
        bytes.resize(before + (got > 0 ? static_cast<std::size_t>(got) : 0));
        if (got < 0 && error == EINTR) {
            continue;
        }
        if (got < 0) {
            return Result::failed(reasonOf(error));
        }
        if (got == 0) {
            break;
        }
        count -= static_cast<std::size_t>(got);
        // A file that grew past the limit while it was read is refused all the same.
        if (bytes.size() > static_cast<std::size_t>(kLargestFile)) {
            return Result::failed(kTooLarge);
        }
    }
    return {};
}

Result InputFile::readRest(std::vector<std::uint8_t>& bytes) {
    // Room for the whole file and the read that finds its end.
    if (m_stamp.size > 0) {
        bytes.reserve(bytes.size() + static_cast<std::size_t>(m_stamp.size) + 512);
    }
    return read(bytes, static_cast<std::size_t>(kLargestFile) + 1);
}

Result readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, FileStamp* stamp) {
    bytes.clear();
    InputFile file;
    Result result = file.open(path);
    if (result) {
        result = file.readRest(bytes);
    }
    if (!result) {
        bytes.clear();
        return result;
    }
    if (stamp != nullptr) {
        *stamp = file.stamp();
    }
    return result;
}

} // namespace tallimo

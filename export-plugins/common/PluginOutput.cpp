#include "PluginOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace tallimo::plugin {
namespace {

constexpr std::size_t kFlushSize = 64 * 1024;
// Enough names for any number of exports of one month a person makes.
constexpr int kMaxNameNumber = 9999;

bool isDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// "YYYY-MM" of a text that starts with "DD.MM.YYYY"; empty otherwise, so that no cell text
// ever reaches a file name.
std::string monthOf(std::string_view date) {
    if (date.size() < 10 || date[2] != '.' || date[5] != '.' || !isDigits(date.substr(0, 2)) ||
        !isDigits(date.substr(3, 2)) || !isDigits(date.substr(6, 4))) {
        return "";
    }
    return std::string(date.substr(6, 4)) + "-" + std::string(date.substr(3, 2));
}

void closeQuietly(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

// Moves `from` to `to` inside the folder unless `to` exists (a symlink counts as existing).
int renameNoReplace(int folder, const std::string& from, const std::string& to) {
    if (renameat2(folder, from.c_str(), folder, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // File systems without the flag: a hard link fails as well when the name is taken.
    if (linkat(folder, from.c_str(), folder, to.c_str(), 0) != 0) {
        return errno;
    }
    unlinkat(folder, from.c_str(), 0);
    return 0;
}

} // namespace

PluginOutput::~PluginOutput() {
    discard();
}

bool PluginOutput::init() {
    discard();
    m_failed = false;
    m_rows = 0;
    m_kind = ListKind::None;
    m_month.clear();
    m_written.clear();
    const std::string folder = destinationFolder();
    if (folder.empty()) {
        return false;
    }
    m_folderPath = folder;
    m_folder = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folder < 0) {
        return false;
    }
    std::random_device random;
    for (int attempt = 0; attempt < 100 && m_file < 0; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, ".tallimo-export-%08x%08x.part", random(), random());
        // O_EXCL never follows a symlink planted at the name, nor opens a file someone made.
        m_file = openat(m_folder, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (m_file >= 0) {
            m_tempName = name;
        } else if (errno != EEXIST) {
            break;
        }
    }
    if (m_file < 0) {
        closeQuietly(m_folder);
        return false;
    }
    return true;
}

bool PluginOutput::accept(ListKind kind, std::string_view date) {
    if (m_failed || m_file < 0 || (m_kind != ListKind::None && m_kind != kind)) {
        m_failed = true;
        return false;
    }
    if (m_rows++ == 0) {
        m_kind = kind;
        m_month = monthOf(date);
    }
    return true;
}

bool PluginOutput::write(std::string_view bytes) {
    if (m_failed) {
        return false;
    }
    m_buffer.append(bytes);
    return m_buffer.size() < kFlushSize || flush();
}

bool PluginOutput::flush() {
    std::size_t done = 0;
    while (done < m_buffer.size()) {
        const ssize_t written = ::write(m_file, m_buffer.data() + done, m_buffer.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            m_failed = true;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    m_buffer.clear();
    return true;
}

bool PluginOutput::finish(std::string_view extension, bool keep) {
    if (m_file < 0) {
        return false;
    }
    if (m_failed || !keep) {
        const bool succeeded = !m_failed;
        discard();
        return succeeded;
    }
    return commit(extension);
}

bool PluginOutput::commit(std::string_view extension) {
    const bool written = flush() && fsync(m_file) == 0;
    const bool closed = close(m_file) == 0;
    m_file = -1;
    if (!written || !closed) {
        discard();
        return false;
    }
    const std::string stem = std::string("tallimo-") +
                             (m_kind == ListKind::Standby ? "standby" : "work") +
                             (m_month.empty() ? "" : "-" + m_month);
    for (int number = 1; number <= kMaxNameNumber; ++number) {
        const std::string name =
            stem + (number > 1 ? "-" + std::to_string(number) : "") + "." + std::string(extension);
        const int error = renameNoReplace(m_folder, m_tempName, name);
        if (error == 0) {
            m_tempName.clear();
            m_written = m_folderPath + (m_folderPath.ends_with('/') ? "" : "/") + name;
            fsync(m_folder);
            closeQuietly(m_folder);
            return true;
        }
        if (error != EEXIST) {
            break;
        }
    }
    discard();
    return false;
}

int32_t nameWrittenFile(const PluginOutput& output, char* path, int32_t size) {
    const std::string& written = output.writtenFile();
    if (written.empty() || size <= 0 || written.size() >= static_cast<std::size_t>(size)) {
        return 0;
    }
    std::memcpy(path, written.c_str(), written.size() + 1);
    return 1;
}

void PluginOutput::discard() {
    closeQuietly(m_file);
    if (m_folder >= 0 && !m_tempName.empty()) {
        unlinkat(m_folder, m_tempName.c_str(), 0);
    }
    m_tempName.clear();
    m_buffer.clear();
    closeQuietly(m_folder);
}

} // namespace tallimo::plugin

#include "platform/posix/XdgAutostart.h"

#include "platform/posix/IniSettingsStore.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tallimo {
namespace {

namespace fs = std::filesystem;

// The desktop program beside the running one when it is there (an installed pair), else the
// name, found through PATH at login.
std::string desktopCommand() {
    std::error_code error;
    const fs::path beside = fs::read_symlink("/proc/self/exe", error).parent_path() / "tallimo";
    const std::string path = beside.string();
    if (error || access(path.c_str(), X_OK) != 0 || path.find('\n') != std::string::npos) {
        return "tallimo";
    }
    if (path.find_first_of(" \t\"'\\><~|&;$*?#()`%") == std::string::npos) {
        return path;
    }
    // Quoted as an Exec argument, then each backslash doubled as the entry's string escape.
    std::string quoted = "\"";
    for (const char c : path) {
        quoted += c == '"' || c == '`' || c == '$' ? "\\\\" : c == '\\' ? "\\\\\\" : "";
        quoted += c == '%' ? "%%" : std::string(1, c);
    }
    return quoted + "\"";
}

bool fail(std::string& error, const std::string& what) {
    error = what + ": " + std::strerror(errno);
    return false;
}

} // namespace

std::string autostartEntryPath() {
    return userConfigFolder() + "/autostart/com.morvane.Tallimo.desktop";
}

bool autostartEnabled() {
    std::error_code error;
    return fs::is_regular_file(autostartEntryPath(), error);
}

bool setAutostart(bool on, std::string& error) {
    const std::string path = autostartEntryPath();
    if (!on) {
        return unlink(path.c_str()) == 0 || errno == ENOENT || fail(error, "cannot remove " + path);
    }
    std::error_code made;
    fs::create_directories(fs::path(path).parent_path(), made);
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        return fail(error, "cannot write " + path);
    }
    const std::string entry = "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Tallimo\n"
                              "Comment=Start the time sheet hidden at login\n"
                              "Exec=" +
                              desktopCommand() +
                              " --hidden\n"
                              "Icon=com.morvane.Tallimo\n"
                              "Terminal=false\n"
                              "X-GNOME-Autostart-enabled=true\n";
    const bool written =
        write(fd, entry.data(), entry.size()) == static_cast<ssize_t>(entry.size()) &&
        fchmod(fd, 0644) == 0 && fsync(fd) == 0;
    if (close(fd) != 0 || !written || rename(temporary.c_str(), path.c_str()) != 0) {
        const bool result = fail(error, "cannot write " + path);
        unlink(temporary.c_str());
        return result;
    }
    return true;
}

} // namespace tallimo

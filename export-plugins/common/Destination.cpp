#include "PluginOutput.h"
#include "platform/Encoding.h"
#include "plugins/tallimo_export.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallimo::plugin {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string homeFolder() {
    if (std::string home = environment("HOME"); !home.empty()) {
        return home;
    }
    const passwd* user = getpwuid(getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

// The value of XDG_DOCUMENTS_DIR="..." in the user-dirs file: "$HOME/..." or an absolute path,
// with backslash escapes as the shell reads them.
std::string documentsFolder(const std::string& home) {
    if (std::string named = environment("XDG_DOCUMENTS_DIR"); !named.empty()) {
        return named;
    }
    std::string config = environment("XDG_CONFIG_HOME");
    if (config.empty() || config.front() != '/') {
        config = home + "/.config";
    }
    std::ifstream in(config + "/user-dirs.dirs");
    const std::string key = "XDG_DOCUMENTS_DIR=\"";
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with(key) || line.size() < key.size() + 1 || line.back() != '"') {
            continue;
        }
        std::string value;
        for (std::size_t i = key.size(); i + 1 < line.size(); ++i) {
            if (line[i] == '\\' && i + 2 < line.size()) {
                ++i;
            }
            value += line[i];
        }
        if (value == "$HOME" || value.starts_with("$HOME/")) {
            return home + value.substr(5);
        }
        return value.starts_with('/') ? value : "";
    }
    return "";
}

bool isFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::string destinationFolder() {
    // A folder named on purpose is used as it is: Init refuses it when it is missing.
    if (std::string chosen = environment("TALLIMO_EXPORT_DIR"); !chosen.empty()) {
        return chosen;
    }
    const std::string home = homeFolder();
    if (home.empty()) {
        return "";
    }
    const std::string documents = documentsFolder(home);
    return !documents.empty() && isFolder(documents) ? documents : home;
}

void describe(char* buffer, std::string_view format) {
    const std::string folder = destinationFolder();
    const std::string utf8 = std::string(format) + ": one file per export in " +
                             (folder.empty() ? "(no folder)" : folder);
    // One byte per character after the conversion, so the cut never splits one.
    const std::string text = utf8ToWindows1252(utf8).substr(0, TALLIMO_DESCRIPTION_SIZE - 1);
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
}

} // namespace tallimo::plugin

#include "platform/posix/PluginFolder.h"

#include <filesystem>

namespace tallimo {

std::string bundledPluginFolder() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error || executable.empty()) {
        return "";
    }
    const fs::path installed =
        (executable.parent_path() / ".." / TALLIMO_PLUGIN_INSTALL_DIR).lexically_normal();
    // An installed tree wins, even one installed inside the build folder.
    if (fs::is_directory(installed, error)) {
        return installed.string();
    }
    const std::string buildTree = TALLIMO_BUILD_DIR "/";
    return executable.string().starts_with(buildTree) ? TALLIMO_PLUGIN_BUILD_DIR
                                                      : installed.string();
}

} // namespace tallimo

#include "platform/posix/PluginFolder.h"

#include <filesystem>

namespace tallimo {
namespace {

// `installed` under the prefix beside bin, else `built` for a program run from its build tree.
std::string besideProgram(const char* installedPath, const char* built, bool folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error || executable.empty()) {
        return "";
    }
    const fs::path installed = (executable.parent_path() / ".." / installedPath).lexically_normal();
    // An installed tree wins, even one installed inside the build folder.
    if (folder ? fs::is_directory(installed, error) : fs::is_regular_file(installed, error)) {
        return installed.string();
    }
    const std::string buildTree = TALLIMO_BUILD_DIR "/";
    return executable.string().starts_with(buildTree) ? built : installed.string();
}

} // namespace

std::string bundledPluginFolder() {
    return besideProgram(TALLIMO_PLUGIN_INSTALL_DIR, TALLIMO_PLUGIN_BUILD_DIR, true);
}

std::string bundledReportLibrary() {
    return besideProgram(TALLIMO_REPORT_LIBRARY_INSTALL_DIR "/libtallimo-report.so",
                         TALLIMO_REPORT_LIBRARY_BUILD_DIR "/libtallimo-report.so", false);
}

} // namespace tallimo

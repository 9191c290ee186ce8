#include "support/CliRunner.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

namespace fs = std::filesystem;

// tallimo-cli run from the build tree finds the bundled plug-ins by their bare names and writes
// where the user's folders say. The install test keeps libraries in the working directory out.
TEST(BundledCli, BareNamesPickTheBundledPluginsWhichWriteToTheUsersFolder) {
    unsetenv("TALLIMO_EXPORT_DIR");
    unsetenv("XDG_DOCUMENTS_DIR");
    const struct {
        const char* userDirs; // the line of .config/user-dirs.dirs, if any
        const char* folder;   // where the file lands, inside the sandbox's home
        const char* plugin;
        const char* file;
    } cases[] = {
        {nullptr, "", "csv", "tallimo-work-2006-03.csv"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/Docs\"", "Docs", "ical.so", "tallimo-work-2006-03.ics"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/Gone\"", "", "csv", "tallimo-work-2006-03.csv"},
    };
    for (const auto& c : cases) {
        CliSandbox sandbox;
        const fs::path home = sandbox.file(".home");
        fs::create_directories(home / "Docs");
        if (c.userDirs != nullptr) {
            fs::create_directories(home / ".config");
            std::ofstream(home / ".config/user-dirs.dirs") << "# xdg-user-dirs\n"
                                                           << c.userDirs << "\n";
        }
        ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
        // A day with its times, without which a calendar holds no event and no file is written.
        ASSERT_EQ(sandbox.run({"set", "m.time", "1", "--enter", "08:00:00", "--leave", "17:00:00"})
                      .status,
                  0);
        const CliResult result = sandbox.run({"export", "m.time", "--plugin", c.plugin});
        EXPECT_EQ(result.status, 0) << result.err;
        const fs::path written = home / c.folder / c.file;
        EXPECT_TRUE(fs::is_regular_file(written)) << c.plugin << " " << c.folder;
        EXPECT_EQ(result.out, "m.time: 31 work rows exported with " + std::string(c.plugin) +
                                  " to " + written.lexically_normal().string() + "\n");
    }
}

} // namespace
} // namespace tallimo::test

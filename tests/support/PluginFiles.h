#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tallimo::test {

// The test plug-ins built beside the tests, and the switches they read from the environment.
inline const std::string kPlugin = TALLIMO_TEST_PLUGIN;
inline const std::string kPluginWithoutRows = TALLIMO_TEST_PLUGIN_NOROWS;
inline const std::string kPluginWithoutDescription = TALLIMO_TEST_PLUGIN_NODESCRIPTION;

// Points the plug-ins' call log at a file and clears their failures for one test.
class PluginSwitches {
public:
    explicit PluginSwitches(std::string log) : m_log(std::move(log)) {
        setenv("TALLIMO_TEST_PLUGIN_LOG", m_log.c_str(), 1);
        unsetenv("TALLIMO_TEST_PLUGIN_FAIL");
    }
    ~PluginSwitches() {
        unsetenv("TALLIMO_TEST_PLUGIN_LOG");
        unsetenv("TALLIMO_TEST_PLUGIN_FAIL");
    }
    PluginSwitches(const PluginSwitches&) = delete;
    PluginSwitches& operator=(const PluginSwitches&) = delete;

    void fail(const std::string& what) const {
        setenv("TALLIMO_TEST_PLUGIN_FAIL", what.c_str(), 1);
    }

    std::vector<std::string> calls() const {
        std::vector<std::string> lines;
        std::ifstream in(m_log);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

private:
    std::string m_log;
};

inline void installPlugin(const std::string& library, const std::string& directory,
                          const std::string& name) {
    std::filesystem::create_directories(directory);
    std::filesystem::copy_file(library, std::filesystem::path(directory) / name,
                               std::filesystem::copy_options::overwrite_existing);
}

} // namespace tallimo::test

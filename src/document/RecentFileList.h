#pragma once

#include "platform/SettingsStore.h"

#include <string>
#include <vector>

namespace tallimo {

// The last four opened files, newest first, kept in the settings store.
class RecentFileList {
public:
    static constexpr int kSize = 4;

    explicit RecentFileList(SettingsStore& store);

    std::vector<std::string> entries() const;
    // Moves or adds the path to the top.
    void add(const std::string& path);
    void remove(const std::string& path);

private:
    void store(const std::vector<std::string>& entries);

    SettingsStore& m_store;
};

} // namespace tallimo

#pragma once

#include "platform/SettingsStore.h"

#include <string>
#include <vector>

namespace tallimo {

// `LastDocument` (section Settings): the file last opened or saved, read straight from the store
// where it is needed and written only by the document.
std::string lastDocument(const SettingsStore& store);
void storeLastDocument(SettingsStore& store, const std::string& path);

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

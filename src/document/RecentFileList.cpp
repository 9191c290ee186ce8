#include "document/RecentFileList.h"

#include <algorithm>

namespace tallimo {
namespace {

// Where the framework kept the list: one section, keys File1 (newest) to File4.
constexpr const char* kSection = "Recent File List";

std::string keyOf(int index) {
    return "File" + std::to_string(index + 1);
}

} // namespace

std::string lastDocument(const SettingsStore& store) {
    return store.getString("Settings", "LastDocument").value_or("");
}

void storeLastDocument(SettingsStore& store, const std::string& path) {
    store.setString("Settings", "LastDocument", path);
}

RecentFileList::RecentFileList(SettingsStore& store) : m_store(store) {}

std::vector<std::string> RecentFileList::entries() const {
    std::vector<std::string> paths;
    for (int i = 0; i < kSize; ++i) {
        const auto path = m_store.getString(kSection, keyOf(i));
        if (path && !path->empty()) {
            paths.push_back(*path);
        }
    }
    return paths;
}

void RecentFileList::add(const std::string& path) {
    if (path.empty()) {
        return;
    }
    auto paths = entries();
    std::erase(paths, path);
    paths.insert(paths.begin(), path);
    store(paths);
}

void RecentFileList::remove(const std::string& path) {
    auto paths = entries();
    if (std::erase(paths, path) > 0) {
        store(paths);
    }
}

void RecentFileList::store(const std::vector<std::string>& entries) {
    for (int i = 0; i < kSize; ++i) {
        if (i < static_cast<int>(entries.size())) {
            m_store.setString(kSection, keyOf(i), entries[static_cast<std::size_t>(i)]);
        } else {
            m_store.remove(kSection, keyOf(i));
        }
    }
}

} // namespace tallimo

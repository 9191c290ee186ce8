#pragma once

#include "platform/SettingsStore.h"

#include <memory>

class QSettings;

namespace tallimo {

// The per-user store of organisation "Morvane", application "Tallimo"; a section is a group.
// Writes reach the disk with sync(), from the event loop soon after, or when the store ends: a
// disk write per value (a whole file, flushed) made opening a month in the desktop 20-40 ms
// slower.
class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;

    std::optional<std::string> getString(const std::string& section,
                                         const std::string& key) const override;
    std::optional<int> getInt(const std::string& section, const std::string& key) const override;
    void setString(const std::string& section, const std::string& key,
                   const std::string& value) override;
    void setInt(const std::string& section, const std::string& key, int value) override;
    void remove(const std::string& section, const std::string& key) override;
    bool sync() override;

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace tallimo

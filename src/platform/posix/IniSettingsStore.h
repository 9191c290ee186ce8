#pragma once

#include "platform/SettingsStore.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tallimo {

// The user's configuration folder: $XDG_CONFIG_HOME when it is absolute, else $HOME/.config.
std::string userConfigFolder();

// The per-user settings store read and written without Qt, in the file the desktop's QSettings
// keeps (Morvane/Tallimo.conf in the configuration folder: INI with QSettings' escapes), so that
// tallimo-cli starts as fast as a plain program: loading QtCore cost more than a whole command.
// Strings are the program's bytes, stored as Latin-1 characters as QSettings stores them. Only
// the keys a sync changes are rewritten; every other line of the file stays as it was. A sync
// takes the lock file QSettings honours, writes beside the file and renames it over; it does
// not flush the disk, as losing a settings change in a crash costs nothing that matters.
class IniSettingsStore final : public SettingsStore {
public:
    explicit IniSettingsStore(std::string path = userConfigFolder() + "/Morvane/Tallimo.conf");

    std::optional<std::string> getString(const std::string& section,
                                         const std::string& key) const override;
    std::optional<int> getInt(const std::string& section, const std::string& key) const override;
    void setString(const std::string& section, const std::string& key,
                   const std::string& value) override;
    void setInt(const std::string& section, const std::string& key, int value) override;
    void remove(const std::string& section, const std::string& key) override;
    bool sync() override;

private:
    using Key = std::pair<std::string, std::string>;
    void load() const;
    void setValue(const std::string& section, const std::string& key, std::string text);

    std::string m_path;
    mutable bool m_loaded = false;
    // The values of the file (and of the changes not yet written), as QSettings reads them.
    mutable std::map<Key, std::string> m_values;
    // What the next sync writes: the value's text in the file, or nothing for a removal.
    std::map<Key, std::optional<std::string>> m_changes;
};

} // namespace tallimo

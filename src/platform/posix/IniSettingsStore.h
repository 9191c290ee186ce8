#pragma once

#include "platform/SettingsStore.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tallimo {

// The user's configuration folder: $XDG_CONFIG_HOME when it is absolute, else $HOME/.config.
std::string userConfigFolder();
// The journal of the arrivals and departures presence detection saw, beside the settings file.
std::string presenceJournalPath();

// A section and a key.
using SettingsKey = std::pair<std::string, std::string>;
// New values (the program's bytes) and removals (nothing).
using SettingsChanges = std::map<SettingsKey, std::optional<std::string>>;

// The values of a settings file's text as QSettings reads them: a key with '/' in its path
// belongs to the section its first part names ("Settings/AutoSave" in [General] is AutoSave of
// Settings), and of a key given twice the last counts.
std::map<SettingsKey, std::string> parseSettingsText(std::string_view data);
// The text with the changes made: a changed key is rewritten where it stands, a new one added at
// the end of its section (a section the text lacks is added once, with all its keys), a removed
// one taken out; every other byte stays, and added lines end as the file's lines end.
std::string applySettingsChanges(std::string data, const SettingsChanges& changes);

// The per-user settings store of both programs, in Morvane/Tallimo.conf in the configuration
// folder (INI with QSettings' escapes, so files written by earlier desktops read the same).
// Strings are the program's bytes, stored as Latin-1 characters as QSettings stores them. Only
// the keys a sync changes are rewritten; every other line of the file stays as it was. A sync
// takes the lock file beside it, reads the file again, writes beside it and renames it over (a
// symbolic link stays and its file is replaced); it does not flush the disk, as losing a
// settings change in a crash costs nothing that matters. A file that cannot be read (not a
// regular file, no permission) gives the defaults and is never written over; the first problem
// is reported once to the warning handler, naming the file.
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
    void reload() override;

    const std::string& path() const { return m_path; }
    void setWarningHandler(std::function<void(const std::string&)> handler) {
        m_warning = std::move(handler);
    }

private:
    void load() const;
    void warn(const std::string& text) const;
    // The reason when the file could not be written.
    std::string write() const;

    std::string m_path;
    mutable bool m_loaded = false;
    // The values of the file (and of the changes not yet written), as QSettings reads them.
    mutable std::map<SettingsKey, std::string> m_values;
    // What the next sync writes.
    SettingsChanges m_changes;
    std::function<void(const std::string&)> m_warning;
    mutable bool m_warned = false;
};

} // namespace tallimo

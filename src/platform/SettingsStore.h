#pragma once

#include <optional>
#include <string>

namespace tallimo {

// The per-user settings store: string and integer values per section and key, with "absent".
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> getString(const std::string& section,
                                                 const std::string& key) const = 0;
    virtual std::optional<int> getInt(const std::string& section, const std::string& key) const = 0;
    virtual void setString(const std::string& section, const std::string& key,
                           const std::string& value) = 0;
    virtual void setInt(const std::string& section, const std::string& key, int value) = 0;
    virtual void remove(const std::string& section, const std::string& key) = 0;
    // Makes every write so far permanent; false when the store could not be written. The
    // program ignores write failures, but a command whose only job is to write must not.
    virtual bool sync() = 0;
    // Forgets what was read, so that the next read sees what other programs wrote since; the
    // changes not yet written stay. A store that keeps nothing has nothing to forget.
    virtual void reload() {}
};

} // namespace tallimo

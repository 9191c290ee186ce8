#pragma once

#include "platform/posix/IniSettingsStore.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QFileSystemWatcher;
class QTimer;

namespace tallimo {

// The desktop's settings store: the settings file of both programs (IniSettingsStore), written
// from the event loop soon after a change (a write per value made opening a month slower), and
// followed on disk, so that what tallimo-cli writes reaches the running window.
class QtSettingsStore final : public SettingsStore {
public:
    explicit QtSettingsStore(std::string path = userConfigFolder() + "/Morvane/Tallimo.conf");
    ~QtSettingsStore() override;

    std::optional<std::string> getString(const std::string& section,
                                         const std::string& key) const override;
    std::optional<int> getInt(const std::string& section, const std::string& key) const override;
    void setString(const std::string& section, const std::string& key,
                   const std::string& value) override;
    void setInt(const std::string& section, const std::string& key, int value) override;
    void remove(const std::string& section, const std::string& key) override;
    bool sync() override;
    void reload() override;

    // Called once another program has changed the file (after the store has read it again).
    void setChangeHandler(std::function<void()> handler) { m_changed = std::move(handler); }
    // Gets the one warning about the file, also one that came before the handler was set.
    void setWarningHandler(std::function<void(const std::string&)> handler);

private:
    void changedOnDisk();
    void scheduleSync();

    IniSettingsStore m_store;
    std::unique_ptr<QTimer> m_flush;
    std::unique_ptr<QTimer> m_settle;
    std::unique_ptr<QFileSystemWatcher> m_watcher;
    std::function<void()> m_changed;
    std::function<void(const std::string&)> m_warning;
    std::optional<std::string> m_pendingWarning;
};

} // namespace tallimo

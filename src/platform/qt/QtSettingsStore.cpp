#include "platform/qt/QtSettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>
#include <filesystem>

namespace tallimo {
namespace {

// Writers replace the file in several steps; it is read again once they are done.
constexpr int kSettleMs = 250;

} // namespace

QtSettingsStore::QtSettingsStore(std::string path)
    : m_store(std::move(path)), m_flush(std::make_unique<QTimer>()),
      m_settle(std::make_unique<QTimer>()), m_watcher(std::make_unique<QFileSystemWatcher>()) {
    m_store.setWarningHandler([this](const std::string& text) {
        if (m_warning) {
            m_warning(text);
        } else {
            m_pendingWarning = text;
        }
    });
    m_flush->setSingleShot(true);
    m_flush->setInterval(0);
    QObject::connect(m_flush.get(), &QTimer::timeout, [this] { m_store.sync(); });
    m_settle->setSingleShot(true);
    m_settle->setInterval(kSettleMs);
    QObject::connect(m_settle.get(), &QTimer::timeout, [this] { changedOnDisk(); });
    // The folder too: a writer renames a new file over the old one, and a file that does not
    // exist yet cannot be watched.
    const QString file = QFile::decodeName(m_store.path().c_str());
    const QString folder = QFileInfo(file).absolutePath();
    std::error_code ignored;
    std::filesystem::create_directories(QFile::encodeName(folder).toStdString(), ignored);
    m_watcher->addPath(folder);
    if (QFileInfo::exists(file)) {
        m_watcher->addPath(file);
    }
    const auto settle = [this] { m_settle->start(); };
    QObject::connect(m_watcher.get(), &QFileSystemWatcher::fileChanged, settle);
    QObject::connect(m_watcher.get(), &QFileSystemWatcher::directoryChanged, settle);
}

QtSettingsStore::~QtSettingsStore() {
    m_store.sync();
}

void QtSettingsStore::setWarningHandler(std::function<void(const std::string&)> handler) {
    m_warning = std::move(handler);
    if (m_warning && m_pendingWarning) {
        m_warning(*std::exchange(m_pendingWarning, std::nullopt));
    }
}

void QtSettingsStore::changedOnDisk() {
    // A replaced file is a new one to watch.
    const QString file = QFile::decodeName(m_store.path().c_str());
    if (QFileInfo::exists(file) && !m_watcher->files().contains(file)) {
        m_watcher->addPath(file);
    }
    m_store.reload();
    if (m_changed) {
        m_changed();
    }
}

void QtSettingsStore::scheduleSync() {
    m_flush->start();
}

std::optional<std::string> QtSettingsStore::getString(const std::string& section,
                                                      const std::string& key) const {
    return m_store.getString(section, key);
}

std::optional<int> QtSettingsStore::getInt(const std::string& section,
                                           const std::string& key) const {
    return m_store.getInt(section, key);
}

void QtSettingsStore::setString(const std::string& section, const std::string& key,
                                const std::string& value) {
    m_store.setString(section, key, value);
    scheduleSync();
}

void QtSettingsStore::setInt(const std::string& section, const std::string& key, int value) {
    m_store.setInt(section, key, value);
    scheduleSync();
}

void QtSettingsStore::remove(const std::string& section, const std::string& key) {
    m_store.remove(section, key);
    scheduleSync();
}

bool QtSettingsStore::sync() {
    m_flush->stop();
    return m_store.sync();
}

void QtSettingsStore::reload() {
    m_store.reload();
}

} // namespace tallimo

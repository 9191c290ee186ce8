#include "platform/qt/QtSettingsStore.h"

#include <QSettings>
#include <QString>

namespace tallimo {
namespace {

// Values are the program's Windows-1252 bytes; Latin-1 keeps every byte as it is.
QString keyOf(const std::string& section, const std::string& key) {
    return QString::fromLatin1(section) + QLatin1Char('/') + QString::fromLatin1(key);
}

} // namespace

QtSettingsStore::QtSettingsStore()
    : m_settings(
          std::make_unique<QSettings>(QStringLiteral("Morvane"), QStringLiteral("Tallimo"))) {}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<std::string> QtSettingsStore::getString(const std::string& section,
                                                      const std::string& key) const {
    const QVariant value = m_settings->value(keyOf(section, key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString().toLatin1().toStdString();
}

std::optional<int> QtSettingsStore::getInt(const std::string& section,
                                           const std::string& key) const {
    const QVariant value = m_settings->value(keyOf(section, key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok) {
        return std::nullopt;
    }
    return number;
}

void QtSettingsStore::setString(const std::string& section, const std::string& key,
                                const std::string& value) {
    m_settings->setValue(keyOf(section, key), QString::fromLatin1(value));
}

void QtSettingsStore::setInt(const std::string& section, const std::string& key, int value) {
    m_settings->setValue(keyOf(section, key), value);
}

void QtSettingsStore::remove(const std::string& section, const std::string& key) {
    m_settings->remove(keyOf(section, key));
}

bool QtSettingsStore::sync() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

} // namespace tallimo

#include "cli/CliContext.h"

#include "cli/TerminalTable.h"

#include <ostream>

namespace tallimo::cli {

std::optional<std::string> DeferredSettings::getString(const std::string& section,
                                                       const std::string& key) const {
    const auto found = m_writes.find({section, key});
    if (found == m_writes.end()) {
        return m_store.getString(section, key);
    }
    if (const auto* text = std::get_if<std::string>(&found->second)) {
        return *text;
    }
    if (const auto* number = std::get_if<int>(&found->second)) {
        return std::to_string(*number);
    }
    return std::nullopt;
}

std::optional<int> DeferredSettings::getInt(const std::string& section,
                                            const std::string& key) const {
    const auto found = m_writes.find({section, key});
    if (found == m_writes.end()) {
        return m_store.getInt(section, key);
    }
    if (const auto* number = std::get_if<int>(&found->second)) {
        return *number;
    }
    return std::nullopt;
}

void DeferredSettings::keep(const std::string& section, const std::string& key, Value value) {
    m_writes[{section, key}] = std::move(value);
}

void DeferredSettings::setString(const std::string& section, const std::string& key,
                                 const std::string& value) {
    if (!m_writes.contains({section, key}) && m_store.getString(section, key) == value) {
        return;
    }
    keep(section, key, value);
}

void DeferredSettings::setInt(const std::string& section, const std::string& key, int value) {
    if (!m_writes.contains({section, key}) && m_store.getInt(section, key) == value) {
        return;
    }
    keep(section, key, value);
}

void DeferredSettings::remove(const std::string& section, const std::string& key) {
    if (!m_writes.contains({section, key}) && !m_store.getString(section, key)) {
        return;
    }
    keep(section, key, std::monostate{});
}

bool DeferredSettings::sync() {
    if (m_writes.empty()) {
        return true;
    }
    for (const auto& [where, value] : m_writes) {
        if (const auto* text = std::get_if<std::string>(&value)) {
            m_store.setString(where.first, where.second, *text);
        } else if (const auto* number = std::get_if<int>(&value)) {
            m_store.setInt(where.first, where.second, *number);
        } else {
            m_store.remove(where.first, where.second);
        }
    }
    m_writes.clear();
    return m_store.sync();
}

void StreamTraceSink::write(std::string_view line) {
    if (m_stream != nullptr) {
        *m_stream << line << std::flush;
    }
}

CliContext::CliContext(std::vector<std::string> arguments, std::ostream& outStream,
                       std::ostream& errStream, const CliSwitches& globalSwitches,
                       SettingsStore& settingsStore, LibraryLoader& libraryLoader)
    : args(std::move(arguments)), switches(globalSwitches), out(outStream), err(errStream),
      ui(errStream, globalSwitches.policy), settings(settingsStore),
      trace(globalSwitches.trace ? &errStream : nullptr), libraries(libraryLoader) {}

Platform CliContext::platform() {
    return Platform{ui, settings, clock, timers, trace, libraries, currentThreadId, {}, &step};
}

int CliContext::fail(const std::string& text, int status) {
    err << "tallimo-cli: " << text << '\n';
    return status;
}

void CliContext::confirm(const std::string& file, const std::string& what) {
    confirmUtf8(file, terminalText(what));
}

void CliContext::confirmUtf8(const std::string& file, const std::string& what) {
    if (!switches.quiet) {
        out << file << ": " << what << '\n';
    }
}

} // namespace tallimo::cli

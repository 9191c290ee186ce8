#include "view/Settings.h"

namespace tallimo {
namespace {

int readPart(const SettingsStore& store, const std::string& key, int defaultValue) {
    const auto value = store.getInt(kSettingsSection, key);
    return value && *value >= 0 && *value <= kLargestDurationPart ? *value : defaultValue;
}

Duration readDuration(const SettingsStore& store, const std::string& prefix, Duration defaults) {
    return Duration{
        readPart(store, prefix + "Hour", defaults.hour),
        readPart(store, prefix + "Minute", defaults.minute),
        readPart(store, prefix + "Second", defaults.second),
    };
}

} // namespace

bool readSwitch(const SettingsStore& store, const char* key) {
    return store.getString(kSettingsSection, key).value_or("") == "on";
}

const char* switchWord(bool on) {
    return on ? "on" : "off";
}

std::optional<Span> readBalanceStart(const SettingsStore& store) {
    const auto text = store.getString(kSettingsSection, kBalanceStartKey);
    return text && !text->empty() ? parseSignedSpan(*text) : Span{0};
}

const char* presenceModeWord(PresenceMode mode) {
    switch (mode) {
    case PresenceMode::Suggest:
        return "suggest";
    case PresenceMode::Auto:
        return "auto";
    case PresenceMode::Off:
        break;
    }
    return "off";
}

std::optional<PresenceMode> parsePresenceMode(std::string_view word) {
    for (const PresenceMode mode : {PresenceMode::Off, PresenceMode::Suggest, PresenceMode::Auto}) {
        if (word == presenceModeWord(mode)) {
            return mode;
        }
    }
    return std::nullopt;
}

SettingsRecord loadSettings(const SettingsStore& store) {
    const SettingsRecord defaults;
    SettingsRecord record;
    record.AutoSave = readSwitch(store, "AutoSave");
    record.AutoBackup = readSwitch(store, "AutoBackup");
    record.AutoOpenLastDocument = readSwitch(store, "AutoOpenLastDocument");
    record.RememberMe = readSwitch(store, "RememberMe");
    record.PlugInDir = store.getString(kSettingsSection, "PlugInDir").value_or("");
    record.atwork = readDuration(store, "atwork", defaults.atwork);
    record.worktime = readDuration(store, "worktime", defaults.worktime);
    record.breakfast = readDuration(store, "breakfast", defaults.breakfast);
    record.lunch = readDuration(store, "lunch", defaults.lunch);
    record.coffee = readDuration(store, "coffee", defaults.coffee);
    record.ReportName = store.getString(kSettingsSection, "ReportName").value_or("");
    record.ReportNumber = store.getString(kSettingsSection, "ReportNumber").value_or("");
    record.ReportDepartment = store.getString(kSettingsSection, "ReportDepartment").value_or("");
    // A damaged value keeps presence detection off rather than guessing what was meant.
    record.presence =
        parsePresenceMode(store.getString(kSettingsSection, kPresenceKey).value_or("off"))
            .value_or(PresenceMode::Off);
    const int away = store.getInt(kSettingsSection, kPresenceAwayMinutesKey)
                         .value_or(kDefaultPresenceAwayMinutes);
    record.presenceAwayMinutes =
        away >= 0 && away <= kMaxPresenceAwayMinutes ? away : kDefaultPresenceAwayMinutes;
    return record;
}

} // namespace tallimo

#pragma once

#include "calc/TimeValue.h"
#include "platform/SettingsStore.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tallimo {

inline constexpr const char* kSettingsSection = "Settings";

// The largest part of a duration the store holds; a part below 0 or above it (edited by hand)
// reads as its default, as a part that is no number does.
inline constexpr int kLargestDurationPart = 9999;

// A duration kept as the three integers of the store, used as stored within that range.
struct Duration {
    int hour = 0;
    int minute = 0;
    int second = 0;

    // In 64 bits: the store is not range-checked, so an hour of a million must not overflow.
    std::int64_t seconds() const {
        return std::int64_t{hour} * 3600 + std::int64_t{minute} * 60 + second;
    }
    bool operator==(const Duration&) const = default;
};

enum class PresenceMode { Off, Suggest, Auto };
inline constexpr const char* kPresenceKey = "Presence";
inline constexpr const char* kPresenceAwayMinutesKey = "PresenceAwayMinutes";
inline constexpr int kDefaultPresenceAwayMinutes = 5;
// A day is the longest away time that still means something.
inline constexpr int kMaxPresenceAwayMinutes = 1440;
const char* presenceModeWord(PresenceMode mode);
// Empty for any word but off, suggest and auto.
std::optional<PresenceMode> parsePresenceMode(std::string_view word);

// The view's copy of the section Settings, in the order the view declares it.
struct SettingsRecord {
    bool AutoSave = false;
    bool AutoBackup = false;
    bool AutoOpenLastDocument = false;
    bool RememberMe = false;
    Duration lunch{0, 30, 0};
    Duration coffee{0, 10, 0};
    Duration breakfast{0, 20, 0};
    Duration worktime{8, 0, 0};
    Duration atwork{9, 0, 0};
    std::string PlugInDir;
    // The person a month report is for, UTF-8 as typed.
    std::string ReportName;
    std::string ReportNumber;
    std::string ReportDepartment;
    // Recording the day from the session's lock, unlock, suspend and logout.
    PresenceMode presence = PresenceMode::Off;
    int presenceAwayMinutes = kDefaultPresenceAwayMinutes;
};

// A switch is on exactly when its stored string is "on" (byte-wise).
bool readSwitch(const SettingsStore& store, const char* key);
const char* switchWord(bool on);

// The overtime balance carried from before the first month file, typed as parseSignedSpan reads
// it; 0 when it is not set, empty when the stored text is no such span.
inline constexpr const char* kBalanceStartKey = "BalanceStart";
std::optional<Span> readBalanceStart(const SettingsStore& store);

// Fills the record from the store, every missing value taking its default.
SettingsRecord loadSettings(const SettingsStore& store);

} // namespace tallimo

#include "cli/Commands.h"
#include "platform/posix/XdgAutostart.h"
#include "view/CTagrolView.h"
#include "view/OptionsDialog.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace tallimo::cli {
namespace {

constexpr std::array<const char*, 4> kSwitches = {"AutoSave", "AutoBackup", "AutoOpenLastDocument",
                                                  "RememberMe"};
// The durations the dialog edits: their picker and the handler of a change.
struct DurationField {
    const char* name;
    Instant OptionsDialog::*picker;
    void (OptionsDialog::*changed)();
};
constexpr std::array<DurationField, 4> kDurations = {{
    {"worktime", &OptionsDialog::worktime, &OptionsDialog::OnDatetimechangeWorktime},
    {"breakfast", &OptionsDialog::breakfast, &OptionsDialog::OnDatetimechangeBreakfast},
    {"lunch", &OptionsDialog::lunch, &OptionsDialog::OnDatetimechangeLunch},
    {"coffee", &OptionsDialog::coffee, &OptionsDialog::OnDatetimechangeCoffee},
}};
constexpr std::array<const char*, 3> kParts = {"Hour", "Minute", "Second"};
constexpr int kMaxPart = kLargestDurationPart;

void addDuration(std::vector<std::string>& lines, const std::string& name,
                 const Duration& duration) {
    lines.push_back(name + "Hour=" + std::to_string(duration.hour));
    lines.push_back(name + "Minute=" + std::to_string(duration.minute));
    lines.push_back(name + "Second=" + std::to_string(duration.second));
}

// Every setting as KEY=VALUE, in the order the help gives.
std::vector<std::string> settingLines(CliContext& context) {
    const SettingsRecord record = loadSettings(context.settings);
    std::vector<std::string> lines = {
        std::string("AutoSave=") + switchWord(record.AutoSave),
        std::string("AutoBackup=") + switchWord(record.AutoBackup),
        std::string("AutoOpenLastDocument=") + switchWord(record.AutoOpenLastDocument),
        std::string("RememberMe=") + switchWord(record.RememberMe),
        "PlugInDir=" + record.PlugInDir,
    };
    addDuration(lines, "atwork", record.atwork);
    addDuration(lines, "worktime", record.worktime);
    addDuration(lines, "breakfast", record.breakfast);
    addDuration(lines, "lunch", record.lunch);
    addDuration(lines, "coffee", record.coffee);
    lines.push_back("ReportName=" + record.ReportName);
    lines.push_back("ReportNumber=" + record.ReportNumber);
    lines.push_back("ReportDepartment=" + record.ReportDepartment);
    lines.push_back("BalanceStart=" +
                    context.settings.getString(kSettingsSection, kBalanceStartKey).value_or(""));
    lines.push_back("LastDocument=" + lastDocument(context.settings));
    // Presence detection, listed last where it was added; stored as given.
    lines.push_back(std::string(kPresenceKey) + "=" + presenceModeWord(record.presence));
    lines.push_back(std::string(kPresenceAwayMinutesKey) + "=" +
                    std::to_string(record.presenceAwayMinutes));
    lines.push_back(std::string("Autostart=") + switchWord(autostartEnabled()));
    return lines;
}

bool parsePart(const std::string& text, int& value) {
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    value = std::stoi(text);
    return value <= kMaxPart;
}

// Checks one KEY=VALUE; returns the reason when it is refused.
std::string checkAssignment(const std::string& key, const std::string& value) {
    if (std::find(kSwitches.begin(), kSwitches.end(), key) != kSwitches.end()) {
        return value == "on" || value == "off" ? "" : key + " wants on or off, not '" + value + "'";
    }
    if (key == "Autostart") {
        return "Autostart wants on or off, not '" + value + "'";
    }
    if (key == "PlugInDir" || key == "ReportName" || key == "ReportNumber" ||
        key == "ReportDepartment") {
        return "";
    }
    if (key == kPresenceKey) {
        return parsePresenceMode(value)
                   ? ""
                   : "Presence wants off, suggest or auto, not '" + value + "'";
    }
    if (key == kPresenceAwayMinutesKey) {
        int minutes = 0;
        return parsePart(value, minutes) && minutes <= kMaxPresenceAwayMinutes
                   ? ""
                   : "PresenceAwayMinutes wants a whole number from 0 to " +
                         std::to_string(kMaxPresenceAwayMinutes) + ", not '" + value + "'";
    }
    if (key == kBalanceStartKey) {
        return value.empty() || parseSignedSpan(value)
                   ? ""
                   : "BalanceStart wants a span such as +12:30 or -1:00:00, not '" + value + "'";
    }
    if (key.starts_with("atwork")) {
        return key + " is the sum of worktime and the breaks; set those instead";
    }
    if (key == "LastDocument") {
        return "LastDocument is set by opening or saving a file";
    }
    for (const auto& duration : kDurations) {
        for (const char* part : kParts) {
            if (key == std::string(duration.name) + part) {
                int number = 0;
                return parsePart(value, number)
                           ? ""
                           : key + " wants a whole number from 0 to " + std::to_string(kMaxPart) +
                                 ", not '" + value + "'";
            }
        }
    }
    return "unknown setting '" + key + "' (see 'tallimo-cli options --help')";
}

// What the user does in the dialog: sets the switches and the directory, changes pickers (each
// change recomputes @work) and presses OK.
void answerDialog(OptionsDialog& dialog, const std::map<std::string, std::string>& changes) {
    const auto changed = [&](const std::string& key) { return changes.find(key); };
    int* switches[] = {&dialog.AutoSave, &dialog.AutoBackup, &dialog.AutoOpenLastDocument,
                       &dialog.RememberMe};
    for (std::size_t i = 0; i < kSwitches.size(); ++i) {
        if (const auto found = changed(kSwitches[i]); found != changes.end()) {
            *switches[i] = found->second == "on" ? 1 : 0;
        }
    }
    if (const auto found = changed("PlugInDir"); found != changes.end()) {
        dialog.plugInDir = found->second;
    }
    for (const auto& [key, field] : {std::pair{"ReportName", &dialog.reportName},
                                     std::pair{"ReportNumber", &dialog.reportNumber},
                                     std::pair{"ReportDepartment", &dialog.reportDepartment}}) {
        if (const auto found = changed(key); found != changes.end()) {
            *field = found->second;
        }
    }
    for (const auto& field : kDurations) {
        Instant& picker = dialog.*field.picker;
        Duration duration = pickerDuration(picker);
        int* parts[] = {&duration.hour, &duration.minute, &duration.second};
        bool touched = false;
        for (std::size_t i = 0; i < kParts.size(); ++i) {
            if (const auto found = changed(std::string(field.name) + kParts[i]);
                found != changes.end()) {
                parsePart(found->second, *parts[i]);
                touched = true;
            }
        }
        if (touched) {
            picker = durationPickerValue(duration);
            (dialog.*field.changed)();
        }
    }
    dialog.OnOK();
}

int runOptions(CliContext& context) {
    if (context.args.empty()) {
        for (const std::string& line : settingLines(context)) {
            context.out << line << '\n';
        }
        return kExitDone;
    }
    std::map<std::string, std::string> changes;
    std::optional<bool> autostart;
    std::optional<std::string> balanceStart;
    std::map<std::string, std::string> presence;
    for (const auto& arg : context.args) {
        const auto equals = arg.find('=');
        if (equals == std::string::npos || equals == 0) {
            return context.fail("options: wants KEY=VALUE, not '" + arg + "'", kExitUsage);
        }
        const std::string key = arg.substr(0, equals);
        const std::string value = arg.substr(equals + 1);
        // Start at login lives in the desktop's autostart folder, not in the settings store.
        if (key == "Autostart" && (value == "on" || value == "off")) {
            autostart = value == "on";
            continue;
        }
        if (const std::string refused = checkAssignment(key, value); !refused.empty()) {
            return context.fail("options: " + refused, kExitUsage);
        }
        if (key == kBalanceStartKey) {
            balanceStart = value;
        } else if (key == kPresenceKey || key == kPresenceAwayMinutesKey) {
            presence[key] = value;
        } else {
            changes[key] = value;
        }
    }
    const std::vector<std::string> before = settingLines(context);
    // The balance's start is no field of the dialog: it is stored as given.
    if (balanceStart && balanceStart->empty()) {
        context.settings.remove(kSettingsSection, kBalanceStartKey);
    } else if (balanceStart) {
        context.settings.setString(kSettingsSection, kBalanceStartKey, *balanceStart);
    }
    for (const auto& [key, value] : presence) {
        if (key == kPresenceKey) {
            context.settings.setString(kSettingsSection, key, value);
        } else {
            context.settings.setInt(kSettingsSection, key, std::stoi(value));
        }
    }
    if (!changes.empty()) {
        Platform platform = context.platform();
        CTagrolView view(platform);
        context.ui.onOptionsDialog = [&changes](OptionsDialog& dialog) {
            answerDialog(dialog, changes);
            return true;
        };
        view.OnGoOptions();
    }
    if ((!changes.empty() || balanceStart || !presence.empty()) && !context.settings.sync()) {
        return context.fail("options: the settings could not be written");
    }
    std::string error;
    if (autostart && !setAutostart(*autostart, error)) {
        return context.fail("options: " + error);
    }
    const std::vector<std::string> after = settingLines(context);
    std::string changed;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i] != before[i]) {
            changed += (changed.empty() ? "" : ", ") + after[i];
        }
    }
    context.confirmUtf8("settings", changed.empty() ? "nothing changed" : changed);
    return kExitDone;
}

} // namespace

const CliCommand kOptionsCommand{
    "options", "options [KEY=VALUE...]",
    "Without arguments prints every setting as KEY=VALUE, in this order: AutoSave,\n"
    "AutoBackup, AutoOpenLastDocument, RememberMe, PlugInDir, atworkHour, atworkMinute,\n"
    "atworkSecond, then Hour, Minute and Second of worktime, breakfast, lunch and coffee,\n"
    "ReportName, ReportNumber, ReportDepartment, BalanceStart and LastDocument.\n"
    "With KEY=VALUE arguments changes settings as the Options dialog does and stores what\n"
    "changed: switches take on or off, PlugInDir a folder (empty for none), the parts of a\n"
    "duration a whole number from 0 to 9999. A duration is carried into hours and keeps\n"
    "only its time of day, and atwork is recomputed as worktime + breakfast + lunch +\n"
    "coffee; the atwork keys and LastDocument cannot be set. ReportName, ReportNumber and\n"
    "ReportDepartment (any text, empty for none) head the month report. BalanceStart is the\n"
    "overtime balance before the first month that 'balance' adds up, such as +12:30 or\n"
    "-1:00:00 (empty: none). Nothing is written when any argument is refused.\n"
    "Autostart=on|off (listed last) writes or removes the user's autostart entry that\n"
    "starts the desktop at login, hidden in the notification area where there is one.\n"
    "Presence=off|suggest|auto (listed after LastDocument) records the day from the session's\n"
    "unlock, lock, suspend and logout while the desktop runs; PresenceAwayMinutes (0 to\n"
    "1440, default 5; 0: every lock counts) is how long a lock lasts before it is a\n"
    "departure. 'presence' lists what was recorded.\n"
    "A line then lists the values that changed.\n",
    runOptions};

} // namespace tallimo::cli

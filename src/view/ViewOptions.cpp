#include "view/CTagrolView.h"
#include "view/OptionsDialog.h"

#include <algorithm>
#include <iterator>
#include <tuple>

namespace tallimo {
namespace {

// Only what the user changed is written: another program may have written the other values
// since the dialog was filled, and writing them back would undo its changes.
void storeSwitch(SettingsStore& store, const char* key, bool& field, int checked) {
    if (field != (checked != 0)) {
        field = checked != 0;
        store.setString(kSettingsSection, key, switchWord(field));
    }
}

void storeDuration(SettingsStore& store, const std::string& prefix, Duration& field,
                   Instant pickerValue) {
    field = pickerDuration(pickerValue);
    store.setInt(kSettingsSection, prefix + "Hour", field.hour);
    store.setInt(kSettingsSection, prefix + "Minute", field.minute);
    store.setInt(kSettingsSection, prefix + "Second", field.second);
}

} // namespace

void CTagrolView::reloadSettings() {
    m_platform.settings.reload();
    const SettingsRecord fresh = loadSettings(m_platform.settings);
    // The reminder follows the switch as it does when the dialog turns it on or off.
    if (fresh.RememberMe && !m_settings.RememberMe) {
        armReminderFromOptions();
    } else if (!fresh.RememberMe && m_settings.RememberMe && m_timerId != 0) {
        stopReminderTimer();
        m_goHome = 0;
    }
    m_settings = fresh;
}

void CTagrolView::OnGoOptions() {
    traceLine("Enter OnGoOptions");
    // The dialog shows the values as they are now, also those another program wrote.
    reloadSettings();
    OptionsDialog dialog(m_trace);
    dialog.worktime = durationPickerValue(m_settings.worktime);
    dialog.breakfast = durationPickerValue(m_settings.breakfast);
    dialog.lunch = durationPickerValue(m_settings.lunch);
    dialog.coffee = durationPickerValue(m_settings.coffee);
    dialog.plugInDir = m_settings.PlugInDir;
    dialog.AutoSave = m_settings.AutoSave ? 1 : 0;
    dialog.AutoBackup = m_settings.AutoBackup ? 1 : 0;
    dialog.AutoOpenLastDocument = m_settings.AutoOpenLastDocument ? 1 : 0;
    dialog.RememberMe = m_settings.RememberMe ? 1 : 0;
    dialog.reportName = m_settings.ReportName;
    dialog.reportNumber = m_settings.ReportNumber;
    dialog.reportDepartment = m_settings.ReportDepartment;
    dialog.presence = m_settings.presence;
    dialog.presenceAwayMinutes = m_settings.presenceAwayMinutes;
    if (m_platform.presenceUnavailable) {
        dialog.presenceUnavailable = m_platform.presenceUnavailable();
    }
    // The stored @work is not handed over: the dialog opens showing the sum.
    dialog.computeAtWork();
    m_platform.ui.runOptionsDialog(dialog);
    if (dialog.ok) {
        storeOptions(dialog);
    }
    traceLine("Leave OnGoOptions");
}

// Every changed value is written right after its field is set, in this order; @work, the sum,
// when a duration changed.
void CTagrolView::storeOptions(const OptionsDialog& dialog) {
    SettingsStore& store = m_platform.settings;
    storeSwitch(store, "AutoSave", m_settings.AutoSave, dialog.AutoSave);
    storeSwitch(store, "AutoBackup", m_settings.AutoBackup, dialog.AutoBackup);
    storeSwitch(store, "AutoOpenLastDocument", m_settings.AutoOpenLastDocument,
                dialog.AutoOpenLastDocument);
    const bool remember = dialog.RememberMe != 0;
    if (remember && !m_settings.RememberMe) {
        armReminderFromOptions();
    } else if (!remember && m_settings.RememberMe && m_timerId != 0) {
        stopReminderTimer();
        m_goHome = 0;
    }
    storeSwitch(store, "RememberMe", m_settings.RememberMe, dialog.RememberMe);
    if (dialog.plugInDir != m_settings.PlugInDir) {
        m_settings.PlugInDir = dialog.plugInDir;
        store.setString(kSettingsSection, "PlugInDir", m_settings.PlugInDir);
    }
    const std::pair<const char*, std::pair<Duration*, Instant>> durations[] = {
        {"worktime", {&m_settings.worktime, dialog.worktime}},
        {"breakfast", {&m_settings.breakfast, dialog.breakfast}},
        {"lunch", {&m_settings.lunch, dialog.lunch}},
        {"coffee", {&m_settings.coffee, dialog.coffee}},
    };
    bool changed[std::size(durations)] = {};
    for (std::size_t i = 0; i < std::size(durations); ++i) {
        const auto& [field, picker] = durations[i].second;
        changed[i] = picker != durationPickerValue(*field);
    }
    if (std::find(std::begin(changed), std::end(changed), true) != std::end(changed)) {
        storeDuration(store, "atwork", m_settings.atwork, dialog.atwork);
    }
    for (std::size_t i = 0; i < std::size(durations); ++i) {
        if (changed[i]) {
            storeDuration(store, durations[i].first, *durations[i].second.first,
                          durations[i].second.second);
        }
    }
    for (const auto& [key, field, value] :
         {std::tuple{"ReportName", &m_settings.ReportName, &dialog.reportName},
          std::tuple{"ReportNumber", &m_settings.ReportNumber, &dialog.reportNumber},
          std::tuple{"ReportDepartment", &m_settings.ReportDepartment, &dialog.reportDepartment}}) {
        if (*field != *value) {
            *field = *value;
            store.setString(kSettingsSection, key, *field);
        }
    }
    if (dialog.presence != m_settings.presence) {
        m_settings.presence = dialog.presence;
        store.setString(kSettingsSection, kPresenceKey, presenceModeWord(m_settings.presence));
    }
    if (dialog.presenceAwayMinutes != m_settings.presenceAwayMinutes) {
        m_settings.presenceAwayMinutes = dialog.presenceAwayMinutes;
        store.setInt(kSettingsSection, kPresenceAwayMinutesKey, m_settings.presenceAwayMinutes);
    }
}

} // namespace tallimo

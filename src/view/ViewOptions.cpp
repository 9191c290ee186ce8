#include "view/CTagrolView.h"
#include "view/OptionsDialog.h"

#include <tuple>

namespace tallimo {
namespace {

void storeSwitch(SettingsStore& store, const char* key, bool& field, int checked) {
    field = checked != 0;
    store.setString(kSettingsSection, key, switchWord(field));
}

void storeDuration(SettingsStore& store, const std::string& prefix, Duration& field,
                   Instant pickerValue) {
    field = pickerDuration(pickerValue);
    store.setInt(kSettingsSection, prefix + "Hour", field.hour);
    store.setInt(kSettingsSection, prefix + "Minute", field.minute);
    store.setInt(kSettingsSection, prefix + "Second", field.second);
}

} // namespace

void CTagrolView::OnGoOptions() {
    traceLine("Enter OnGoOptions");
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
    // The stored @work is not handed over: the dialog opens showing the sum.
    dialog.computeAtWork();
    m_platform.ui.runOptionsDialog(dialog);
    if (dialog.ok) {
        storeOptions(dialog);
    }
    traceLine("Leave OnGoOptions");
}

// Every value is written right after its field is set, in this order.
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
    m_settings.PlugInDir = dialog.plugInDir;
    store.setString(kSettingsSection, "PlugInDir", m_settings.PlugInDir);
    storeDuration(store, "atwork", m_settings.atwork, dialog.atwork);
    storeDuration(store, "worktime", m_settings.worktime, dialog.worktime);
    storeDuration(store, "breakfast", m_settings.breakfast, dialog.breakfast);
    storeDuration(store, "lunch", m_settings.lunch, dialog.lunch);
    storeDuration(store, "coffee", m_settings.coffee, dialog.coffee);
    for (const auto& [key, field, value] :
         {std::tuple{"ReportName", &m_settings.ReportName, &dialog.reportName},
          std::tuple{"ReportNumber", &m_settings.ReportNumber, &dialog.reportNumber},
          std::tuple{"ReportDepartment", &m_settings.ReportDepartment, &dialog.reportDepartment}}) {
        *field = *value;
        store.setString(kSettingsSection, key, *field);
    }
}

} // namespace tallimo

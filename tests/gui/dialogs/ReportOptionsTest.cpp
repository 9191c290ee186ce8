#include "DialogKeys.h"
#include "support/ViewFixture.h"
#include "view/OptionsDialog.h"
#include "view/qt/COptionsDlg.h"

#include <QLineEdit>

namespace tallimo::test {
namespace {

// The report's header fields open with what is stored and keep any name as UTF-8.
TEST(OptionsDlg, TheReportFieldsShowTheStoredValuesAndStoreWhatWasTyped) {
    ViewFixture f;
    f.settings.setString(kSettingsSection, "ReportNumber", "4711");
    f.view = std::make_unique<CTagrolView>(f.platform);
    f.ui.onOptionsDialog = [&](OptionsDialog& data) {
        COptionsDlg dialog(nullptr, data);
        showActive(dialog);
        EXPECT_EQ(part<QLineEdit>(dialog, "ReportNumber")->text(), "4711");
        typeInto(part<QLineEdit>(dialog, "ReportName"), QString::fromUtf8("Zoë Ługowska-Nuñez"));
        typeInto(part<QLineEdit>(dialog, "ReportDepartment"), "Payroll");
        press(Qt::Key_Return);
        return data.ok;
    };
    f.view->OnGoOptions();
    EXPECT_EQ(f.settings.getString(kSettingsSection, "ReportName"), "Zoë Ługowska-Nuñez");
    EXPECT_EQ(f.settings.getString(kSettingsSection, "ReportNumber"), "4711");
    EXPECT_EQ(f.settings.getString(kSettingsSection, "ReportDepartment"), "Payroll");
    EXPECT_EQ(f.view->settings().ReportName, "Zoë Ługowska-Nuñez");
}

} // namespace
} // namespace tallimo::test

#include "DialogKeys.h"
#include "support/ViewFixture.h"
#include "view/OptionsDialog.h"
#include "view/qt/COptionsDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

namespace tallimo::test {
namespace {

// The mode and the minimum are chosen by keys and stored; why the session cannot be watched is
// said under them.
TEST(OptionsDlg, PresenceFieldsStoreTheModeAndMinimumAndSayWhyTheSessionIsNotWatched) {
    ViewFixture f;
    f.platform.presenceUnavailable = [] { return std::string("no system bus"); };
    f.view = std::make_unique<CTagrolView>(f.platform);
    f.ui.onOptionsDialog = [&](OptionsDialog& data) {
        COptionsDlg dialog(nullptr, data);
        showActive(dialog);
        EXPECT_EQ(part<QLabel>(dialog, "PresenceUnavailable")->text(),
                  "unavailable: no system bus");
        auto* mode = part<QComboBox>(dialog, "Presence");
        EXPECT_EQ(mode->currentText(), "off");
        mode->setFocus(Qt::TabFocusReason);
        press(Qt::Key_End);
        auto* minutes = part<QSpinBox>(dialog, "PresenceAwayMinutes");
        EXPECT_EQ(minutes->value(), 5);
        minutes->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        return data.ok;
    };
    f.view->OnGoOptions();
    EXPECT_EQ(f.settings.getString(kSettingsSection, kPresenceKey), "auto");
    EXPECT_EQ(f.settings.getInt(kSettingsSection, kPresenceAwayMinutesKey), 3);
    EXPECT_EQ(f.view->settings().presence, PresenceMode::Auto);
}

} // namespace
} // namespace tallimo::test

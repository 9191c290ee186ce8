#include "DialogKeys.h"
#include "support/ViewFixture.h"
#include "view/OptionsDialog.h"
#include "view/qt/COptionsDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <deque>

namespace tallimo::test {
namespace {

// Plays the folder chooser: each call takes the next answer (empty: the user cancels).
FolderChooser chooser(std::deque<std::optional<QString>>& answers) {
    return [&answers](QWidget*, const QString&, const QString&) {
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    };
}

// A directory whose bytes are no UTF-8 cannot be shown as it is; left alone, it is kept unchanged.
TEST(OptionsDlg, ShowsTheSumAtOnceAndOkStoresWhatWasTypedWhileAbbrechenStoresNothing) {
    for (const Qt::Key close : {Qt::Key_Return, Qt::Key_Escape}) {
        ViewFixture f;
        f.ui.onOptionsDialog = [&](OptionsDialog& data) {
            data.plugInDir = "/srv/\xE4";
            COptionsDlg dialog(nullptr, data);
            showActive(dialog);
            auto* atwork = part<QTimeEdit>(dialog, "atwork");
            EXPECT_EQ(atwork->text(), "09:00:00");
            typeInto(part<QTimeEdit>(dialog, "lunch"), "00:45:00");
            EXPECT_EQ(atwork->text(), "09:15:00");
            press(close);
            return data.ok;
        };
        f.view->OnGoOptions();
        if (close == Qt::Key_Escape) {
            EXPECT_TRUE(f.settings.writes.empty());
            EXPECT_EQ(f.view->settings().lunch, (Duration{0, 30, 0}));
        } else {
            EXPECT_EQ(f.settings.getInt(kSettingsSection, "lunchMinute"), 45);
            EXPECT_EQ(f.settings.getString(kSettingsSection, "PlugInDir"), "/srv/\xE4");
        }
    }
}

// Browsing sets only the directory, as the bytes of the file system's names.
TEST(OptionsDlg, BrowseAndTheSwitchesReachTheStore) {
    ViewFixture f;
    std::deque<std::optional<QString>> folders{std::nullopt, QString::fromUtf8("/srv/\u00e4 p")};
    f.ui.onOptionsDialog = [&](OptionsDialog& data) {
        COptionsDlg dialog(nullptr, data, chooser(folders));
        showActive(dialog);
        part<QCheckBox>(dialog, "AutoSave")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
        auto* directory = part<QLineEdit>(dialog, "directory");
        const QString before = directory->text();
        part<QPushButton>(dialog, "browse")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
        EXPECT_EQ(directory->text(), before);
        press(Qt::Key_Space);
        EXPECT_EQ(directory->text(), QString::fromUtf8("/srv/\u00e4 p"));
        press(Qt::Key_Return);
        return data.ok;
    };
    f.view->OnGoOptions();
    EXPECT_TRUE(folders.empty());
    EXPECT_EQ(f.settings.getString(kSettingsSection, "AutoSave"), "on");
    EXPECT_EQ(f.settings.getString(kSettingsSection, "PlugInDir"), "/srv/\xC3\xA4 p");
}

} // namespace
} // namespace tallimo::test

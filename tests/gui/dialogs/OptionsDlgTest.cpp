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
struct FolderAnswers {
    std::deque<std::optional<QString>> answers;
    std::vector<QString> titles;

    FolderChooser chooser() {
        return [this](QWidget*, const QString& title, const QString&) {
            titles.push_back(title);
            auto answer = answers.front();
            answers.pop_front();
            return answer;
        };
    }
};

TEST(OptionsDlg, ShowsTheSumAtOnceAndOkStoresWhatTheUserSet) {
    ViewFixture f;
    FolderAnswers folders{{std::nullopt, QString::fromUtf8("/srv/\u00e4 plugins")}, {}};
    f.ui.onOptionsDialog = [&](OptionsDialog& data) {
        COptionsDlg dialog(nullptr, data, folders.chooser());
        showActive(dialog);
        auto* atwork = part<QTimeEdit>(dialog, "atwork");
        EXPECT_EQ(atwork->text(), "09:00:00");
        typeInto(part<QTimeEdit>(dialog, "lunch"), "00:45:00");
        EXPECT_EQ(atwork->text(), "09:15:00");

        auto* autoSave = part<QCheckBox>(dialog, "AutoSave");
        autoSave->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
        auto* directory = part<QLineEdit>(dialog, "directory");
        const QString before = directory->text();
        part<QPushButton>(dialog, "browse")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
        EXPECT_EQ(directory->text(), before);
        press(Qt::Key_Space);
        EXPECT_EQ(directory->text(), QString::fromUtf8("/srv/\u00e4 plugins"));
        EXPECT_TRUE(autoSave->isChecked());
        press(Qt::Key_Return);
        return data.ok;
    };
    f.view->OnGoOptions();
    EXPECT_EQ(folders.titles, (std::vector<QString>(2, "Plug-In Directory")));
    EXPECT_EQ(f.settings.getInt(kSettingsSection, "lunchMinute"), 45);
    EXPECT_EQ(f.settings.getInt(kSettingsSection, "atworkHour"), 9);
    EXPECT_EQ(f.settings.getInt(kSettingsSection, "atworkMinute"), 15);
    EXPECT_EQ(f.settings.getString(kSettingsSection, "AutoSave"), "on");
    // A path keeps the bytes of the file system's names.
    EXPECT_EQ(f.settings.getString(kSettingsSection, "PlugInDir"), "/srv/\xC3\xA4 plugins");
}

TEST(OptionsDlg, AbbrechenStoresNothing) {
    ViewFixture f;
    FolderAnswers folders{{QString::fromLatin1("/elsewhere")}, {}};
    f.ui.onOptionsDialog = [&](OptionsDialog& data) {
        COptionsDlg dialog(nullptr, data, folders.chooser());
        showActive(dialog);
        typeInto(part<QTimeEdit>(dialog, "lunch"), "00:45:00");
        part<QPushButton>(dialog, "browse")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
        press(Qt::Key_Escape);
        return data.ok;
    };
    f.view->OnGoOptions();
    EXPECT_TRUE(f.settings.writes.empty());
    EXPECT_EQ(f.view->settings().lunch, (Duration{0, 30, 0}));
}

// Such a path cannot be shown as it is; as long as the user leaves it alone it is stored unchanged.
TEST(OptionsDlg, OkKeepsADirectoryWhoseBytesAreNoUtf8) {
    ViewFixture f;
    f.ui.onOptionsDialog = [&](OptionsDialog& data) {
        data.plugInDir = "/srv/\xE4";
        COptionsDlg dialog(nullptr, data);
        showActive(dialog);
        press(Qt::Key_Return);
        return data.ok;
    };
    f.view->OnGoOptions();
    EXPECT_EQ(f.settings.getString(kSettingsSection, "PlugInDir"), "/srv/\xE4");
}

} // namespace
} // namespace tallimo::test

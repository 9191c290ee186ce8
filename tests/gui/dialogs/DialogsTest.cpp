#include "DialogKeys.h"
#include "app/CAboutDlg.h"
#include "plugins/ExportDialog.h"
#include "plugins/qt/CExportDlg.h"
#include "support/PluginFiles.h"
#include "support/ViewFixture.h"
#include "view/EntryDialog.h"
#include "view/OptionsDialog.h"
#include "view/qt/CEntryDlg.h"
#include "view/qt/CNewMonthDlg.h"
#include "view/qt/COptionsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <deque>

namespace tallimo::test {
namespace {

// A new start time of 07:30:00 proposes 16:30:00 except when an entry is modified; what the user
// typed comes back to the list in the list's own formats.
TEST(EntryDlg, ShowsTheModeAndHandsBackWhatWasTyped) {
    const struct {
        bool squad, modify;
        const char* title;
        bool datesEnabled;
        const char* start; // the changed entry's start and end as the list shows them afterwards
        const char* end;
    } cases[] = {
        {false, false, "Tallimo - Create", true, "07:30:00", "16:30:00"},
        {false, true, "Tallimo - Modify", false, "07:30:00", "16:00:00"},
        {true, false, "Tallimo Squadtime - Create", true, "15.03.2006 07:30:00",
         "15.03.2006 16:30:00"},
        {true, true, "Tallimo Squadtime - Modify", true, "15.03.2006 07:30:00",
         "15.03.2006 16:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        ViewFixture f;
        f.newMonth(3, 2006);
        f.clock.current = ViewFixture::at(15, 3, 2006, 10, 15);
        if (c.squad) {
            f.view->OnShowSquadTime();
            ViewFixture::select(f.squad(),
                                {f.addPeriod("15.03.2006 07:00:00", "15.03.2006 16:00:00")});
        } else {
            f.work().SetItemText(14, WorkColumn::Enter, "07:00:00");
            f.work().SetItemText(14, WorkColumn::Leave, "16:00:00");
            ViewFixture::select(f.work(), {14});
        }
        f.ui.onEntryDialog = [&](EntryDialog& data) {
            CEntryDlg dialog(nullptr, f.ui, data);
            showActive(dialog);
            EXPECT_EQ(dialog.windowTitle().toStdString(), c.title);
            EXPECT_EQ(part<QDateEdit>(dialog, "startDate")->isEnabled(), c.datesEnabled);
            EXPECT_EQ(part<QDateEdit>(dialog, "endDate")->isEnabled(), c.datesEnabled);
            EXPECT_EQ(part<QCheckBox>(dialog, "standBy")->isEnabled(), c.squad);
            typeInto(part<QTimeEdit>(dialog, "startTime"), "07:30:00");
            typeInto(part<QLineEdit>(dialog, "comment"), QString::fromUtf8("Zug versp\u00e4tet"));
            press(Qt::Key_Return);
            return data.ok;
        };
        if (c.modify) {
            f.view->OnModify();
        } else {
            f.view->OnAdd();
        }
        const CellTable& table = c.squad ? f.squad() : f.work();
        const int row = c.squad ? table.rowCount() - 1 : 14;
        const int start = c.squad ? SquadColumn::Start : WorkColumn::Enter; // the end follows it
        EXPECT_EQ(table.itemText(row, start), c.start);
        EXPECT_EQ(table.itemText(row, start + 1), c.end);
        EXPECT_EQ(table.itemText(row, c.squad ? SquadColumn::Description : WorkColumn::Comment),
                  "Zug versp\xE4tet");
    }
}

// The date rules run when a calendar closes and when a date changed with the keys is confirmed;
// they only warn, and the start date carries the end date along.
TEST(EntryDlgDates, WarnAboutDatesOutsideTheMonth) {
    fake::FakeUi ui;
    EntryDialog data;
    data.workMode = false;
    data.minDate = ViewFixture::at(1, 3, 2006);
    data.maxDate = ViewFixture::at(31, 3, 2006, 23, 59);
    data.startDate = data.startTime = ViewFixture::at(1, 3, 2006, 10);
    data.endDate = data.endTime = ViewFixture::at(31, 3, 2006, 10);
    CEntryDlg dialog(nullptr, ui, data);
    showActive(dialog);

    auto* endDate = part<QDateEdit>(dialog, "endDate");
    endDate->setFocus(Qt::BacktabFocusReason);
    QTest::keyClick(endDate, Qt::Key_Up);
    press(Qt::Key_Tab);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Datum zu gro\xDF."});

    ui.messages.clear();
    auto* startDate = part<QDateEdit>(dialog, "startDate");
    pickInCalendar(startDate, {Qt::Key_PageUp, Qt::Key_Return});
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Datum zu klein."});
    EXPECT_EQ(endDate->date(), QDate(2006, 2, 1));

    QTest::keyClick(startDate, Qt::Key_Return);
    EXPECT_TRUE(data.ok);
    EXPECT_EQ(formatInstant(data.startDate, "%d.%m.%Y"), "01.02.2006");
}

// 1 April 00:30 in Berlin is still 31 March in UTC; 26 March 2006 has no 02:30.
TEST(NewMonthDlg, HandsTheViewTheDayThePickerShows) {
    const struct {
        const char* now;
        std::vector<Qt::Key> calendarKeys;
        Qt::Key close;
        const char* chosenDay;
        const char* title;
    } cases[] = {
        {"01.04.2006 00:30:00", {}, Qt::Key_Return, "01.04.2006", "April2006.time"},
        {"25.03.2006 02:30:00",
         {Qt::Key_Right, Qt::Key_Return},
         Qt::Key_Return,
         "26.03.2006",
         "March2006.time"},
        {"15.03.2006 12:00:00", {}, Qt::Key_Escape, "15.03.2006", "Untitled.time"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosenDay);
        ViewFixture f;
        f.clock.current = *parsePeriodMoment(c.now);
        std::string chosen;
        f.ui.onNewMonthDialog = [&](NewMonthDialog& data) {
            CNewMonthDlg dialog(nullptr, data);
            showActive(dialog);
            auto* picker = part<QDateEdit>(dialog, "month");
            if (!c.calendarKeys.empty()) {
                pickInCalendar(picker, c.calendarKeys);
            }
            EXPECT_EQ(picker->date().toString("dd.MM.yyyy").toStdString(), c.chosenDay);
            QTest::keyClick(picker, c.close);
            chosen = formatInstant(data.chosen, "%d.%m.%Y");
            return data.accepted;
        };
        f.view->OnFileNew();
        EXPECT_EQ(f.doc().title(), c.title);
        if (c.close == Qt::Key_Return) {
            EXPECT_EQ(chosen, c.chosenDay);
        }
    }
}

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

// Which libraries a probe accepts is the dialog's rule; here OK follows it from the keys.
TEST(ExportDlg, ProbesTheSelectedLibraryAndAllowsOkOnlyAfterASuccessfulProbe) {
    TempDir dir;
    PluginSwitches switches(dir.file("calls.log"));
    const std::string folder = dir.file("plugins");
    installPlugin(kPlugin, folder, "a.so");
    fake::FakeUi ui;
    fake::FakeClock clock;
    fake::RecordingTraceSink sink;
    TraceLog trace(sink, clock);
    DlLibraryLoader loader;
    ExportDialog data(ui, loader, trace);
    data.SetSearchPattern(pluginSearchPattern(folder));

    CExportDlg dialog(nullptr, data);
    showActive(dialog);
    auto* plugins = part<QComboBox>(dialog, "plugins");
    auto* ok = part<QPushButton>(dialog, "ok");
    EXPECT_FALSE(ok->isEnabled());

    plugins->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Down);
    EXPECT_EQ(part<QLabel>(dialog, "description")->text().toStdString(), "Test export");
    EXPECT_TRUE(ok->isEnabled());
    press(Qt::Key_Return);
    EXPECT_TRUE(data.pluginChosen());
    EXPECT_EQ(data.libraryPath(), folder + "/a.so");
}

// The icon comes from the resources compiled into the dialogs' library.
TEST(AboutDlg, ShowsTheIconAndClosesOnEnter) {
    CAboutDlg dialog;
    showActive(dialog);
    EXPECT_FALSE(part<QLabel>(dialog, "icon")->pixmap().isNull());
    press(Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

} // namespace
} // namespace tallimo::test

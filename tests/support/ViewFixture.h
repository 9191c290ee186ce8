#pragma once

#include "platform/fake/FakePlatform.h"
#include "platform/posix/DlLibraryLoader.h"
#include "support/SheetBytes.h"
#include "support/TempDir.h"
#include "view/CTagrolView.h"
#include "view/NewMonthDialog.h"

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace tallimo::test {

// A freshly started view on the fakes, with its own folder for files and plug-ins. Libraries are
// loaded for real, but only from that folder, so no test reaches a plug-in it did not install.
class ViewFixture {
public:
    // Bound: March 2006 made, bound to a file and saved, so that every later save is counted.
    enum class Start { Empty, Bound };

    // Switches such as "AutoSave" are stored before the view reads the settings.
    explicit ViewFixture(std::initializer_list<const char*> switchesOn = {},
                         Start start = Start::Empty) {
        for (const char* key : switchesOn) {
            settings.setString(kSettingsSection, key, "on");
        }
        settings.setString(kSettingsSection, "PlugInDir", pluginDir());
        view = std::make_unique<CTagrolView>(platform);
        doc().OnNewDocument();
        if (start == Start::Bound) {
            doc().setPath(dir.file("March2006.time"));
            view->InitListCtrl(3, 2006);
            doc().Save();
        }
        settings.writes.clear();
        trace.lines.clear();
    }

    static Instant at(int day, int month, int year, int hour = 0, int minute = 0, int second = 0) {
        return *makeLocalInstant(year, month, day, hour, minute, second);
    }

    // A month made through "New" as the user does it.
    void newMonth(int month, int year) {
        ui.onNewMonthDialog = [=](NewMonthDialog& dialog) {
            dialog.chosen = at(15, month, year, 12);
            dialog.OnOK();
            return true;
        };
        view->OnFileNew();
        ui.onNewMonthDialog = nullptr;
    }

    CTagrolDoc& doc() { return view->document(); }
    TimeSheet& sheet() { return view->sheet(); }
    CellTable& work() { return view->sheet().work; }
    CellTable& squad() { return view->sheet().squad; }
    std::string cell(int row, int column) const {
        return view->sheet().work.GetItemText(row, column);
    }
    // A whole row as the user reads it, its cells joined by '|'.
    static std::string rowText(const CellTable& table, int row) {
        std::string text;
        for (int column = 0; column < table.columnCount(); ++column) {
            text += (column == 0 ? "" : "|") + table.GetItemText(row, column);
        }
        return text;
    }
    std::string day(int row) const { return rowText(view->sheet().work, row); }
    std::string period(int row) const { return rowText(view->sheet().squad, row); }
    std::string pluginDir() const { return dir.file("plugins"); }

    int addDay(const std::string& date, const std::string& enter, const std::string& leave,
               const std::string& standBy = "") {
        const int row = work().InsertItem(work().rowCount(), date);
        work().SetItemText(row, WorkColumn::Enter, enter);
        work().SetItemText(row, WorkColumn::Leave, leave);
        work().SetItemText(row, WorkColumn::StandBy, standBy);
        return row;
    }
    int addPeriod(const std::string& start, const std::string& end) {
        const int row = squad().InsertItem(squad().rowCount(), start);
        squad().SetItemText(row, SquadColumn::End, end);
        return row;
    }
    static void select(CellTable& table, std::initializer_list<int> rows) {
        table.clearSelection();
        for (const int row : rows) {
            table.setSelected(row, true);
        }
    }

    // Saves since the fixture was set up: each one stores the path as the last document.
    int saves() const {
        return static_cast<int>(std::count_if(
            settings.writes.begin(), settings.writes.end(),
            [](const std::string& write) { return write.starts_with("Settings/LastDocument="); }));
    }
    std::string lastDocument() const {
        return settings.getString(kSettingsSection, "LastDocument").value_or("<absent>");
    }

    // A small month file whose first comment tells which file it is.
    std::string writeMonth(const std::string& name, const std::string& comment) const {
        const std::string path = dir.file(name);
        writeBytes(path, SheetBytes()
                             .header(2, {}, 1141167600, 1143845940)
                             .workRow("01.03.2006", "08:00:00", "17:00:00", comment)
                             .workRow("02.03.2006")
                             .bytes);
        return path;
    }
    // The first comment a file on the disk holds.
    std::string commentOnDisk(const std::string& path) {
        CTagrolView reader(platform);
        reader.loadSheet(readBytes(path));
        return reader.sheet().work.GetItemText(0, WorkColumn::Comment);
    }
    // Makes every later save to the path fail: a folder takes the file's place.
    static void blockSaving(const std::string& path) {
        std::filesystem::remove(path);
        std::filesystem::create_directory(path);
    }

    TempDir dir;
    fake::FakeUi ui;
    fake::FakeSettingsStore settings;
    fake::FakeClock clock;
    fake::FakeTimers timers;
    fake::RecordingTraceSink trace;
    DlLibraryLoader libraries;
    Platform platform{ui, settings, clock, timers, trace, libraries};
    std::unique_ptr<CTagrolView> view;
};

} // namespace tallimo::test

#include "export/StrictReaders.h"
#include "plugins/ExportDialog.h"
#include "support/ViewFixture.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace tallimo::test {
namespace {

namespace fs = std::filesystem;
using Records = std::vector<std::vector<std::string>>;

// Every Windows-1252 byte from 0x80 to 0xFF, repeated to the long-text buffer's 9999 bytes.
std::string highBytes() {
    std::string text;
    while (text.size() < 9999) {
        text += static_cast<char>(0x80 + text.size() % 128);
    }
    return text;
}

// March 2006 with no PlugInDir, so Export lists the plug-ins built with the program; they write
// into a folder of the test's own.
class BundledExport : public ::testing::Test {
protected:
    BundledExport() {
        fs::create_directory(out);
        setenv("TALLIMO_EXPORT_DIR", out.c_str(), 1);
        f.settings.remove(kSettingsSection, "PlugInDir");
        f.platform.bundledPlugInDir = TALLIMO_PLUGIN_BUILD_DIR;
        f.view = std::make_unique<CTagrolView>(f.platform);
        f.doc().OnNewDocument();
        f.view->InitListCtrl(3, 2006);
    }
    ~BundledExport() override { unsetenv("TALLIMO_EXPORT_DIR"); }

    void setDay(int day, const std::string& enter, const std::string& leave,
                const std::string& comment) {
        f.work().SetItemText(day - 1, WorkColumn::Enter, enter);
        f.work().SetItemText(day - 1, WorkColumn::Leave, leave);
        f.work().SetItemText(day - 1, WorkColumn::Comment, comment);
        f.view->CalculateWorkRow(day - 1);
    }
    void addPeriod(const std::string& start, const std::string& end, const std::string& incident,
                   const std::string& text) {
        const int row = f.addPeriod(start, end);
        f.squad().SetItemText(row, SquadColumn::Incident, incident);
        f.squad().SetItemText(row, SquadColumn::Description, text);
        f.view->CalculateSquadRow(row);
    }

    // Export as the user does it: pick the plug-in from the dialog's list and press OK.
    Result exportWith(const std::string& library) {
        f.ui.onExportDialog = [&](ExportDialog& dialog) {
            dialog.OnInitDialog();
            listed = dialog.entries();
            const auto found = std::find(listed.begin(), listed.end(), library);
            dialog.ComboBoxChanged(static_cast<int>(found - listed.begin()));
            description = dialog.descriptionText();
            dialog.OnOK();
            return true;
        };
        return f.view->OnGoExport();
    }

    std::vector<std::string> files() const { return namesIn(out); }
    std::string read(const std::string& name) const { return readText((out / name).string()); }
    Records readCsvFile(const std::string& name) const {
        const std::string bytes = read(name);
        EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF")) << "no byte-order mark";
        utf8Length(bytes);
        return readCsv(bytes.substr(3));
    }

    ViewFixture f;
    fs::path out = f.dir.path() / "exports";
    std::vector<std::string> listed;
    std::string description;
};

TEST_F(BundledExport, CsvHoldsEveryTextOfTheMonthAsASpreadsheetReadsIt) {
    const struct {
        std::string comment;
        std::string cell; // as a strict reader returns it, in UTF-8
    } cases[] = {
        {"late, \"slow\" train\nhome", "late, \"slow\" train\nhome"},
        {"Caf\xE9 Stra\xDF"
         "e \x80",
         "Caf\xC3\xA9 Stra\xC3\x9F"
         "e \xE2\x82\xAC"},
        {"=HYPERLINK(\"x\")", "'=HYPERLINK(\"x\")"},
        {"a=b", "a=b"},
    };
    int day = 1;
    for (const auto& c : cases) {
        setDay(day++, "08:00:00", "17:30:00", c.comment);
    }
    addPeriod("04.03.2006 18:00:00", "06.03.2006 06:00:00", "INC-7", "-1, \"down\"\r\nagain");

    ASSERT_TRUE(exportWith("csv.so"));
    EXPECT_NE(description.find(out.string()), std::string::npos) << description;
    f.view->OnShowSquadTime();
    ASSERT_TRUE(exportWith("csv.so"));
    ASSERT_EQ(files(), (std::vector<std::string>{"tallimo-standby-2006-03.csv",
                                                 "tallimo-work-2006-03.csv"}));

    const Records days = readCsvFile("tallimo-work-2006-03.csv");
    ASSERT_EQ(days.size(), 32u);
    EXPECT_EQ(days[1],
              (std::vector<std::string>{"01.03.2006", "Wednesday", "08:00:00", "17:30:00",
                                        cases[0].comment, "09:30:00", "08:30:00", "+00:30:00"}));
    for (std::size_t i = 1; i < std::size(cases); ++i) {
        EXPECT_EQ(days[i + 1][4], cases[i].cell) << i;
    }

    const Records periods = readCsvFile("tallimo-standby-2006-03.csv");
    ASSERT_EQ(periods.size(), 2u);
    EXPECT_EQ(periods[1], (std::vector<std::string>{"04.03.2006 18:00:00", "06.03.2006 06:00:00",
                                                    f.squad().GetItemText(0, SquadColumn::Worktime),
                                                    "INC-7", "'-1, \"down\"\r\nagain"}));
}

TEST_F(BundledExport, WithoutAPluginFolderNothingComesFromTheWorkingDirectory) {
    f.platform.bundledPlugInDir.clear();
    fs::copy_file(fs::path(TALLIMO_PLUGIN_BUILD_DIR) / "csv.so", f.dir.path() / "csv.so");
    const fs::path before = fs::current_path();
    fs::current_path(f.dir.path());
    const Outcome outcome = exportWith("csv.so").outcome;
    fs::current_path(before);
    EXPECT_EQ(outcome, Outcome::Cancelled);
    EXPECT_EQ(listed, std::vector<std::string>{"Please select ..."});
}

TEST_F(BundledExport, CalendarHoldsOneEventPerWorkedDayAndStandByPeriod) {
    setDay(1, "08:00:00", "17:00:00", "a,b;c\\d\nnext \xE9");
    setDay(3, "22:00:00", "06:00:00", "");
    setDay(6, "20:00:00", "25:30:00", std::string(51, 'x'));
    f.work().SetItemText(8, WorkColumn::Enter, "08:00:00");
    addPeriod("04.03.2006 18:00:00", "06.03.2006 06:00:00", "INC-7", highBytes());

    ASSERT_TRUE(exportWith("ical.so"));
    f.view->OnShowSquadTime();
    ASSERT_TRUE(exportWith("ical.so"));
    ASSERT_EQ(files(), (std::vector<std::string>{"tallimo-standby-2006-03.ics",
                                                 "tallimo-work-2006-03.ics"}));

    const auto days = readCalendar(read("tallimo-work-2006-03.ics"));
    const std::vector<std::vector<std::string>> expected = {
        {"20060301T080000", "20060301T170000", "a,b;c\\d\nnext \xC3\xA9", "20060301-work@"},
        {"20060303T220000", "20060304T060000", "", "20060303-work@"},
        {"20060306T200000", "20060307T013000", std::string(51, 'x'), "20060306-work@"},
    };
    ASSERT_EQ(days.size(), expected.size());
    for (std::size_t i = 0; i < days.size(); ++i) {
        auto event = days[i];
        EXPECT_EQ((std::vector<std::string>{event["DTSTART"], event["DTEND"], event["DESCRIPTION"],
                                            event["UID"].substr(0, 14)}),
                  expected[i]);
    }

    const auto periods = readCalendar(read("tallimo-standby-2006-03.ics"));
    ASSERT_EQ(periods.size(), 1u);
    auto period = periods[0];
    EXPECT_EQ(period["DTSTART"], "20060304T180000");
    EXPECT_EQ(period["DTEND"], "20060306T060000");
    ASSERT_TRUE(period["DESCRIPTION"].starts_with("INC-7\n\xE2\x82\xAC"));
    EXPECT_EQ(utf8Length(period["DESCRIPTION"]), 6u + 9999u);
}

TEST_F(BundledExport, LaterExportsNeverReplaceAFileNorFollowALink) {
    setDay(1, "08:00:00", "17:00:00", "first");
    const fs::path elsewhere = f.dir.path() / "elsewhere.txt";
    std::ofstream(elsewhere) << "keep me";
    fs::create_symlink(elsewhere, out / "tallimo-work-2006-03.csv");

    ASSERT_TRUE(exportWith("csv.so"));
    setDay(1, "08:00:00", "17:00:00", "second");
    ASSERT_TRUE(exportWith("csv.so"));

    EXPECT_EQ(files(),
              (std::vector<std::string>{"tallimo-work-2006-03-2.csv", "tallimo-work-2006-03-3.csv",
                                        "tallimo-work-2006-03.csv"}));
    EXPECT_TRUE(fs::is_symlink(out / "tallimo-work-2006-03.csv"));
    EXPECT_EQ(read("../elsewhere.txt"), "keep me");
    EXPECT_EQ(readCsvFile("tallimo-work-2006-03-2.csv")[1][4], "first");
    EXPECT_EQ(readCsvFile("tallimo-work-2006-03-3.csv")[1][4], "second");
}

TEST_F(BundledExport, AFailedRunLeavesNoFileBehind) {
    const struct {
        const char* name;
        fs::path folder;
        rlim_t fileSizeLimit;
        bool squad;
        std::string failure; // of the plug-in's report, empty when it reported none
    } cases[] = {
        {"missing folder", f.dir.path() / "missing", RLIM_INFINITY, false, "Init"},
        {"disk full", out, 300, false, "DeInit"},
        {"no rows", out, RLIM_INFINITY, true, ""},
    };
    setDay(1, "08:00:00", "17:00:00", std::string(2000, 'c'));
    // A write past the limit fails with EFBIG instead of ending the process.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    for (const auto& c : cases) {
        setenv("TALLIMO_EXPORT_DIR", c.folder.c_str(), 1);
        if (c.squad) {
            f.view->OnShowSquadTime();
        }
        for (const char* plugin : {"csv.so", "ical.so"}) {
            const rlimit limited{std::min(c.fileSizeLimit, old.rlim_max), old.rlim_max};
            setrlimit(RLIMIT_FSIZE, &limited);
            const Result result = exportWith(plugin);
            setrlimit(RLIMIT_FSIZE, &old);
            EXPECT_EQ(result.message,
                      c.failure.empty() ? "" : "the plug-in reported a failure in " + c.failure)
                << c.name << " " << plugin;
            EXPECT_EQ(files(), std::vector<std::string>{}) << c.name << " " << plugin;
        }
    }
    std::signal(SIGXFSZ, oldHandler);
}

} // namespace
} // namespace tallimo::test

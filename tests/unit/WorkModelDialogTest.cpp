#include "view/WorkModelDialog.h"

#include "document/WorkModelFile.h"
#include "support/ViewFixture.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

constexpr const char* kFullTime = "[period 2006-01-01]\n"
                                  "hours = Mon-Fri 8:00\n"
                                  "region = DE-BY\n"
                                  "vacation = 30\n";

// March 2006 under a full-time model, counted on the 15th; Friday the 3rd has 7 hours' presence.
struct ModelMonth : ViewFixture {
    ModelMonth() : ViewFixture({"AutoSave"}, Start::Bound) {
        std::ofstream(modelPath()) << kFullTime;
        clock.current = at(15, 3, 2006, 12);
        work().SetItemText(2, WorkColumn::Enter, "08:00:00");
        work().SetItemText(2, WorkColumn::Leave, "15:00:00");
        view->CalculateAllWorkRows();
    }
    std::string modelPath() const { return dir.file("tallimo-model.txt"); }
    std::string modelText() const {
        std::ifstream in(modelPath());
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // Opens the dialog from the view; `user` edits it and says whether OK is clicked.
    void editModel(const std::function<bool(WorkModelDialog&)>& user) {
        ui.onWorkModelDialog = [&](WorkModelDialog& dialog) {
            return user(dialog) && dialog.OnOK(ui);
        };
        view->OnWorkModel();
    }
};

TEST(WorkModelDialog, RefusesABadValueNamingItsPeriodAndField) {
    using Edit = std::function<void(WorkModelDialog&)>;
    const struct {
        Edit edit;
        const char* message;
        int selected;
    } cases[] = {
        {[](auto& d) { d.periods[1].targets[4] = "5,00"; },
         "The period from 2026-05-01: Fri: '5,00' is no span such as 8:00", 1},
        {[](auto& d) { d.periods[1].from = "2026-02-30"; },
         "The period from 2026-02-30: '2026-02-30' is no date such as 2026-05-01", 1},
        {[](auto& d) { d.periods[1].from = "2006-01-01"; },
         "The period from 2006-01-01: another period starts on the same date", 1},
        {[](auto& d) { d.periods[0].breakAfter = "6h"; },
         "The period from 2006-01-01: break-after: '6h' is no span such as 1:00", 0},
        {[](auto& d) { d.periods[0].region = "DE-XX"; },
         "The period from 2006-01-01: there are no holiday rules of the region 'DE-XX'", 0},
        {[](auto& d) { d.periods[1].vacation = "27.3"; },
         "The period from 2026-05-01: vacation: '27.3' is no number of days such as 30 or 27.5", 1},
        {[](auto& d) { d.periods[1].carryUntil = "04-31"; },
         "The period from 2026-05-01: carry-until: '04-31' is no date such as 03-31", 1},
        {[](auto& d) { d.companyDays = "2026-12-24 = half\n\n2026-12-31 = maybe"; },
         "Company days, line 3: a company day is 'free' or 'half', not 'maybe'", 0},
    };
    for (const auto& c : cases) {
        fake::FakeUi ui;
        WorkModelDialog dialog;
        WorkModel model = parseWorkModel(kFullTime).model;
        WorkPeriod later = model.periods.front();
        later.from = {2026, 5, 1};
        model.periods.push_back(later);
        dialog.show(model, true);
        c.edit(dialog);
        EXPECT_FALSE(dialog.OnOK(ui)) << c.message;
        EXPECT_FALSE(dialog.ok);
        EXPECT_EQ(ui.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(dialog.selected, c.selected) << c.message;
    }
}

TEST(WorkModelDialog, AnEditedPeriodIsWrittenAsTheFileSaysItAndRecountsTheMonth) {
    ModelMonth f;
    EXPECT_EQ(f.cell(2, WorkColumn::Overtime), "-02:00:00");
    std::string shownFriday;
    f.editModel([&](WorkModelDialog& dialog) {
        shownFriday = dialog.periods[0].targets[4];
        dialog.periods[0].targets[4] = "5:00";
        dialog.companyDays = "2006-12-24 = half Christmas Eve\n";
        return true;
    });
    EXPECT_EQ(shownFriday, "8:00");
    EXPECT_EQ(f.modelText(),
              "# Tallimo work model: each period holds from its date until the next.\n"
              "\n[period 2006-01-01]\n"
              "hours = Mon-Thu 8:00, Fri 5:00\n"
              "break = 1:00\nbreak-after = 0:00\nregion = DE-BY\n"
              "vacation = 30\ncarry-until = 03-31\n"
              "\n[company days]\n2006-12-24 = half Christmas Eve\n");
    EXPECT_EQ(f.cell(2, WorkColumn::Overtime), "+01:00:00");
    EXPECT_FALSE(f.doc().isModified()); // the recount was saved
}

TEST(WorkModelDialog, CancelLeavesFileAndMonthAsTheyWere) {
    ModelMonth f;
    const auto month = f.view->storeSheet();
    f.editModel([](WorkModelDialog& dialog) {
        dialog.periods[0].targets[4] = "5:00";
        return false;
    });
    EXPECT_EQ(f.modelText(), kFullTime);
    EXPECT_EQ(f.view->storeSheet(), month);
}

TEST(WorkModelDialog, SwitchingOffKeepsTheFileAsBackupAndCountsWithoutModel) {
    ModelMonth f;
    f.ui.answers = {Answer::Ok};
    f.ui.onWorkModelDialog = [&](WorkModelDialog& dialog) { return dialog.OnSwitchOff(f.ui); };
    f.view->OnWorkModel();
    EXPECT_EQ(f.ui.questions, std::vector<std::string>{WorkModelText::SwitchOffQuestion});
    EXPECT_FALSE(std::filesystem::exists(f.modelPath()));
    EXPECT_TRUE(std::filesystem::exists(f.modelPath() + ".bak"));
    EXPECT_EQ(f.cell(2, WorkColumn::Overtime), "-02:00:00");
    EXPECT_EQ(f.cell(1, WorkColumn::Overtime), ""); // no longer missing
}

TEST(WorkModelDialog, ImportAddsTheCalendarsNewDatesToTheImportedHolidays) {
    ModelMonth f;
    const std::string ics = f.dir.file("days.ics");
    std::ofstream(ics) << "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20260624\r\n"
                          "SUMMARY:Midsummer\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\n"
                          "DTSTART;VALUE=DATE:20260101\r\nSUMMARY:New Year\r\nEND:VEVENT\r\n"
                          "END:VCALENDAR\r\n";
    f.ui.files = {ics};
    WorkModelDialog dialog;
    dialog.holidays = "2026-01-01 = Neujahr\n";
    dialog.OnImportIcs(f.ui);
    EXPECT_EQ(dialog.holidays, "2026-01-01 = Neujahr\n2026-06-24 = Midsummer\n");
    EXPECT_TRUE(f.ui.messages.empty());
}

// Marking or emptying a day decides under the model whether it is missing, so its row recounts.
TEST(WorkModelMarks, MarkingOrEmptyingADayRecountsItsOvertime) {
    const struct {
        void (*command)(CTagrolView&);
        int row;
        const char* before;
        const char* after;
    } cases[] = {
        {[](CTagrolView& view) { view.OnTbVacation(); }, 1, "-08:00:00", ""},
        {[](CTagrolView& view) { (void)view.OnVkdelete(); }, 2, "-02:00:00", "-08:00:00"},
    };
    for (const auto& c : cases) {
        ModelMonth f;
        f.ui.answers = {Answer::Ok};
        f.work().setSelected(c.row, true);
        EXPECT_EQ(f.cell(c.row, WorkColumn::Overtime), c.before);
        c.command(*f.view);
        EXPECT_EQ(f.cell(c.row, WorkColumn::Overtime), c.after) << c.row;
    }
}

} // namespace
} // namespace tallimo::test

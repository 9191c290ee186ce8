#include "report/MonthReport.h"

#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

std::vector<std::string> texts(const ReportRow& row) {
    std::vector<std::string> cells;
    for (const ReportCell& cell : row) {
        cells.push_back(cell.text);
    }
    return cells;
}

TEST(MonthReport, DaysKeepTheWindowsLooksWithTheirTextsAsUtf8OnOneLine) {
    ViewFixture f({}, ViewFixture::Start::Bound);
    f.work().SetItemText(6, WorkColumn::Enter, "08:00:00");
    f.work().SetItemText(6, WorkColumn::Leave, "18:00:00");
    f.work().SetItemText(6, WorkColumn::Comment, "Tab\there\nK\xE4se");
    f.view->CalculateWorkRow(6);
    const MonthReport report = buildMonthReport(*f.view, {}, ViewFixture::at(7, 12, 2026));
    EXPECT_EQ(report.printDate, "2026-12-07");
    EXPECT_EQ(report.dayColumns,
              (std::vector<std::string>{"Date", "Weekday", "Enter", "Leave", "@Work", "Worktime",
                                        "Overtime", "Stand-by", "Time and Labor", "Comment"}));
    ASSERT_EQ(report.days.size(), 31u);
    EXPECT_EQ(texts(report.days[6]),
              (std::vector<std::string>{"07.03.2006", "Tuesday", "08:00:00", "18:00:00", "10:00:00",
                                        "09:00:00", "+01:00:00", "", "REG 08:00 + OT06E 01:00:00",
                                        "Tab here K\u00E4se"}));
    EXPECT_EQ(report.days[6][6].look.text, kPositiveOvertimeColour);
    // 4 March 2006 is a Saturday: every cell of its row shows the weekend's back colour.
    for (const ReportCell& cell : report.days[3]) {
        EXPECT_EQ(cell.look.back, kWeekendBackColour);
    }
    EXPECT_EQ(report.days[2][0].look.back, std::nullopt);
    EXPECT_EQ(report.month, "March 2006");
}

TEST(MonthReport, TheCarriedBalanceTellsOfFilesLeftOut) {
    ViewFixture f({}, ViewFixture::Start::Bound);
    writeBytes(f.dir.file("damaged.time"), {3, 0});
    const MonthReport report = buildMonthReport(*f.view, folderBalance(*f.view, 0), 0);
    EXPECT_EQ(report.totals.back(),
              (ReportLine{"Balance carried forward:", "00:00:00 (1 file left out)"}));
}

TEST(MonthReport, TheWorkModelSectionIsThereOnlyWithAModel) {
    ViewFixture f({}, ViewFixture::Start::Bound);
    EXPECT_TRUE(buildMonthReport(*f.view, {}, 0).workModel.empty());
    const WorkModelFigures figures{168 * 3600, 170 * 3600 + 30 * 60, 2, 1.5, 22};
    EXPECT_EQ(buildMonthReport(*f.view, {}, 0, figures).workModel,
              (std::vector<ReportLine>{{"Target:", "168:00:00"},
                                       {"Worked:", "170:30:00"},
                                       {"Holidays:", "2"},
                                       {"Vacation days taken:", "1.5"},
                                       {"Vacation days left:", "22"}}));
}

TEST(MonthReport, PaperIsLetterOnlyForTheLetterSizeOrWhenAsked) {
    EXPECT_EQ(paperOfSize(216, 279), Paper::Letter);
    EXPECT_EQ(paperOfSize(210, 297), Paper::A4);
    EXPECT_EQ(paperOfSize(216, 356), Paper::A4);
    EXPECT_EQ(parsePaper("Letter"), Paper::Letter);
    EXPECT_EQ(parsePaper("a4"), Paper::A4);
    EXPECT_EQ(parsePaper("a5"), std::nullopt);
}

} // namespace
} // namespace tallimo::test

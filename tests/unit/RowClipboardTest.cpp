#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// A row as the clipboard's text holds it.
std::string tabbed(std::string row) {
    std::replace(row.begin(), row.end(), '|', '\t');
    return row + "\n";
}

class RowClipboard : public ::testing::Test {
protected:
    RowClipboard() {
        f.work().SetItemText(5, WorkColumn::Enter, "08:00:00");
        f.work().SetItemText(5, WorkColumn::Leave, "17:00:00");
        f.work().SetItemText(5, WorkColumn::Comment, "a <b> & c");
        f.view->CalculateWorkRow(5);
    }
    ViewFixture f{{}, ViewFixture::Start::Bound};
};

TEST_F(RowClipboard, CopyPutsTheSelectedWorkRowsAsTextAndHtmlWithTheHeader) {
    ViewFixture::select(f.work(), {6, 5});
    ASSERT_TRUE(f.view->OnEditCopy());
    EXPECT_EQ(*f.ui.clipboard,
              "Date\tWeekday\tEnter\tLeave\tComment\tStand-by\t@Work\tWorktime\tOvertime\tTime "
              "and Labor\n" +
                  tabbed(ViewFixture::rowText(f.work(), 5)) +
                  tabbed(ViewFixture::rowText(f.work(), 6)));
    EXPECT_NE(f.ui.clipboard->find("06.03.2006\tMonday\t08:00:00\t17:00:00\ta <b> & c\t"),
              std::string::npos);
    EXPECT_NE(f.ui.clipboardHtml->find("<tr><td>06.03.2006</td><td>Monday</td><td>08:00:00</"
                                       "td><td>17:00:00</td><td>a &lt;b&gt; &amp; c</td>"),
              std::string::npos);
    EXPECT_TRUE(f.ui.clipboardHtml->starts_with("<table>\n<tr><th>Date</th><th>Weekday</th>"));
}

TEST_F(RowClipboard, CopyOfSquadRowsNamesTheSquadColumns) {
    f.addPeriod("04.03.2006 20:00:00", "05.03.2006 02:00:00");
    f.view->OnShowSquadTime();
    ViewFixture::select(f.squad(), {0});
    ASSERT_TRUE(f.view->OnEditCopy());
    EXPECT_EQ(*f.ui.clipboard, "Start\tEnd\tWorktime\tTimeAndLabor\tIncident\tDescription\n" +
                                   tabbed(ViewFixture::rowText(f.squad(), 0)));
}

TEST_F(RowClipboard, PasteFromASpreadsheetFillsTheDaysFromTheFirstSelectedOne) {
    // In the list's order, and by the header's names with columns to ignore.
    const std::string texts[] = {
        "8:00\t17:30\tearly\n7:45\t16:00\t\tyes\n",
        "Date\tComment\tLeave\tEnter\tStand-by\r\n13.03\tearly\t17:30\t8:00\t\r\n"
        "14.03\t\t16:00\t07:45:00\tyes\r\n",
    };
    for (const std::string& text : texts) {
        ViewFixture g({}, ViewFixture::Start::Bound);
        ViewFixture::select(g.work(), {13, 12});
        g.ui.clipboard = text;
        ASSERT_TRUE(g.view->OnEditPaste()) << text;
        EXPECT_EQ(g.cell(12, WorkColumn::Enter) + g.cell(12, WorkColumn::Leave) +
                      g.cell(12, WorkColumn::Comment) + g.cell(13, WorkColumn::Enter) +
                      g.cell(13, WorkColumn::Leave) + g.cell(13, WorkColumn::StandBy),
                  "08:00:0017:30:00early07:45:0016:00:00yes")
            << text;
        EXPECT_FALSE(g.cell(12, WorkColumn::Worktime).empty()) << "recomputed: " << text;
        EXPECT_TRUE(g.doc().isModified());
    }
}

TEST_F(RowClipboard, OneBadValueRefusesTheWholePasteNamingItsLineAndColumn) {
    const auto before = f.view->storeSheet();
    ViewFixture::select(f.work(), {2});
    f.ui.clipboard = "Enter\tLeave\n8:00\t17:00\n8:00\t25:61\n";
    EXPECT_EQ(f.view->OnEditPaste().outcome, Outcome::Refused);
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{"Line 3, column Leave: \"25:61\" is not a "
                                                      "time (H:MM, HH:MM or HH:MM:SS). Nothing "
                                                      "was pasted."});
    EXPECT_EQ(f.view->storeSheet(), before);
}

TEST_F(RowClipboard, PasteIntoTheSquadListAppendsRows) {
    f.view->OnShowSquadTime();
    f.ui.clipboard = "04.03.2006 20:00\t2006-03-05T02:00\tcall\tserver down\n";
    ASSERT_TRUE(f.view->OnEditPaste());
    ASSERT_EQ(f.squad().rowCount(), 1);
    EXPECT_EQ(ViewFixture::rowText(f.squad(), 0).substr(0, 40),
              "04.03.2006 20:00:00|05.03.2006 02:00:00|");
    EXPECT_EQ(f.squad().GetItemText(0, SquadColumn::Description), "server down");
}

} // namespace
} // namespace tallimo::test

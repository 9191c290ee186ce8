#include "DialogKeys.h"
#include "support/ViewFixture.h"
#include "view/qt/CNewMonthDlg.h"

namespace tallimo::test {
namespace {

struct NewMonthCase {
    const char* what;
    const char* now;
    std::vector<Qt::Key> calendarKeys;
    Qt::Key close;
    const char* chosenDay;
    const char* title;
};

void PrintTo(const NewMonthCase& c, std::ostream* out) {
    *out << c.what;
}

class NewMonthDlgTest : public ::testing::TestWithParam<NewMonthCase> {};

TEST_P(NewMonthDlgTest, HandsTheViewTheDayThePickerShows) {
    const NewMonthCase& c = GetParam();
    ViewFixture f;
    f.clock.current = *parsePeriodMoment(c.now);
    std::string chosen;
    f.ui.onNewMonthDialog = [&](NewMonthDialog& data) {
        CNewMonthDlg dialog(nullptr, data);
        showActive(dialog);
        EXPECT_EQ(dialog.windowTitle(), "Create new month");
        auto* picker = part<QDateEdit>(dialog, "month");
        if (!c.calendarKeys.empty()) {
            pickInCalendar(picker, c.calendarKeys);
        }
        EXPECT_EQ(picker->date().toString(QStringLiteral("dd.MM.yyyy")).toStdString(), c.chosenDay);
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

// 1 April 00:30 in Berlin is still 31 March in UTC; 26 March 2006 has no 02:30. The times are
// read in the test, once the test zone is set.
const NewMonthCase kCases[] = {
    {"justAfterMidnight",
     "01.04.2006 00:30:00",
     {},
     Qt::Key_Return,
     "01.04.2006",
     "April2006.time"},
    {"nextMonthInTheCalendar",
     "15.03.2006 12:00:00",
     {Qt::Key_PageDown, Qt::Key_Return},
     Qt::Key_Return,
     "15.04.2006",
     "April2006.time"},
    {"ontoTheClockChange",
     "25.03.2006 02:30:00",
     {Qt::Key_Right, Qt::Key_Return},
     Qt::Key_Return,
     "26.03.2006",
     "March2006.time"},
    {"escapeCancels", "15.03.2006 12:00:00", {}, Qt::Key_Escape, "15.03.2006", "Untitled.time"},
};

INSTANTIATE_TEST_SUITE_P(Cases, NewMonthDlgTest, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.what); });

} // namespace
} // namespace tallimo::test

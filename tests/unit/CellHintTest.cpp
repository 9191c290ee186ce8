#include "document/CellLook.h"
#include "support/ViewFixture.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

TEST(CellHint, AnEmptyCommentShowsTheNameTheModelGivesItsDay) {
    ViewFixture f({}, ViewFixture::Start::Bound);
    std::ofstream(f.dir.file("tallimo-model.txt")) << "[period 2006-03-02]\n"
                                                      "[company days]\n"
                                                      "2006-03-10 = free Outing\n"
                                                      "2006-03-13 = half\n"
                                                      "[holidays]\n"
                                                      "2006-03-17 = St Patrick's Day\n"
                                                      "2006-03-21 = Spring\n";
    f.work().SetItemText(20, WorkColumn::Comment, "Feiertag");
    const WorkCalendar* calendar = f.view->workCalendar();
    ASSERT_NE(calendar, nullptr);
    const struct {
        int row;
        int column;
        const char* hint;
    } cases[] = {
        {16, WorkColumn::Comment, "St Patrick's Day"},
        {9, WorkColumn::Comment, "Outing"},
        {20, WorkColumn::Comment, ""}, // the cell's own text is shown
        {16, WorkColumn::Leave, ""},   // only the Comment cell
        {12, WorkColumn::Comment, ""}, // a company day without a name
        {1, WorkColumn::Comment, ""},  // an ordinary day
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cellHint(f.work(), c.row, c.column, calendar), c.hint) << c.row;
    }
    EXPECT_EQ(cellHint(f.work(), 16, WorkColumn::Comment, nullptr), "");
}

} // namespace
} // namespace tallimo::test

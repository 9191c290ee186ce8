#include "support/ViewFixture.h"
#include "view/EntryDialog.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

constexpr auto kBound = ViewFixture::Start::Bound;

TEST(SmallCommands, RefreshRecomputesTheRememberedRowOrTheShownList) {
    ViewFixture f({}, kBound);
    for (const int row : {1, 2}) {
        f.work().SetItemText(row, WorkColumn::Enter, "08:00:00");
        f.work().SetItemText(row, WorkColumn::Leave, "17:00:00");
    }
    f.addPeriod("01.03.2006 18:00:00", "01.03.2006 20:00:00");
    ViewFixture::select(f.work(), {2});
    f.view->OnRButtonDown(2, WorkColumn::Leave);
    f.view->OnRefresh();
    EXPECT_EQ(f.work().itemText(1, WorkColumn::AtWork), "");
    EXPECT_EQ(f.work().itemText(2, WorkColumn::AtWork), "09:00:00");
    EXPECT_TRUE(f.doc().isModified());

    f.doc().SetModifiedFlag(false);
    f.view->OnRefresh();
    EXPECT_EQ(f.work().itemText(1, WorkColumn::AtWork), "09:00:00");
    EXPECT_EQ(f.squad().itemText(0, SquadColumn::Worktime), "");
    EXPECT_FALSE(f.doc().isModified());
    EXPECT_EQ(f.saves(), 0);
}

// On an empty view a double click opens the last document instead (the desktop's list test).
TEST(SmallCommands, DoubleClickModifiesTheSelectedDays) {
    ViewFixture f({}, kBound);
    ViewFixture::select(f.work(), {3});
    int dialogs = 0;
    f.ui.onEntryDialog = [&](EntryDialog&) { return ++dialogs < 0; };
    f.view->OnLButtonDblClk();
    EXPECT_EQ(dialogs, 1);
}

} // namespace
} // namespace tallimo::test

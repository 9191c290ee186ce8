#include "support/ViewFixture.h"
#include "view/EntryDialog.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

constexpr auto kBound = ViewFixture::Start::Bound;

TEST(Refresh, RememberedCellRecomputesItsRowOnlyThenTheWholeShownList) {
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
    EXPECT_EQ(f.view->rememberedRow(), -1);
    EXPECT_EQ(f.view->rememberedColumn(), -1);
    EXPECT_TRUE(f.doc().isModified());

    f.doc().SetModifiedFlag(false);
    f.view->OnRefresh();
    EXPECT_EQ(f.work().itemText(1, WorkColumn::AtWork), "09:00:00");
    EXPECT_EQ(f.squad().itemText(0, SquadColumn::Worktime), "");
    EXPECT_FALSE(f.doc().isModified());
    EXPECT_EQ(f.saves(), 0);
}

TEST(DoubleClick, ModifiesTheSelectionOrOpensTheLastDocumentOnAnEmptyView) {
    ViewFixture saved({}, kBound);
    saved.work().SetItemText(0, WorkColumn::Comment, "kept");
    ASSERT_TRUE(saved.doc().Save());
    ViewFixture::select(saved.work(), {3});
    int dialogs = 0;
    saved.ui.onEntryDialog = [&](EntryDialog&) { return ++dialogs < 0; };
    saved.view->OnLButtonDblClk();
    EXPECT_EQ(dialogs, 1);

    ViewFixture empty;
    empty.settings.setString(kSettingsSection, "LastDocument", saved.doc().path());
    empty.view->OnLButtonDblClk();
    ASSERT_EQ(empty.work().rowCount(), 31);
    EXPECT_EQ(empty.cell(0, WorkColumn::Comment), "kept");
    EXPECT_EQ(empty.doc().path(), saved.doc().path());
}

} // namespace
} // namespace tallimo::test

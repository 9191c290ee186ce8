#include "support/ViewFixture.h"
#include "view/CommandTable.h"
#include "view/Menus.h"

#include <gtest/gtest.h>
#include <set>

namespace tallimo::test {
namespace {

constexpr auto kBound = ViewFixture::Start::Bound;

std::set<int> greyed(const std::vector<MenuItem>& items) {
    std::set<int> ids;
    for (const auto& item : items) {
        if (item.greyed) {
            ids.insert(item.id);
        }
        ids.merge(greyed(item.submenu));
    }
    return ids;
}

TEST(ContextMenu, GreyingFollowsTheShownListAndItsSelection) {
    using namespace CommandId;
    const std::set<int> cells = {EditCell, ClearCell, CopyCell};
    const std::set<int> marks = {Sickness, Vacation, Holiday};
    const std::set<int> nothing = {EditCell, ClearCell, CopyCell,        Sickness,
                                   Vacation, Holiday,   OvertimeSelected};
    const std::tuple<bool, int, std::set<int>> cases[] = {
        {true, 0, nothing},  {true, 2, cells},  {true, 1, {}},
        {false, 0, nothing}, {false, 1, marks}, {false, 3, marks},
    };
    for (const auto& [work, selected, expected] : cases) {
        EXPECT_EQ(greyed(contextMenu(work, selected)), expected) << work << " " << selected;
    }
}

TEST(CopyCell, CopiesUpToAThousandBytesOfTheShownList) {
    for (const std::size_t length : {std::size_t{1000}, std::size_t{1001}}) {
        ViewFixture f({}, kBound);
        f.view->OnShowSquadTime();
        f.addPeriod("01.03.2006 18:00:00", "");
        f.squad().SetItemText(0, SquadColumn::Description, std::string(length, 'a'));
        ViewFixture::select(f.squad(), {0});
        f.view->OnRButtonDown(0, SquadColumn::Description);
        f.view->OnContextmenuCopycell();
        EXPECT_EQ(f.ui.clipboard.value_or("").size(), length == 1000 ? 1000u : 0u);
    }
}

TEST(RightButton, RemembersTheHitCellOnlyWithExactlyOneSelectedRowForTheEditor) {
    ViewFixture f({}, kBound);
    ViewFixture::select(f.work(), {3});
    f.view->OnRButtonDown(3, 4);
    f.view->OnRButtonDown(-1, 0);
    EXPECT_EQ(f.view->rememberedRow(), 3);
    ViewFixture::select(f.work(), {3, 4});
    f.view->OnRButtonDown(4, 2);
    f.view->OnContextmenuCopycell();
    EXPECT_FALSE(f.ui.clipboard.has_value());
    // The editor opens on the remembered cell only; an accepted edit recomputing its row is the
    // desktop's list test.
    f.view->OnContextmenuEdit();
    EXPECT_TRUE(f.ui.events.empty());
    EXPECT_TRUE(f.doc().isModified());

    ViewFixture::select(f.work(), {6});
    f.view->OnRButtonDown(6, WorkColumn::Leave);
    f.view->OnContextmenuEdit();
    EXPECT_EQ(f.ui.events.back(), "edit cell: work 6 3");
}

TEST(ClearCell, EmptiesRecordedCellsOnlyAndRecomputes) {
    const std::tuple<bool, int, bool> cases[] = {
        {true, WorkColumn::Leave, true},       {true, WorkColumn::StandBy, true},
        {true, WorkColumn::Date, false},       {true, WorkColumn::AtWork, false},
        {false, SquadColumn::End, true},       {false, SquadColumn::Description, true},
        {false, SquadColumn::Worktime, false},
    };
    for (const auto& [work, column, cleared] : cases) {
        ViewFixture f({"AutoSave"}, kBound);
        f.work().SetItemText(6, WorkColumn::Enter, "08:00:00");
        f.work().SetItemText(6, WorkColumn::Leave, "17:00:00");
        f.work().SetItemText(6, WorkColumn::StandBy, "yes");
        f.view->CalculateWorkRow(6);
        f.addPeriod("06.03.2006 18:00:00", "06.03.2006 20:00:00");
        f.squad().SetItemText(0, SquadColumn::Description, "pager");
        f.view->CalculateSquadRow(0);
        if (!work) {
            f.view->OnShowSquadTime();
        }
        CellTable& list = f.view->visibleList();
        const int row = work ? 6 : 0;
        ViewFixture::select(list, {row});
        f.view->OnRButtonDown(row, column);
        const std::string before = list.GetItemText(row, column);
        f.view->OnContextmenuClear();
        EXPECT_EQ(list.itemText(row, column), cleared ? "" : before) << work << column;
        EXPECT_EQ(f.saves(), cleared ? 1 : 0);
        // The cleared row is recomputed: without Leave the day has no figures.
        EXPECT_EQ(f.cell(6, WorkColumn::AtWork).empty(), work && column == WorkColumn::Leave);
    }
}

} // namespace
} // namespace tallimo::test

#include "view/CommandTable.h"

#include "EditingFixture.h"
#include "view/Menus.h"

#include <gtest/gtest.h>
#include <set>

namespace tallimo::test {
namespace {

TEST(CommandTable, EveryCommandOfMenusToolbarAndPopupsIsKnownOnce) {
    std::set<int> ids;
    for (const auto& command : CommandTable::commands()) {
        EXPECT_TRUE(ids.insert(command.id).second) << "twice: " << command.id;
        EXPECT_EQ(command.target == CommandTarget::View, command.handler != nullptr) << command.id;
    }
    for (const int id : toolbarButtons()) {
        EXPECT_TRUE(id == 0 || ids.count(id) == 1) << id;
    }
    for (const auto& item : trayMenu()) {
        EXPECT_TRUE(item.id == 0 || ids.count(item.id) == 1) << item.id;
    }
    for (const auto& item : contextMenu(true, 1)) {
        EXPECT_TRUE(item.id == 0 || ids.count(item.id) == 1) << item.id;
    }
    for (const int id :
         {57600, 32822, 32783, 32794, 32784, 32785, 32786, 32787, 32818, 32819, 32820,
          32821, 32782, 32781, 32803, 32805, 32804, 32823, 32795, 32796, 32807, 32824,
          32812, 32810, 32816, 32817, 32813, 32815, 32797, 32814, 32798, 32811, 32793,
          32790, 32791, 57601, 57603, 57604, 57665, 57664, 57643, 57635, 57634, 57637}) {
        EXPECT_EQ(ids.count(id), 1u) << id;
    }
}

TEST(CommandTable, UpdateRulesFollowTheShownList) {
    struct Case {
        int id;
        bool onWork;
        bool onSquad;
    };
    const Case cases[] = {
        {32784, true, false},  {32786, true, false},  {32790, true, true},   {32818, false, true},
        {32821, false, true},  {32804, true, false},  {32824, true, false},  {32823, true, true},
        {32816, true, false},  {32817, false, true},  {32811, true, true},   {32782, true, true},
        {57634, false, false}, {57643, false, false}, {99999, false, false},
    };
    EditingFixture f;
    CommandTable table(*f.view);
    for (const auto& c : cases) {
        EXPECT_EQ(table.update(c.id).enabled, c.onWork) << c.id;
    }
    f.view->OnShowSquadTime();
    for (const auto& c : cases) {
        EXPECT_EQ(table.update(c.id).enabled, c.onSquad) << c.id;
    }
}

TEST(CommandTable, ListSwitchRulesTraceWhichListIsHidden) {
    EditingFixture f;
    CommandTable table(*f.view);
    table.update(CommandId::ShowSquadTime);
    table.update(CommandId::ShowWorkTime);
    EXPECT_EQ(f.traced(),
              (std::vector<std::string>{
                  "Enter OnUpdateSpecialShowsquadtime", "Showsquadtime List was hidden",
                  "Leave OnUpdateSpecialShowsquadtime", "Enter OnUpdateSpecialShowsquadtime",
                  "Showsworktime List was not hidden", "Leave OnUpdateSpecialShowsquadtime"}));
    f.trace.lines.clear();
    EXPECT_EQ(table.execute(CommandId::ShowSquadTime), ExecuteResult::Ran);
    EXPECT_FALSE(f.view->isWorkListVisible());
    table.update(CommandId::ShowSquadTime);
    table.update(CommandId::ShowWorkTime);
    EXPECT_EQ(f.traced()[1], "Showsquadtime List was not hidden");
    EXPECT_EQ(f.traced()[4], "Showsworktime List was hidden");
}

TEST(CommandTable, SwitchIsLabelledByTheWindowsStateAndTogglesIt) {
    EditingFixture f;
    CommandTable table(*f.view);
    EXPECT_EQ(table.update(CommandId::Switch).label, "Hide");
    EXPECT_EQ(f.traced(),
              (std::vector<std::string>{"Enter OnUpdatePopupmenuSwitch", "Window was not hidden",
                                        "Leave OnUpdatePopupmenuSwitch"}));
    table.execute(CommandId::Switch);
    EXPECT_EQ(f.ui.mainWindowVisible, false);
    EXPECT_TRUE(f.view->isMainWindowHidden());
    const CommandState hidden = table.update(CommandId::Switch);
    EXPECT_EQ(hidden.label, "Show");
    EXPECT_TRUE(hidden.enabled);
    EXPECT_TRUE(f.traced("Window was hidden"));
    table.execute(CommandId::Switch);
    EXPECT_EQ(f.ui.mainWindowVisible, true);
    EXPECT_EQ(table.update(CommandId::Switch).label, "Hide");
}

TEST(CommandTable, ExecuteRoutesToTheViewTheShellOrNowhere) {
    EditingFixture f;
    CommandTable table(*f.view);
    EditingFixture::select(f.work(), {0});
    EXPECT_EQ(table.execute(CommandId::Holiday), ExecuteResult::Ran);
    EXPECT_EQ(f.work().itemText(0, WorkColumn::Comment), "Feiertag");
    EXPECT_EQ(table.execute(CommandId::AppExit), ExecuteResult::LeftToShell);
    EXPECT_EQ(table.execute(CommandId::AppAbout), ExecuteResult::LeftToShell);
    EXPECT_EQ(table.execute(CommandId::EditPaste), ExecuteResult::NoHandler);
    EXPECT_EQ(table.execute(12345), ExecuteResult::NoHandler);
    EXPECT_EQ(table.update(CommandId::Add).label, "Create new entry...");
}

} // namespace
} // namespace tallimo::test

#include "view/CommandTable.h"

#include "support/ViewFixture.h"
#include "view/Menus.h"

#include <gtest/gtest.h>
#include <set>

namespace tallimo::test {
namespace {

constexpr auto kBound = ViewFixture::Start::Bound;

TEST(CommandTable, EveryOfferedCommandIsKnownOnceAndRoutedToTheViewTheShellOrNowhere) {
    std::set<int> ids;
    for (const auto& command : CommandTable::commands()) {
        EXPECT_TRUE(ids.insert(command.id).second) << "twice: " << command.id;
        EXPECT_EQ(command.target == CommandTarget::View, command.handler != nullptr) << command.id;
    }
    std::vector<int> offered = toolbarButtons();
    for (const auto& menu : {trayMenu(), contextMenu(true, 1)}) {
        for (const auto& item : menu) {
            offered.push_back(item.id);
        }
    }
    for (const auto& accelerator : accelerators()) {
        offered.push_back(accelerator.id);
    }
    for (const int id : offered) {
        // F6 and Shift+F6 reach no handler anywhere.
        EXPECT_TRUE(id == 0 || id == 57680 || id == 57681 || ids.count(id) == 1) << id;
    }
    ViewFixture f({}, kBound);
    CommandTable table(*f.view);
    // A view command running is the desktop's toolbar test.
    EXPECT_EQ(table.execute(CommandId::AppExit), ExecuteResult::LeftToShell);
    EXPECT_EQ(table.execute(12345), ExecuteResult::NoHandler);
}

} // namespace
} // namespace tallimo::test

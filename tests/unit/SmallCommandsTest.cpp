#include "EditingFixture.h"
#include "view/EntryDialog.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

void enterDay(CellTable& work, int row) {
    work.SetItemText(row, WorkColumn::Enter, "08:00:00");
    work.SetItemText(row, WorkColumn::Leave, "17:00:00");
}

TEST(Refresh, RememberedCellRecomputesOnlyItsRowAndMarksTheDocument) {
    EditingFixture f;
    enterDay(f.work(), 1);
    enterDay(f.work(), 2);
    EditingFixture::select(f.work(), {2});
    f.view->OnRButtonDown(2, WorkColumn::Leave);
    f.view->OnRefresh();
    EXPECT_EQ(f.work().itemText(1, WorkColumn::AtWork), "");
    EXPECT_EQ(f.work().itemText(2, WorkColumn::AtWork), "09:00:00");
    EXPECT_EQ(f.view->rememberedRow(), -1);
    EXPECT_EQ(f.view->rememberedColumn(), -1);
    EXPECT_TRUE(f.doc().isModified());
    EXPECT_EQ(f.traced(), (std::vector<std::string>{"Enter OnRButtonDown", "Leave OnRButtonDown",
                                                    "Enter OnRefresh", "Leave OnRefresh"}));
}

TEST(Refresh, WithoutRememberedCellRecomputesTheShownListAndSavesNothing) {
    EditingFixture f(true);
    enterDay(f.work(), 1);
    enterDay(f.work(), 2);
    f.addPeriod("01.03.2006 18:00:00", "01.03.2006 20:00:00");
    f.view->OnRefresh();
    EXPECT_EQ(f.work().itemText(1, WorkColumn::AtWork), "09:00:00");
    EXPECT_EQ(f.work().itemText(2, WorkColumn::AtWork), "09:00:00");
    EXPECT_EQ(f.squad().itemText(0, SquadColumn::Worktime), "");
    EXPECT_EQ(f.saves(), 0);
    EXPECT_FALSE(f.doc().isModified());
    f.view->OnShowSquadTime();
    f.view->OnRefresh();
    EXPECT_NE(f.squad().itemText(0, SquadColumn::Worktime), "");
}

TEST(DoubleClick, WithAMonthModifiesTheSelectedRows) {
    EditingFixture f;
    EditingFixture::select(f.work(), {3});
    int dialogs = 0;
    f.ui.onEntryDialog = [&](EntryDialog&) {
        ++dialogs;
        return false;
    };
    f.view->OnLButtonDblClk();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(f.traced().front(), "Enter OnLButtonDblClk");
    EXPECT_EQ(f.traced().back(), "Leave OnLButtonDblClk");
}

TEST(DoubleClick, OnAnEmptyViewOpensTheLastDocument) {
    EditingFixture saved;
    saved.work().SetItemText(0, WorkColumn::Comment, "kept");
    ASSERT_TRUE(saved.doc().Save());

    fake::FakeUi ui;
    fake::FakeSettingsStore settings;
    settings.setString(kSettingsSection, "LastDocument", saved.doc().path());
    fake::FakeClock clock;
    fake::FakeTimers timers;
    fake::RecordingTraceSink trace;
    Platform platform{ui, settings, clock, timers, trace, saved.libraries};
    CTagrolView view(platform);
    view.OnLButtonDblClk();
    ASSERT_EQ(view.sheet().work.rowCount(), 31);
    EXPECT_EQ(view.sheet().work.itemText(0, WorkColumn::Comment), "kept");
    EXPECT_EQ(view.document().path(), saved.doc().path());
    EXPECT_TRUE(ui.events.empty());
}

TEST(SmallCommands, UpdateOnlyTracesAndWhatsNewListsTheVersions) {
    EditingFixture f;
    f.view->OnUpdate();
    EXPECT_EQ(f.traced(),
              (std::vector<std::string>{"Enter OnUpdate",
                                        "the document has sent a generic update notification",
                                        "Leave OnUpdate"}));
    f.view->OnHelpWhatsnew();
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{
                                 "Version 1.0.0.0  framework\nVersion 1.1.0.20 filehandling\n"
                                 "Version 1.2.0.25 clipboard\nVersion 1.3.0.35 FeaturePack 3\n"
                                 "Version 1.3.0.56 bugfixing overtime calculation\n"});
}

} // namespace
} // namespace tallimo::test

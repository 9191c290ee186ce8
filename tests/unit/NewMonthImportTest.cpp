#include "document/TimeSheetFile.h"
#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

TEST(NewMonth, MakesAnUntitledMonthAsksAboutChangesAndRefusesMonthsNoFileCanHold) {
    ViewFixture f;
    f.newMonth(2, 2008);
    EXPECT_EQ(f.doc().title(), "February2008.time");
    EXPECT_TRUE(f.doc().path().empty());
    EXPECT_TRUE(f.doc().isModified());
    f.doc().setPath("/months/February2008.time");
    f.view->OnFileNew();
    EXPECT_EQ(f.doc().title(), "Untitled.time");
    EXPECT_EQ(f.doc().path(), "/months/February2008.time");
    EXPECT_EQ(f.work().rowCount(), 29);
    f.squad().InsertItem(0, "01.02.2008 18:00:00");
    f.newMonth(4, 2006);
    EXPECT_EQ(f.ui.questions,
              std::vector<std::string>{"The file has changed. Would you save them?"});
    EXPECT_EQ(f.squad().rowCount(), 0);
    f.ui.onNewMonthDialog = [](NewMonthDialog& dialog) {
        dialog.chosen = ViewFixture::at(1, 2, 2106, 12);
        dialog.OnOK();
        return true;
    };
    f.view->OnFileNew();
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{
                                 "The month February 2106 cannot be kept in a tallimo file."});
    EXPECT_EQ(f.work().rowCount(), 30);
    EXPECT_EQ(f.doc().title(), "April2006.time");
}

// A March 2006 file of the previous generation: counts, bounds, 4 cells per day and squad row.
std::vector<std::uint8_t> preFP3(const std::vector<std::vector<std::string>>& days,
                                 const std::vector<std::vector<std::string>>& squads) {
    SheetBytes file;
    file.u32(static_cast<std::uint32_t>(days.size() + (squads.empty() ? 0 : 1000)));
    if (!squads.empty()) {
        file.u32(static_cast<std::uint32_t>(squads.size()));
    }
    file.u32(1141167600).u32(1143845940);
    for (const auto* rows : {&days, &squads}) {
        for (const auto& row : *rows) {
            for (const auto& cell : row) {
                file.str(cell);
            }
        }
    }
    return file.bytes;
}

// AutoSave is on: an import is never saved on its own.
class Import : public ::testing::Test {
protected:
    Result importFile(const std::vector<std::uint8_t>& bytes) {
        writeBytes(f.dir.file("old.time"), bytes);
        f.ui.files = {f.dir.file("old.time")};
        return f.view->OnFileImport();
    }

    ViewFixture f{{"AutoSave"}};
};

TEST_F(Import, RowsLandByTheirDayAndDaysOutsideTheMonthChangeNothing) {
    f.newMonth(5, 2006);
    f.doc().SetModifiedFlag(false);
    EXPECT_TRUE(importFile(preFP3({{"15.03.2006", "08:00:00", "17:00:00", "fifteenth"},
                                   {"01.03.2006", "07:00:00", "18:00:00", "first"},
                                   {"32.03.2006", "01:00:00", "02:00:00", "beyond"},
                                   {"00.03.2006", "01:00:00", "02:00:00", "zero"},
                                   {"15.03.2006", "08:00:00", "18:00:00", "fifteenth again"}},
                                  {{"01.03.2006 18:00:00", "01.03.2006 20:00:00", "i0", "d0"},
                                   {"02.03.2006 18:00:00", "", "i1", "d1"}})));
    ASSERT_EQ(f.work().rowCount(), 31);
    EXPECT_EQ(f.day(14), "15.03.2006|Wednesday|08:00:00|18:00:00|fifteenth again||10:00:00|"
                         "09:00:00|+01:00:00|REG 08:00 + OT06E 01:00:00");
    for (int row = 0; row < 31; ++row) {
        EXPECT_EQ(f.cell(row, WorkColumn::Comment),
                  row == 0 ? "first" : (row == 14 ? "fifteenth again" : ""));
    }
    EXPECT_EQ(f.period(1), "02.03.2006 18:00:00||||i1|d1");
    EXPECT_EQ(f.squad().rowAttributes(1)->backColour, kAlternateSquadBackColour);
    EXPECT_EQ(f.doc().title(), "Untitled.time");
    EXPECT_TRUE(f.doc().isModified());
    EXPECT_TRUE(f.ui.messages.empty());
    // Stand-by rows and no day rows: the count word is exactly 1000.
    EXPECT_TRUE(importFile(preFP3({}, {{"03.03.2006 18:00:00", "03.03.2006 19:00:00", "i", "d"}})));
    EXPECT_EQ(f.period(0), "03.03.2006 18:00:00|03.03.2006 19:00:00|01:00:00|not implemented|i|d");
    EXPECT_EQ(f.squad().rowCount(), 1);
    EXPECT_EQ(f.cell(0, WorkColumn::Comment), "");
}

TEST_F(Import, WhatCannotBeImportedIsToldByItsMessage) {
    f.newMonth(5, 2006);
    f.doc().SetModifiedFlag(false);
    auto cut = preFP3({{"01.03.2006", "08:00:00", "17:00:00", "first"},
                       {"02.03.2006", "09:00:00", "17:00:00", "second"}},
                      {});
    cut.resize(cut.size() - 10);
    const std::string endedEarly =
        "The old tallimo file ends early.\r\nThe rows read before its end were imported.";
    const struct {
        std::vector<std::uint8_t> bytes;
        Outcome outcome;
        std::string message;
    } cases[] = {
        {{1, 0, 0},
         Outcome::Refused,
         "The file is too short for an old tallimo file.\r\nNothing was imported."},
        {std::vector<std::uint8_t>(12, 0), Outcome::Refused,
         "The old tallimo file names no month a time sheet can hold.\r\nNothing was imported."},
        // Counts no file can hold end early at once.
        {SheetBytes().u32(0xFFFFFFFF).u32(0xFFFFFFFF).u32(1141167600).u32(1143845940).bytes,
         Outcome::Done, endedEarly},
        {cut, Outcome::Done, endedEarly},
    };
    for (const auto& c : cases) {
        f.ui.messages.clear();
        EXPECT_EQ(importFile(c.bytes).outcome, c.outcome) << c.message;
        EXPECT_EQ(f.ui.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(f.work().rowCount(), 31);
    }
    EXPECT_EQ(f.day(1), "02.03.2006|Thursday|09:00:00|||||||");
    EXPECT_EQ(f.squad().rowCount(), 0);
    // Refused files leave the open month whole, though the document is untitled now.
    f.ui.files = {f.dir.file("missing.time")};
    EXPECT_EQ(f.view->OnFileImport().outcome, Outcome::Failed);
    EXPECT_EQ(f.view->OnFileImport().outcome, Outcome::Cancelled);
    EXPECT_EQ(f.doc().path(), "");
}

} // namespace
} // namespace tallimo::test

#include "document/TimeSheetFile.h"
#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

constexpr const char* kEndedEarly =
    "The old tallimo file ends early.\r\nThe rows read before its end were imported.";

TEST(NewMonth, MakesAnUntitledMonthAndCancelOnlyRenamesTheTitle) {
    ViewFixture f;
    f.newMonth(2, 2008);
    EXPECT_EQ(f.doc().title(), "February2008.time");
    EXPECT_EQ(f.work().rowCount(), 29);
    EXPECT_TRUE(f.doc().path().empty());
    EXPECT_TRUE(f.doc().isModified());
    f.doc().setPath("/months/February2008.time");
    f.view->OnFileNew();
    EXPECT_EQ(f.doc().title(), "Untitled.time");
    EXPECT_EQ(f.doc().path(), "/months/February2008.time");
    EXPECT_EQ(f.work().rowCount(), 29);
}

TEST(NewMonth, AsksAboutUnsavedChangesAndRefusesMonthsNoFileCanHold) {
    ViewFixture f;
    f.newMonth(3, 2006);
    f.squad().InsertItem(0, "01.03.2006 18:00:00");
    f.newMonth(4, 2006);
    EXPECT_EQ(f.ui.questions,
              std::vector<std::string>{"The file has changed. Would you save them?"});
    EXPECT_EQ(f.squad().rowCount(), 0);
    EXPECT_EQ(f.work().rowCount(), 30);
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
    ByteWriter writer;
    writer.u32(static_cast<std::uint32_t>(days.size() + (squads.empty() ? 0 : 1000)));
    if (!squads.empty()) {
        writer.u32(static_cast<std::uint32_t>(squads.size()));
    }
    writer.u32(static_cast<std::uint32_t>(ViewFixture::at(1, 3, 2006)));
    writer.u32(static_cast<std::uint32_t>(ViewFixture::at(31, 3, 2006, 23, 59)));
    for (const auto* rows : {&days, &squads}) {
        for (const auto& row : *rows) {
            for (const auto& cell : row) {
                writer.string(cell);
            }
        }
    }
    return writer.take();
}

// AutoSave is on: an import is never saved on its own.
class Import : public ::testing::Test {
protected:
    void importFile(const std::vector<std::uint8_t>& bytes) {
        const std::string path = f.dir.file("old.time");
        writeBytes(path, bytes);
        f.ui.files = {path};
        f.view->OnFileImport();
    }

    ViewFixture f{{"AutoSave"}};
};

TEST_F(Import, RowsLandByTheirDayAndDaysOutsideTheMonthChangeNothing) {
    f.newMonth(5, 2006);
    f.ui.fileRequests.clear();
    f.doc().SetModifiedFlag(false);
    importFile(preFP3({{"15.03.2006", "08:00:00", "17:00:00", "fifteenth"},
                       {"01.03.2006", "07:00:00", "18:00:00", "first"},
                       {"32.03.2006", "01:00:00", "02:00:00", "beyond"},
                       {"00.03.2006", "01:00:00", "02:00:00", "zero"},
                       {"15.03.2006", "08:00:00", "18:00:00", "fifteenth again"}},
                      {{"01.03.2006 18:00:00", "01.03.2006 20:00:00", "i0", "d0"},
                       {"02.03.2006 18:00:00", "", "i1", "d1"}}));
    ASSERT_EQ(f.work().rowCount(), 31);
    EXPECT_EQ(f.cell(0, WorkColumn::Comment), "first");
    EXPECT_EQ(f.cell(14, WorkColumn::Comment), "fifteenth again");
    EXPECT_EQ(f.cell(14, WorkColumn::AtWork), "10:00:00");
    EXPECT_EQ(f.cell(30, WorkColumn::Date), "31.03.2006");
    EXPECT_EQ(f.cell(4, WorkColumn::Weekday), "Sunday");
    for (int row = 0; row < 31; ++row) {
        EXPECT_EQ(f.cell(row, WorkColumn::StandBy), "") << row;
        EXPECT_TRUE(row == 0 || row == 14 || f.cell(row, WorkColumn::Comment).empty()) << row;
    }
    ASSERT_EQ(f.squad().rowCount(), 2);
    EXPECT_EQ(f.squad().GetItemText(1, SquadColumn::Incident), "i1");
    EXPECT_EQ(f.squad().rowAttributes(1)->backColour, kAlternateSquadBackColour);
    EXPECT_EQ(f.doc().title(), "Untitled.time");
    EXPECT_TRUE(f.doc().isModified());
    EXPECT_TRUE(f.view->settings().AutoSave);
    EXPECT_TRUE(f.ui.messages.empty());

    // Stand-by rows and no day rows: the count word is exactly 1000.
    importFile(preFP3({}, {{"03.03.2006 18:00:00", "03.03.2006 19:00:00", "i", "d"}}));
    EXPECT_EQ(f.squad().rowCount(), 1);
    EXPECT_EQ(f.period(0), "03.03.2006 18:00:00|03.03.2006 19:00:00|01:00:00|not implemented|i|d");
    EXPECT_EQ(f.cell(0, WorkColumn::Comment), "");
}

TEST_F(Import, FileEndingEarlyKeepsWhatWasReadAndSaysSoOnce) {
    auto bytes = preFP3({{"01.03.2006", "08:00:00", "17:00:00", "first"},
                         {"02.03.2006", "09:00:00", "17:00:00", "second"}},
                        {});
    bytes.resize(bytes.size() - 10);
    importFile(bytes);
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{kEndedEarly});
    EXPECT_EQ(f.cell(0, WorkColumn::Comment), "first");
    EXPECT_EQ(f.cell(1, WorkColumn::Enter), "09:00:00");
    EXPECT_EQ(f.cell(1, WorkColumn::Leave), "");
    EXPECT_EQ(f.work().rowCount(), 31);

    // Counts no file can hold end early at once.
    f.ui.messages.clear();
    ByteWriter huge;
    huge.u32(0xFFFFFFFFu);
    huge.u32(0xFFFFFFFFu);
    huge.u32(static_cast<std::uint32_t>(ViewFixture::at(1, 3, 2006)));
    huge.u32(static_cast<std::uint32_t>(ViewFixture::at(31, 3, 2006, 23, 59)));
    importFile(huge.take());
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{kEndedEarly});
    EXPECT_EQ(f.work().rowCount(), 31);
    EXPECT_EQ(f.squad().rowCount(), 0);
}

TEST_F(Import, NoHeaderNoFileOrNoMonthImportsNothing) {
    f.newMonth(5, 2006);
    f.doc().SetModifiedFlag(false);
    f.doc().setPath("/months/May2006.time");
    importFile({1, 0, 0});
    f.ui.files = {f.dir.file("missing.time")};
    f.view->OnFileImport();
    EXPECT_EQ(f.view->OnFileImport().outcome, Outcome::Cancelled);
    EXPECT_EQ(f.ui.messages,
              (std::vector<std::string>{
                  "The file is too short for an old tallimo file.\r\nNothing was imported.",
                  "Cannot open the file \"" + f.dir.file("missing.time") +
                      "\": No such file or directory."}));
    EXPECT_EQ(f.cell(0, WorkColumn::Date), "01.05.2006");
    EXPECT_EQ(f.doc().title(), "Untitled.time");
    EXPECT_TRUE(f.doc().path().empty());

    f.ui.messages.clear();
    importFile(std::vector<std::uint8_t>(12, 0));
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{"The old tallimo file names no month a time "
                                                      "sheet can hold.\r\nNothing was imported."});
    EXPECT_EQ(f.cell(0, WorkColumn::Date), "01.05.2006");
    EXPECT_EQ(f.sheet().maxDate, ViewFixture::at(31, 5, 2006, 23, 59));
    EXPECT_FALSE(f.doc().isModified());
}

} // namespace
} // namespace tallimo::test

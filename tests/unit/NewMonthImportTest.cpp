#include "RecordingFixture.h"
#include "document/TimeSheetFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

constexpr const char* kEndedEarly =
    "The old tallimo file ends early.\r\nThe rows read before its end were imported.";

TEST(NewMonth, MakesOneRowPerDayUntitledByTheMonthsName) {
    struct Case {
        int month, year, rows;
        const char* title;
    };
    for (const Case c :
         {Case{3, 2006, 31, "March2006.time"}, Case{2, 2008, 29, "February2008.time"}}) {
        RecordingFixture f;
        f.newMonth(c.month, c.year);
        EXPECT_EQ(f.view->document().title(), c.title);
        EXPECT_EQ(f.work().rowCount(), c.rows);
        EXPECT_EQ(f.work().GetItemText(0, WorkColumn::Date),
                  formatInstant(RecordingFixture::at(1, c.month, c.year), "%d.%m.%Y"));
        EXPECT_EQ(f.view->sheet().minDate, RecordingFixture::at(1, c.month, c.year));
        EXPECT_TRUE(f.view->document().path().empty());
        EXPECT_TRUE(f.view->document().isModified());
    }
}

TEST(NewMonth, CancelKeepsTheMonthAndItsFileButRenamesTheTitle) {
    RecordingFixture f;
    f.newMonth(3, 2006);
    f.view->document().setPath("/months/March2006.time");
    f.squad().InsertItem(0, "01.03.2006 18:00:00");
    f.view->OnFileNew();
    EXPECT_EQ(f.view->document().title(), "Untitled.time");
    EXPECT_EQ(f.view->document().path(), "/months/March2006.time");
    EXPECT_EQ(f.work().rowCount(), 31);
    EXPECT_EQ(f.squad().rowCount(), 1);
}

TEST(NewMonth, UnsavedChangesAreAskedAboutBeforeTheyAreReplaced) {
    RecordingFixture f;
    f.newMonth(3, 2006);
    f.squad().InsertItem(0, "01.03.2006 18:00:00");
    f.newMonth(4, 2006);
    EXPECT_EQ(f.ui.questions,
              std::vector<std::string>{"The file has changed. Would you save them?"});
    EXPECT_EQ(f.squad().rowCount(), 0);
    EXPECT_EQ(f.work().rowCount(), 30);
}

// A file of the previous generation: counts, bounds, 4 cells per day and per squad row.
std::vector<std::uint8_t> preFP3(const std::vector<std::vector<std::string>>& days,
                                 const std::vector<std::vector<std::string>>& squads,
                                 std::size_t cutAfter = SIZE_MAX) {
    ByteWriter writer;
    if (squads.empty()) {
        writer.u32(static_cast<std::uint32_t>(days.size()));
    } else {
        writer.u32(static_cast<std::uint32_t>(days.size() + 1000));
        writer.u32(static_cast<std::uint32_t>(squads.size()));
    }
    writer.u32(static_cast<std::uint32_t>(RecordingFixture::at(1, 3, 2006)));
    writer.u32(static_cast<std::uint32_t>(RecordingFixture::at(31, 3, 2006, 23, 59)));
    for (const auto* rows : {&days, &squads}) {
        for (const auto& row : *rows) {
            for (const auto& cell : row) {
                writer.string(cell);
            }
        }
    }
    auto bytes = writer.take();
    bytes.resize(std::min(bytes.size(), cutAfter));
    return bytes;
}

class Import : public ::testing::Test {
protected:
    void importFile(const std::vector<std::uint8_t>& bytes) {
        const std::string path = m_dir.file("old.time");
        writeBytes(path, bytes);
        f.ui.files = {path};
        f.view->OnFileImport();
    }

    TempDir m_dir;
    RecordingFixture f;
};

TEST_F(Import, RowsLandByTheirDayAndDaysOutsideTheMonthChangeNothing) {
    f.newMonth(5, 2006);
    f.view->document().SetModifiedFlag(false);
    importFile(preFP3({{"15.03.2006", "08:00:00", "17:00:00", "fifteenth"},
                       {"01.03.2006", "07:00:00", "18:00:00", "first"},
                       {"32.03.2006", "01:00:00", "02:00:00", "beyond"},
                       {"00.03.2006", "01:00:00", "02:00:00", "zero"},
                       {"02.03.2006", "09:00:00", "12:00:00", "second"},
                       {"15.03.2006", "08:00:00", "18:00:00", "fifteenth again"}},
                      {{"01.03.2006 18:00:00", "01.03.2006 20:00:00", "i0", "d0"},
                       {"02.03.2006 18:00:00", "", "i1", "d1"}}));
    ASSERT_EQ(f.work().rowCount(), 31);
    EXPECT_EQ(f.cell(0, WorkColumn::Comment), "first");
    EXPECT_EQ(f.cell(1, WorkColumn::Comment), "second");
    EXPECT_EQ(f.cell(14, WorkColumn::Comment), "fifteenth again");
    EXPECT_EQ(f.cell(14, WorkColumn::AtWork), "10:00:00");
    EXPECT_EQ(f.cell(30, WorkColumn::Comment), "");
    EXPECT_EQ(f.cell(30, WorkColumn::Date), "31.03.2006");
    EXPECT_EQ(f.cell(4, WorkColumn::Weekday), "Sunday");
    for (int row = 0; row < 31; ++row) {
        EXPECT_EQ(f.cell(row, WorkColumn::StandBy), "") << row;
        EXPECT_NE(f.cell(row, WorkColumn::Comment), "beyond");
    }
    ASSERT_EQ(f.squad().rowCount(), 2);
    EXPECT_EQ(f.squad().GetItemText(1, SquadColumn::Incident), "i1");
    EXPECT_EQ(f.squad().rowAttributes(1)->backColour, kAlternateSquadBackColour);
    EXPECT_EQ(f.view->document().title(), "Untitled.time");
    EXPECT_TRUE(f.view->document().isModified());
    EXPECT_TRUE(f.ui.messages.empty());
}

TEST_F(Import, AutoSaveStaysOnButTheImportIsNotSaved) {
    RecordingFixture g({"AutoSave"});
    const std::string path = m_dir.file("old.time");
    writeBytes(path, preFP3({{"01.03.2006", "08:00:00", "17:00:00", ""}}, {}));
    g.ui.files = {path};
    g.view->OnFileImport();
    EXPECT_EQ(g.ui.fileRequests.size(), 1u);
    EXPECT_EQ(g.ui.fileRequests[0].title, "Open Tallimo File pre FP3");
    EXPECT_TRUE(g.view->settings().AutoSave);
    EXPECT_TRUE(g.view->document().isModified());
}

TEST_F(Import, FileEndingEarlyKeepsWhatWasReadAndSaysSoOnce) {
    const auto whole = preFP3({{"01.03.2006", "08:00:00", "17:00:00", "first"},
                               {"02.03.2006", "09:00:00", "17:00:00", "second"}},
                              {});
    importFile(preFP3({{"01.03.2006", "08:00:00", "17:00:00", "first"},
                       {"02.03.2006", "09:00:00", "17:00:00", "second"}},
                      {}, whole.size() - 10));
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{kEndedEarly});
    EXPECT_EQ(f.cell(0, WorkColumn::Comment), "first");
    EXPECT_EQ(f.cell(1, WorkColumn::Enter), "09:00:00");
    EXPECT_EQ(f.cell(1, WorkColumn::Leave), "");
    EXPECT_EQ(f.work().rowCount(), 31);
}

TEST_F(Import, HugeAnnouncedCountsCostNothing) {
    ByteWriter writer;
    writer.u32(0xFFFFFFFFu);
    writer.u32(0xFFFFFFFFu);
    writer.u32(static_cast<std::uint32_t>(RecordingFixture::at(1, 3, 2006)));
    writer.u32(static_cast<std::uint32_t>(RecordingFixture::at(31, 3, 2006, 23, 59)));
    importFile(writer.take());
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{kEndedEarly});
    EXPECT_EQ(f.work().rowCount(), 31);
    EXPECT_EQ(f.squad().rowCount(), 0);
}

TEST_F(Import, NoHeaderOrNoFileLeavesTheTablesUntitled) {
    f.newMonth(5, 2006);
    f.view->document().SetModifiedFlag(false);
    f.view->document().setPath("/months/May2006.time");
    importFile({1, 0, 0});
    f.ui.files = {m_dir.file("missing.time")};
    f.view->OnFileImport();
    f.view->OnFileImport();
    EXPECT_EQ(f.ui.messages.size(), 2u);
    EXPECT_EQ(f.work().rowCount(), 31);
    EXPECT_EQ(f.cell(0, WorkColumn::Date), "01.05.2006");
    EXPECT_EQ(f.view->document().title(), "Untitled.time");
    EXPECT_TRUE(f.view->document().path().empty());
}

TEST_F(Import, MonthOutsideWhatAFileHoldsImportsNothing) {
    ByteWriter writer;
    writer.u32(0);
    writer.u32(0);
    writer.u32(0);
    importFile(writer.take());
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{"The old tallimo file names no month a time "
                                                      "sheet can hold.\r\nNothing was imported."});
    EXPECT_EQ(f.view->sheet().maxDate, 0);
    EXPECT_FALSE(f.view->document().isModified());
}

} // namespace
} // namespace tallimo::test

#include "document/TimeSheetFile.h"
#include "support/CliRunner.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

struct Day {
    const char* date;
    const char* enter;
    const char* leave;
};
struct Period {
    const char* start;
    const char* end;
};

// A March 2006 file with the given rows, written as the program writes it.
std::string writeMonth(const CliSandbox& sandbox, std::initializer_list<Day> days,
                       std::initializer_list<Period> periods = {}) {
    TimeSheet sheet;
    sheet.minDate = makeLocalInstant(2006, 3, 1, 0, 0, 0).value();
    sheet.maxDate = makeLocalInstant(2006, 3, 31, 23, 59, 0).value();
    for (const Day& day : days) {
        const int row = sheet.work.InsertItem(sheet.work.rowCount(), day.date);
        sheet.work.SetItemText(row, WorkColumn::Enter, day.enter);
        sheet.work.SetItemText(row, WorkColumn::Leave, day.leave);
    }
    for (const Period& period : periods) {
        const int row = sheet.squad.InsertItem(sheet.squad.rowCount(), period.start);
        sheet.squad.SetItemText(row, SquadColumn::End, period.end);
    }
    const std::string path = sandbox.file("March2006.time");
    writeBytes(path, storeTimeSheet(sheet));
    return path;
}

// 10, 9 and 8.5 hours of presence, then a weekend day without times.
std::string threeDays(const CliSandbox& sandbox) {
    return writeMonth(sandbox,
                      {{"01.03.2006", "08:00:00", "18:00:00"},
                       {"02.03.2006", "08:00:00", "17:00:00"},
                       {"03.03.2006", "08:00:00", "16:30:00"},
                       {"04.03.2006", "", ""}},
                      {{"01.03.2006 18:00:00", "02.03.2006 08:00:00"},
                       {"03.03.2006 17:00:00", ""},
                       {"04.03.2006 10:00:00", "05.03.2006 11:01:01"}});
}

TEST(CliTotal, PrintsTheMessageOfTheCommand) {
    CliSandbox sandbox;
    const std::string file = threeDays(sandbox);
    const struct {
        std::vector<std::string> options;
        const char* expected;
    } cases[] = {
        {{}, "Overtime for this month: 00:30:00\n"},
        {{"--rows", "0"}, "Overtime for selected days: 01:00:00\n"},
        {{"--rows", "1-3,1"}, "Overtime for selected days: -00:30:00\n"},
        {{"--rows", "3"}, "Overtime for selected days: 00:00:00\n"},
        {{"--rows", ""}, ""},
        {{"--squad"}, "Squad overtime for this month: 1 Day(s) + 15:01:01\n"},
        {{"--rows", "0", "--squad"}, "Squad overtime for selected days: 14:00:00\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"total", file};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliResult result = sandbox.run(args);
        EXPECT_EQ(result.status, 0) << c.expected << result.err;
        EXPECT_EQ(result.out, c.expected);
        EXPECT_EQ(result.err, "");
    }
}

TEST(CliTotal, BadArgumentsAreUsageErrors) {
    CliSandbox sandbox;
    const std::string file = threeDays(sandbox);
    const std::vector<std::string> cases[] = {{"--rows", "1-"},
                                              {"--rows", "2-1"},
                                              {"--rows", "0,,1"},
                                              {"--rows", " 0"},
                                              {"--rows", "4"},
                                              {"--rows", "0-99999999999"},
                                              {"--squad", "--rows", "3"},
                                              {"--rows"},
                                              {"--weekly"},
                                              {file}};
    for (const auto& options : cases) {
        std::vector<std::string> args{"total", file};
        args.insert(args.end(), options.begin(), options.end());
        const CliResult result = sandbox.run(args);
        EXPECT_EQ(result.status, 2) << args.back();
        EXPECT_EQ(result.out, "") << args.back();
        EXPECT_NE(result.err.find("tallimo-cli: total: "), std::string::npos) << result.err;
    }
    EXPECT_EQ(sandbox.run({"total"}).status, 2);
}

TEST(CliShow, PrintsTheComputedCellsAndTheOvertimeLook) {
    CliSandbox sandbox;
    const std::string file = writeMonth(
        sandbox, {{"01.03.2006", "10:00:00", "22:30:00"}, {"02.03.2006", "08:00:00", "16:15:45"}});
    const CliResult tsv = sandbox.run({"show", file});
    ASSERT_EQ(tsv.status, 0) << tsv.err;
    EXPECT_NE(tsv.out.find("01.03.2006\tWednesday\t10:00:00\t22:30:00\t\t\t12:30:00\t11:30:00\t"
                           "+03:30:00\tREG 08:00 + OT06E 01:00:00+ OT20E 02:30:00\n"),
              std::string::npos)
        << tsv.out;
    const CliResult json = sandbox.run({"show", file, "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    // Blue and red, bold, own colour, ignoring the row's record: 0xFF0000 / 0x0000FF with 0xD1.
    EXPECT_NE(json.out.find("\"8\": {\"textColor\": 16711680, \"flags\": 209}"), std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"8\": {\"textColor\": 255, \"flags\": 209}"), std::string::npos);
}

} // namespace
} // namespace tallimo::test

#include "support/CliRunner.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

// March 2024 (the 1st is a Friday) with a 6-hour Friday, a vacation Monday and a forgotten
// Tuesday, counted on Wednesday the 6th.
const std::vector<std::string> kNow{"--now", "2024-03-06T12:00"};

CliResult runAt(const CliSandbox& sandbox, std::vector<std::string> args) {
    args.insert(args.end(), kNow.begin(), kNow.end());
    return sandbox.run(args);
}

void makeMarch(const CliSandbox& sandbox) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"new", "2024-03", "m.time"},
             {"set", "m.time", "1", "--enter", "08:00", "--leave", "14:00"},
             {"mark", "m.time", "vacation", "4"}}) {
        ASSERT_EQ(sandbox.run(args).status, 0) << args[0];
    }
}

TEST(CliWorkModel, BalanceAndVacationFollowTheModelAndOffRestoresEveryByte) {
    CliSandbox sandbox;
    makeMarch(sandbox);
    const CliResult before = runAt(sandbox, {"balance", "--json"});
    ASSERT_EQ(runAt(sandbox, {"model", "set", "--from", "2024-01-01", "--hours",
                              "Mon-Thu 8:00, Fri 5:00", "--region", "DE-BY", "--vacation", "30"})
                  .status,
              0);

    const CliResult balance = runAt(sandbox, {"balance", "--json"});
    ASSERT_EQ(balance.status, 0) << balance.err;
    // Friday 5:00 worked of 5:00, Monday credited 8:00, Tuesday missing 8:00.
    EXPECT_NE(balance.out.find("\"overtime\": -28800, \"overtimeText\": \"-08:00:00\", "
                               "\"standby\": 0, \"standbyText\": \"00:00:00\", \"balance\": "
                               "-28800, \"balanceText\": \"-08:00:00\", \"target\": 75600, "
                               "\"targetText\": \"21:00:00\", \"worked\": 46800, \"workedText\": "
                               "\"13:00:00\", \"missingDays\": 1}"),
              std::string::npos)
        << balance.out;

    // The forgotten Tuesday shows what it misses when the month is opened.
    EXPECT_EQ(cellsOf(shownTable(sandbox, "m.time", "work").at(4)).at(8), "-08:00:00");

    const CliResult vacation = runAt(sandbox, {"vacation", "2024", "--json"});
    EXPECT_EQ(vacation.out, "{\"year\": 2024, \"entitlement\": 30, \"carried\": 0, "
                            "\"carriedExpires\": \"2024-03-31\", \"taken\": [\"2024-03-04\"], "
                            "\"takenDays\": 1, \"left\": 29}\n");

    const CliResult off = sandbox.run({"--quiet", "model", "off"});
    ASSERT_EQ(off.status, 0);
    EXPECT_EQ(off.out, "");
    const CliResult after = runAt(sandbox, {"balance", "--json"});
    EXPECT_EQ(after.out, before.out);
    EXPECT_EQ(after.status, before.status);
}

TEST(CliWorkModel, TheMonthReportShowsTheModelsFiguresAndBalance) {
    CliSandbox sandbox;
    makeMarch(sandbox);
    ASSERT_EQ(runAt(sandbox, {"model", "set", "--from", "2024-01-01", "--hours",
                              "Mon-Thu 8:00, Fri 5:00", "--region", "DE-BY", "--vacation", "30"})
                  .status,
              0);
    const CliResult made = runAt(sandbox, {"report", "m.time"});
    ASSERT_EQ(made.status, 0) << made.err;
    const std::string text =
        sandbox.shell("pdftotext -layout tallimo-report-2024-03.pdf - | tr -s ' '").out;
    // The figures of the balance and vacation test above; Karfreitag is March's one holiday.
    for (const char* line :
         {"Overtime for this month: -08:00:00 ", "Balance carried forward: -08:00:00 ",
          "Target: 21:00:00\n", "Worked: 13:00:00\n", "Holidays: 1\n", "Vacation days taken: 1\n",
          "Vacation days left: 29\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << text;
    }
}

TEST(CliWorkModel, ModelSetTakesWhatIsNotGivenFromThePeriodInForce) {
    CliSandbox sandbox;
    makeMarch(sandbox);
    ASSERT_EQ(sandbox
                  .run({"model", "set", "--from", "2024-01-01", "--hours", "Mon-Fri 8:00",
                        "--break", "0:30", "--break-after", "6:00", "--region", "DE-HE"})
                  .status,
              0);
    ASSERT_EQ(
        sandbox.run({"model", "set", "--from", "2024-07-01", "--hours", "Mon-Thu 6:00"}).status, 0);
    const CliResult shown = sandbox.run({"model"});
    EXPECT_EQ(shown.out, "# Tallimo work model: each period holds from its date until the next.\n"
                         "\n[period 2024-01-01]\nhours = Mon-Fri 8:00\nbreak = 0:30\n"
                         "break-after = 6:00\nregion = DE-HE\nvacation = 0\ncarry-until = 03-31\n"
                         "\n[period 2024-07-01]\nhours = Mon-Thu 6:00\nbreak = 0:30\n"
                         "break-after = 6:00\nregion = DE-HE\nvacation = 0\ncarry-until = 03-31\n");
}

TEST(CliWorkModel, BadValuesAreRefusedWithoutTouchingTheModel) {
    CliSandbox sandbox;
    makeMarch(sandbox);
    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"model", "set", "--hours", "Mon 8:00"}, "model set: --from YYYY-MM-DD is needed"},
        {{"model", "set", "--from", "2024-01-01", "--region", "XX-YY"},
         "model set: --region: there are no holiday rules of the region 'XX-YY'"},
        {{"model", "set", "--from", "2024-01-01", "--carry-until", "13-01"},
         "model set: --carry-until: '13-01' is no date such as 03-31"},
        {{"vacation"}, "vacation: there is no work model in "},
    };
    for (const auto& c : cases) {
        const CliResult result = sandbox.run(c.args);
        EXPECT_NE(result.status, 0) << c.error;
        EXPECT_EQ(result.err.find(std::string("tallimo-cli: ") + c.error), 0u) << result.err;
    }
    EXPECT_EQ(sandbox.run({"model"}).out.find("There is no work model in "), 0u);
}

TEST(CliWorkModel, HolidaysTakeTheRegionOfTheModel) {
    CliSandbox sandbox;
    makeMarch(sandbox);
    ASSERT_EQ(sandbox.run({"model", "set", "--from", "2024-01-01", "--region", "DE-BY"}).status, 0);
    const CliResult holidays = sandbox.run({"holidays", "2024", "--json"});
    EXPECT_EQ(holidays.status, 0) << holidays.err;
    EXPECT_NE(holidays.out.find("\"date\": \"2024-01-06\""), std::string::npos) << holidays.out;
}

} // namespace
} // namespace tallimo::test

#include "support/CliRunner.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

TEST(CliHolidays, ListsTheYearAlignedWithWeekdaysAndNames) {
    CliSandbox sandbox;
    const CliResult result = sandbox.run({"holidays", "2026", "--region", "DE-BY"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "2026-01-01  Thu  Neujahr\n"
                          "2026-01-06  Tue  Heilige Drei Könige\n"
                          "2026-04-03  Fri  Karfreitag\n"
                          "2026-04-06  Mon  Ostermontag\n"
                          "2026-05-01  Fri  Tag der Arbeit\n"
                          "2026-05-14  Thu  Christi Himmelfahrt\n"
                          "2026-05-25  Mon  Pfingstmontag\n"
                          "2026-06-04  Thu  Fronleichnam\n"
                          "2026-10-03  Sat  Tag der Deutschen Einheit\n"
                          "2026-11-01  Sun  Allerheiligen\n"
                          "2026-12-25  Fri  1. Weihnachtstag\n"
                          "2026-12-26  Sat  2. Weihnachtstag\n");
}

TEST(CliHolidays, JsonIsOneArrayOfDatesAndNames) {
    CliSandbox sandbox;
    const CliResult result = sandbox.run({"holidays", "2026", "--region", "CH-ZH", "--json"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              R"([{"date": "2026-01-01", "name": "Neujahrstag"}, {"date": "2026-04-03", )"
              R"("name": "Karfreitag"}, {"date": "2026-04-06", "name": "Ostermontag"}, )"
              R"({"date": "2026-05-01", "name": "Tag der Arbeit"}, {"date": "2026-05-14", )"
              R"("name": "Auffahrt"}, {"date": "2026-05-25", "name": "Pfingstmontag"}, )"
              R"({"date": "2026-08-01", "name": "Bundesfeiertag"}, {"date": "2026-12-25", )"
              R"("name": "Weihnachtstag"}, {"date": "2026-12-26", "name": "Stephanstag"}])"
              "\n");
}

TEST(CliHolidays, RegionsAreListedOneCodeALine) {
    CliSandbox sandbox;
    const CliResult result = sandbox.run({"holidays", "--regions"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "AT\nCH-BE\nCH-ZH\nDE\nDE-BB\nDE-BE\nDE-BW\nDE-BY\nDE-HB\nDE-HE\nDE-HH\n"
                          "DE-MV\nDE-NI\nDE-NW\nDE-RP\nDE-SH\nDE-SL\nDE-SN\nDE-ST\nDE-TH\nFR\n"
                          "GB\nGB-ENG\nGB-SCT\nGB-WLS\nNL\nUS\n");
}

TEST(CliHolidays, TheYearDefaultsToTheYearOfTheClock) {
    CliSandbox sandbox;
    const CliResult result =
        sandbox.run({"holidays", "--region", "NL", "--now", "2014-12-31T23:00"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.rfind("2014-01-01  Wed  Nieuwjaarsdag\n", 0), 0u) << result.out;
    EXPECT_NE(result.out.find("\n2014-04-26  Sat  Koningsdag\n"), std::string::npos);
}

TEST(CliHolidays, WrongUsageIsRefusedWithStatusTwoAndSaysWhy) {
    CliSandbox sandbox;
    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"holidays", "2026"},
         "tallimo-cli: holidays: no --region CODE given and no work model with a region; "
         "'tallimo-cli holidays --regions' lists the codes\n"},
        {{"holidays", "2026", "--region", "XX"},
         "tallimo-cli: holidays: there are no holiday rules of the region 'XX'; 'tallimo-cli "
         "holidays --regions' lists the codes\n"},
        {{"holidays", "26", "--region", "AT"},
         "tallimo-cli: holidays: YEAR wants a year from 1583 on such as 2026, not '26'\n"},
        {{"holidays", "--regions", "--json"},
         "tallimo-cli: holidays: --regions takes nothing else\n"},
    };
    for (const auto& c : cases) {
        const CliResult result = sandbox.run(c.args);
        EXPECT_EQ(result.status, 2) << c.error;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, c.error);
    }
}

} // namespace
} // namespace tallimo::test

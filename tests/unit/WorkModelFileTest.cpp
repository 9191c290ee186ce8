#include "document/WorkModelFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tallimo {
namespace {

constexpr const char* kPartTime = "# Tallimo work model: each period holds from its date until "
                                  "the next.\n"
                                  "\n[period 2026-01-01]\n"
                                  "hours = Mon-Thu 8:00, Fri 5:00\n"
                                  "break = 0:30\n"
                                  "break-after = 6:00\n"
                                  "region = DE-BY\n"
                                  "vacation = 27.5\n"
                                  "carry-until = 03-31\n"
                                  "\n[period 2026-07-01]\n"
                                  "hours = Mon-Fri 8:00\n"
                                  "break = 0:30\n"
                                  "break-after = 6:00\n"
                                  "region = none\n"
                                  "vacation = 30\n"
                                  "carry-until = 04-30\n"
                                  "\n[company days]\n"
                                  "2026-12-24 = half Christmas Eve\n"
                                  "2026-06-05 = free\n"
                                  "\n[holidays]\n"
                                  "2026-06-24 = Midsummer\n";

TEST(WorkModelFile, WritesTheTextItReadsBackUnchanged) {
    const ModelText parsed = parseWorkModel(kPartTime);
    ASSERT_EQ(parsed.error, "");
    ASSERT_EQ(parsed.model.periods.size(), 2u);
    const WorkPeriod& first = parsed.model.periods[0];
    EXPECT_EQ(first.targets, (std::array<Span, 7>{28800, 28800, 28800, 28800, 18000, 0, 0}));
    EXPECT_EQ(first.breakSpan, 1800);
    EXPECT_EQ(first.breakAfter, 21600);
    EXPECT_EQ(first.vacationDays, 27.5);
    EXPECT_EQ(parsed.model.periods[1].carryMonth, 4);
    EXPECT_EQ(parsed.model.companyDays[0], (ModelDate{{2026, 12, 24}, "Christmas Eve", true}));
    EXPECT_EQ(formatWorkModel(parsed.model), kPartTime);
}

TEST(WorkModelFile, APeriodTakesWhatItDoesNotSayFromThePeriodBefore) {
    const ModelText parsed = parseWorkModel("[period 2026-01-01]\nregion = AT\nvacation = 25\n"
                                            "[period 2027-01-01]\nhours = Mon-Fri 7:00\n");
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.model.periods[1].region, "AT");
    EXPECT_EQ(parsed.model.periods[1].vacationDays, 25);
    EXPECT_EQ(parsed.model.periods[1].targets[4], 25200);
}

TEST(WorkModelFile, NamesTheLineOfTheFirstProblem) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"hours = Mon 8:00\n", "line 1: a value before the first [period DATE]"},
        {"[period 2026-02-30]\n", "line 1: a period starts on a date such as [period 2026-01-01]"},
        {"[period 2026-01-01]\n\nhour = Mon 8:00\n", "line 3: unknown key 'hour'"},
        {"[period 2026-01-01]\nhours = Mon-Thu 8:00, Thu 5:00\n", "line 2: Thu is given twice"},
        {"[period 2026-01-01]\nhours = Fri-Mon 8:00\n",
         "line 2: 'Fri-Mon 8:00' is not a weekday or a range of them (Mon..Sun) with hours such "
         "as 8:00"},
        {"[period 2026-01-01]\nbreak = 0:75\n", "line 2: '0:75' is no span such as 1:00"},
        {"[period 2026-01-01]\nvacation = 27.3\n",
         "line 2: '27.3' is no number of days such as 30 or 27.5"},
        {"[period 2026-01-01]\ncarry-until = 02-30\n", "line 2: '02-30' is no date such as 03-31"},
        {"[period 2026-01-01]\n[period 2025-01-01]\n",
         "line 2: the periods must follow each other by date"},
        {"[period 2026-01-01]\n[company days]\n2026-12-24 = off\n",
         "line 3: a company day is 'free' or 'half', not 'off'"},
        {"[period 2026-01-01]\n[holidays]\n2026-06-24 =\n",
         "line 3: the holiday of 2026-06-24 has no name"},
        {"[weeks]\n", "line 1: unknown section [weeks]"},
        {"# nothing\n", "it has no [period DATE]"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseWorkModel(c.text).error, c.error) << c.text;
    }
}

TEST(WorkModelFile, ReadingAFolderWithoutModelGivesNoModel) {
    const auto folder = std::filesystem::temp_directory_path() / "tallimo-model-none";
    std::filesystem::create_directories(folder);
    std::optional<WorkModel> model = WorkModel{};
    EXPECT_TRUE(readWorkModel(folder.string(), model).done());
    EXPECT_FALSE(model);
    std::filesystem::remove_all(folder);
}

TEST(WorkModelFile, SwitchingOffKeepsTheFileAsBackup) {
    const auto folder = std::filesystem::temp_directory_path() / "tallimo-model-off";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const Result updated = updateWorkModel(folder.string(), [](std::optional<WorkModel>& model) {
        model = parseWorkModel(kPartTime).model;
        return Result{};
    });
    ASSERT_TRUE(updated.done()) << updated.message;
    ASSERT_TRUE(switchWorkModelOff(folder.string()).done());
    std::optional<WorkModel> model;
    EXPECT_TRUE(readWorkModel(folder.string(), model).done());
    EXPECT_FALSE(model);
    std::ifstream backup(folder / "tallimo-model.txt.bak");
    const std::string text((std::istreambuf_iterator<char>(backup)), {});
    EXPECT_EQ(text, kPartTime);
    std::filesystem::remove_all(folder);
}

TEST(WorkModelFile, ReportsABadLineWithTheFileName) {
    const auto folder = std::filesystem::temp_directory_path() / "tallimo-model-bad";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "tallimo-model.txt") << "[period 2026-01-01]\nhours = Mon 9\n";
    std::optional<WorkModel> model;
    const Result read = readWorkModel(folder.string(), model);
    EXPECT_EQ(read.message, (folder / "tallimo-model.txt").string() +
                                " line 2: 'Mon 9' is not a weekday or a range of them (Mon..Sun) "
                                "with hours such as 8:00");
    std::filesystem::remove_all(folder);
}

TEST(IcsImport, TakesEachDayOfAllDayEventsAndSkipsTimedOnes) {
    const IcsHolidays ics = parseIcsHolidays("BEGIN:VCALENDAR\r\n"
                                             "BEGIN:VEVENT\r\n"
                                             "DTSTART;VALUE=DATE:20261225\r\n"
                                             "DTEND;VALUE=DATE:20261227\r\n"
                                             "SUMMARY:Christmas \r\n"
                                             " holidays\r\n"
                                             "END:VEVENT\r\n"
                                             "BEGIN:VEVENT\r\n"
                                             "DTSTART:20260601T090000Z\r\n"
                                             "SUMMARY:Meeting\r\n"
                                             "END:VEVENT\r\n"
                                             "BEGIN:VEVENT\r\n"
                                             "DTSTART;VALUE=DATE:20260101\r\n"
                                             "SUMMARY:New Year\r\n"
                                             "END:VEVENT\r\n"
                                             "END:VCALENDAR\r\n");
    ASSERT_EQ(ics.error, "");
    EXPECT_EQ(ics.days, (std::vector<ModelDate>{{{2026, 1, 1}, "New Year", false},
                                                {{2026, 12, 25}, "Christmas holidays", false},
                                                {{2026, 12, 26}, "Christmas holidays", false}}));
}

} // namespace
} // namespace tallimo

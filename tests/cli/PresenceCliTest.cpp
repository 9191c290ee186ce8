#include "support/CliRunner.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

void writeJournal(const CliSandbox& sandbox, const std::string& text) {
    const std::string folder = sandbox.file(".home/.config/Morvane");
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/Tallimo-presence.log", std::ios::binary) << text;
}

TEST(CliPresence, ListsTheDaysEventsInTheOrderTheyHappenedAfterTheMode) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"options", "Presence=auto", "PresenceAwayMinutes=10"}).out,
              "settings: Presence=auto, PresenceAwayMinutes=10\n");
    // The departure is journalled when it was settled, after the lines of later moments.
    writeJournal(sandbox,
                 "2026-12-10 07:58:12\tunlocked\t10.12.2026\tEnter\t-\tEnter 07:58:12 recorded "
                 "(unlocked)\n"
                 "2026-12-11 08:00:00\tstarted\t-\t-\t-\tthe next day\n"
                 "2026-12-10 12:00:00\tlocked\t-\t-\t-\taway; a departure after 10 minutes\n"
                 "no entry at all\n"
                 "2026-12-10 12:45:00\tunlocked\t10.12.2026\tForecast\t-\tLeave set back to the "
                 "forecast 16:58:12 (unlocked)\n"
                 "2026-12-10 12:00:00\tlocked\t10.12.2026\tLeave\t12:00:00\tLeave 12:00:00 "
                 "recorded (locked)\n");
    const CliResult today = sandbox.run({"presence", "--now", "10.12.2026 20:00"});
    EXPECT_EQ(today.status, 0);
    EXPECT_EQ(today.out, "Presence: auto (a lock counts as a departure after 10 minutes)\n"
                         "10.12.2026:\n"
                         "07:58:12  unlocked              Enter 07:58:12 recorded (unlocked)\n"
                         "12:00:00  locked                away; a departure after 10 minutes\n"
                         "12:00:00  locked                Leave 12:00:00 recorded (locked)\n"
                         "12:45:00  unlocked              Leave set back to the forecast 16:58:12 "
                         "(unlocked)\n");
}

TEST(CliPresence, SaysWhenDetectionIsOff) {
    CliSandbox sandbox;
    EXPECT_EQ(sandbox.run({"presence", "10.12.2026"}).out,
              "Presence: off (nothing is recorded; see Presence in 'options')\n"
              "No presence events on 10.12.2026.\n");
}

TEST(CliPresence, RefusesWrongDatesAndSettings) {
    CliSandbox sandbox;
    const std::vector<std::string> refused[] = {
        {"presence", "31.04.2026"},
        {"presence", "1.12.2026", "2.12.2026"},
        {"options", "Presence=on"},
        {"options", "PresenceAwayMinutes=1441"},
    };
    for (const auto& args : refused) {
        EXPECT_EQ(sandbox.run(args).status, 2) << args.back();
    }
}

} // namespace
} // namespace tallimo::test

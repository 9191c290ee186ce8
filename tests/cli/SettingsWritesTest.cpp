#include "cli/CliMain.h"
#include "platform/fake/FakePlatform.h"
#include "platform/posix/DlLibraryLoader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace tallimo::test {
namespace {

// Each command runs in-process on a fake settings store, which counts what reaches it.
TEST(CliSettingsWrites, ACommandWritesTheStoreAtMostOnceAndOnlyWhatChanged) {
    TempDir dir;
    fake::FakeSettingsStore store;
    DlLibraryLoader libraries;
    const std::string march = dir.file("march.time");
    const std::string april = dir.file("april.time");
    const auto run = [&](const std::vector<std::string>& args) {
        std::ostringstream out;
        std::ostringstream err;
        cli::CliEnvironment environment{out, err, store, libraries};
        return cli::runCli(args, environment);
    };
    // Every setting stored once, so that what follows changes only what it names.
    ASSERT_EQ(run({"options", "AutoSave=off"}), 0);
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> writes; // one sync with these, or none
    } steps[] = {
        {{"new", "2006-03", march}, {"Settings/LastDocument=" + march}},
        {{"enter", march, "--now", "07.03.2006 08:00:00"}, {"Recent File List/File1=" + march}},
        {{"enter", march, "--now", "07.03.2006 08:00:00", "--yes"}, {}},
        {{"leave", "--now", "07.03.2006 17:30:00", "--yes"}, {}},
        {{"mark", march, "vacation", "8-10"}, {}},
        {{"new", "2006-04", april}, {"Settings/LastDocument=" + april}},
        {{"show", march}, {}},
        {{"enter", march, "--now", "08.03.2006 08:00:00"}, {"Settings/LastDocument=" + march}},
        {{"options", "AutoSave=on", "lunchMinute=30"}, {"Settings/AutoSave=on"}},
        {{"options", "AutoSave=on"}, {}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.args.front() + " " + step.args[1]);
        store.writes.clear();
        store.syncs = 0;
        EXPECT_EQ(run(step.args), 0);
        EXPECT_EQ(store.writes, step.writes);
        EXPECT_EQ(store.syncs, step.writes.empty() ? 0 : 1);
    }
}

} // namespace
} // namespace tallimo::test

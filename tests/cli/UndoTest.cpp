#include "document/RecoveryCopy.h"
#include "support/CliRunner.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

class CliUndo : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0); }
    std::vector<std::uint8_t> month() const { return readBytes(sandbox.file("m.time")); }
    CliSandbox sandbox;
};

TEST_F(CliUndo, UndoAndRedoWalkTheChangesOfEveryCommandByteForByte) {
    const std::vector<std::vector<std::string>> changes = {
        {"set", "m.time", "3", "--enter", "08:00", "--leave", "17:00"},
        {"mark", "m.time", "vacation", "6-10"},
        {"squad-add", "m.time", "--start", "04.03.2006 20:00", "--end", "05.03.2006 02:00"},
        {"--yes", "clear", "m.time", "3,7"},
        {"mark", "m.time", "sick", "20"},
    };
    std::vector<std::vector<std::uint8_t>> versions{month()};
    for (const auto& change : changes) {
        ASSERT_EQ(sandbox.run(change).status, 0);
        versions.push_back(month());
    }
    const char* names[] = {"Edit day", "Mark vacation", "New entry", "Clear", "Mark sickness"};
    for (std::size_t i = changes.size(); i > 0; --i) {
        const CliResult undo = sandbox.run({"undo", "m.time"});
        ASSERT_EQ(undo.out, "m.time: undid " + std::string(names[i - 1]) + "\n");
        ASSERT_EQ(month(), versions[i - 1]);
    }
    const CliResult none = sandbox.run({"undo", "m.time"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "tallimo-cli: Nothing to undo.\n");
    for (std::size_t i = 1; i <= changes.size(); ++i) {
        ASSERT_EQ(sandbox.run({"redo", "m.time"}).out,
                  "m.time: redid " + std::string(names[i - 1]) + "\n");
        ASSERT_EQ(month(), versions[i]);
    }
    EXPECT_EQ(sandbox.run({"redo", "m.time"}).err, "tallimo-cli: Nothing to redo.\n");
}

TEST_F(CliUndo, ANewChangeDropsWhatCouldBeRedone) {
    ASSERT_EQ(sandbox.run({"mark", "m.time", "holiday", "1"}).status, 0);
    ASSERT_EQ(sandbox.run({"undo"}).status, 0);
    ASSERT_EQ(sandbox.run({"mark", "m.time", "vacation", "2"}).status, 0);
    const CliResult redo = sandbox.run({"redo", "m.time"});
    EXPECT_EQ(redo.status, 1);
    EXPECT_EQ(redo.err, "tallimo-cli: Nothing to redo.\n");
}

TEST_F(CliUndo, AMonthMadeAgainUnderTheNameOfARemovedOneHasNoHistory) {
    ASSERT_EQ(sandbox.run({"mark", "m.time", "holiday", "1"}).status, 0);
    std::filesystem::remove(sandbox.file("m.time"));
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    EXPECT_EQ(sandbox.run({"undo", "m.time"}).err, "tallimo-cli: Nothing to undo.\n");
}

TEST_F(CliUndo, AMonthWithARecoveryCopyIsWrittenOnlyWithForce) {
    ASSERT_TRUE(writeRecoveryCopy(sandbox.file("m.time"), month()));
    const auto before = month();
    const CliResult refused = sandbox.run({"mark", "m.time", "holiday", "1"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "tallimo-cli: m.time has unsaved changes that Tallimo kept when it "
                           "was ended; open it in Tallimo to restore or discard them, or use "
                           "--force to change the file all the same\n");
    EXPECT_EQ(month(), before);
    EXPECT_EQ(sandbox.run({"mark", "m.time", "holiday", "1", "--force"}).status, 0);
    EXPECT_NE(month(), before);
}

} // namespace
} // namespace tallimo::test

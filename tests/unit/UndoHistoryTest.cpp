#include "document/UndoHistory.h"

#include "document/RecoveryCopy.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace tallimo::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A version of `file` with a random stretch replaced, grown or shrunk, as saves change a month.
Bytes edited(Bytes file, std::mt19937& random) {
    const std::size_t at = random() % (file.size() + 1);
    const std::size_t removed = std::min<std::size_t>(random() % 40, file.size() - at);
    Bytes inserted(random() % 40);
    for (auto& byte : inserted) {
        byte = static_cast<std::uint8_t>(random() % 4); // few values: shared edges are common
    }
    file.erase(file.begin() + static_cast<long>(at),
               file.begin() + static_cast<long>(at + removed));
    file.insert(file.begin() + static_cast<long>(at), inserted.begin(), inserted.end());
    return file;
}

class HistoryFile : public ::testing::Test {
protected:
    TempDir dir;
    std::string month = dir.file("March2006.time");
    // Saves `file` as one step, the way a document's save does.
    void save(const Bytes& file, const std::string& name, const std::string& token) {
        ASSERT_TRUE(recordSave(month, UndoStep{name, token}, readBytes(month), file));
        writeBytes(month, file);
    }
};

TEST_F(HistoryFile, UndoAndRedoRestoreEveryVersionByteForByte) {
    std::mt19937 random(17);
    std::vector<Bytes> versions{Bytes(500, 7)};
    writeBytes(month, versions[0]);
    for (int step = 0; step < 40; ++step) {
        versions.push_back(edited(versions.back(), random));
        save(versions.back(), "step " + std::to_string(step), std::to_string(step));
    }
    std::string name;
    for (std::size_t i = versions.size() - 1; i > 0; --i) {
        ASSERT_TRUE(applyHistoryStep(month, StepDirection::Undo, name));
        ASSERT_EQ(readBytes(month), versions[i - 1]) << "after undoing step " << i;
        EXPECT_EQ(name, "step " + std::to_string(i - 1));
    }
    EXPECT_EQ(applyHistoryStep(month, StepDirection::Undo, name).message, "Nothing to undo.");
    for (std::size_t i = 1; i < versions.size(); ++i) {
        ASSERT_TRUE(applyHistoryStep(month, StepDirection::Redo, name));
        ASSERT_EQ(readBytes(month), versions[i]) << "after redoing step " << i;
    }
    EXPECT_EQ(applyHistoryStep(month, StepDirection::Redo, name).message, "Nothing to redo.");
}

TEST_F(HistoryFile, SavesOfOneStepAreUndoneAtOnce) {
    writeBytes(month, Bytes{1, 2, 3});
    save(Bytes{1, 9, 3}, "Mark vacation", "one");
    save(Bytes{1, 9, 9}, "Mark vacation", "one");
    save(Bytes{9, 9, 9}, "Mark vacation", "one");
    std::string name;
    ASSERT_TRUE(applyHistoryStep(month, StepDirection::Undo, name));
    EXPECT_EQ(readBytes(month), (Bytes{1, 2, 3}));
    EXPECT_EQ(applyHistoryStep(month, StepDirection::Undo, name).message, "Nothing to undo.");
}

TEST_F(HistoryFile, ANewChangeAfterAnUndoDropsTheRedoSteps) {
    writeBytes(month, Bytes{1});
    save(Bytes{2}, "first", "a");
    save(Bytes{3}, "second", "b");
    std::string name;
    ASSERT_TRUE(applyHistoryStep(month, StepDirection::Undo, name));
    save(Bytes{4}, "third", "c");
    EXPECT_EQ(applyHistoryStep(month, StepDirection::Redo, name).message, "Nothing to redo.");
    ASSERT_TRUE(applyHistoryStep(month, StepDirection::Undo, name));
    EXPECT_EQ(name, "third");
    EXPECT_EQ(readBytes(month), (Bytes{2}));
}

TEST_F(HistoryFile, KeepsTheNewestStepsOnly) {
    writeBytes(month, Bytes{0});
    for (std::size_t i = 1; i <= kHistorySteps + 5; ++i) {
        save(Bytes{static_cast<std::uint8_t>(i)}, std::to_string(i), std::to_string(i));
    }
    const MonthHistory history = readHistory(month);
    ASSERT_EQ(history.steps.size(), kHistorySteps);
    EXPECT_EQ(history.steps.front().name, "6");
}

TEST_F(HistoryFile, RefusesToUndoOverAChangeMadeOutsideIt) {
    writeBytes(month, Bytes{1});
    save(Bytes{2}, "first", "a");
    writeBytes(month, Bytes{5});
    std::string name;
    const Result undo = applyHistoryStep(month, StepDirection::Undo, name);
    EXPECT_EQ(undo.outcome, Outcome::Refused);
    EXPECT_EQ(readBytes(month), (Bytes{5}));
}

TEST_F(HistoryFile, ADamagedHistoryOffersNothing) {
    writeBytes(month, Bytes(100, 1));
    save(Bytes(100, 2), "first", "a");
    Bytes history = readBytes(historyFileOf(month));
    history.resize(history.size() - 30);
    writeBytes(historyFileOf(month), history);
    std::string name;
    EXPECT_EQ(applyHistoryStep(month, StepDirection::Undo, name).message, "Nothing to undo.");
}

TEST_F(HistoryFile, AStepTornInsideItsBytesIsRefused) {
    writeBytes(month, Bytes(100, 1));
    save(Bytes(100, 2), "first", "a");
    // The history ends with the step's old bytes, its new bytes and a line end.
    Bytes history = readBytes(historyFileOf(month));
    history[history.size() - 150] = 7;
    writeBytes(historyFileOf(month), history);
    std::string name;
    EXPECT_EQ(applyHistoryStep(month, StepDirection::Undo, name).outcome, Outcome::Refused);
    EXPECT_EQ(readBytes(month), Bytes(100, 2));
}

TEST_F(HistoryFile, RecoveryCopyIsOlderOnceTheMonthIsSavedAfterIt) {
    writeBytes(month, Bytes{1});
    ASSERT_TRUE(writeRecoveryCopy(month, Bytes{2}));
    ASSERT_FALSE(readRecoveryCopy(month)->olderThanMonth);
    const auto later =
        std::filesystem::last_write_time(recoveryFileOf(month)) + std::chrono::seconds(5);
    std::filesystem::last_write_time(month, later);
    const auto copy = readRecoveryCopy(month);
    EXPECT_EQ(copy->bytes, (Bytes{2}));
    EXPECT_TRUE(copy->olderThanMonth);
    EXPECT_EQ(readBytes(month), (Bytes{1}));
}

} // namespace
} // namespace tallimo::test

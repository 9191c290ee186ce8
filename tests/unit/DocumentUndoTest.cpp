#include "support/ViewFixture.h"

#include <gtest/gtest.h>
#include <random>

namespace tallimo::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class DocumentUndo : public ::testing::Test {
protected:
    explicit DocumentUndo(std::initializer_list<const char*> switches = {"AutoSave"})
        : f(switches, ViewFixture::Start::Bound) {}

    // A command as the desktop's runner runs it: one step around it.
    void command(const std::string& name, const std::function<void()>& run) {
        f.doc().beginStep(name);
        run();
        f.doc().endStep();
    }
    void mark(const std::string& name, void (CTagrolView::*handler)(),
              std::initializer_list<int> rows) {
        ViewFixture::select(f.work(), rows);
        command(name, [&] { (f.view.get()->*handler)(); });
    }
    Bytes onDisk() { return readBytes(f.doc().path()); }

    ViewFixture f;
};

TEST_F(DocumentUndo, RandomCommandsAreUndoneAndRedoneByteForByte) {
    std::mt19937 random(5);
    std::vector<Bytes> versions{onDisk()};
    for (int i = 0; i < 25; ++i) {
        const int first = static_cast<int>(random() % 28);
        const std::initializer_list<int> rows = {first, first + 1, first + 3};
        switch (random() % 4) {
        case 0:
            mark("Mark vacation", &CTagrolView::OnTbVacation, rows);
            break;
        case 1:
            mark("Mark holiday", &CTagrolView::OnTbHoliday, rows);
            break;
        case 2:
            mark("Mark sickness", &CTagrolView::OnTbIll, rows);
            break;
        default:
            ViewFixture::select(f.work(), rows);
            f.ui.answers.push_back(Answer::Ok);
            command("Delete", [&] { f.view->OnVkdelete(); });
        }
        // A command that changed nothing is no step.
        if (onDisk() != versions.back()) {
            versions.push_back(onDisk());
        }
    }
    ASSERT_GT(versions.size(), 15u);
    for (std::size_t i = versions.size() - 1; i > 0; --i) {
        ASSERT_TRUE(f.view->OnEditUndo());
        ASSERT_EQ(onDisk(), versions[i - 1]) << "undoing step " << i;
        ASSERT_EQ(f.view->storeSheet(), versions[i - 1]) << "the tables after step " << i;
    }
    for (std::size_t i = 1; i < versions.size(); ++i) {
        ASSERT_TRUE(f.view->OnEditRedo());
        ASSERT_EQ(onDisk(), versions[i]) << "redoing step " << i;
    }
    EXPECT_TRUE(f.ui.messages.empty());
}

TEST_F(DocumentUndo, OneUndoBringsBackAllRowsOfACommandThatSavedPerRow) {
    const Bytes before = onDisk();
    mark("Mark vacation", &CTagrolView::OnTbVacation, {3, 4, 5, 6, 7});
    ASSERT_GE(f.saves(), 5);
    EXPECT_EQ(f.doc().undoName(), "Mark vacation");
    ASSERT_TRUE(f.view->OnEditUndo());
    EXPECT_EQ(onDisk(), before);
    EXPECT_EQ(f.doc().undoName(), std::nullopt);
    EXPECT_EQ(f.doc().redoName(), "Mark vacation");
}

TEST_F(DocumentUndo, TheHistoryOutlivesTheProgram) {
    const Bytes before = onDisk();
    mark("Mark holiday", &CTagrolView::OnTbHoliday, {9});
    CTagrolView restarted(f.platform);
    restarted.document().OnNewDocument();
    ASSERT_TRUE(restarted.document().openStep(f.doc().path()));
    EXPECT_EQ(restarted.document().undoName(), "Mark holiday");
    ASSERT_TRUE(restarted.OnEditUndo());
    EXPECT_EQ(onDisk(), before);
}

class UnsavedUndo : public DocumentUndo {
protected:
    UnsavedUndo() : DocumentUndo({}) {}
};

TEST_F(UnsavedUndo, UnsavedStepsAreUndoneBeforeSavedOnes) {
    const Bytes saved = onDisk();
    mark("Mark vacation", &CTagrolView::OnTbVacation, {2});
    command("Save", [&] { f.doc().Save(); });
    const Bytes vacation = onDisk();
    mark("Mark holiday", &CTagrolView::OnTbHoliday, {4});
    ASSERT_TRUE(f.doc().isModified());
    EXPECT_EQ(f.doc().undoName(), "Mark holiday");
    ASSERT_TRUE(f.view->OnEditUndo());
    EXPECT_EQ(f.view->storeSheet(), vacation);
    EXPECT_FALSE(f.doc().isModified());
    EXPECT_EQ(f.doc().undoName(), "Save");
    ASSERT_TRUE(f.view->OnEditUndo());
    EXPECT_EQ(onDisk(), saved);
    EXPECT_EQ(f.view->storeSheet(), saved);
}

} // namespace
} // namespace tallimo::test

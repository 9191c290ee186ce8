#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

const std::string kChanged = "The file has changed. Would you save them?";
const std::string kAdvice = "\r\nIf this is an old Tallimo file use the import feature to convert.";

// How a test binds its document: to a.time, to a.time that can no longer be written, or not.
enum class Binding { Bound, Failing, Untitled };

void bind(ViewFixture& f, Binding binding) {
    const std::string a = f.writeMonth("a.time", "A");
    if (binding != Binding::Untitled) {
        ASSERT_TRUE(f.doc().openStep(a));
    }
    if (binding == Binding::Failing) {
        ViewFixture::blockSaving(a);
    }
    f.work().SetItemText(0, WorkColumn::Comment, "changed");
}

TEST(Document, StartUpReopensTheLastDocumentOnlyWhenAsked) {
    ViewFixture f;
    const std::string path = f.writeMonth("a.time", "A");
    for (const bool autoOpen : {false, true}) {
        ViewFixture g;
        g.settings.setString(kSettingsSection, "AutoOpenLastDocument", autoOpen ? "on" : "off");
        g.settings.setString(kSettingsSection, "LastDocument", path);
        g.view = std::make_unique<CTagrolView>(g.platform);
        g.view->OnInitialUpdate();
        EXPECT_EQ(g.doc().path(), autoOpen ? path : "");
    }
}

// Open's binding is what the refusals must leave; its entry in the recent files: RecentFiles.
TEST(Document, RefusedFilesLeaveTheTablesAndTheBindingAlone) {
    ViewFixture f;
    const std::string path = f.writeMonth("a.time", "A");
    f.ui.files = {path};
    f.doc().Open();
    writeBytes(f.dir.file("cut.time"), {5, 'Z', 'R'});
    writeBytes(f.dir.file("lower.time"), SheetBytes().str("zrb").u32(3).bytes);
    // A first string longer than the file, though the file is longer than what is read first.
    writeBytes(f.dir.file("long.time"),
               SheetBytes().raw({0xFF, 0xFF, 0xFF}).u32(90).str(std::string(20, 'x')).bytes);
    std::filesystem::create_directory(f.dir.path() / "folder.time");
    const struct {
        std::string name;
        Outcome outcome;
        std::string message;
    } cases[] = {
        {"cut.time", Outcome::Refused, "Exception by identifying the file header." + kAdvice},
        {"long.time", Outcome::Refused, "Exception by identifying the file header." + kAdvice},
        {"lower.time", Outcome::Refused, "The current file has no valid file header." + kAdvice},
        {"folder.time", Outcome::Failed,
         "Cannot open the file \"" + f.dir.file("folder.time") + "\": " + errnoText(EISDIR) + "."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.ui.messages.clear();
        EXPECT_EQ(f.doc().openStep(f.dir.file(c.name)).outcome, c.outcome);
        EXPECT_EQ(f.ui.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(f.cell(0, WorkColumn::Comment), "A");
        EXPECT_EQ(f.doc().title(), path);
        EXPECT_EQ(f.lastDocument(), path);
    }
    // A later save still writes the bound file, never one of the refused ones.
    f.work().SetItemText(0, WorkColumn::Comment, "A2");
    ASSERT_TRUE(f.doc().Save());
    EXPECT_EQ(f.commentOnDisk(path), "A2");
}

TEST(Document, ReplacingUnsavedChangesAsksFirst) {
    const struct {
        Answer answer;
        Binding binding;
        Outcome outcome;
        std::string shown;
        std::string onDisk;
    } cases[] = {
        {Answer::Cancel, Binding::Bound, Outcome::Done, "B", "A"},
        {Answer::Ok, Binding::Bound, Outcome::Done, "B", "changed"},
        {Answer::Ok, Binding::Failing, Outcome::Cancelled, "changed", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.onDisk);
        ViewFixture f;
        const std::string b = f.writeMonth("b.time", "B");
        bind(f, c.binding);
        f.doc().afterChange(false);
        f.ui.answers = {c.answer};
        EXPECT_EQ(f.doc().openStep(b).outcome, c.outcome);
        EXPECT_EQ(f.ui.questions, std::vector<std::string>{kChanged});
        EXPECT_EQ(f.cell(0, WorkColumn::Comment), c.shown);
        const bool failed = c.binding == Binding::Failing;
        EXPECT_EQ(f.doc().isModified(), failed);
        EXPECT_EQ(f.doc().path(), failed ? f.dir.file("a.time") : b);
        if (!failed) {
            EXPECT_EQ(f.commentOnDisk(f.dir.file("a.time")), c.onDisk);
        }
    }
}

TEST(Document, SaveAsAsksForTheFileAndBeforeOverwriting) {
    const struct {
        bool chooseExisting;
        bool cancelDialog;
        Answer answer;
        Outcome outcome;
    } cases[] = {
        {false, true, Answer::Ok, Outcome::Cancelled},
        {false, false, Answer::Ok, Outcome::Done},
        {true, false, Answer::Cancel, Outcome::Cancelled},
        {true, false, Answer::Ok, Outcome::Done},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.chooseExisting << c.cancelDialog);
        ViewFixture f;
        ASSERT_TRUE(f.view->InitListCtrl(3, 2006));
        f.doc().SetTitle("March2006.time");
        const std::string target =
            c.chooseExisting ? f.writeMonth("old.time", "old") : f.dir.file("new.time");
        if (!c.cancelDialog) {
            f.ui.files = {target};
        }
        f.ui.answers = {c.answer};

        EXPECT_EQ(f.doc().Save().outcome, c.outcome);
        EXPECT_EQ(f.ui.fileRequests.at(0).fileName, "March2006.time");
        EXPECT_EQ(f.ui.questions.size(), c.chooseExisting ? 1u : 0u);
        const bool saved = c.outcome == Outcome::Done;
        EXPECT_EQ(f.doc().isModified(), !saved);
        EXPECT_EQ(f.doc().path(), saved ? target : "");
        EXPECT_EQ(f.lastDocument(), saved ? target : "<absent>");
        const auto onDisk = std::filesystem::exists(target) ? f.commentOnDisk(target) : "none";
        EXPECT_EQ(onDisk, saved ? "" : (c.chooseExisting ? "old" : "none"));
    }
}

TEST(Document, WhatAnotherProgramWroteOrIsWritingIsReplacedOnlyAsThePolicySays) {
    const struct {
        SavePolicy policy;
        Answer answer;
        Outcome outcome;
        const char* onDisk;
    } cases[] = {
        {SavePolicy::Ask, Answer::Cancel, Outcome::Cancelled, "theirs"},
        {SavePolicy::Ask, Answer::Ok, Outcome::Done, "changed"},
        {SavePolicy::Refuse, Answer::Ok, Outcome::Refused, "theirs"},
        {SavePolicy::Force, Answer::Cancel, Outcome::Done, "changed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.onDisk);
        ViewFixture f;
        bind(f, Binding::Bound);
        const std::string a = f.dir.file("a.time");
        f.doc().setSavePolicy(c.policy);
        ASSERT_TRUE(f.doc().Save());
        EXPECT_FALSE(f.doc().changedOnDisk()) << "our own save is no outside change";
        f.writeMonth("a.time", "theirs");
        f.ui.answers = {c.answer};
        EXPECT_EQ(f.doc().Save().outcome, c.outcome);
        EXPECT_EQ(f.commentOnDisk(a), c.onDisk);
        EXPECT_EQ(f.ui.questions.size(), c.policy == SavePolicy::Ask ? 1u : 0u);
    }
    // A save waits for another writer of the month and gives up.
    ViewFixture f;
    bind(f, Binding::Bound);
    const std::string a = f.dir.file("a.time");
    FileLock other;
    ASSERT_TRUE(other.acquire(a, std::chrono::milliseconds(0)));
    EXPECT_EQ(f.doc().Save().outcome, Outcome::Refused);
    EXPECT_EQ(f.commentOnDisk(a), "A");
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{"Cannot save the file \"" + a +
                                                      "\": another program is changing it."});
    other.release();
    EXPECT_TRUE(f.doc().Save());
    EXPECT_EQ(f.commentOnDisk(a), "changed");
}

TEST(Document, ADamagedFileIsKeptBesideItBeforeItIsSavedOver) {
    for (const SavePolicy policy : {SavePolicy::Ask, SavePolicy::Refuse}) {
        ViewFixture f;
        f.clock.current = ViewFixture::at(2, 3, 2006, 8, 30, 15);
        const std::string path = f.dir.file("cut.time");
        const std::string kept = path + ".damaged-20060302083015";
        const auto damaged =
            SheetBytes().header(31, {}, 1141167600, 1143845940).workRow("01.03.2006").bytes;
        writeBytes(path, damaged);
        ASSERT_TRUE(f.doc().openStep(path));
        f.doc().setSavePolicy(policy);
        f.ui.messages.clear();
        // An existing file of the copy's name is never replaced: the save fails instead.
        writeBytes(kept, {'x'});
        EXPECT_EQ(f.doc().Save().outcome,
                  policy == SavePolicy::Ask ? Outcome::Failed : Outcome::Refused);
        EXPECT_EQ(readBytes(path), damaged);
        std::filesystem::remove(kept);
        if (policy == SavePolicy::Refuse) {
            EXPECT_EQ(f.ui.messages, std::vector<std::string>{"The file \"" + path +
                                                              "\" was damaged when it was read "
                                                              "and is not saved over."});
            continue;
        }
        f.ui.messages.clear();
        ASSERT_TRUE(f.doc().Save());
        EXPECT_EQ(readBytes(kept), damaged);
        EXPECT_EQ(f.ui.messages, std::vector<std::string>{"The file \"" + path +
                                                          "\" was damaged when it was read; its "
                                                          "original was kept as \"" +
                                                          kept + "\"."});
        // The file is whole now: later saves keep no further copy.
        f.clock.current += 60;
        ASSERT_TRUE(f.doc().Save());
        EXPECT_EQ(f.ui.messages.size(), 1u);
    }
}

TEST(Document, CloseAsksOnlyWithChangesAndStaysOpenWhenTheSaveFailed) {
    const struct {
        bool modified;
        Answer answer;
        Binding binding;
        bool closes;
    } cases[] = {
        {false, Answer::Ok, Binding::Bound, true},
        {true, Answer::Cancel, Binding::Bound, true},
        {true, Answer::Ok, Binding::Bound, true},
        {true, Answer::Ok, Binding::Untitled, true}, // Save As cancelled
        {true, Answer::Ok, Binding::Failing, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.modified << static_cast<int>(c.binding));
        ViewFixture f;
        bind(f, c.binding);
        f.doc().SetModifiedFlag(c.modified);
        f.ui.answers = {c.answer};
        f.settings.setString(kSettingsSection, "LastDocument", "elsewhere.time");
        EXPECT_EQ(f.doc().CanCloseFrame(), c.closes);
        EXPECT_EQ(f.ui.questions.size(), c.modified ? 1u : 0u);
        if (c.binding == Binding::Bound) {
            const bool saved = c.modified && c.answer == Answer::Ok;
            EXPECT_EQ(f.commentOnDisk(f.dir.file("a.time")), saved ? "changed" : "A");
        }
        if (c.binding == Binding::Failing) {
            // The month is not on the disk: it stays changed and LastDocument keeps naming a month.
            EXPECT_TRUE(f.doc().isModified());
            EXPECT_EQ(f.lastDocument(), "elsewhere.time");
            EXPECT_EQ(f.ui.messages,
                      std::vector<std::string>{"Cannot save the file \"" + f.dir.file("a.time") +
                                               "\": " + errnoText(EISDIR) + "."});
        }
    }
}

TEST(RecentFiles, KeepsFourNewestFirst) {
    ViewFixture f;
    RecentFileList& recent = f.doc().recentFiles();
    for (const char* path : {"/a", "/b", "/c", "/d", "/e", "/c"}) {
        recent.add(path);
    }
    EXPECT_EQ(recent.entries(), (std::vector<std::string>{"/c", "/e", "/d", "/b"}));
}

TEST(RecentFiles, AnEntryOpensItsFileAndAGoneFileLeavesTheList) {
    ViewFixture f;
    RecentFileList& recent = f.doc().recentFiles();
    const std::string a = f.writeMonth("a.time", "A");
    const std::string b = f.writeMonth("b.time", "B");
    recent.add(a);
    recent.add(b);
    EXPECT_TRUE(f.doc().openRecent(1));
    EXPECT_EQ(f.cell(0, WorkColumn::Comment), "A");
    EXPECT_EQ(f.doc().title(), "a.time");

    // Unsaved changes kept because their save failed say nothing about the entry.
    f.doc().SetModifiedFlag(true);
    ViewFixture::blockSaving(a);
    f.ui.answers = {Answer::Ok};
    EXPECT_FALSE(f.doc().openRecent(1));
    EXPECT_EQ(recent.entries(), (std::vector<std::string>{a, b}));

    // A file that is gone leaves the list.
    f.doc().SetModifiedFlag(false);
    std::filesystem::remove(b);
    EXPECT_FALSE(f.doc().openRecent(1));
    EXPECT_EQ(recent.entries(), std::vector<std::string>{a});
    EXPECT_FALSE(f.doc().openRecent(5));
}

} // namespace
} // namespace tallimo::test

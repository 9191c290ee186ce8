#include "support/ViewFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

const std::string kChanged = "The file has changed. Would you save them?";
const std::string kAdvice = "\r\nIf this is an old Tallimo file use the import feature to convert.";

std::string reason(int error) {
    return std::generic_category().message(error);
}

// How a test binds its document: to a.time, to a.time that can no longer be written, or not.
enum class Binding { Bound, Failing, Untitled };

void bind(ViewFixture& f, Binding binding) {
    const std::string a = f.writeMonth("a.time", "A");
    if (binding != Binding::Untitled) {
        ASSERT_EQ(f.doc().openStep(a), OpenResult::Loaded);
    }
    if (binding == Binding::Failing) {
        ViewFixture::blockSaving(a);
    }
    f.work().SetItemText(0, WorkColumn::Comment, "changed");
}

TEST(Document, OpenLoadsTheChosenFileAndRemembersIt) {
    ViewFixture f;
    const std::string path = f.writeMonth("a.time", "A");
    f.ui.files = {path};
    f.doc().Open();
    ASSERT_EQ(f.ui.fileRequests.size(), 1u);
    const FileDialogRequest& request = f.ui.fileRequests[0];
    EXPECT_EQ(request.title, "Open Tallimo File");
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].name + request.filters[0].pattern, "Tallimo File (*.time)*.time");
    EXPECT_EQ(request.filters[1].name + request.filters[1].pattern, "All Files (*.*)*.*");
    EXPECT_EQ(request.defaultExtension, "time");
    EXPECT_FALSE(request.forSaving);

    EXPECT_EQ(f.cell(0, WorkColumn::Comment), "A");
    EXPECT_EQ(f.cell(0, WorkColumn::Weekday), "Wednesday");
    EXPECT_EQ(f.doc().title(), path);
    EXPECT_EQ(f.doc().path(), path);
    EXPECT_FALSE(f.doc().isModified());
    EXPECT_EQ(f.lastDocument(), path);
    EXPECT_EQ(f.doc().recentFiles().entries(), std::vector<std::string>{path});
    EXPECT_TRUE(f.ui.messages.empty());
}

TEST(Document, RefusedFilesLeaveTablesAndBindingAlone) {
    ViewFixture f;
    const std::string bound = f.writeMonth("a.time", "A");
    ASSERT_EQ(f.doc().openStep(bound), OpenResult::Loaded);
    writeBytes(f.dir.file("cut.time"), {5, 'Z', 'R'});
    writeBytes(f.dir.file("lower.time"), SheetBytes().str("zrb").u32(3).bytes);
    std::filesystem::create_directory(f.dir.path() / "folder.time");
    const struct {
        std::string name;
        OpenResult result;
        std::string message;
    } cases[] = {
        {"cut.time", OpenResult::HeaderTooShort,
         "Exception by identifying the file header." + kAdvice},
        {"lower.time", OpenResult::NotTimeSheet,
         "The current file has no valid file header." + kAdvice},
        {"missing.time", OpenResult::Unreadable,
         "Cannot open the file \"" + f.dir.file("missing.time") + "\": " + reason(ENOENT) + "."},
        {"folder.time", OpenResult::Unreadable,
         "Cannot open the file \"" + f.dir.file("folder.time") + "\": " + reason(EISDIR) + "."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.ui.messages.clear();
        EXPECT_EQ(f.doc().openStep(f.dir.file(c.name)), c.result);
        EXPECT_FALSE(f.doc().OnOpenDocument(f.dir.file(c.name)));
        EXPECT_EQ(f.ui.messages, std::vector<std::string>(2, c.message));
        EXPECT_EQ(f.cell(0, WorkColumn::Comment), "A");
        EXPECT_EQ(f.doc().path(), bound);
        EXPECT_EQ(f.doc().title(), bound);
        EXPECT_EQ(f.lastDocument(), bound);
    }
    // The last-chance handler's trace line stays for files that cannot be read.
    EXPECT_TRUE(f.traced("ExceptionMessage: " + cases[2].message));
    // A later save still writes the bound file, never one of the refused ones.
    f.work().SetItemText(0, WorkColumn::Comment, "A2");
    ASSERT_TRUE(f.doc().Save());
    EXPECT_EQ(f.commentOnDisk(bound), "A2");
    EXPECT_EQ(readBytes(f.dir.file("cut.time")).size(), 3u);
}

TEST(Document, ReplacingUnsavedChangesAsksFirst) {
    const struct {
        Answer answer;
        Binding binding;
        OpenResult result;
        std::string shown;
        std::string onDisk;
    } cases[] = {
        {Answer::Cancel, Binding::Bound, OpenResult::Loaded, "B", "A"},
        {Answer::Ok, Binding::Bound, OpenResult::Loaded, "B", "changed"},
        {Answer::Ok, Binding::Failing, OpenResult::Declined, "changed", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.onDisk);
        ViewFixture f;
        const std::string b = f.writeMonth("b.time", "B");
        bind(f, c.binding);
        f.doc().afterChange(false);
        f.ui.answers = {c.answer};
        EXPECT_EQ(f.doc().openStep(b), c.result);
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
        bool saved;
    } cases[] = {
        {false, true, Answer::Ok, false},
        {false, false, Answer::Ok, true},
        {true, false, Answer::Cancel, false},
        {true, false, Answer::Ok, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.chooseExisting << c.cancelDialog << c.saved);
        ViewFixture f;
        ASSERT_TRUE(f.view->InitListCtrl(3, 2006));
        f.doc().SetTitle("March2006.time");
        const std::string target =
            c.chooseExisting ? f.writeMonth("old.time", "old") : f.dir.file("new.time");
        if (!c.cancelDialog) {
            f.ui.files = {target};
        }
        f.ui.answers = {c.answer};

        EXPECT_EQ(f.doc().Save(), c.saved);
        ASSERT_EQ(f.ui.fileRequests.size(), 1u);
        const FileDialogRequest& request = f.ui.fileRequests[0];
        EXPECT_EQ(request.title, "Save As Tallimo File");
        EXPECT_EQ(request.fileName, "March2006.time");
        EXPECT_TRUE(request.forSaving && request.overwritePrompt);
        EXPECT_EQ(f.ui.questions.size(), c.chooseExisting ? 1u : 0u);
        if (c.chooseExisting) {
            EXPECT_EQ(f.ui.questions[0], "The tallimo file exist! Would you overwrite them?");
        }
        EXPECT_EQ(f.doc().isModified(), !c.saved);
        EXPECT_EQ(f.doc().path(), c.saved ? target : "");
        EXPECT_EQ(f.lastDocument(), c.saved ? target : "<absent>");
        if (c.saved) {
            EXPECT_EQ(f.doc().title(), target);
            EXPECT_EQ(readBytes(target), f.view->storeSheet());
        } else if (c.chooseExisting) {
            EXPECT_EQ(f.commentOnDisk(target), "old");
        } else {
            EXPECT_FALSE(std::filesystem::exists(target));
        }
    }
}

TEST(Document, AFailedSaveKeepsTheChangesAndTheLastDocument) {
    ViewFixture f;
    bind(f, Binding::Failing);
    f.settings.setString(kSettingsSection, "LastDocument", "elsewhere.time");
    f.doc().SetModifiedFlag(true);
    EXPECT_FALSE(f.doc().Save());
    EXPECT_TRUE(f.doc().isModified());
    EXPECT_EQ(f.lastDocument(), "elsewhere.time");
    EXPECT_EQ(f.ui.messages,
              std::vector<std::string>{"Cannot save the file \"" + f.dir.file("a.time") +
                                       "\": " + reason(EISDIR) + "."});
}

TEST(Document, ASaveAsksBeforeReplacingWhatAnotherProgramWrote) {
    ViewFixture f;
    const std::string a = f.writeMonth("a.time", "A");
    ASSERT_EQ(f.doc().openStep(a), OpenResult::Loaded);
    f.work().SetItemText(0, WorkColumn::Comment, "ours");
    ASSERT_TRUE(f.doc().Save());
    EXPECT_FALSE(f.doc().changedOnDisk()) << "our own save is no outside change";
    EXPECT_TRUE(f.ui.questions.empty());

    f.writeMonth("a.time", "theirs");
    EXPECT_TRUE(f.doc().changedOnDisk());
    f.ui.answers = {Answer::Cancel, Answer::Ok};
    EXPECT_FALSE(f.doc().Save());
    EXPECT_EQ(f.commentOnDisk(a), "theirs");
    EXPECT_TRUE(f.doc().Save());
    EXPECT_EQ(f.commentOnDisk(a), "ours");
    EXPECT_EQ(f.ui.questions,
              std::vector<std::string>(2, "\"" + a +
                                              "\" has been changed by another program since it was "
                                              "read. Would you overwrite these changes?"));

    // A file that is gone is simply written again.
    std::filesystem::remove(a);
    EXPECT_TRUE(f.doc().changedOnDisk());
    EXPECT_TRUE(f.doc().Save());
    EXPECT_EQ(f.ui.questions.size(), 2u);
    EXPECT_FALSE(f.doc().changedOnDisk());
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
        EXPECT_EQ(f.doc().CanCloseFrame(), c.closes);
        EXPECT_EQ(f.ui.questions.size(), c.modified ? 1u : 0u);
        if (c.binding == Binding::Bound) {
            const bool saved = c.modified && c.answer == Answer::Ok;
            EXPECT_EQ(f.commentOnDisk(f.dir.file("a.time")), saved ? "changed" : "A");
        }
    }
}

TEST(Document, ImportSideMakesTheDocumentUntitledUnlessTheSaveFailed) {
    ViewFixture f;
    bind(f, Binding::Failing);
    f.doc().SetModifiedFlag(true);
    f.ui.answers = {Answer::Ok, Answer::Cancel};
    EXPECT_FALSE(f.doc().importSide());
    EXPECT_EQ(f.doc().title(), f.dir.file("a.time"));
    EXPECT_TRUE(f.doc().importSide());
    EXPECT_EQ(f.doc().path(), "");
    EXPECT_EQ(f.doc().title(), "Untitled.time");
    EXPECT_TRUE(f.doc().isModified());
}

TEST(RecentFiles, KeepsFourNewestFirstInTheSettingsStore) {
    fake::FakeSettingsStore store;
    RecentFileList recent(store);
    for (const char* path : {"/a", "/b", "/c", "/d", "/e", "/c"}) {
        recent.add(path);
    }
    EXPECT_EQ(recent.entries(), (std::vector<std::string>{"/c", "/e", "/d", "/b"}));
    EXPECT_EQ(store.getString("Recent File List", "File1"), "/c");
    EXPECT_EQ(store.getString("Recent File List", "File4"), "/b");
    recent.remove("/e");
    EXPECT_EQ(recent.entries(), (std::vector<std::string>{"/c", "/d", "/b"}));
    EXPECT_FALSE(store.getString("Recent File List", "File4").has_value());
}

TEST(RecentFiles, OpeningAnEntryTitlesItByNameOrDropsIt) {
    ViewFixture f;
    const std::string a = f.writeMonth("a.time", "A");
    const std::string b = f.writeMonth("b.time", "B");
    f.doc().recentFiles().add(a);
    f.doc().recentFiles().add(b);
    EXPECT_TRUE(f.doc().openRecent(1));
    EXPECT_EQ(f.cell(0, WorkColumn::Comment), "A");
    EXPECT_EQ(f.doc().title(), "a.time");

    // Unsaved changes kept because their save failed say nothing about the entry.
    f.doc().SetModifiedFlag(true);
    ViewFixture::blockSaving(a);
    f.ui.answers = {Answer::Ok};
    EXPECT_FALSE(f.doc().openRecent(1));
    EXPECT_EQ(f.doc().recentFiles().entries(), (std::vector<std::string>{a, b}));

    // A file that is gone leaves the list.
    f.doc().SetModifiedFlag(false);
    std::filesystem::remove(b);
    EXPECT_FALSE(f.doc().openRecent(1));
    EXPECT_EQ(f.doc().recentFiles().entries(), std::vector<std::string>{a});
    EXPECT_FALSE(f.doc().openRecent(5));
}

TEST(StartUp, OpensTheLastDocumentOnlyWhenAskedAndReportsAnEmptyOne) {
    for (const bool autoOpen : {false, true}) {
        SCOPED_TRACE(autoOpen);
        auto f = autoOpen ? std::make_unique<ViewFixture>(
                                std::initializer_list<const char*>{"AutoOpenLastDocument"})
                          : std::make_unique<ViewFixture>();
        const std::string a = f->writeMonth("a.time", "A");
        f->settings.setString(kSettingsSection, "LastDocument", a);
        f->view->OnInitialUpdate();
        EXPECT_TRUE(f->view->isWorkListVisible());
        EXPECT_EQ(f->cell(0, WorkColumn::Comment), autoOpen ? "A" : "");
        EXPECT_EQ(f->doc().path(), autoOpen ? a : "");
    }
    ViewFixture f({"AutoOpenLastDocument"});
    f.view->OnInitialUpdate();
    EXPECT_EQ(f.ui.messages,
              std::vector<std::string>{"Cannot open the file \"\": " + reason(ENOENT) + "."});
    EXPECT_EQ(f.doc().title(), "Untitled.time");
}

} // namespace
} // namespace tallimo::test

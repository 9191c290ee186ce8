#include "DocumentFixture.h"

#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

const std::string kChanged = "The file has changed. Would you save them?";
const std::string kOverwrite = "The tallimo file exist! Would you overwrite them?";
const std::string kUnidentified = "Exception by identifying the file header.\r\nIf this is an old "
                                  "Tallimo file use the import feature to convert.";
const std::string kNoHeader = "The current file has no valid file header.\r\nIf this is an old "
                              "Tallimo file use the import feature to convert.";

std::string reason(int error) {
    return std::generic_category().message(error);
}

TEST(Document, OpenLoadsTheChosenFileAndRemembersIt) {
    DocumentFixture f;
    const std::string path = f.writeMonth("a.time", "A");
    f.ui.files = {path};
    f.doc().Open();
    ASSERT_EQ(f.ui.fileRequests.size(), 1u);
    const FileDialogRequest& request = f.ui.fileRequests[0];
    EXPECT_EQ(request.title, "Open Tallimo File");
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].name, "Tallimo File (*.time)");
    EXPECT_EQ(request.filters[0].pattern, "*.time");
    EXPECT_EQ(request.filters[1].name, "All Files (*.*)");
    EXPECT_EQ(request.filters[1].pattern, "*.*");
    EXPECT_EQ(request.defaultExtension, "time");
    EXPECT_FALSE(request.forSaving);

    EXPECT_EQ(f.firstComment(), "A");
    EXPECT_EQ(f.sheet().work.itemText(0, WorkColumn::Weekday), "Wednesday");
    EXPECT_EQ(f.doc().title(), path);
    EXPECT_EQ(f.doc().path(), path);
    EXPECT_FALSE(f.doc().isModified());
    EXPECT_EQ(f.lastDocument(), path);
    EXPECT_EQ(f.doc().recentFiles().entries(), std::vector<std::string>{path});
    EXPECT_TRUE(f.ui.messages.empty());
}

TEST(Document, RefusedFilesLeaveTablesAndBindingAlone) {
    DocumentFixture f;
    const std::string bound = f.writeMonth("a.time", "A");
    ASSERT_EQ(f.doc().openStep(bound), OpenResult::Loaded);
    writeBytes(f.dir.file("empty.time"), {});
    writeBytes(f.dir.file("cut.time"), {5, 'Z', 'R'});
    writeBytes(f.dir.file("zrc.time"), SheetBytes().str("ZRC").u32(3).bytes);
    writeBytes(f.dir.file("lower.time"), SheetBytes().str("zrb").u32(3).bytes);
    std::filesystem::create_directory(f.dir.path() / "folder.time");
    const struct {
        std::string name;
        OpenResult result;
        std::string message;
    } cases[] = {
        {"empty.time", OpenResult::HeaderTooShort, kUnidentified},
        {"cut.time", OpenResult::HeaderTooShort, kUnidentified},
        {"zrc.time", OpenResult::NotTimeSheet, kNoHeader},
        {"lower.time", OpenResult::NotTimeSheet, kNoHeader},
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
        EXPECT_EQ(f.firstComment(), "A");
        EXPECT_EQ(f.doc().path(), bound);
        EXPECT_EQ(f.doc().title(), bound);
        EXPECT_EQ(f.lastDocument(), bound);
    }
    // The last-chance handler's trace line stays for files that cannot be read.
    const auto texts = f.trace.texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "ExceptionMessage: " + cases[4].message),
              texts.end());
    // A later save still writes the bound file, never one of the refused ones.
    f.sheet().work.SetItemText(0, WorkColumn::Comment, "A2");
    ASSERT_TRUE(f.doc().Save());
    EXPECT_EQ(f.commentOnDisk(bound), "A2");
    EXPECT_TRUE(readBytes(f.dir.file("empty.time")).empty());
}

TEST(Document, ReplacingUnsavedChangesAsksFirst) {
    const struct {
        const char* name;
        Answer answer;
        bool saveFails;
        OpenResult result;
        std::string commentShown;
        std::string commentOnDisk;
    } cases[] = {
        {"Cancel discards", Answer::Cancel, false, OpenResult::Loaded, "B", "A"},
        {"OK saves first", Answer::Ok, false, OpenResult::Loaded, "B", "changed"},
        {"OK with a failing save keeps the tables", Answer::Ok, true, OpenResult::Declined,
         "changed", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentFixture f;
        const std::string a = f.writeMonth("a.time", "A");
        const std::string b = f.writeMonth("b.time", "B");
        ASSERT_EQ(f.doc().openStep(a), OpenResult::Loaded);
        f.sheet().work.SetItemText(0, WorkColumn::Comment, "changed");
        f.doc().afterChange(false);
        if (c.saveFails) {
            DocumentFixture::blockSaving(a);
        }
        f.ui.answers = {c.answer};
        EXPECT_EQ(f.doc().openStep(b), c.result);
        EXPECT_EQ(f.ui.questions, std::vector<std::string>{kChanged});
        EXPECT_EQ(f.firstComment(), c.commentShown);
        EXPECT_EQ(f.doc().isModified(), c.saveFails);
        EXPECT_EQ(f.doc().path(), c.saveFails ? a : b);
        if (!c.saveFails) {
            EXPECT_EQ(f.commentOnDisk(a), c.commentOnDisk);
        }
    }
}

TEST(Document, SaveAsAsksForTheFileAndBeforeOverwriting) {
    const struct {
        const char* name;
        bool chooseExisting;
        bool cancelDialog;
        std::vector<Answer> answers;
        bool saved;
    } cases[] = {
        {"dialog cancelled", false, true, {}, false},
        {"new file", false, false, {}, true},
        {"existing file, Cancel", true, false, {Answer::Cancel}, false},
        {"existing file, OK", true, false, {Answer::Ok}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentFixture f;
        ASSERT_TRUE(f.view->InitListCtrl(3, 2006));
        f.doc().SetTitle("March2006.time");
        const std::string target =
            c.chooseExisting ? f.writeMonth("old.time", "old") : f.dir.file("new.time");
        if (!c.cancelDialog) {
            f.ui.files = {target};
        }
        f.ui.answers.assign(c.answers.begin(), c.answers.end());

        EXPECT_EQ(f.doc().Save(), c.saved);
        ASSERT_EQ(f.ui.fileRequests.size(), 1u);
        const FileDialogRequest& request = f.ui.fileRequests[0];
        EXPECT_EQ(request.title, "Save As Tallimo File");
        EXPECT_EQ(request.fileName, "March2006.time");
        EXPECT_EQ(request.defaultExtension, "time");
        EXPECT_TRUE(request.forSaving && request.overwritePrompt);
        EXPECT_EQ(f.ui.questions, c.chooseExisting ? std::vector<std::string>{kOverwrite}
                                                   : std::vector<std::string>{});
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
    DocumentFixture f;
    const std::string a = f.writeMonth("a.time", "A");
    ASSERT_EQ(f.doc().openStep(a), OpenResult::Loaded);
    f.settings.setString(kSettingsSection, "LastDocument", "elsewhere.time");
    f.doc().SetModifiedFlag(true);
    DocumentFixture::blockSaving(a);
    EXPECT_FALSE(f.doc().Save());
    EXPECT_TRUE(f.doc().isModified());
    EXPECT_EQ(f.lastDocument(), "elsewhere.time");
    EXPECT_EQ(f.ui.messages, std::vector<std::string>{"Cannot save the file \"" + a +
                                                      "\": " + reason(EISDIR) + "."});
}

TEST(Document, AfterChangeSavesOnlyWithAutoSaveAndOnlyMarksWhatWasSaved) {
    const struct {
        const char* name;
        bool autoSave;
        const char* binding; // "bound", "untitled" (Save As cancelled) or "failing"
        bool modified;
        std::size_t fileDialogs;
    } cases[] = {
        {"without AutoSave", false, "bound", true, 0},
        {"AutoSave, bound", true, "bound", false, 0},
        {"AutoSave, untitled, Save As cancelled", true, "untitled", true, 1},
        {"AutoSave, save fails", true, "failing", true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentFixture f;
        const std::string a = f.writeMonth("a.time", "A");
        if (std::string(c.binding) != "untitled") {
            ASSERT_EQ(f.doc().openStep(a), OpenResult::Loaded);
        }
        if (std::string(c.binding) == "failing") {
            DocumentFixture::blockSaving(a);
        }
        f.sheet().work.SetItemText(0, WorkColumn::Comment, "changed");
        f.doc().afterChange(c.autoSave);
        EXPECT_EQ(f.doc().isModified(), c.modified);
        EXPECT_EQ(f.ui.fileRequests.size(), c.fileDialogs);
        if (std::string(c.binding) == "bound") {
            EXPECT_EQ(f.commentOnDisk(a), c.autoSave ? "changed" : "A");
        }
    }
}

TEST(Document, CloseAsksOnlyWithChangesAndStaysOpenWhenTheSaveFailed) {
    const struct {
        const char* name;
        bool modified;
        std::vector<Answer> answers;
        const char* binding;
        bool closes;
        std::size_t questions;
    } cases[] = {
        {"no changes", false, {}, "bound", true, 0},
        {"Cancel discards", true, {Answer::Cancel}, "bound", true, 1},
        {"OK saves", true, {Answer::Ok}, "bound", true, 1},
        {"OK, Save As cancelled", true, {Answer::Ok}, "untitled", true, 1},
        {"OK, save fails", true, {Answer::Ok}, "failing", false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentFixture f;
        const std::string a = f.writeMonth("a.time", "A");
        if (std::string(c.binding) != "untitled") {
            ASSERT_EQ(f.doc().openStep(a), OpenResult::Loaded);
        }
        if (std::string(c.binding) == "failing") {
            DocumentFixture::blockSaving(a);
        }
        f.sheet().work.SetItemText(0, WorkColumn::Comment, "changed");
        f.doc().SetModifiedFlag(c.modified);
        f.ui.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(f.doc().CanCloseFrame(), c.closes);
        EXPECT_EQ(f.ui.questions.size(), c.questions);
        if (std::string(c.binding) == "bound") {
            const bool saved = !c.answers.empty() && c.answers[0] == Answer::Ok;
            EXPECT_EQ(f.commentOnDisk(a), saved ? "changed" : "A");
        }
    }
}

TEST(Document, ImportSideMakesTheDocumentUntitledUnlessTheSaveFailed) {
    DocumentFixture f;
    const std::string a = f.writeMonth("a.time", "A");
    ASSERT_EQ(f.doc().openStep(a), OpenResult::Loaded);
    f.doc().SetModifiedFlag(true);
    DocumentFixture::blockSaving(a);
    f.ui.answers = {Answer::Ok};
    EXPECT_FALSE(f.doc().importSide());
    EXPECT_EQ(f.doc().path(), a);
    EXPECT_EQ(f.doc().title(), a);

    f.ui.answers = {Answer::Cancel};
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
    DocumentFixture f;
    const std::string a = f.writeMonth("a.time", "A");
    const std::string b = f.writeMonth("b.time", "B");
    f.doc().recentFiles().add(a);
    f.doc().recentFiles().add(b);

    EXPECT_TRUE(f.doc().openRecent(1));
    EXPECT_EQ(f.firstComment(), "A");
    EXPECT_EQ(f.doc().title(), "a.time");
    EXPECT_EQ(f.doc().recentFiles().entries(), (std::vector<std::string>{a, b}));

    // Unsaved changes kept because their save failed say nothing about the entry.
    f.doc().SetModifiedFlag(true);
    DocumentFixture::blockSaving(a);
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

TEST(StartUp, OpensTheLastDocumentOnlyWhenAsked) {
    for (const bool autoOpen : {false, true}) {
        SCOPED_TRACE(autoOpen);
        auto f = autoOpen ? std::make_unique<DocumentFixture>(
                                std::initializer_list<const char*>{"AutoOpenLastDocument"})
                          : std::make_unique<DocumentFixture>();
        const std::string a = f->writeMonth("a.time", "A");
        f->settings.setString(kSettingsSection, "LastDocument", a);
        f->view->OnInitialUpdate();
        EXPECT_TRUE(f->view->isWorkListVisible());
        EXPECT_EQ(f->firstComment(), autoOpen ? "A" : "");
        EXPECT_EQ(f->doc().path(), autoOpen ? a : "");
    }
}

TEST(StartUp, AnEmptyLastDocumentIsStillTriedAndReported) {
    DocumentFixture f({"AutoOpenLastDocument"});
    f.view->OnInitialUpdate();
    EXPECT_EQ(f.ui.messages,
              std::vector<std::string>{"Cannot open the file \"\": " + reason(ENOENT) + "."});
    EXPECT_EQ(f.doc().title(), "Untitled.time");
    EXPECT_EQ(f.doc().path(), "");
}

} // namespace
} // namespace tallimo::test

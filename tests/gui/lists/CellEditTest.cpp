#include "ListFixture.h"
#include "controls/CCellEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

constexpr int kRow = ListFixture::kPlainDay;
constexpr int kComment = WorkColumn::Comment;

// Opens the editor on the comment of the first day, as "Edit Cell" does, and types a text.
CCellEdit* editComment(ListFixture& f, const QString& typed) {
    f.view.work().SetItemText(kRow, kComment, "old");
    EXPECT_TRUE(f.work->EditCell(kRow, kComment));
    CCellEdit* editor = f.work->cellEdit();
    EXPECT_NE(editor, nullptr);
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->selectedText(), "old");
    QTest::keyClicks(editor, typed);
    return editor;
}

struct EndCase {
    const char* how;
    QString typed;
    std::function<void(ListFixture&, CCellEdit*)> end;
    std::string expected; // the cell's bytes after the edit; empty when nothing is sent
    bool accepted;
};

TEST(CellEdit, EnterAClickOrAScrollAcceptsAndEscapeCancels) {
    const EndCase cases[] = {
        {"Enter", "Caf",
         [](ListFixture&, CCellEdit* e) {
             QTest::sendKeyEvent(QTest::Click, e, Qt::Key_Eacute, QStringLiteral("é"), {});
             QTest::keyClick(e, Qt::Key_Return);
         },
         "Caf\xE9", true},
        {"an emptied text", "",
         [](ListFixture&, CCellEdit* e) {
             QTest::keyClick(e, Qt::Key_Delete);
             QTest::keyClick(e, Qt::Key_Enter, Qt::KeypadModifier);
         },
         "", true},
        {"a click on another row", "late train",
         [](ListFixture& f, CCellEdit*) {
             QTest::mouseClick(f.work->viewport(), Qt::LeftButton, {},
                               ListFixture::cellRect(*f.work, 6, 1).center());
         },
         "late train", true},
        {"a scroll", "scrolled",
         [](ListFixture& f, CCellEdit*) { f.work->verticalScrollBar()->setValue(3); }, "scrolled",
         true},
        {"Escape", "typed", [](ListFixture&, CCellEdit* e) { QTest::keyClick(e, Qt::Key_Escape); },
         "old", false},
    };
    for (const EndCase& c : cases) {
        ListFixture f(true, QSize(900, 300));
        QSignalSpy accepted(f.work, &CCellListCtrl::editAccepted);
        CCellEdit* editor = editComment(f, c.typed);
        c.end(f, editor);
        QApplication::processEvents();
        EXPECT_EQ(f.work->cellEdit(), nullptr) << c.how;
        EXPECT_EQ(f.view.work().itemText(kRow, kComment), c.expected) << c.how;
        ASSERT_EQ(accepted.size(), c.accepted ? 1 : 0) << c.how;
        if (c.accepted) {
            EXPECT_EQ(accepted[0], (QVariantList{kRow, kComment})) << c.how;
        }
    }
}

// A window whose shortcuts count what reaches them, like the main window's accelerators.
struct Shortcuts {
    explicit Shortcuts(QWidget& window) {
        for (const auto& [keys, count] :
             {std::pair{"Ctrl+N", &newFile}, std::pair{"Del", &deleteRows},
              std::pair{"Shift+Ins", &paste}, std::pair{"Alt+Backspace", &undo}}) {
            auto* action = new QAction(&window);
            action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
            QObject::connect(action, &QAction::triggered, [count] { ++*count; });
            window.addAction(action);
        }
    }
    int newFile = 0;
    int deleteRows = 0;
    int paste = 0;
    int undo = 0;
};

TEST(CellEdit, DeleteAndCtrlKeysGoToTheEditorWhilePasteAndUndoKeysStayTheWindows) {
    ListFixture f;
    Shortcuts shortcuts(f.window);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    CCellEdit* editor = editComment(f, "abc");
    QTest::keyClick(editor, Qt::Key_Left);
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClick(editor, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(editor->text(), "pastedab");
    EXPECT_EQ(shortcuts.newFile, 0);
    EXPECT_EQ(shortcuts.deleteRows, 0);
    EXPECT_EQ(shortcuts.paste, 1);
    EXPECT_EQ(shortcuts.undo, 1);

    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClick(f.work, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(f.work, Qt::Key_Delete);
    EXPECT_EQ(shortcuts.newFile, 1);
    EXPECT_EQ(shortcuts.deleteRows, 1);
}

TEST(CellEdit, TheEditorSitsInItsCellAndGrowsUpToTheClientsRightEdge) {
    ListFixture f(true, QSize(500, 300));
    QScrollBar* scroll = f.work->horizontalScrollBar();
    ASSERT_GT(scroll->maximum(), 0);

    // A cell starting right of the client area is scrolled to its left edge.
    const int client = f.work->viewport()->width();
    int outside = 0;
    while (f.work->columnViewportPosition(outside) <= client) {
        ++outside;
    }
    ASSERT_LE(f.work->columnViewportPosition(outside), scroll->maximum());
    ASSERT_TRUE(f.work->EditCell(kRow, outside));
    const CCellEdit* editor = f.work->cellEdit();
    const QRect cell = ListFixture::cellRect(*f.work, kRow, outside);
    EXPECT_EQ(cell.left(), 0);
    EXPECT_EQ(editor->geometry().left(), 4);
    EXPECT_EQ(editor->geometry().top(), cell.top());
    EXPECT_EQ(editor->width(), f.work->columnWidth(outside) - 3);
    QTest::keyClick(f.work->cellEdit(), Qt::Key_Escape);

    // The last column is cut at the client's edge and stays within it however long the text.
    scroll->setValue(0);
    ASSERT_TRUE(f.work->EditCell(kRow, WorkColumn::TimeAndLabor));
    CCellEdit* last = f.work->cellEdit();
    EXPECT_EQ(scroll->value(), scroll->maximum());
    EXPECT_LE(last->geometry().right(), client - 1);
    QTest::keyClicks(last, QString(80, QLatin1Char('x')));
    EXPECT_EQ(last->geometry().right(), client - 1);

    // Typing widens the editor to the text and never narrows it.
    scroll->setValue(0);
    ASSERT_TRUE(f.work->EditCell(kRow, WorkColumn::Enter));
    CCellEdit* enter = f.work->cellEdit();
    const int opened = enter->width();
    QTest::keyClicks(enter, QStringLiteral("a long line of text"));
    const int widened = enter->width();
    EXPECT_GE(widened, enter->fontMetrics().horizontalAdvance(enter->text()) + 5);
    QTest::keyClick(enter, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(enter, Qt::Key_Backspace);
    EXPECT_GT(widened, opened);
    EXPECT_EQ(enter->width(), widened);
}

TEST(CellEdit, ARefillWhileEditingDropsTheEditInsteadOfWritingAnotherMonth) {
    ListFixture f;
    QSignalSpy accepted(f.work, &CCellListCtrl::editAccepted);
    editComment(f, "typed");
    f.view.view->loadSheet(f.view.view->storeSheet());
    QApplication::processEvents();
    EXPECT_EQ(f.work->cellEdit(), nullptr);
    EXPECT_EQ(accepted.size(), 0);
}

} // namespace
} // namespace tallimo::test

#include "ListFixture.h"
#include "controls/CCellEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>
#include <map>

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

TEST(CellEdit, EnterAClickOrAScrollAcceptsAndEscapeCancels) {
    using End = std::function<void(ListFixture&, CCellEdit*)>;
    const auto key = [](Qt::Key pressed, Qt::KeyboardModifiers modifiers = {}) -> End {
        return
            [=](ListFixture&, CCellEdit* editor) { QTest::keyClick(editor, pressed, modifiers); };
    };
    const struct {
        const char* how;
        QString typed;
        End end;
        std::string expected; // the cell's bytes after the edit
    } cases[] = {
        {"Enter", "Caf",
         [](ListFixture&, CCellEdit* editor) {
             QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_Eacute, QStringLiteral("é"), {});
             QTest::keyClick(editor, Qt::Key_Return);
         },
         "Caf\xE9"},
        {"keypad Enter", "late", key(Qt::Key_Enter, Qt::KeypadModifier), "late"},
        {"a click on another row", "late train",
         [](ListFixture& f, CCellEdit*) {
             QTest::mouseClick(f.work->viewport(), Qt::LeftButton, {},
                               ListFixture::inCell(*f.work, 6, 1));
         },
         "late train"},
        {"a scroll", "scrolled",
         [](ListFixture& f, CCellEdit*) { f.work->verticalScrollBar()->setValue(3); }, "scrolled"},
        {"Escape", "typed", key(Qt::Key_Escape), "old"},
    };
    for (const auto& c : cases) {
        ListFixture f(true, QSize(900, 300));
        QSignalSpy accepted(f.work, &CCellListCtrl::editAccepted);
        c.end(f, editComment(f, c.typed));
        QApplication::processEvents();
        EXPECT_EQ(f.work->cellEdit(), nullptr) << c.how;
        EXPECT_EQ(f.view.work().itemText(kRow, kComment), c.expected) << c.how;
        const bool cancelled = c.expected == "old";
        ASSERT_EQ(accepted.size(), cancelled ? 0 : 1) << c.how;
        if (!cancelled) {
            EXPECT_EQ(accepted[0], (QVariantList{kRow, kComment})) << c.how;
        }
    }
}

// Counts the keys that reach the window's shortcuts, like the main window's accelerators.
struct Shortcuts {
    explicit Shortcuts(QWidget& window) {
        for (const char* keys : {"Ctrl+N", "Del", "Shift+Ins", "Alt+Backspace"}) {
            auto* action = new QAction(&window);
            action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
            QObject::connect(action, &QAction::triggered, [this, keys] { ++reached[keys]; });
            window.addAction(action);
        }
    }
    std::map<std::string, int> reached;
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
    EXPECT_EQ(shortcuts.reached,
              (std::map<std::string, int>{{"Alt+Backspace", 1}, {"Shift+Ins", 1}}));

    // Without the editor the same keys are the window's.
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClick(f.work, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(f.work, Qt::Key_Delete);
    EXPECT_EQ(shortcuts.reached["Ctrl+N"], 1);
    EXPECT_EQ(shortcuts.reached["Del"], 1);
}

TEST(CellEdit, TheEditorSitsInItsCellAndGrowsUpToTheClientsRightEdge) {
    ListFixture f(true, QSize(500, 300));
    QScrollBar* scroll = f.work->horizontalScrollBar();
    const int client = f.work->viewport()->width();

    // A cell starting right of the client area is scrolled to its left edge.
    int outside = 0;
    while (f.work->columnViewportPosition(outside) <= client) {
        ++outside;
    }
    ASSERT_LE(f.work->columnViewportPosition(outside), scroll->maximum());
    ASSERT_TRUE(f.work->EditCell(kRow, outside));
    const QRect cell = ListFixture::cellRect(*f.work, kRow, outside);
    EXPECT_EQ(cell.left(), 0);
    EXPECT_EQ(f.work->cellEdit()->geometry(),
              QRect(4, cell.top(), f.work->columnWidth(outside) - 3, cell.height()));

    // The last column is cut at the client's edge and stays within it however long the text.
    scroll->setValue(0);
    ASSERT_TRUE(f.work->EditCell(kRow, WorkColumn::TimeAndLabor));
    EXPECT_EQ(scroll->value(), scroll->maximum());
    QTest::keyClicks(f.work->cellEdit(), QString(80, QLatin1Char('x')));
    EXPECT_EQ(f.work->cellEdit()->geometry().right(), client - 1);

    // Typing widens the editor to the text and never narrows it.
    scroll->setValue(0);
    ASSERT_TRUE(f.work->EditCell(kRow, WorkColumn::Enter));
    CCellEdit* enter = f.work->cellEdit();
    QTest::keyClicks(enter, QStringLiteral("a long line of text"));
    const int widened = enter->width();
    EXPECT_GE(widened, enter->fontMetrics().horizontalAdvance(enter->text()) + 5);
    QTest::keyClick(enter, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(enter, Qt::Key_Backspace);
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

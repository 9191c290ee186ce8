#include "ListFixture.h"
#include "controls/CCellEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QPalette>
#include <QScrollBar>
#include <QSignalSpy>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace tallimo::test {
namespace {

const QColor kWeekend(240, 240, 170);
const QColor kHighlight(10, 100, 200);

QColor base() {
    return QApplication::palette().color(QPalette::Active, QPalette::Base);
}

// A cell as drawn: its background and the pixels of its text, those that differ from it.
struct ShownCell {
    QColor background;
    QRect ink;
    QSet<QRgb> inkColours;
    bool bold = false;

    // Thin strokes are smoothed into the background, so the text's purest pixel comes near its
    // colour without reaching it.
    bool drawnIn(const QColor& colour) const {
        return std::any_of(inkColours.begin(), inkColours.end(), [&](QRgb pixel) {
            return std::abs(qRed(pixel) - colour.red()) + std::abs(qGreen(pixel) - colour.green()) +
                       std::abs(qBlue(pixel) - colour.blue()) <
                   100;
        });
    }
};

ShownCell shownCell(CCellListCtrl& list, int row, int column) {
    const QImage image = list.viewport()
                             ->grab(ListFixture::cellRect(list, row, column))
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    // The background shows right of the (short, left-aligned) text; the ink is looked for one
    // pixel in from the edges, clear of the grid lines.
    ShownCell shown{image.pixelColor(image.width() - 4, image.height() / 2), {}, {}, false};
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 1; x < image.width() - 1; ++x) {
            if (image.pixelColor(x, y) != shown.background) {
                shown.ink |= QRect(x, y, 1, 1);
                shown.inkColours.insert(image.pixel(x, y));
            }
        }
    }
    // Bold when the text's width is nearer to the bold than to the normal one.
    const QString text = list.model()->index(row, column).data().toString();
    QFont bold = list.font();
    bold.setBold(true);
    const int width = shown.ink.width();
    shown.bold = std::abs(width - QFontMetrics(bold).horizontalAdvance(text)) <
                 std::abs(width - QFontMetrics(list.font()).horizontalAdvance(text));
    return shown;
}

TEST(ListLook, RowsAndCellsShowTheColoursAndFontsOfTheirRecords) {
    ListFixture f;
    const int overtime = WorkColumn::Overtime;
    const struct {
        const char* what;
        int row, column;
        QColor background, text;
        bool bold;
    } cases[] = {
        {"weekday without overtime", ListFixture::kPlainDay, overtime, base(), Qt::black, false},
        {"weekend cell", ListFixture::kPositiveDay, WorkColumn::Weekday, kWeekend, Qt::black,
         false},
        {"overtime on a weekend", ListFixture::kPositiveDay, overtime, base(), Qt::blue, true},
        {"missing time on a weekend", ListFixture::kNegativeDay, overtime, base(), Qt::red, true},
        {"no overtime on a weekend", ListFixture::kZeroWeekend, overtime, kWeekend, Qt::black,
         false},
    };
    for (const auto& c : cases) {
        const ShownCell shown = shownCell(*f.work, c.row, c.column);
        EXPECT_EQ(shown.background, c.background) << c.what;
        EXPECT_TRUE(shown.drawnIn(c.text)) << c.what;
        EXPECT_EQ(shown.bold, c.bold) << c.what;
    }

    f.work->hide();
    f.squad->show();
    QApplication::processEvents();
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(shownCell(*f.squad, row, SquadColumn::Incident).background,
                  row % 2 == 1 ? QColor(255, 255, 232) : base())
            << "squad row " << row;
    }
    // The description fills the rest of the width.
    EXPECT_EQ(f.squad->columnViewportPosition(SquadColumn::Description) +
                  f.squad->columnWidth(SquadColumn::Description),
              f.squad->viewport()->width());
}

// A palette whose inactive highlight differs, so a paler look without focus would show.
struct HighlightPalette {
    HighlightPalette() {
        QPalette palette = saved;
        palette.setColor(QPalette::Active, QPalette::Highlight, kHighlight);
        palette.setColor(QPalette::Active, QPalette::HighlightedText, Qt::white);
        palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(200, 200, 200));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
        QApplication::setPalette(palette);
    }
    ~HighlightPalette() { QApplication::setPalette(saved); }
    const QPalette saved = QApplication::palette();
};

TEST(ListLook, SelectedRowsKeepTheHighlightAndBoldWithAndWithoutFocus) {
    const HighlightPalette palette;
    ListFixture f;
    const int row = ListFixture::kPositiveDay;
    QTest::mouseClick(f.work->viewport(), Qt::LeftButton, {},
                      ListFixture::inCell(*f.work, row, WorkColumn::Date));
    ASSERT_TRUE(f.view.work().isSelected(row));

    QWidget other;
    const auto check = [&](const char* when) {
        QApplication::processEvents();
        for (int column = 0; column < WorkColumn::Count; ++column) {
            EXPECT_EQ(shownCell(*f.work, row, column).background, kHighlight)
                << when << ", column " << column;
        }
        const ShownCell overtime = shownCell(*f.work, row, WorkColumn::Overtime);
        EXPECT_TRUE(overtime.drawnIn(Qt::white)) << when;
        EXPECT_TRUE(overtime.bold) << when;
    };
    check("with focus");
    f.work->clearFocus();
    check("without focus");
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    check("in an inactive window");
}

// The bounds of the hint's text and of the picture on an empty list.
struct EmptyLook {
    QRect hint;
    QRect picture;
};

EmptyLook emptyLook(CCellListCtrl& list) {
    const QImage image = list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int pictureTop = image.height() / 2 + 48;
    EmptyLook look;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != base()) {
                (y < pictureTop ? look.hint : look.picture) |= QRect(x, y, 1, 1);
            }
        }
    }
    return look;
}

TEST(ListLook, AnEmptyWorkListKeepsItsHintAndPictureCentredWhenResized) {
    ListFixture f(false, QSize(700, 400));
    f.window.resize(QSize(1000, 560));
    QApplication::processEvents();
    const QSize client = f.work->viewport()->size();
    const EmptyLook look = emptyLook(*f.work);
    EXPECT_NEAR(look.hint.center().x(), client.width() / 2, 2);
    EXPECT_NEAR(look.hint.center().y(), client.height() / 2, 2);
    // The 128 by 96 picture hangs below the centre.
    EXPECT_TRUE(
        QRect(client.width() / 2 - 64, client.height() / 2 + 48, 128, 96).contains(look.picture));

    f.view.work().InsertItem(0, "01.03.2006");
    QApplication::processEvents();
    EXPECT_TRUE(emptyLook(*f.work).picture.isNull());
}

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
        EXPECT_EQ(accepted.size(), c.expected == "old" ? 0 : 1) << c.how;
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

TEST(CellEdit, KeysGoToTheEditorWhileItIsOpenElseToTheWindow) {
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

// Instead of writing into another month.
TEST(CellEdit, ARefillWhileEditingDropsTheEdit) {
    ListFixture f;
    QSignalSpy accepted(f.work, &CCellListCtrl::editAccepted);
    editComment(f, "typed");
    f.view.view->loadSheet(f.view.view->storeSheet());
    QApplication::processEvents();
    EXPECT_EQ(f.work->cellEdit(), nullptr);
    EXPECT_EQ(accepted.size(), 0);
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

std::set<int> selectedInTable(const CellTable& table) {
    std::set<int> rows;
    for (int row = table.GetNextSelected(-1); row >= 0; row = table.GetNextSelected(row)) {
        rows.insert(row);
    }
    return rows;
}

std::set<int> selectedOnScreen(CCellListCtrl& list) {
    std::set<int> rows;
    for (const QModelIndex& index : list.selectionModel()->selectedRows()) {
        rows.insert(index.row());
    }
    return rows;
}

// Double and right clicks only tell the owner: no editor opens, and the selection stays.
TEST(ListMouse, ARightClickKeepsTheSelectionAndHitsTheCellUnderIt) {
    ListFixture f(true, QSize(1800, 800));
    QTest::mouseClick(f.work->viewport(), Qt::LeftButton, {}, ListFixture::inCell(*f.work, 2, 0));
    QSignalSpy doubleClicks(f.work, &CCellListCtrl::leftButtonDoubleClicked);
    QTest::mouseDClick(f.work->viewport(), Qt::LeftButton, {}, ListFixture::inCell(*f.work, 2, 4));
    EXPECT_EQ(doubleClicks.size(), 1);
    EXPECT_TRUE(f.work->findChildren<QLineEdit*>().isEmpty());

    QSignalSpy pressed(f.work, &CCellListCtrl::rightButtonPressed);
    QSignalSpy released(f.work, &CCellListCtrl::rightButtonReleased);
    const int boundary = f.work->columnViewportPosition(WorkColumn::Enter);
    const int rowY = ListFixture::inCell(*f.work, 5, 0).y();
    const int lastRowBottom = ListFixture::cellRect(*f.work, 30, 0).bottom();
    const struct {
        QPoint at;
        std::pair<int, int> hit;
    } cases[] = {
        {{boundary, rowY}, {5, WorkColumn::Weekday}},
        {{boundary + 1, rowY}, {5, WorkColumn::Enter}},
        {{boundary, lastRowBottom + 3}, {-1, 0}},
        {{f.work->horizontalHeader()->length() + 2, rowY}, {-1, 0}},
    };
    for (const auto& c : cases) {
        QTest::mousePress(f.work->viewport(), Qt::RightButton, {}, c.at);
        EXPECT_EQ(f.work->HitTestCell(), c.hit) << c.at.x() << "," << c.at.y();
        QTest::mouseRelease(f.work->viewport(), Qt::RightButton, {}, c.at);
        ASSERT_FALSE(released.isEmpty());
        EXPECT_EQ(released.takeLast()[0].toPoint(), f.work->viewport()->mapToGlobal(c.at));
    }
    EXPECT_EQ(pressed.size(), 4);
    EXPECT_EQ(selectedInTable(f.view.work()), (std::set<int>{2}));
}

// Enter hands the keyboard back to the list.
TEST(ListKeys, F2EditsTheCurrentCell) {
    ListFixture f;
    CellTable& table = f.view.work();
    QTest::mouseClick(f.work->viewport(), Qt::LeftButton, {}, ListFixture::inCell(*f.work, 0, 4));
    QTest::keyClick(f.work, Qt::Key_Right);
    QTest::keyClick(f.work, Qt::Key_F2);
    ASSERT_NE(f.work->cellEdit(), nullptr);
    QTest::keyClicks(f.work->cellEdit(), QStringLiteral("keyed"));
    QTest::keyClick(f.work->cellEdit(), Qt::Key_Return);
    EXPECT_EQ(table.itemText(0, WorkColumn::StandBy), "keyed");
    EXPECT_TRUE(f.work->hasFocus());
}

// Clicks reach the table's selection, which holds across changes; a command that chooses rows
// itself shows them once the window gets to it.
TEST(ListKeys, TheTablesSelectionAndTheScreensFollowEachOther) {
    ListFixture f;
    CellTable& table = f.view.work();
    for (const int row : {1, 3, 5}) {
        QTest::mouseClick(f.work->viewport(), Qt::LeftButton,
                          row == 1 ? Qt::NoModifier : Qt::ControlModifier,
                          ListFixture::inCell(*f.work, row, 0));
    }
    table.DeleteItem(2);
    EXPECT_EQ(selectedInTable(table), (std::set<int>{1, 2, 4}));
    EXPECT_EQ(selectedOnScreen(*f.work), selectedInTable(table));
    table.clearSelection();
    table.setSelected(7, true);
    table.setSelected(8, true);
    QApplication::processEvents();
    EXPECT_EQ(selectedOnScreen(*f.work), (std::set<int>{7, 8}));
}

} // namespace
} // namespace tallimo::test

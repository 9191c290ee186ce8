#include "ListFixture.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>
#include <gtest/gtest.h>
#include <optional>

namespace tallimo::test {
namespace {

const QColor kWeekend(240, 240, 170);
const QColor kCream(255, 255, 232);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

QColor base() {
    return QApplication::palette().color(QPalette::Active, QPalette::Base);
}

// A point of the cell that text never covers: right of its (short, left-aligned) text.
QColor plainColour(const QImage& image, const QRect& cell) {
    return image.pixelColor(cell.right() - 3, cell.center().y());
}

// The text drawn in a cell: the pixels that differ from its plain background.
struct Ink {
    QRect bounds;
    // Whether the text is drawn in that colour: thin strokes are smoothed into the background,
    // so the text's purest pixel comes near the colour without reaching it.
    bool drawnIn(const QColor& colour) const {
        return std::any_of(colours.begin(), colours.end(), [&](QRgb pixel) {
            return std::abs(qRed(pixel) - colour.red()) + std::abs(qGreen(pixel) - colour.green()) +
                       std::abs(qBlue(pixel) - colour.blue()) <
                   100;
        });
    }
    QSet<QRgb> colours;
};

Ink inkIn(const QImage& image, const QRect& cell) {
    const QColor background = plainColour(image, cell);
    Ink ink;
    // One pixel in from the edges, clear of the grid lines.
    for (int y = cell.top() + 1; y < cell.bottom(); ++y) {
        for (int x = cell.left() + 1; x < cell.right(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour != background) {
                ink.bounds |= QRect(x, y, 1, 1);
                ink.colours.insert(colour.rgb());
            }
        }
    }
    return ink;
}

// Whether a cell's text is drawn bold: its width is nearer to the bold than to the normal one.
bool drawnBold(const CCellListCtrl& list, const QImage& image, const QRect& cell,
               const QString& text) {
    QFont bold = list.font();
    bold.setBold(true);
    const int boldWidth = QFontMetrics(bold).horizontalAdvance(text);
    const int normalWidth = QFontMetrics(list.font()).horizontalAdvance(text);
    const int width = inkIn(image, cell).bounds.width();
    return std::abs(width - boldWidth) < std::abs(width - normalWidth);
}

QString shownText(CCellListCtrl& list, int row, int column) {
    return list.model()->index(row, column).data().toString();
}

struct CellCase {
    const char* what;
    int row;
    int column;
    QColor background;
    std::optional<QColor> text;
    bool bold;
};

TEST(ListLook, RowsAndCellsShowTheColoursAndFontsOfTheirRecords) {
    ListFixture f;
    const CellCase cases[] = {
        {"weekday cell", ListFixture::kPlainDay, WorkColumn::Comment, base(), {}, false},
        {"weekday without overtime", ListFixture::kPlainDay, WorkColumn::Overtime, base(), kBlack,
         false},
        {"weekend cell", ListFixture::kPositiveDay, WorkColumn::Comment, kWeekend, {}, false},
        {"overtime on a weekend", ListFixture::kPositiveDay, WorkColumn::Overtime, base(), kBlue,
         true},
        {"missing time on a weekend", ListFixture::kNegativeDay, WorkColumn::Overtime, base(), kRed,
         true},
        {"no overtime on a weekend", ListFixture::kZeroWeekend, WorkColumn::Overtime, kWeekend,
         kBlack, false},
    };
    const QImage image = ListFixture::shown(*f.work);
    for (const CellCase& c : cases) {
        const QRect cell = ListFixture::cellRect(*f.work, c.row, c.column);
        EXPECT_EQ(plainColour(image, cell), c.background) << c.what;
        if (c.text) {
            EXPECT_TRUE(inkIn(image, cell).drawnIn(*c.text)) << c.what;
            EXPECT_EQ(drawnBold(*f.work, image, cell, shownText(*f.work, c.row, c.column)), c.bold)
                << c.what;
        }
    }

    f.work->hide();
    f.squad->show();
    QApplication::processEvents();
    const QImage squad = ListFixture::shown(*f.squad);
    for (int row = 0; row < 4; ++row) {
        const QRect cell = ListFixture::cellRect(*f.squad, row, SquadColumn::Incident);
        EXPECT_EQ(plainColour(squad, cell), row % 2 == 1 ? kCream : base()) << "squad row " << row;
    }
    // The description fills the rest of the width.
    EXPECT_EQ(f.squad->columnViewportPosition(SquadColumn::Description) +
                  f.squad->columnWidth(SquadColumn::Description),
              f.squad->viewport()->width());
}

// A palette whose inactive highlight differs, so a paler look without focus would show.
class HighlightPalette {
public:
    HighlightPalette() : m_saved(QApplication::palette()) {
        QPalette palette = m_saved;
        palette.setColor(QPalette::Active, QPalette::Highlight, QColor(10, 100, 200));
        palette.setColor(QPalette::Active, QPalette::HighlightedText, QColor(255, 255, 255));
        palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(200, 200, 200));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText, QColor(0, 0, 0));
        QApplication::setPalette(palette);
    }
    ~HighlightPalette() { QApplication::setPalette(m_saved); }

private:
    QPalette m_saved;
};

TEST(ListLook, SelectedRowsKeepTheHighlightAndBoldWithAndWithoutFocus) {
    const HighlightPalette palette;
    ListFixture f;
    const int row = ListFixture::kPositiveDay;
    QTest::mouseClick(f.work->viewport(), Qt::LeftButton, {},
                      ListFixture::cellRect(*f.work, row, WorkColumn::Date).center());
    ASSERT_TRUE(f.view.work().isSelected(row));

    QWidget other;
    const auto check = [&](const char* when) {
        QApplication::processEvents();
        const QImage image = ListFixture::shown(*f.work);
        for (int column = 0; column < WorkColumn::Count; ++column) {
            EXPECT_EQ(plainColour(image, ListFixture::cellRect(*f.work, row, column)),
                      QColor(10, 100, 200))
                << when << ", column " << column;
        }
        const QRect overtime = ListFixture::cellRect(*f.work, row, WorkColumn::Overtime);
        EXPECT_TRUE(inkIn(image, overtime).drawnIn(QColor(255, 255, 255))) << when;
        EXPECT_TRUE(
            drawnBold(*f.work, image, overtime, shownText(*f.work, row, WorkColumn::Overtime)))
            << when;
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
    const QImage image = ListFixture::shown(list);
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
    QImage picture(QStringLiteral(":/lists/empty-list.png"));
    ASSERT_EQ(picture.size(), QSize(128, 96));
    QRect drawn;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(picture.pixel(x, y)) != 0) {
                drawn |= QRect(x, y, 1, 1);
            }
        }
    }

    for (const QSize size : {QSize(700, 400), QSize(1000, 560)}) {
        f.window.resize(size);
        QApplication::processEvents();
        const QSize client = f.work->viewport()->size();
        const EmptyLook look = emptyLook(*f.work);
        EXPECT_NEAR(look.hint.center().x(), client.width() / 2, 2) << size.width();
        EXPECT_NEAR(look.hint.center().y(), client.height() / 2, 2) << size.width();
        EXPECT_EQ(look.picture.topLeft(),
                  QPoint(client.width() / 2 - 64, client.height() / 2 + 48) + drawn.topLeft())
            << size.width();
    }

    f.view.work().InsertItem(0, "01.03.2006");
    QApplication::processEvents();
    const EmptyLook withRow = emptyLook(*f.work);
    EXPECT_TRUE(withRow.picture.isNull());
}

} // namespace
} // namespace tallimo::test

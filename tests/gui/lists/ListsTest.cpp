#include "ListFixture.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>
#include <gtest/gtest.h>

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
    for (const QSize size : {QSize(700, 400), QSize(1000, 560)}) {
        f.window.resize(size);
        QApplication::processEvents();
        const QSize client = f.work->viewport()->size();
        const EmptyLook look = emptyLook(*f.work);
        EXPECT_NEAR(look.hint.center().x(), client.width() / 2, 2) << size.width();
        EXPECT_NEAR(look.hint.center().y(), client.height() / 2, 2) << size.width();
        // The 128 by 96 picture hangs below the centre.
        EXPECT_TRUE(QRect(client.width() / 2 - 64, client.height() / 2 + 48, 128, 96)
                        .contains(look.picture))
            << size.width();
    }

    f.view.work().InsertItem(0, "01.03.2006");
    QApplication::processEvents();
    EXPECT_TRUE(emptyLook(*f.work).picture.isNull());
}

} // namespace
} // namespace tallimo::test

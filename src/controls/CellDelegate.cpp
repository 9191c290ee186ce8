#include "controls/CellDelegate.h"

#include "document/CellLook.h"

#include <QFont>
#include <QPalette>

namespace tallimo {
namespace {

QColor qColour(Colour colour) {
    const Rgb rgb = rgbOf(colour);
    return {rgb.red, rgb.green, rgb.blue};
}

FontStyle styleOf(const QFont& font) {
    return {static_cast<int>(font.weight()), font.italic(), font.underline(), font.strikeOut()};
}

void setTextColour(QPalette& palette, const QColor& colour) {
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Text, colour);
    }
}

} // namespace

CellDelegate::CellDelegate(const CellTable& table, QColor highlight, QColor highlightedText,
                           QObject* parent)
    : QStyledItemDelegate(parent), m_table(table), m_highlight(highlight),
      m_highlightedText(highlightedText) {}

void CellDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const int row = index.row();
    const CellLook look =
        resolveCellLook(m_table.cellAttributes(row, index.column()), m_table.rowAttributes(row),
                        (option->state & QStyle::State_Selected) != 0, styleOf(option->font));
    if (look.font) {
        option->font.setWeight(static_cast<QFont::Weight>(look.font->weight));
        option->font.setItalic(look.font->italic);
        option->font.setUnderline(look.font->underline);
        option->font.setStrikeOut(look.font->strikeOut);
        option->fontMetrics = QFontMetrics(option->font);
    }
    // Selected cells are painted as plain cells in the highlight colours, so the style never
    // shows its paler look for a list without focus.
    option->state &= ~QStyle::State_Selected;
    const std::string hint =
        m_hint && option->text.isEmpty() ? m_hint(row, index.column()) : std::string();
    if (!hint.empty()) {
        option->text = QString::fromStdString(hint);
        option->features |= QStyleOptionViewItem::HasDisplay;
        if (!look.highlighted) {
            setTextColour(option->palette, qColour(kHintColour));
        }
    }
    if (look.highlighted) {
        option->backgroundBrush = m_highlight;
        setTextColour(option->palette, m_highlightedText);
        return;
    }
    if (look.back) {
        option->backgroundBrush = qColour(*look.back);
    }
    if (look.text && hint.empty()) {
        setTextColour(option->palette, qColour(*look.text));
    }
}

} // namespace tallimo

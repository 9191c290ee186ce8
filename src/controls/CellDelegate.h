#pragma once

#include "document/CellTable.h"

#include <QColor>
#include <QStyledItemDelegate>
#include <functional>
#include <string>

namespace tallimo {

// Draws a cell in the look its records resolve to; the text itself is drawn as Qt does.
class CellDelegate final : public QStyledItemDelegate {
public:
    // The highlight colours are those of the list when it is made, with or without focus.
    CellDelegate(const CellTable& table, QColor highlight, QColor highlightedText,
                 QObject* parent = nullptr);

    // The text an empty cell shows greyed in its place (UTF-8), asked for each empty cell drawn.
    using Hint = std::function<std::string(int row, int column)>;
    void setHint(Hint hint) { m_hint = std::move(hint); }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const CellTable& m_table;
    QColor m_highlight;
    QColor m_highlightedText;
    Hint m_hint;
};

} // namespace tallimo

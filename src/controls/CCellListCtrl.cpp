#include "controls/CCellListCtrl.h"

#include "controls/CCellEdit.h"
#include "controls/CellDelegate.h"
#include "controls/CellTableModel.h"
#include "platform/Encoding.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <algorithm>

// Resources of a static library must be registered by name, outside any namespace.
static void initListResources() {
    Q_INIT_RESOURCE(lists);
}

namespace tallimo {
namespace {

const char* const kEmptyHint = "Please open or create a new document! You can use doubleclick to "
                               "open the last document.";
constexpr QSize kPictureSize(128, 96);

} // namespace

CCellListCtrl::CCellListCtrl(CellTable& table, std::span<const ColumnSpec> columns, QWidget* parent)
    : QTableView(parent), m_table(table), m_columns(columns),
      m_model(new CellTableModel(table, columns, this)) {
    initListResources();
    setModel(m_model);
    const QPalette colours = palette();
    setItemDelegate(new CellDelegate(table, colours.color(QPalette::Active, QPalette::Highlight),
                                     colours.color(QPalette::Active, QPalette::HighlightedText),
                                     this));
    setSelectionBehavior(SelectRows);
    setSelectionMode(ExtendedSelection);
    setEditTriggers(NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerItem);

    // Rows are all of one height, so a hundred thousand of them cost nothing to lay out.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    applyColumnWidths();
    fitRowHeight();

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CCellListCtrl::writeSelection);
    connect(m_model, &CellTableModel::tableSelectionChanged, this, [this] {
        // Someone else chose rows in the table: show them once, however many were set.
        if (!m_writingSelection && !m_selectionReadPending) {
            m_selectionReadPending = true;
            QMetaObject::invokeMethod(this, &CCellListCtrl::readSelection, Qt::QueuedConnection);
        }
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        cancelEditOfGoneRow();
        readSelection();
    });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &CCellListCtrl::cancelEditOfGoneRow);
    connect(header, &QHeaderView::sectionResized, this, [this](int section) {
        if (section != m_model->columnCount() - 1) {
            fitLastColumn();
        }
    });
}

CCellListCtrl::~CCellListCtrl() = default;

void CCellListCtrl::setCellHint(std::function<std::string(int row, int column)> hint) {
    static_cast<CellDelegate*>(itemDelegate())->setHint(std::move(hint));
    viewport()->update();
}

void CCellListCtrl::setEmptyPicture(bool on) {
    m_emptyPicture = on;
    if (on && m_picture.isNull()) {
        m_picture = QIcon(QStringLiteral(":/lists/empty-list.png"));
    }
    viewport()->update();
}

void CCellListCtrl::setLastColumnFills(bool on) {
    m_lastColumnFills = on;
    fitLastColumn();
}

std::pair<int, int> CCellListCtrl::HitTestCell() const {
    const int rows = m_table.rowCount();
    const int top = rowAt(0);
    if (top < 0) {
        return {-1, 0};
    }
    const int fit = viewport()->height() / std::max(rowHeight(top), 1);
    const int last = std::min(top + fit, rows - 1);
    const int columns = horizontalHeader()->count();
    const int left = -horizontalOffset();
    int width = 0;
    for (int column = 0; column < columns; ++column) {
        width += columnWidth(column);
    }
    for (int row = top; row <= last; ++row) {
        if (!QRect(left, rowViewportPosition(row), width, rowHeight(row)).contains(m_lastPress)) {
            continue;
        }
        // Both edges count, so the pixel between two columns belongs to the left one.
        int edge = left;
        for (int column = 0; column < columns; ++column) {
            const int columnWidth = this->columnWidth(column);
            if (edge <= m_lastPress.x() && m_lastPress.x() <= edge + columnWidth) {
                return {row, column};
            }
            edge += columnWidth;
        }
    }
    return {-1, 0};
}

bool CCellListCtrl::EditCell(int row, int column) {
    if (!m_table.hasRow(row) || column < 0 || column >= m_model->columnCount() ||
        columnWidth(column) < 5) {
        return false;
    }
    const int client = viewport()->width();
    // A partly visible row counts as visible.
    const int top = rowViewportPosition(row);
    if (top + rowHeight(row) <= 0 || top >= viewport()->height()) {
        const int fit = std::max(viewport()->height() / std::max(rowHeight(row), 1), 1);
        verticalScrollBar()->setValue(top < 0 ? row : row - fit + 1);
    }
    // A cell starting outside the client area is scrolled to its left edge, as far as it goes.
    const int start = columnViewportPosition(column);
    if (start < 0 || start > client) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + start);
    }
    const QRect cell = visualRect(m_model->index(row, column));
    const int left = columnViewportPosition(column) + 4;
    const int right = std::min(left + columnWidth(column) - 3, client);

    auto* editor = new CCellEdit(
        row, column, QString::fromStdString(windows1252ToUtf8(m_table.itemText(row, column))), this,
        viewport());
    editor->setGeometry(left, cell.top(), std::max(right - left, 0), cell.height());
    const QPersistentModelIndex edited(m_model->index(row, column));
    connect(editor, &CCellEdit::editEnded, this,
            [this, editor, edited](bool accepted) { endEdit(editor, edited, accepted); });
    m_editor = editor;
    m_editIndex = edited;
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
    editor->selectAll();
    return true;
}

CCellEdit* CCellListCtrl::cellEdit() const {
    return m_editor;
}

void CCellListCtrl::endEdit(CCellEdit* editor, const QPersistentModelIndex& cell, bool accepted) {
    if (m_editor == editor) {
        m_editor = nullptr;
        m_editIndex = QPersistentModelIndex();
    }
    // The edited row may have gone with a reload while the editor was open: nothing to write.
    if (!accepted || !cell.isValid()) {
        return;
    }
    const int row = cell.row();
    const int column = cell.column();
    m_table.SetItemText(row, column, utf8ToWindows1252(editor->text().toStdString()));
    emit editAccepted(row, column);
}

void CCellListCtrl::cancelEditOfGoneRow() {
    if (m_editor != nullptr && !m_editIndex.isValid()) {
        m_editor->cancel();
    }
}

void CCellListCtrl::writeSelection(const QItemSelection& selected,
                                   const QItemSelection& deselected) {
    if (m_writingSelection) {
        return;
    }
    const QScopedValueRollback writing(m_writingSelection, true);
    for (const QItemSelectionRange& range : deselected) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            m_table.setSelected(row, false);
        }
    }
    for (const QItemSelectionRange& range : selected) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            m_table.setSelected(row, true);
        }
    }
}

void CCellListCtrl::readSelection() {
    m_selectionReadPending = false;
    QItemSelection selection;
    const int lastColumn = m_model->columnCount() - 1;
    for (int first = m_table.GetNextSelected(-1); first >= 0;) {
        int last = first;
        while (m_table.isSelected(last + 1)) {
            ++last;
        }
        selection.select(m_model->index(first, 0), m_model->index(last, lastColumn));
        first = m_table.GetNextSelected(last);
    }
    const QScopedValueRollback writing(m_writingSelection, true);
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void CCellListCtrl::mousePressEvent(QMouseEvent* event) {
    switch (event->button()) {
    case Qt::LeftButton:
        QTableView::mousePressEvent(event);
        m_lastPress = event->position().toPoint();
        break;
    case Qt::RightButton:
        // No selection of its own: the owner decides what a right click means.
        m_lastPress = event->position().toPoint();
        emit rightButtonPressed();
        event->accept();
        break;
    default:
        event->ignore();
        break;
    }
}

void CCellListCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        emit rightButtonReleased(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}

void CCellListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit leftButtonDoubleClicked();
        event->accept();
        return;
    }
    // The second press of a quick right double click is still a right press.
    mousePressEvent(event);
}

void CCellListCtrl::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() != QContextMenuEvent::Keyboard) {
        return;
    }
    // The menu key acts as a right click on the current cell, so the context menu serves the
    // keyboard too.
    const QModelIndex current = currentIndex();
    const QPoint position = current.isValid() ? visualRect(current).center() : QPoint(-1, -1);
    m_lastPress = position;
    emit rightButtonPressed();
    emit rightButtonReleased(viewport()->mapToGlobal(current.isValid() ? position : QPoint()));
}

void CCellListCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F2 && (event->modifiers() & ~Qt::KeypadModifier) == 0) {
        const QModelIndex current = currentIndex();
        if (current.isValid()) {
            EditCell(current.row(), current.column());
        }
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

QModelIndex CCellListCtrl::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // Home and End go to the first and the last row, as in any list.
    const int rows = m_table.rowCount();
    if ((action == MoveHome || action == MoveEnd) && rows > 0) {
        const int column = currentIndex().isValid() ? currentIndex().column() : columnAt(0);
        return m_model->index(action == MoveHome ? 0 : rows - 1, std::max(column, 0));
    }
    return QTableView::moveCursor(action, modifiers);
}

void CCellListCtrl::paintEvent(QPaintEvent* event) {
    if (m_emptyPicture && m_table.rowCount() == 0) {
        paintEmptyPicture();
        return;
    }
    QTableView::paintEvent(event);
}

void CCellListCtrl::paintEmptyPicture() {
    QPainter painter(viewport());
    const QRect client = viewport()->rect();
    const int width = client.width();
    const int height = client.height();
    painter.drawPixmap(width / 2 - kPictureSize.width() / 2, height / 2 + kPictureSize.height() / 2,
                       m_picture.pixmap(kPictureSize, devicePixelRatioF()));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(client, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip,
                     QString::fromLatin1(kEmptyHint));
}

bool CCellListCtrl::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Resize) {
        fitLastColumn();
        if (m_emptyPicture && m_table.rowCount() == 0) {
            viewport()->update();
        }
    }
    return QTableView::viewportEvent(event);
}

void CCellListCtrl::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        applyColumnWidths();
        fitRowHeight();
    }
}

void CCellListCtrl::scrollContentsBy(int dx, int dy) {
    // Scrolling ends an open edit first, accepting it.
    if (m_editor != nullptr && (dx != 0 || dy != 0)) {
        m_editor->commit();
    }
    QTableView::scrollContentsBy(dx, dy);
}

void CCellListCtrl::applyColumnWidths() {
    // The widths are made for a font whose digits are 6 pixels wide; a wider font widens them
    // alike, so that a date or a time still fits its column.
    const double scale = std::max(1.0, fontMetrics().horizontalAdvance(QLatin1Char('0')) / 6.0);
    for (std::size_t column = 0; column < m_columns.size(); ++column) {
        setColumnWidth(static_cast<int>(column),
                       static_cast<int>(m_columns[column].width * scale + 0.5));
    }
    fitLastColumn();
}

void CCellListCtrl::fitRowHeight() {
    // Rows as high as a line edit in the list's font, so the in-place editor fits at any size.
    QLineEdit probe;
    probe.setFont(font());
    const int height = probe.minimumSizeHint().height();
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
}

void CCellListCtrl::fitLastColumn() {
    const int last = m_model->columnCount() - 1;
    if (!m_lastColumnFills || last < 0 || m_fitting) {
        return;
    }
    const QScopedValueRollback fitting(m_fitting, true);
    int others = 0;
    for (int column = 0; column < last; ++column) {
        others += columnWidth(column);
    }
    setColumnWidth(
        last, std::max(viewport()->width() - others, horizontalHeader()->sectionSizeHint(last)));
}

} // namespace tallimo

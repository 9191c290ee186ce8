#include "controls/CCellEdit.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace tallimo {
namespace {

Qt::KeyboardModifiers modifiersOf(const QKeyEvent& key) {
    return key.modifiers() & ~Qt::KeypadModifier;
}

bool isEditorKey(const QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return true;
    default:
        return modifiersOf(key).testFlag(Qt::ControlModifier);
    }
}

// The window's paste and undo keys, which are no Ctrl combinations.
bool isWindowKey(const QKeyEvent& key) {
    return (key.key() == Qt::Key_Insert && modifiersOf(key) == Qt::ShiftModifier) ||
           (key.key() == Qt::Key_Backspace && modifiersOf(key) == Qt::AltModifier);
}

} // namespace

CCellEdit::CCellEdit(int row, int column, const QString& text, QWidget* list, QWidget* parent)
    : QLineEdit(text, parent), m_row(row), m_column(column), m_list(list) {
    setFont(list->font());
    connect(this, &QLineEdit::textChanged, this, &CCellEdit::widenToText);
}

void CCellEdit::commit() {
    leave();
}

void CCellEdit::cancel() {
    m_cancelled = true;
    leave();
}

void CCellEdit::leave() {
    if (hasFocus()) {
        m_list->setFocus(Qt::OtherFocusReason);
    }
    // A hidden list cannot take the focus: end all the same.
    end();
}

bool CCellEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (isEditorKey(key)) {
            event->accept();
            return true;
        }
        if (isWindowKey(key)) {
            event->ignore();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CCellEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        cancel();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        commit();
        return;
    default:
        break;
    }
    if (!isWindowKey(*event)) {
        QLineEdit::keyPressEvent(event);
    }
    // Keys the line edit leaves alone (the arrows up and down) stay here instead of moving the
    // list under the editor.
    event->accept();
}

void CCellEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // The editor's own context menu takes the focus for a moment; the edit goes on.
    if (event->reason() != Qt::PopupFocusReason) {
        end();
    }
}

void CCellEdit::end() {
    if (m_ended) {
        return;
    }
    m_ended = true;
    hide();
    emit editEnded(!m_cancelled);
    deleteLater();
}

void CCellEdit::widenToText() {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int textArea = style()
                             ->subElementRect(QStyle::SE_LineEditContents, &option, this)
                             .marginsRemoved(textMargins())
                             .width();
    const int needed = fontMetrics().horizontalAdvance(text()) + 5;
    if (textArea >= needed || parentWidget() == nullptr) {
        return;
    }
    const int widest = parentWidget()->width() - x();
    const int width = std::min(this->width() + needed - textArea, widest);
    if (width > this->width()) {
        resize(width, height());
    }
}

} // namespace tallimo

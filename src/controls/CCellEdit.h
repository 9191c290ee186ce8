#pragma once

#include <QLineEdit>

namespace tallimo {

// The in-place editor of one cell. It ends when it loses the focus: Enter and a click or scroll
// elsewhere accept the text, Escape cancels. While it has the focus, Enter, Escape, Delete and
// every Ctrl combination are its own, never the window's shortcuts; Shift+Insert and
// Alt+Backspace stay the window's and never reach it.
class CCellEdit final : public QLineEdit {
    Q_OBJECT

public:
    // Placed by the caller inside `parent` (the list's client area); `list` takes the focus back.
    CCellEdit(int row, int column, const QString& text, QWidget* list, QWidget* parent);

    int row() const { return m_row; }
    int column() const { return m_column; }

    // Ends the edit accepting the text, as Enter does.
    void commit();
    // Ends the edit without accepting it, as Escape does.
    void cancel();

signals:
    // Sent once, when the edit ends; the editor then deletes itself.
    void editEnded(bool accepted);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Hands the focus back to the list, which ends the edit.
    void leave();
    void end();
    // Grows to the text's width + 5 in its text area, never past the parent's right edge.
    void widenToText();

    int m_row;
    int m_column;
    QWidget* m_list;
    bool m_cancelled = false;
    bool m_ended = false;
};

} // namespace tallimo

#pragma once

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDialog>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace tallimo::test {

// Shows a dialog as the active window, so that keys and focus behave as in a user's session.
inline void showActive(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

template <typename Widget>
Widget* part(const QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Tabs into a control and types, as a user does; letters beyond ASCII come as the keyboard sends
// them, with their text.
inline void typeInto(QWidget* control, const QString& text) {
    control->setFocus(Qt::TabFocusReason);
    for (const QChar letter : text) {
        if (letter.unicode() < 128) {
            QTest::keyClick(control, letter.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, control, Qt::Key_unknown, QString(letter), {});
        }
    }
}

// A key pressed wherever the keyboard focus is.
inline void press(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
}

// Opens a date picker's calendar with F4, presses keys on its days and lets the dialog see it
// close. The offscreen platform does not hand the activation back to the dialog afterwards, so
// further keys go to the picker itself.
inline void pickInCalendar(QDateEdit* picker, const std::vector<Qt::Key>& keys) {
    picker->setFocus(Qt::TabFocusReason);
    QTest::keyClick(picker, Qt::Key_F4);
    QCalendarWidget* calendar = picker->calendarWidget();
    ASSERT_TRUE(calendar->isVisible());
    auto* days = calendar->findChild<QTableView*>();
    ASSERT_NE(days, nullptr);
    for (const Qt::Key key : keys) {
        QTest::keyClick(days, key);
    }
    EXPECT_FALSE(calendar->isVisible());
    QCoreApplication::processEvents();
}

} // namespace tallimo::test

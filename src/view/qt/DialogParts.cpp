#include "view/qt/DialogParts.h"

#include "platform/Encoding.h"

#include <QBoxLayout>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTimeEdit>
#include <algorithm>

namespace tallimo {
namespace {

// The days whose every local hour a time sheet can hold (its instants lie in 1970 to 2106).
const QDate kFirstDay(1970, 1, 2);
const QDate kLastDay(2106, 2, 6);

// Keys as people type into a picker: Tab leaves it instead of stepping through its fields (the
// arrow keys still do), and a separator typed right after a field filled up and moved on to the
// next one is not taken as a second move, so "07:30:00" reads as typed.
template <typename Picker>
class KeyboardPicker : public Picker {
public:
    using Picker::Picker;

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
            if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                QWidget::focusNextPrevChild(key->key() == Qt::Key_Tab &&
                                            !(key->modifiers() & Qt::ShiftModifier));
                return true;
            }
        }
        return Picker::event(event);
    }

    void keyPressEvent(QKeyEvent* event) override {
        const QString text = event->text();
        const bool separator = text.size() == 1 && !text[0].isLetterOrNumber();
        if (separator && m_movedOn) {
            m_movedOn = false;
            event->accept();
            return;
        }
        const int section = this->currentSectionIndex();
        Picker::keyPressEvent(event);
        if (isModifier(event->key())) {
            return;
        }
        m_movedOn = text.size() == 1 && text[0].isDigit() && this->currentSectionIndex() != section;
    }

private:
    static bool isModifier(int key) {
        return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
               key == Qt::Key_AltGr || key == Qt::Key_Meta;
    }

    bool m_movedOn = false;
};

using TimePicker = KeyboardPicker<QTimeEdit>;

// The calendar opens from the keyboard too (F4 or Alt+Down), may align its right edge with the
// picker's, and reports when it has closed.
class DatePicker final : public KeyboardPicker<QDateEdit> {
public:
    using KeyboardPicker::KeyboardPicker;

    void watchCalendar() {
        m_popup = calendarWidget()->window();
        m_popup->installEventFilter(this);
    }

    std::function<void()> closed;
    bool alignRight = false;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_F4 ||
            (event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier)) {
            openCalendar();
            return;
        }
        KeyboardPicker::keyPressEvent(event);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_popup && event->type() == QEvent::Show && alignRight) {
            moveCalendar(mapToGlobal(QPoint(width(), 0)).x() - m_popup->width());
        } else if (watched == m_popup && event->type() == QEvent::Hide && closed) {
            // The picker takes the calendar's date (or restores its own) only after the popup
            // has handled its hiding.
            QMetaObject::invokeMethod(this, closed, Qt::QueuedConnection);
        }
        return QDateEdit::eventFilter(watched, event);
    }

private:
    void openCalendar() {
        if (isReadOnly()) {
            return;
        }
        // Setting the range again hands the picker's date to the calendar, as the arrow does.
        setDateRange(minimumDate(), maximumDate());
        m_popup->adjustSize();
        moveCalendar(mapToGlobal(QPoint(0, 0)).x());
        m_popup->show();
    }

    // Below the picker, or above it where the screen ends, and never off the screen's side.
    void moveCalendar(int x) {
        const QPoint top = mapToGlobal(QPoint(0, 0));
        QPoint position(x, top.y() + height());
        if (const QScreen* shown = screen()) {
            const QRect area = shown->availableGeometry();
            position.setX(std::clamp(position.x(), area.left(),
                                     std::max(area.left(), area.right() - m_popup->width())));
            if (position.y() + m_popup->height() > area.bottom()) {
                position.setY(std::max(area.top(), top.y() - m_popup->height()));
            }
        }
        m_popup->move(position);
    }

    QWidget* m_popup = nullptr;
};

} // namespace

QString qtText(std::string_view bytes) {
    return QString::fromStdString(windows1252ToUtf8(bytes));
}

std::string programText(const QString& text) {
    return utf8ToWindows1252(text.toStdString());
}

QDate localDate(Instant instant) {
    const LocalFields fields = splitLocal(instant);
    return QDate(fields.year, fields.month, fields.day);
}

QTime localTime(Instant instant) {
    const LocalFields fields = splitLocal(instant);
    return QTime(fields.hour, fields.minute, fields.second);
}

Instant withLocalDate(Instant instant, QDate date) {
    if (localDate(instant) == date) {
        return instant;
    }
    const LocalFields fields = splitLocal(instant);
    const auto moved = makeLocalInstant(date.year(), date.month(), date.day(), fields.hour,
                                        fields.minute, fields.second);
    if (moved && localDate(*moved) == date) {
        return *moved;
    }
    // A clock change swallowed that time of the day; noon is on every day.
    return makeLocalInstant(date.year(), date.month(), date.day(), 12, 0, 0).value_or(instant);
}

Instant withLocalTime(Instant instant, QTime time) {
    const LocalFields fields = splitLocal(instant);
    const QTime wanted(time.hour(), time.minute(), time.second());
    if (localTime(instant) == wanted) {
        return instant;
    }
    for (const int dayBefore : {0, 1}) {
        const auto moved = makeLocalInstant(fields.year, fields.month, fields.day - dayBefore,
                                            time.hour(), time.minute(), time.second());
        if (moved && localTime(*moved) == wanted) {
            return *moved;
        }
    }
    return instant;
}

QDateEdit* makeDatePicker(QWidget* parent) {
    auto* picker = new DatePicker(parent);
    // The picker's own date-time stays in UTC, where every day has a midnight.
    picker->setTimeSpec(Qt::UTC);
    picker->setDateRange(kFirstDay, kLastDay);
    picker->setDisplayFormat(picker->locale().dateFormat(QLocale::LongFormat));
    picker->setCalendarPopup(true);
    picker->watchCalendar();
    // Qt sizes the picker for its first and last day only; names of months and weekdays vary.
    picker->ensurePolished();
    const QFontMetrics metrics = picker->fontMetrics();
    const auto width = [&](QDate day) {
        return metrics.horizontalAdvance(picker->locale().toString(day, picker->displayFormat()));
    };
    int widest = std::max(width(kFirstDay), width(kLastDay));
    const int sized = widest;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 22; day <= 28; ++day) {
            widest = std::max(widest, width(QDate(2006, month, day)));
        }
    }
    picker->setMinimumWidth(picker->sizeHint().width() + widest - sized);
    return picker;
}

QTimeEdit* makeTimePicker(QWidget* parent) {
    auto* picker = new TimePicker(parent);
    picker->setTimeSpec(Qt::UTC);
    picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    return picker;
}

void onCalendarClosed(QDateEdit* picker, std::function<void()> closed) {
    static_cast<DatePicker*>(picker)->closed = std::move(closed);
}

void alignCalendarRight(QDateEdit* picker) {
    static_cast<DatePicker*>(picker)->alignRight = true;
}

DialogButtons addOkCancel(QDialog* dialog, QBoxLayout* layout) {
    DialogButtons buttons{new QPushButton(QStringLiteral("OK"), dialog),
                          new QPushButton(QStringLiteral("Abbrechen"), dialog)};
    buttons.ok->setObjectName(QStringLiteral("ok"));
    buttons.cancel->setObjectName(QStringLiteral("cancel"));
    buttons.ok->setDefault(true);
    QObject::connect(buttons.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(buttons.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    layout->addWidget(buttons.ok);
    layout->addWidget(buttons.cancel);
    return buttons;
}

} // namespace tallimo

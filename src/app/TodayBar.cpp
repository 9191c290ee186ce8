#include "app/TodayBar.h"

#include "platform/Clock.h"
#include "platform/Encoding.h"
#include "view/TodayLine.h"

#include <QEvent>
#include <QLabel>
#include <QWidget>

namespace tallimo {

TodayBar::TodayBar(CTagrolView& view, Clock& clock, QLabel& label, QWidget& window)
    : QObject(&window), m_view(view), m_clock(clock), m_label(label), m_window(window) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &TodayBar::follow);
    window.installEventFilter(this);
    follow();
}

void TodayBar::refresh() {
    m_label.setText(QString::fromStdString(windows1252ToUtf8(todayLine(m_view, m_clock.now()))));
}

void TodayBar::follow() {
    if (!m_window.isVisible() || m_window.isMinimized()) {
        m_timer.stop();
        return;
    }
    refresh();
    // Just after the next minute begins, when the line's minutes change.
    const long long second = m_clock.now() % 60;
    m_timer.start(static_cast<int>((60 - second) * 1000 + 50));
}

bool TodayBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && (event->type() == QEvent::Show || event->type() == QEvent::Hide ||
                                 event->type() == QEvent::WindowStateChange)) {
        // After the event has changed the window's state.
        QTimer::singleShot(0, this, &TodayBar::follow);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tallimo

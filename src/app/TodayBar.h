#pragma once

#include <QObject>
#include <QTimer>

class QLabel;
class QWidget;

namespace tallimo {

class Clock;
class CTagrolView;

// The today line in the tool bar's second band. It follows every command and the clock: a timer
// fires on each new minute, but only while the window is shown and not minimised.
class TodayBar final : public QObject {
    Q_OBJECT

public:
    TodayBar(CTagrolView& view, Clock& clock, QLabel& label, QWidget& window);

    void refresh();
    bool isTicking() const { return m_timer.isActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();

    CTagrolView& m_view;
    Clock& m_clock;
    QLabel& m_label;
    QWidget& m_window;
    QTimer m_timer;
};

} // namespace tallimo

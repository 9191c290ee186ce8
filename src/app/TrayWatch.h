#pragma once

#include <QObject>

struct _XDisplay;

namespace tallimo {

// Waits, without polling, for a notification area that was missing at the start: a
// StatusNotifierWatcher registered on the session bus, or an X tray manager taking its selection
// (it announces that with a MANAGER message to the root window).
class TrayWatch final : public QObject {
    Q_OBJECT

public:
    explicit TrayWatch(QObject* parent);
    ~TrayWatch() override;

signals:
    // Something that may be a notification area appeared; whether it is, is asked again.
    void mayHaveAppeared();

private:
    void watchX11();
    void readX11();

    _XDisplay* m_display = nullptr;
    unsigned long m_manager = 0;
    unsigned long m_selection = 0;
};

} // namespace tallimo

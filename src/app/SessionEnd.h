#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace tallimo {

class CTagrolDoc;

// Keeps unsaved changes when the session or a signal ends the program. SIGTERM, SIGHUP and SIGINT
// (logout, shutdown, `systemctl --user stop`, Ctrl+C) write a recovery copy beside the month and
// then end the program; the session manager's request to save asks as closing does where the
// user may be asked, and otherwise keeps the copy too.
class SessionEnd final : public QObject {
    Q_OBJECT

public:
    SessionEnd(CTagrolDoc& document, QObject* parent);
    ~SessionEnd() override;

    // Ends the program once the copy was kept.
    std::function<void()> quit;
    // Called first when the session ends (SIGTERM, SIGHUP, the session manager), to write what
    // must be in the month before it is kept.
    std::function<void()> departing;

    // The session manager asks to save; false when the session's end must be cancelled (the
    // user's save failed).
    bool commitData(bool mayInteract);

private:
    void onSignal();

    CTagrolDoc& m_document;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace tallimo

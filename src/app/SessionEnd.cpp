#include "app/SessionEnd.h"

#include "document/CTagrolDoc.h"

#include <QSocketNotifier>
#include <algorithm>
#include <array>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tallimo {
namespace {

constexpr std::array kSignals = {SIGTERM, SIGHUP, SIGINT};

// A signal handler may do next to nothing: it wakes the event loop through this pipe.
int g_pipe[2] = {-1, -1};

extern "C" void wakeOnSignal(int signal) {
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

SessionEnd::SessionEnd(CTagrolDoc& document, QObject* parent)
    : QObject(parent), m_document(document) {
    if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SessionEnd::onSignal);
    struct sigaction action {};
    action.sa_handler = wakeOnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

SessionEnd::~SessionEnd() {
    for (const int signal : kSignals) {
        ::signal(signal, SIG_DFL);
    }
}

void SessionEnd::onSignal() {
    // The session's end (SIGTERM, SIGHUP) is a departure; Ctrl+C in a terminal is not.
    bool sessionEnds = false;
    char bytes[16];
    for (ssize_t got; (got = ::read(g_pipe[0], bytes, sizeof bytes)) > 0;) {
        sessionEnds = sessionEnds || std::any_of(bytes, bytes + got, [](char byte) {
                          return byte == SIGTERM || byte == SIGHUP;
                      });
    }
    if (departing && sessionEnds) {
        departing();
    }
    // A copy that cannot be written leaves nothing better to do than to end as asked.
    m_document.keepRecoveryCopy();
    if (quit) {
        quit();
    }
}

bool SessionEnd::commitData(bool mayInteract) {
    if (departing) {
        departing();
    }
    if (!m_document.isModified()) {
        return true;
    }
    if (mayInteract) {
        return m_document.CanCloseFrame();
    }
    m_document.keepRecoveryCopy();
    return true;
}

} // namespace tallimo

#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <optional>

namespace tallimo {
namespace {

const QByteArray kAnswer = "ok\n";
// A path is longer than PATH_MAX only by mistake.
constexpr qint64 kMaxMessage = 64 * 1024;

// The message: the path's length in decimal, a line break, then the path's bytes.
QByteArray messageOf(const QByteArray& file) {
    return QByteArray::number(file.size()) + '\n' + file;
}

// The path of a whole message; empty when more is to come; nothing when it cannot be one.
std::optional<QByteArray> pathOf(const QByteArray& message, bool& whole) {
    whole = false;
    const qsizetype end = message.indexOf('\n');
    if (end < 0) {
        return message.size() <= 20 ? std::optional(QByteArray()) : std::nullopt;
    }
    bool number = false;
    const qint64 length = message.left(end).toLongLong(&number);
    if (!number || length < 0 || length > kMaxMessage) {
        return std::nullopt;
    }
    if (message.size() - end - 1 < length) {
        return QByteArray();
    }
    whole = true;
    return message.mid(end + 1, length);
}

} // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent)
    : QObject(parent), m_socketPath(QDir(folder).filePath(QStringLiteral("tallimo.socket"))),
      m_lock(QDir(folder).filePath(QStringLiteral("tallimo.lock"))) {
    // A lock is stale only when its process is gone, however long a Tallimo runs.
    m_lock.setStaleLockTime(0);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::accept);
}

QString SingleInstance::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

bool SingleInstance::claim() {
    if (!m_lock.tryLock(0)) {
        return false;
    }
    // A socket left by a Tallimo that ended abnormally is ours to replace.
    QLocalServer::removeServer(m_socketPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(m_socketPath);
    return true;
}

bool SingleInstance::handOver(const QByteArray& file, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    // The first Tallimo may hold the lock and not listen yet while it starts.
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(250)) {
            socket.write(messageOf(file));
            socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
            QByteArray answer;
            while (!answer.endsWith('\n') &&
                   socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
                answer += socket.readAll();
            }
            return answer == kAnswer;
        }
        QThread::msleep(100);
    }
    return false;
}

void SingleInstance::accept() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // The message stays in the socket until it is whole.
            bool whole = false;
            const auto file = pathOf(socket->peek(socket->bytesAvailable()), whole);
            if (!file) {
                socket->abort();
                return;
            }
            if (!whole) {
                return;
            }
            socket->readAll();
            socket->write(kAnswer);
            socket->flush();
            socket->disconnectFromServer();
            // Opening may ask the user; the second start has its answer already.
            QTimer::singleShot(0, this, [this, path = *file] { emit handedOver(path); });
        });
    }
}

} // namespace tallimo

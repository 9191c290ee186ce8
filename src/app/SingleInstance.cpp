#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

namespace tallimo {
namespace {

const QByteArray kAnswer = "ok\n";
constexpr int kMaxMessage = 64 * 1024;

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

bool SingleInstance::handOver(const QString& file, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    // The first Tallimo may hold the lock and not listen yet while it starts.
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(250)) {
            socket.write(file.toUtf8() + '\n');
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
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxMessage) {
                    socket->abort();
                }
                return;
            }
            const QString file = QString::fromUtf8(socket->readLine()).chopped(1);
            socket->write(kAnswer);
            socket->flush();
            socket->disconnectFromServer();
            // Opening may ask the user; the second start has its answer already.
            QTimer::singleShot(0, this, [this, file] { emit handedOver(file); });
        });
    }
}

} // namespace tallimo

#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace tallimo {

// One Tallimo per user: the first start holds a lock file and listens on a socket, both in the
// user's runtime folder; a later start hands its FILE (or nothing) to the first and ends, so two
// windows never overwrite each other's saves.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(const QString& folder, QObject* parent = nullptr);

    // True when this process is the first one: it now holds the lock and listens.
    bool claim();
    // Hands the file (an absolute path's bytes, or empty) to the running instance; false when it
    // did not answer in time. The bytes go as they are, so that any name a file may have (a line
    // break in it, no UTF-8) opens that file and no other.
    bool handOver(const QByteArray& file, int timeoutMs = 5000);

    // The folder that holds the lock and the socket: the runtime folder.
    static QString defaultFolder();

signals:
    // A later start asked to be shown, with the file it was given (empty for none).
    void handedOver(const QByteArray& file);

private:
    void accept();

    QString m_socketPath;
    QLockFile m_lock;
    QLocalServer m_server;
};

} // namespace tallimo

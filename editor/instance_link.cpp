// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/instance_link.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace qr {

namespace {
constexpr int kTimeoutMs = 3000;
// A command line is small; anything longer is not from a copy of ours.
constexpr qint64 kMaxMessage = 64 * 1024;
} // namespace

QString TInstanceLink::ServerName(const QString& lockFolder) {
    return lockFolder + QStringLiteral("/QUARRY32.socket");
}

bool TInstanceLink::SendToRunning(const QString& serverName, const QStringList& arguments) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(kTimeoutMs)) return false;
    socket.write(arguments.join(QLatin1Char('\n')).toUtf8() + '\n');
    const bool ok = socket.waitForBytesWritten(kTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kTimeoutMs);
    return ok;
}

TInstanceLink::TInstanceLink(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            auto* buffer = new QByteArray;
            connect(s, &QLocalSocket::readyRead, s, [s, buffer] {
                buffer->append(s->readAll());
                if (buffer->size() > kMaxMessage) s->abort();
            });
            connect(s, &QLocalSocket::disconnected, this, [this, s, buffer] {
                buffer->append(s->readAll());
                QStringList args;
                if (buffer->size() <= kMaxMessage)
                    for (const QByteArray& line : buffer->split('\n'))
                        if (!line.isEmpty()) args << QString::fromUtf8(line);
                delete buffer;
                s->deleteLater();
                emit ArgumentsReceived(args);
            });
        }
    });
}

bool TInstanceLink::Listen(const QString& serverName) {
    QLocalServer::removeServer(serverName);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    return server_->listen(serverName);
}

} // namespace qr

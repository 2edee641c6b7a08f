// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hand-over between a second copy of the editor and the running one. The running
// copy holds the platform's single-instance lock and listens on a local socket beside
// it; a second copy sends its command line there (one argument a line, files made
// absolute because the two copies may have different working folders) and ends. The
// running copy raises its window and opens a file named there.
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace qr {

class TInstanceLink : public QObject {
    Q_OBJECT
  public:
    // The socket's path for a lock folder.
    static QString ServerName(const QString& lockFolder);
    // Second copy: hands the arguments over; false when nobody answered.
    static bool SendToRunning(const QString& serverName, const QStringList& arguments);

    explicit TInstanceLink(QObject* parent = nullptr);
    // Running copy: starts listening (the caller holds the lock, so a socket file left by
    // a crashed copy can be replaced).
    bool Listen(const QString& serverName);

  signals:
    void ArgumentsReceived(const QStringList& arguments);

  private:
    QLocalServer* server_;
};

} // namespace qr

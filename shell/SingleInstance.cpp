#include "shell/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

#include "base/LogCategories.h"

namespace sumberlaras {

SingleInstance::SingleInstance(const QString& dataRoot) {
    QDir().mkpath(dataRoot);
    // The socket's name stands for the data folder: one program per folder.
    name_ = QStringLiteral("sumberlaras-") +
            QString::fromLatin1(QCryptographicHash::hash(QDir(dataRoot).absolutePath().toUtf8(),
                                                         QCryptographicHash::Sha256)
                                    .toHex()
                                    .left(24));
    lock_ =
        std::make_unique<QLockFile>(QDir(dataRoot).filePath(QStringLiteral("Sumberlaras.lock")));
    // Held as long as the program runs: only a dead holder makes it stale.
    lock_->setStaleLockTime(0);
    first_ = lock_->tryLock(0);
    if (!first_)
        return;
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(name_); // a socket file a crash left behind
    if (!server_->listen(name_)) {
        qCWarning(lcShell) << "cannot listen for a second start:" << server_->errorString();
        return;
    }
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
        while (QLocalSocket* knock = server_->nextPendingConnection()) {
            QObject::connect(knock, &QLocalSocket::disconnected, knock, &QObject::deleteLater);
            if (show_)
                show_();
        }
    });
}

SingleInstance::~SingleInstance() {
    if (server_)
        server_->close();
}

void SingleInstance::onShowRequested(std::function<void()> show) {
    show_ = std::move(show);
}

bool SingleInstance::askFirstToShow() const {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(2000))
        return false;
    socket.write("show\n");
    const bool written = socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    return written;
}

} // namespace sumberlaras

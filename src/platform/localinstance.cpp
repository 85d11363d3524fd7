#include "platform/localinstance.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace platform {

namespace {
constexpr char Request[] = "raise\n";
constexpr int ConnectMs = 1000;
} // namespace

LocalInstance::LocalInstance(const QString &programFolder, const QString &name, QObject *parent)
    : QObject(parent), LockFileInstance(programFolder, name),
      // the socket lies in the user's own runtime folder: another user's
      // trainer can neither take its name nor leave a stale one in the way
      m_serverName(runtimeFolder() + u'/' + name + u'-' + folderKey(programFolder) +
                   QStringLiteral(".socket")) {}

LocalInstance::~LocalInstance() = default;

bool LocalInstance::listening() const {
    return m_server && m_server->isListening();
}

bool LocalInstance::acquire() {
    if (!LockFileInstance::acquire())
        return false;
    if (m_server)
        return true;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // the lock is ours, so a socket left by a crashed run is nobody's
    QLocalServer::removeServer(m_serverName);
    m_server->listen(m_serverName);
    connect(m_server, &QLocalServer::newConnection, this, &LocalInstance::answer);
    return true;
}

void LocalInstance::answer() {
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto read = [this, socket] {
            if (!socket->canReadLine())
                return;
            const QByteArray line = socket->readLine(64);
            socket->disconnectFromServer();
            if (line != Request)
                return;
            if (m_handler)
                m_handler();
            Q_EMIT called();
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        read(); // the request may be in already
    }
}

bool LocalInstance::callRunning() {
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(ConnectMs))
        return false;
    socket.write(Request);
    const bool sent = socket.waitForBytesWritten(ConnectMs) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    return sent;
}

} // namespace platform

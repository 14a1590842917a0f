#include "startup/InstanceWaker.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

const QByteArray kWake = "raise\n";

} // namespace

InstanceWaker::InstanceWaker(QString key, QObject* parent) : QObject(parent), m_key(std::move(key)) {}

InstanceWaker::~InstanceWaker() = default;

QString InstanceWaker::KeyFor(const QString& programFile, const QString& user)
{
    const QByteArray digest = QCryptographicHash::hash((programFile + u'\n' + user).toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("selvara-") + QString::fromLatin1(digest.toHex().left(16));
}

bool InstanceWaker::listen(std::function<void()> onWake)
{
    m_onWake = std::move(onWake);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a program that crashed would refuse the name.
    QLocalServer::removeServer(m_key);
    if (!m_server->listen(m_key))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().startsWith(kWake.trimmed()) && m_onWake)
                    m_onWake();
                socket->disconnectFromServer();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return true;
}

bool InstanceWaker::wake(int timeoutMs) const
{
    QLocalSocket socket;
    socket.connectToServer(m_key);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kWake);
    const bool sent = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return sent;
}

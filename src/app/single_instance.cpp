#include "app/single_instance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace ondrix {

QString CSingleInstance::DefaultName() {
    return NameFor(::getuid(), qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"));
}

QString CSingleInstance::NameFor(uint32_t user, QString display, const QString& waylandDisplay) {
    if (display.isEmpty()) {
        display = waylandDisplay;
    }
    // ":0" and ":0.1" are one X server: the screen number does not make another session
    const qsizetype colon = display.lastIndexOf(QLatin1Char(':'));
    const qsizetype dot = display.indexOf(QLatin1Char('.'), colon + 1);
    if (colon >= 0 && dot > colon) {
        display.truncate(dot);
    }
    QString name = QStringLiteral("ondrix-editor-%1").arg(user);
    if (!display.isEmpty()) {
        for (QChar& c : display) {
            if (!c.isLetterOrNumber()) {
                c = QLatin1Char('_');
            }
        }
        name += QLatin1Char('-') + display;
    }
    return name;
}

CSingleInstance::CSingleInstance(QString name) : m_name(std::move(name)) {}

CSingleInstance::~CSingleInstance() {
    if (m_server) {
        m_server->close();
    }
}

bool CSingleInstance::SendToRunning(const QString& commandLine, int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs)) {
        return false;
    }
    socket.write(commandLine.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(timeoutMs);
    }
    return true;
}

bool CSingleInstance::Listen() {
    if (m_server) {
        return m_server->isListening();
    }
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // nobody answered (the caller asked first): the socket is a leftover of a crashed run
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name)) {
            return false;
        }
    }
    connect(m_server, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    return true;
}

bool CSingleInstance::IsListening() const {
    return m_server && m_server->isListening();
}

void CSingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto* buffer = new QByteArray;
        const auto deliver = [this, socket, buffer] {
            buffer->append(socket->readAll());
            qsizetype end;
            while ((end = buffer->indexOf('\n')) >= 0) {
                const QString line = QString::fromUtf8(buffer->left(end));
                buffer->remove(0, end + 1);
                emit commandLineReceived(line);
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, deliver);
        connect(socket, &QObject::destroyed, this, [buffer] { delete buffer; });
        if (socket->bytesAvailable() > 0) {
            deliver();
        }
    }
}

} // namespace ondrix

#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

class QLocalServer;

namespace ondrix {

/// Keeps the program to one instance per user and display: the first instance listens on a local socket; a
/// later one hands its command line over and ends.
class CSingleInstance final : public QObject {
    Q_OBJECT
public:
    /// The socket name for the current user on the current display.
    static QString DefaultName();
    /// The socket name for a user on a display (an X display, else a Wayland one; both empty: none), so
    /// that an editor started on another display is an editor of its own.
    static QString NameFor(uint32_t user, QString display, const QString& waylandDisplay);

    /// An instance guard using a socket name.
    explicit CSingleInstance(QString name = DefaultName());
    ~CSingleInstance() override;

    /// Hands a command line (possibly empty) to a running instance; false when none answers.
    bool SendToRunning(const QString& commandLine, int timeoutMs = 1000) const;
    /// Starts listening as the running instance (a socket left behind by a crash is replaced).
    bool Listen();
    /// Whether this instance listens.
    bool IsListening() const;

signals:
    /// Another instance handed over its command line.
    void commandLineReceived(const QString& commandLine);

private:
    /// Reads the command lines of a new connection.
    void OnNewConnection();

    QString m_name;
    QLocalServer* m_server = nullptr;
};

} // namespace ondrix

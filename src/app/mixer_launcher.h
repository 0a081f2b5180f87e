#pragma once

#include <QObject>
#include <QString>

class QProcess;

namespace ondrix {

/// Starts and closes the system's mixer program ("&Mixer"): the first installed of pavucontrol and its
/// relatives. Without one the command stays disabled.
class CMixerLauncher final : public QObject {
    Q_OBJECT
public:
    CMixerLauncher();
    ~CMixerLauncher() override;

    /// The mixer program found on the path; empty when none is installed.
    const QString& Program() const noexcept { return m_program; }
    /// Whether a mixer program is installed.
    bool IsAvailable() const noexcept { return !m_program.isEmpty(); }
    /// Whether the mixer this launcher started still runs.
    bool IsRunning() const;
    /// Starts the mixer, or closes it when it runs.
    void Toggle();
    /// Closes the mixer when this launcher started it.
    void Close();
    /// Uses another program (tests); an empty name makes the mixer unavailable.
    void SetProgram(const QString& program) { m_program = program; }

private:
    QString m_program;
    QProcess* m_process = nullptr;
};

} // namespace ondrix

#include "app/mixer_launcher.h"

#include <QProcess>
#include <QStandardPaths>

namespace ondrix {

namespace {

constexpr int kCloseWaitMs = 2000;

QString FindMixer() {
    for (const char* name :
         {"pavucontrol", "pavucontrol-qt", "pwvucontrol", "mate-volume-control", "kmix", "xfce4-mixer"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) {
            return path;
        }
    }
    return {};
}

} // namespace

CMixerLauncher::CMixerLauncher() : m_program(FindMixer()) {}

CMixerLauncher::~CMixerLauncher() {
    Close();
}

bool CMixerLauncher::IsRunning() const {
    return m_process && m_process->state() != QProcess::NotRunning;
}

void CMixerLauncher::Toggle() {
    if (IsRunning()) {
        Close();
        return;
    }
    if (m_program.isEmpty()) {
        return;
    }
    delete m_process;
    m_process = new QProcess(this);
    m_process->setProgram(m_program);
    m_process->start();
}

void CMixerLauncher::Close() {
    if (!m_process) {
        return;
    }
    if (m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(kCloseWaitMs)) {
            m_process->kill();
            m_process->waitForFinished(kCloseWaitMs);
        }
    }
    delete m_process;
    m_process = nullptr;
}

} // namespace ondrix

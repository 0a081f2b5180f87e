#include "document/mail_sender.h"

#include "document/ondrix_doc.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace ondrix {

namespace {

QString MailProgram() {
    return QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
}

} // namespace

bool CMailSender::IsAvailable() {
    return !MailProgram().isEmpty();
}

QString CMailSender::AttachmentFolder() {
    // in the user's own cache rather than the shared temporary folder, where another user could have
    // put something under the same name first
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
        .absoluteFilePath(QStringLiteral("ondrix/mail"));
}

QString CMailSender::AttachmentName(const QString& title) {
    QString name = title;
    for (QChar& c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20) {
            c = QLatin1Char('_');
        }
    }
    if (name.isEmpty()) {
        name = QStringLiteral("sound");
    }
    if (!name.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive)) {
        name += QStringLiteral(".wav");
    }
    return name;
}

bool CMailSender::Send(COndrixDoc& doc) {
    const QString program = MailProgram();
    if (program.isEmpty() || !QDir().mkpath(AttachmentFolder())) {
        return false;
    }
    const QString title = QString::fromStdString(doc.GetTitle());
    const QString path = QDir(AttachmentFolder()).absoluteFilePath(AttachmentName(title));
    if (!doc.OnSaveDocument(path.toStdString(), SaveKind::Copy)) {
        return false;
    }
    return QProcess::startDetached(program,
                                   {QStringLiteral("--subject"), title, QStringLiteral("--attach"), path});
}

} // namespace ondrix

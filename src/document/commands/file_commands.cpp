#include "document/commands/file_commands.h"

#include "base/message_service.h"
#include "document/core/enabling_rules.h"
#include "document/file_chooser.h"
#include "document/mail_sender.h"
#include "document/ondrix_doc.h"
#include "resources/command_ids.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "resources/ui/qt_strings.h"

namespace ondrix {

CFileCommands::CFileCommands(COndrixDoc& doc) : CCommandSet(doc) {
    MapRuled(cmd::kFileSave, [this] { Save(); });
    MapRuled(cmd::kFileSaveAs, [this] { SaveAs(SaveKind::Wave); });
    MapRuled(cmd::kSaveRaw, [this] { SaveAs(SaveKind::Raw); });
    MapRuled(cmd::kSaveStandardWave, [this] { SaveAs(SaveKind::StandardWave); });
    MapCommand(
        cmd::kFileSendMail, [this] { CMailSender::Send(m_doc); },
        [this](CCmdUI& ui) {
            ui.Enable(IsEnabledBy(EnableRule::Idle, m_doc.GetState()) && CMailSender::IsAvailable());
        });
    MapCommand(cmd::kFileClose, [this] {
        if (m_doc.m_onCloseRequest) {
            m_doc.m_onCloseRequest();
        }
    });
}

bool CFileCommands::Save() {
    if (m_doc.GetPathName().empty()) {
        return SaveAs(SaveKind::Wave);
    }
    return m_doc.OnSaveDocument(m_doc.GetPathName(), SaveKind::Wave);
}

bool CFileCommands::SaveAs(SaveKind kind) {
    FileRequest request;
    request.save = true;
    if (kind == SaveKind::Raw) {
        request.title = LoadString(str::kRawTitle);
    } else if (kind == SaveKind::StandardWave) {
        request.title = LoadString(str::kStandardWaveTitle);
    }
    request.initial = m_doc.GetPathName().empty() ? m_doc.GetTitle() : m_doc.GetPathName();
    const std::optional<std::string> path = ChooseFile(request);
    if (!path) {
        return false;
    }
    return m_doc.OnSaveDocument(*path, kind);
}

bool CFileCommands::SaveModified() {
    if (!m_doc.IsModified()) {
        return true;
    }
    const std::string text = LoadQString(str::kSaveChanges)
                                 .replace(QStringLiteral("%1"), QString::fromStdString(m_doc.GetTitle()))
                                 .toStdString();
    Messages().Beep(MsgIcon::Exclamation);
    switch (Messages().ShowMessage(text, MsgIcon::Exclamation, MsgButtons::YesNoCancel, str::kSaveChanges)) {
    case MsgAnswer::Yes:
        return Save();
    case MsgAnswer::No:
        return true;
    default:
        return false;
    }
}

} // namespace ondrix

#include "document/commands/record_commands.h"

#include "document/ondrix_doc.h"
#include "resources/command_ids.h"
#include "settings/core/settings.h"

namespace ondrix {

CRecordCommands::CRecordCommands(COndrixDoc& doc) : CCommandSet(doc) {
    MapCommand(cmd::kRecordStart, [this] { m_doc.PrepareRecording(); });
    MapCommand(
        cmd::kSynchronousPlayback, [] { g_settings.record.syncPlay = g_settings.record.syncPlay ? 0 : 1; },
        [](CCmdUI& ui) { ui.SetCheck(g_settings.record.syncPlay != 0); });
}

} // namespace ondrix

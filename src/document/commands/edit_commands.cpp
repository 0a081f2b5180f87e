#include "document/commands/edit_commands.h"

#include "document/core/enabling_rules.h"
#include "document/ondrix_doc.h"
#include "document/update_hints.h"
#include "resources/command_ids.h"
#include "settings/core/settings.h"

namespace ondrix {

CEditCommands::CEditCommands(COndrixDoc& doc) : CCommandSet(doc) {
    MapRuled(cmd::kEditSelectAll, [this] {
        const int32_t range[2] = {0, int32_t(m_doc.GetStore()->GetFrameCount()) - 1};
        m_doc.UpdateAllViews(nullptr, HINT_SELECT, reinterpret_cast<intptr_t>(range));
    });
    MapZoom(cmd::kZoomAdapt, 0);
    MapZoom(cmd::kZoomFullDetail, 1);
    MapRuled(cmd::kZoomIntoBlock, [this] { m_doc.UpdateAllViews(nullptr, HINT_ZOOM_BLOCK); });
    MapCommand(
        cmd::kAllTracks,
        [this] {
            g_settings.edit.allTracks = g_settings.edit.allTracks ? 0 : 1;
            if (m_doc.HasBlock()) {
                m_doc.UpdateAllViews(nullptr, HINT_EDIT_STATE);
            }
        },
        [](CCmdUI& ui) { ui.SetCheck(g_settings.edit.allTracks != 0); });
    MapCommand(
        cmd::kOverwrite, [] { g_settings.edit.overWrite = g_settings.edit.overWrite ? 0 : 1; },
        [](CCmdUI& ui) { ui.SetCheck(g_settings.edit.overWrite != 0); });
    // the views switch panes; whether they may is the document's rule
    MapUpdate(cmd::kSwitchPane,
              [this](CCmdUI& ui) { ui.Enable(IsEnabledBy(EnableRule::Switch, m_doc.GetState())); });
}

void CEditCommands::MapZoom(uint32_t id, int32_t zoom) {
    MapCommand(
        id, [this, zoom] { m_doc.SetZoom(zoom); },
        [this, zoom](CCmdUI& ui) {
            ui.SetRadio(m_doc.GetZoom() == zoom);
            ui.Enable(IsEnabledBy(RuleOf(ui.GetId()), m_doc.GetState()));
        });
}

} // namespace ondrix

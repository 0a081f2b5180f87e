#include "document/commands/edit_commands.h"

#include "document/core/enabling_rules.h"
#include "document/dialogs/position_dialogs.h"
#include "document/ondrix_doc.h"
#include "document/update_hints.h"
#include "resources/command_ids.h"
#include "settings/core/settings.h"

#include <QApplication>

namespace ondrix {

CEditCommands::CEditCommands(COndrixDoc& doc) : CCommandSet(doc) {
    MapRuled(cmd::kEditSelectAll, [this] {
        const int32_t range[2] = {0, int32_t(m_doc.GetStore()->GetFrameCount()) - 1};
        m_doc.UpdateAllViews(nullptr, HINT_SELECT, reinterpret_cast<intptr_t>(range));
    });
    MapRuled(cmd::kGoTo, [this] { GoTo(); });
    MapRuled(cmd::kSelectBlock, [this] { SelectBlock(); });
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

bool CEditCommands::GoTo() {
    CGoToDialog dialog(*m_doc.GetStore(), m_doc.GetCursor(), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    m_doc.UpdateAllViews(nullptr, HINT_SET_CURSOR, intptr_t(dialog.GetFrame()));
    return true;
}

bool CEditCommands::SelectBlock() {
    CDefineBlockDialog dialog(*m_doc.GetStore(), m_doc.GetCursor(), m_doc.GetAnchor(),
                              QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const DefinedBlock block = dialog.GetBlock();
    if (block.first == block.last) {
        // no block (or "&Deselect All"): the cursor stays where it is
        m_doc.UpdateAllViews(nullptr, HINT_SET_CURSOR, m_doc.GetCursor());
        return true;
    }
    const int32_t range[2] = {int32_t(block.first), int32_t(block.last)};
    m_doc.UpdateAllViews(nullptr, HINT_SELECT, reinterpret_cast<intptr_t>(range));
    return true;
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

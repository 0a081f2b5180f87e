#include "app/settings_sheet_host.h"

#include "app/ondrix_app.h"
#include "audio/audio_backends.h"
#include "resources/command_ids.h"
#include "settings/settings_sheet.h"
#include "views/ondrix_child.h"

namespace ondrix {

void CSettingsSheetHost::RefreshViews() {
    CMainFrame* frame = m_app.GetMainFrame();
    for (COndrixChild* child : frame->Children()) {
        child->GetDocument()->OnCommand(cmd::kRebuildViews);
        child->GetDocument()->OnCommand(cmd::kRefreshStatus);
    }
    for (QWidget* widget : frame->findChildren<QWidget*>()) {
        widget->update();
    }
    frame->update();
}

void CSettingsSheetHost::SetShortcuts(const AccelTable& table) {
    m_app.GetMainFrame()->SetShortcuts(table);
}

bool CSettingsSheetHost::HasOpenDocuments() const {
    return !m_app.GetMainFrame()->Children().empty();
}

bool CSettingsSheetHost::CloseAllDocuments() {
    return m_app.GetMainFrame()->CloseAllDocuments();
}

void CSettingsSheetHost::RecreateCustomClipboard() {
    if (m_app.GetCustomClipboard()) {
        m_app.SetCustomClipboard(false);
        m_app.SetCustomClipboard(true);
    }
}

void ShowSettingsSheet(COndrixApp& app) {
    CSettingsSheetHost host(app);
    CSettingsSheet sheet(g_settings, CurrentAudioBackend(), host, app.GetMainFrame());
    sheet.exec();
}

} // namespace ondrix

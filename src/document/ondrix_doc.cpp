#include "document/ondrix_doc.h"

#include "audio/engine_listener.h"
#include "base/progress.h"
#include "document/commands/clipboard_commands.h"
#include "document/commands/edit_commands.h"
#include "document/commands/effect_commands.h"
#include "document/commands/file_commands.h"
#include "document/commands/record_commands.h"
#include "document/commands/sound_commands.h"
#include "document/commands/track_commands.h"
#include "document/commands/undo_commands.h"
#include "document/doc_view.h"
#include "document/document_host.h"
#include "document/record_session.h"
#include "document/update_hints.h"
#include "resources/command_ids.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/core/settings.h"

#include <algorithm>

namespace ondrix {

// The document: construction, title and modified flag, views, its own commands and playback start.

COndrixDoc::COndrixDoc(IDocumentHost* host)
    : m_host(host), m_store(std::make_unique<CSampleStore>()),
      m_fileCommands(std::make_unique<CFileCommands>(*this)),
      m_editCommands(std::make_unique<CEditCommands>(*this)),
      m_clipboardCommands(std::make_unique<CClipboardCommands>(*this)),
      m_undoCommands(std::make_unique<CUndoCommands>(*this)),
      m_soundCommands(std::make_unique<CSoundCommands>(*this)),
      m_trackCommands(std::make_unique<CTrackCommands>(*this)),
      m_effectCommands(std::make_unique<CEffectCommands>(*this)),
      m_recordCommands(std::make_unique<CRecordCommands>(*this)) {
    m_store->m_progressWindowId = kStatusBarWindowId;
    m_store->m_defaultTrackFlags = TRACK_EDITED | (g_settings.sampleWindow.showSample ? TRACK_SHOWN : 0);
    MapCommands();
}

COndrixDoc::~COndrixDoc() {
    OnCloseDocument();
}

// --- title and modified flag ---

std::string COndrixDoc::GetTitle() const {
    return m_internalWave ? LoadString(str::kInternalWaveTitle) : m_title;
}

void COndrixDoc::SetModifiedFlag(bool modified) {
    if (m_modified != modified) {
        m_modified = modified;
        if (m_onTitleChanged) {
            m_onTitleChanged();
        }
    }
    KeepWorkSafe(); // every change passes here: the description follows format, mixer and names
}

// --- views ---

void COndrixDoc::AddView(CDocView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) {
        m_views.push_back(view);
    }
}

void COndrixDoc::RemoveView(CDocView* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void COndrixDoc::UpdateAllViews(CDocView* sender, uint32_t hint, intptr_t data) {
    const std::vector<CDocView*> views = m_views; // a view may close during the update
    for (CDocView* view : views) {
        if (view != sender) {
            view->OnUpdate(sender, hint, data);
        }
    }
}

// --- commands ---

std::vector<CCmdTarget*> COndrixDoc::CommandTargets() const {
    return {m_fileCommands.get(),  m_editCommands.get(),  m_clipboardCommands.get(), m_undoCommands.get(),
            m_soundCommands.get(), m_trackCommands.get(), m_effectCommands.get(),    m_recordCommands.get()};
}

void COndrixDoc::MapCommands() {
    MapCommand(cmd::kPlayStart, [this] { StartPlayback(); });
    MapCommand(cmd::kRebuildViews, [this] { UpdateAllViews(nullptr, HINT_REBUILD); });
    MapCommand(cmd::kRefreshStatus, [this] { UpdateStatus(0); });
}

bool COndrixDoc::StartPlayback() {
    int64_t start = -1;
    int64_t end = -1;
    if (g_settings.playBack.cursor) {
        if (HasBlock()) {
            int32_t first = 0;
            int32_t last = 0;
            GetBlock(first, last);
            start = first;
            end = int64_t(last) + 1; // the engine's end is exclusive: the block's last frame plays too
        } else {
            start = m_cursor;
            end = m_store->GetFrameCount();
        }
    }
    IEngineListener* listener = m_host ? m_host->GetEngineListener() : nullptr;
    if (!m_store->StartPlayback(g_settings.playBack.port, uint32_t(g_settings.playBack.buffer), start, end,
                                g_settings.playBack.loop != 0, listener)) {
        return false;
    }
    if (!HasBlock()) {
        UpdateAllViews(nullptr, HINT_PLAY_NO_BLOCK);
    }
    return true;
}

} // namespace ondrix

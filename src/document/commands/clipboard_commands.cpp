#include "document/commands/clipboard_commands.h"

#include "document/document_host.h"
#include "document/ondrix_doc.h"
#include "document/paste_step.h"
#include "document/update_hints.h"
#include "process/clipboard.h"
#include "resources/command_ids.h"
#include "settings/core/settings.h"

namespace ondrix {

CClipboardCommands::CClipboardCommands(COndrixDoc& doc) : CCommandSet(doc) {
    MapRuled(cmd::kEditCopy, [this] { Copy(); });
    MapRuled(cmd::kEditCut, [this] { Cut(); });
    MapRuled(cmd::kEditDelete, [this] { Delete(); });
    MapRuled(cmd::kEditPaste, [this] { Paste(false); });
}

CClipboard* CClipboardCommands::Clipboard() const {
    IDocumentHost* host = m_doc.GetHost();
    return host ? host->GetClipboard() : nullptr;
}

bool CClipboardCommands::Copy() {
    CClipboard* clipboard = Clipboard();
    if (!clipboard) {
        return false;
    }
    int32_t first = 0;
    int32_t last = 0;
    m_doc.GetBlock(first, last);
    const auto mask = m_doc.GetTrackMask();
    return clipboard->Copy(*m_doc.GetStore(), mask.data(), first, last, g_settings.tempPath.clipboard);
}

bool CClipboardCommands::Cut() {
    CClipboard* clipboard = Clipboard();
    if (!clipboard) {
        return false;
    }
    int32_t first = 0;
    int32_t last = 0;
    m_doc.GetBlock(first, last);
    const auto mask = m_doc.GetTrackMask();
    CSampleStore& store = *m_doc.GetStore();
    // Copy first: a failed copy (full disk, ESC) leaves sound, clipboard and undo history untouched, and
    // the block is deleted only once the clipboard holds it.
    std::unique_ptr<CSampleStore> copy =
        clipboard->CopyOut(store, mask.data(), first, last, g_settings.tempPath.clipboard);
    if (!copy) {
        return false;
    }
    const bool cut = m_doc.ApplyChange(
        [&] { return clipboard->Install(std::move(copy)) && store.DeleteBlock(mask.data(), first, last); },
        DeleteHint());
    if (cut) {
        CollapseBlock(first);
    }
    return cut;
}

bool CClipboardCommands::Delete() {
    int32_t first = 0;
    int32_t last = 0;
    m_doc.GetBlock(first, last);
    const auto mask = m_doc.GetTrackMask();
    CSampleStore& store = *m_doc.GetStore();
    const bool deleted =
        m_doc.ApplyChange([&] { return store.DeleteBlock(mask.data(), first, last); }, DeleteHint());
    if (deleted) {
        CollapseBlock(first);
    }
    return deleted;
}

bool CClipboardCommands::Paste(bool mix, uint32_t percent) {
    CClipboard* clipboard = Clipboard();
    if (!clipboard) {
        return false;
    }
    std::unique_ptr<CSampleStore> holder;
    CSampleStore* source = clipboard->PasteSource(holder, g_settings.tempPath.clipboard);
    if (!source) {
        return false;
    }
    return PasteIntoDocument(m_doc, *source, PasteMode{mix, percent});
}

void CClipboardCommands::CollapseBlock(int32_t first) {
    m_doc.SetBlock(-1, first); // the frames before the block stay, so first is still inside the sound
}

uint32_t CClipboardCommands::DeleteHint() const {
    const uint32_t tracks = m_doc.GetStore()->GetTrackCount();
    for (uint32_t t = 0; t < tracks; ++t) {
        if (!m_doc.IsEditedTrack(t)) {
            return HINT_DATA;
        }
    }
    return HINT_LENGTH;
}

} // namespace ondrix

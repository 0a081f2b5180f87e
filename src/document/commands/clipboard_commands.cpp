#include "document/commands/clipboard_commands.h"

#include "document/document_host.h"
#include "document/ondrix_doc.h"
#include "document/paste_step.h"
#include "document/update_hints.h"
#include "effects/dialogs/value_dialog.h"
#include "process/clipboard.h"
#include "resources/command_ids.h"
#include "resources/string_ids.h"
#include "settings/core/settings.h"

#include <QApplication>

namespace ondrix {

CClipboardCommands::CClipboardCommands(COndrixDoc& doc) : CCommandSet(doc) {
    MapRuled(cmd::kEditCopy, [this] { Copy(); });
    MapRuled(cmd::kEditCut, [this] { Cut(); });
    MapRuled(cmd::kEditDelete, [this] { Delete(); });
    MapRuled(cmd::kEditPaste, [this] { Paste(false); });
    MapRuled(cmd::kMix, [this] { Mix(); });
}

CClipboard* CClipboardCommands::Clipboard() const {
    IDocumentHost* host = m_doc.GetHost();
    return host ? host->GetClipboard() : nullptr;
}

CClipboardCommands::Selection CClipboardCommands::GetSelection() const {
    Selection selection;
    m_doc.GetBlock(selection.first, selection.last);
    selection.mask = m_doc.GetTrackMask();
    return selection;
}

bool CClipboardCommands::Copy() {
    CClipboard* clipboard = Clipboard();
    if (!clipboard) {
        return false;
    }
    const Selection s = GetSelection();
    return clipboard->Copy(*m_doc.GetStore(), s.mask.data(), s.first, s.last, g_settings.tempPath.clipboard);
}

bool CClipboardCommands::Cut() {
    CClipboard* clipboard = Clipboard();
    if (!clipboard) {
        return false;
    }
    const Selection s = GetSelection();
    // Copy first: a failed copy (full disk, ESC) leaves sound, clipboard and undo history untouched, and
    // the block is deleted only once the clipboard holds it.
    std::unique_ptr<CSampleStore> copy =
        clipboard->CopyOut(*m_doc.GetStore(), s.mask.data(), s.first, s.last, g_settings.tempPath.clipboard);
    if (!copy) {
        return false;
    }
    return RemoveBlock(s, [&] { return clipboard->Install(std::move(copy)); });
}

bool CClipboardCommands::Delete() {
    return RemoveBlock(GetSelection(), [] { return true; });
}

bool CClipboardCommands::RemoveBlock(const Selection& s, const std::function<bool()>& before) {
    CSampleStore& store = *m_doc.GetStore();
    const bool removed = m_doc.ApplyChange(
        [&] { return before() && store.DeleteBlock(s.mask.data(), s.first, s.last); }, DeleteHint());
    if (removed) {
        // the frames before the block stay, so its first frame is still inside the sound
        m_doc.SetBlock(-1, s.first);
    }
    return removed;
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

bool CClipboardCommands::Mix() {
    int32_t percent = g_settings.edit.mix;
    if (!CValueDialog::Ask({percent, 0, 100, str::kMixTitle, str::kMixVolumeLabel}, percent,
                           QApplication::activeWindow())) {
        return false;
    }
    g_settings.edit.mix = percent;
    return Paste(true, uint32_t(percent));
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

#include "document/paste_step.h"

#include "document/dialogs/track_assignment_dialog.h"
#include "document/ondrix_doc.h"
#include "document/update_hints.h"
#include "settings/core/settings.h"
#include "store/sample_store.h"

#include <QApplication>

namespace ondrix {

std::optional<TrackAssignment> ChoosePasteAssignment(const COndrixDoc& doc, const CSampleStore& source) {
    const uint32_t sourceTracks = source.GetTrackCount();
    const uint32_t documentTracks = doc.GetStore()->GetTrackCount();
    const uint32_t current = doc.GetCurrentTrack();
    TrackAssignment assignment = DefaultAssignment(sourceTracks, documentTracks, current);
    if (NeedsAssignmentDialog(sourceTracks, documentTracks, current)) {
        CTrackAssignmentDialog dialog(assignment, sourceTracks, documentTracks, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        assignment = dialog.GetAssignment();
    }
    // Nothing assigned would only insert silence on every track: it ends like Cancel.
    if (!AssignsAnyTrack(assignment)) {
        return std::nullopt;
    }
    return assignment;
}

bool PasteIntoDocument(COndrixDoc& doc, CSampleStore& source, const PasteMode& mode) {
    if (!source.HasData() || source.GetDataSize() == 0 || !doc.GetStore()->HasData()) {
        return false;
    }
    const std::optional<TrackAssignment> assignment = ChoosePasteAssignment(doc, source);
    if (!assignment) {
        return false;
    }
    int32_t first = 0;
    int32_t last = 0;
    doc.GetBlock(first, last);
    const bool insert = g_settings.edit.overWrite == 0 && !mode.mix;
    CSampleStore& store = *doc.GetStore();
    const bool pasted = doc.ApplyChange(
        [&] { return store.PasteBlock(assignment->data(), first, insert, &source, mode.mix, mode.percent); },
        HINT_LENGTH);
    if (pasted) {
        doc.SetBlock(-1, doc.GetCursor());
    }
    return pasted;
}

} // namespace ondrix

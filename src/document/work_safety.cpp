// Keeping the user's work safe from a crash: the sound's description beside its temporary file while it
// holds work that is nowhere else, and opening what a crashed run left.

#include "document/ondrix_doc.h"
#include "document/record_session.h"
#include "document/update_hints.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "store/recovery_note.h"
#include "store/sample_store.h"

namespace ondrix {

void COndrixDoc::KeepWorkSafe() {
    const std::string title = GetTitle();
    if (CSampleStore* take = GetRecordStore()) {
        take->KeepRecoveryNote({RecoveryKind::Take, m_path, title, 0});
    }
    if (m_recording && !GetRecordStore()) {
        m_store->KeepRecoveryNote({RecoveryKind::Take, m_path, title, 0}); // the take goes into the sound
    } else if (m_modified) {
        m_store->KeepRecoveryNote({RecoveryKind::Changes, m_path, title, 0});
    } else {
        m_store->DropRecoveryNote(); // saved, or as it was opened: the file holds it
    }
}

void COndrixDoc::AdoptRecoveredWork(std::unique_ptr<CSampleStore> store) {
    const CRecoveryNote* note = store->GetRecoveryNote();
    const RecoveryIdentity identity = note ? note->Identity() : RecoveryIdentity{RecoveryKind::Take};
    if (identity.kind == RecoveryKind::Take) {
        AdoptTake(std::move(store));
        return;
    }
    store->m_progressWindowId = m_store->m_progressWindowId;
    store->m_defaultTrackFlags = m_store->m_defaultTrackFlags;
    m_store->Release();
    m_store = std::move(store);
    m_internalWave = false;
    m_path = identity.documentPath;
    m_title = identity.title.empty() ? LoadString(str::kRecordingTitle) : identity.title;
    ResetSelection();
    m_modified = true;
    KeepWorkSafe();
    UpdateAllViews(nullptr, HINT_NEW_SOUND);
}

} // namespace ondrix

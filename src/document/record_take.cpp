// Taking a finished recording into the document's sound, and keeping it when that is not possible.

#include "base/message_service.h"
#include "document/core/text_format.h"
#include "document/document_host.h"
#include "document/ondrix_doc.h"
#include "document/paste_step.h"
#include "document/update_hints.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "store/sample_store.h"

namespace ondrix {

void COndrixDoc::ApplyTake(std::unique_ptr<CSampleStore> take) {
    // inserted or written over as a paste would, with the track assignment dialog when the shapes differ
    if (PasteIntoDocument(*this, *take)) {
        take->Release();
        return;
    }
    // a cancelled assignment, an abort, a full disk or the size limit must not cost the take
    Messages().Beep(MsgIcon::Exclamation);
    Messages().ShowMessage(FormatTextId(str::kTakeKeptText, {GetTitle()}), MsgIcon::Exclamation,
                           MsgButtons::Ok, str::kTakeKeptText);
    if (m_host) {
        m_host->OpenTakeDocument(std::move(take));
    }
}

void COndrixDoc::AdoptTake(std::unique_ptr<CSampleStore> take) {
    take->m_progressWindowId = m_store->m_progressWindowId;
    take->m_defaultTrackFlags = m_store->m_defaultTrackFlags;
    for (uint32_t t = 0; t < take->GetTrackCount(); ++t) {
        take->m_trackFlags[t] = m_store->m_defaultTrackFlags;
    }
    m_store->Release();
    m_store = std::move(take);
    FillSoftwareText();
    m_title = LoadString(str::kRecordingTitle);
    m_internalWave = false;
    m_path.clear();
    ResetSelection();
    m_modified = true;
    KeepWorkSafe();
    UpdateAllViews(nullptr, HINT_NEW_SOUND);
}

} // namespace ondrix

// Taking a finished recording into the document's sound, and keeping it when that is not possible.

#include "base/message_service.h"
#include "document/core/text_format.h"
#include "document/document_host.h"
#include "document/ondrix_doc.h"
#include "document/update_hints.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/core/settings.h"
#include "store/sample_store.h"

#include <array>
#include <optional>

namespace ondrix {

namespace {

/// Stand-in for the paste step's track assignment until the "Track Assignment" dialog is in place: take
/// track k goes onto document track current + k. Where that does not fit (a take track without a
/// document track) the dialog would ask; the stand-in cannot, so it gives no assignment.
std::optional<std::array<uint8_t, kMaxTracks>> StandInTakeAssignment(uint32_t currentTrack, uint32_t tracks,
                                                                     uint32_t takeTracks) {
    if (currentTrack + takeTracks > tracks) {
        return std::nullopt;
    }
    std::array<uint8_t, kMaxTracks> assignment{};
    assignment.fill(255);
    for (uint32_t k = 0; k < takeTracks; ++k) {
        assignment[currentTrack + k] = uint8_t(k);
    }
    return assignment;
}

} // namespace

void COndrixDoc::ApplyTake(std::unique_ptr<CSampleStore> take) {
    const auto assignment =
        StandInTakeAssignment(m_currentTrack, m_store->GetTrackCount(), take->GetTrackCount());
    bool pasted = false;
    if (assignment) {
        int32_t first = 0;
        int32_t last = 0;
        GetBlock(first, last);
        const bool insert = g_settings.edit.overWrite == 0;
        pasted = ApplyChange(
            [&] { return m_store->PasteBlock(assignment->data(), first, insert, take.get(), false, 0); },
            insert ? HINT_LENGTH : HINT_DATA);
    }
    if (pasted) {
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
    UpdateAllViews(nullptr, HINT_NEW_SOUND);
}

} // namespace ondrix

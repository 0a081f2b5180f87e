// Taking a finished recording into the document's sound.

#include "document/ondrix_doc.h"
#include "document/update_hints.h"
#include "settings/core/settings.h"
#include "store/sample_store.h"

#include <array>

namespace ondrix {

void COndrixDoc::ApplyTake(std::unique_ptr<CSampleStore> take) {
    // stand-in for the paste step with track assignment: take track k goes onto current track + k
    std::array<uint8_t, kMaxTracks> assignment{};
    assignment.fill(255);
    const uint32_t tracks = m_store->GetTrackCount();
    for (uint32_t k = 0; k < take->GetTrackCount(); ++k) {
        if (m_currentTrack + k < tracks) {
            assignment[m_currentTrack + k] = uint8_t(k);
        }
    }
    int32_t first = 0;
    int32_t last = 0;
    GetBlock(first, last);
    const bool insert = g_settings.edit.overWrite == 0;
    ApplyChange([&] { return m_store->PasteBlock(assignment.data(), first, insert, take.get(), false, 0); },
                insert ? HINT_LENGTH : HINT_DATA);
    take->Release();
}

} // namespace ondrix

#include "document/commands/track_commands.h"

#include "base/message_service.h"
#include "document/core/text_format.h"
#include "document/ondrix_doc.h"
#include "document/update_hints.h"
#include "resources/command_ids.h"
#include "resources/string_ids.h"

namespace ondrix {

CTrackCommands::CTrackCommands(COndrixDoc& doc) : CCommandSet(doc) {
    MapRuled(cmd::kInsertTrackAfter, [this] { InsertTrack(true); });
    MapRuled(cmd::kInsertTrackBefore, [this] { InsertTrack(false); });
    MapRuled(cmd::kDeleteTrack, [this] { DeleteTrack(); });
}

bool CTrackCommands::InsertTrack(bool after) {
    const uint32_t current = m_doc.GetCurrentTrack();
    return m_doc.ApplyChange([&] { return m_doc.GetStore()->InsertTrack(after ? current + 1 : current); },
                             HINT_TRACKS);
}

bool CTrackCommands::DeleteTrack() {
    const uint32_t current = m_doc.GetCurrentTrack();
    const std::string text = FormatTextId(str::kDeleteTrackQuestion, {(long long)current + 1});
    Messages().Beep(MsgIcon::Question);
    if (Messages().ShowMessage(text, MsgIcon::Question, MsgButtons::YesNoCancel, str::kDeleteTrackQuestion) !=
        MsgAnswer::Yes) {
        return false;
    }
    return m_doc.ApplyChange(
        [&] {
            CSampleStore& store = *m_doc.GetStore();
            if (!store.DeleteTrack(current)) {
                return false;
            }
            // the last track deleted: the one before it becomes current
            if (current >= store.GetTrackCount()) {
                m_doc.SetCurrentTrack(store.GetTrackCount() - 1);
            }
            return true;
        },
        HINT_TRACKS);
}

} // namespace ondrix

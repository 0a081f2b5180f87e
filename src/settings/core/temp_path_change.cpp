#include "settings/core/temp_path_change.h"

#include "base/message_service.h"
#include "resources/string_ids.h"

namespace ondrix {

namespace {

/// Whether the editor path may change now: at once without documents, else after the question.
bool MayChangeEditorPath(ISettingsHost& host) {
    if (!host.HasOpenDocuments()) {
        return true;
    }
    if (AskUser(str::kCloseAllWindowsQuestion, MsgIcon::Question, MsgButtons::YesNoCancel) !=
        MsgAnswer::Yes) {
        return false;
    }
    return host.CloseAllDocuments();
}

} // namespace

void ApplyTempPaths(const TempPathSettings& chosen, TempPathSettings& paths, ISettingsHost& host) {
    if (chosen.editor != paths.editor && MayChangeEditorPath(host)) {
        paths.editor = chosen.editor;
    }
    paths.record = chosen.record;
    paths.synchroPlay = chosen.synchroPlay;
    if (chosen.clipboard != paths.clipboard) {
        // the path first, so that the new clipboard store is made where the user now wants it
        paths.clipboard = chosen.clipboard;
        host.RecreateCustomClipboard();
    }
}

} // namespace ondrix

#include "document/commands/sound_commands.h"

#include "base/message_service.h"
#include "document/dialogs/sample_params_dialog.h"
#include "document/dialogs/wave_info_dialog.h"
#include "document/ondrix_doc.h"
#include "document/update_hints.h"
#include "resources/command_ids.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/core/settings.h"

#include <QApplication>

namespace ondrix {

namespace {

/// Asks a Yes/No/Cancel question with the question icon.
MsgAnswer Ask(uint32_t textId) {
    Messages().Beep(MsgIcon::Question);
    return Messages().ShowMessage(LoadString(textId), MsgIcon::Question, MsgButtons::YesNoCancel, textId);
}

} // namespace

CSoundCommands::CSoundCommands(COndrixDoc& doc) : CCommandSet(doc) {
    MapRuled(cmd::kSampleParameters, [this] { SampleParameters(); });
    MapRuled(cmd::kWaveInformation, [this] { WaveInformation(); });
}

bool CSoundCommands::SampleParameters() {
    const CSampleStore& store = *m_doc.GetStore();
    SampleParams params;
    params.rate = store.GetSampleRate();
    params.tracks = store.GetTrackCount();
    params.bits = store.GetBitsPerSample();
    params.stereo = store.GetStereo();
    CSampleParamsDialog dialog(str::kChangeParametersOfWAVEFile, params, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    return ApplySampleParameters(dialog.GetParams());
}

bool CSoundCommands::ApplySampleParameters(const SampleParams& params) {
    CSampleStore& store = *m_doc.GetStore();
    bool changed = false;
    if (params.stereo != store.GetStereo()) {
        store.SetStereo(params.stereo);
        m_doc.SetModifiedFlag(true);
        m_doc.UpdateAllViews(nullptr, HINT_STEREO);
        m_doc.UpdateStatus(6);
        changed = true;
    }
    if (params.bits == store.GetBitsPerSample() && params.rate == store.GetSampleRate() &&
        params.tracks == store.GetTrackCount()) {
        return changed;
    }
    if (!m_doc.PrepareSampleChange()) {
        return changed;
    }
    CUndoHistory& undo = m_doc.GetUndoHistory();
    const CUndoHistory::SaveResult saved =
        undo.SaveUndoState(store, g_settings.edit.undoCount, g_settings.tempPath.clipboard);
    if (saved == CUndoHistory::SaveResult::Failed) {
        return changed;
    }
    // Each step ends the command when it fails or is refused; the conversions made so far stay.
    bool converted = false;
    if ((params.bits == store.GetBitsPerSample() || ConvertBits(params.bits, converted)) &&
        ChangeRate(params.rate, converted)) {
        ChangeTrackCount(params.tracks, converted);
    }
    // Without a conversion the undo state would only restore what is there: it goes again.
    if (!converted && saved == CUndoHistory::SaveResult::Saved) {
        undo.DropNewestUndoState();
    } else {
        undo.CommitUndoState();
    }
    return changed || converted;
}

bool CSoundCommands::ConvertBits(uint32_t bits, bool& converted) {
    if (!m_doc.GetStore()->ConvertBits(bits)) {
        return false;
    }
    converted = true;
    Converted(HINT_DATA);
    return true;
}

bool CSoundCommands::ChangeRate(uint32_t rate, bool& converted) {
    CSampleStore& store = *m_doc.GetStore();
    if (rate == store.GetSampleRate()) {
        return true;
    }
    const MsgAnswer answer = Ask(str::kAdaptVelocityQuestion);
    if (answer == MsgAnswer::Cancel) {
        return false;
    }
    if (!store.SetSampleRate(rate, answer == MsgAnswer::Yes)) {
        return false;
    }
    converted = true;
    Converted(HINT_LENGTH);
    return true;
}

bool CSoundCommands::ChangeTrackCount(uint32_t tracks, bool& converted) {
    CSampleStore& store = *m_doc.GetStore();
    if (tracks == store.GetTrackCount()) {
        return true;
    }
    if (Ask(str::kChangeTrackCountQuestion) != MsgAnswer::Yes) {
        return false;
    }
    if (!store.SetTrackCount(tracks)) {
        return false;
    }
    if (m_doc.GetCurrentTrack() >= tracks) {
        m_doc.SetCurrentTrack(tracks - 1);
    }
    converted = true;
    Converted(HINT_TRACKS);
    return true;
}

void CSoundCommands::Converted(uint32_t hint) {
    m_doc.SetModifiedFlag(true);
    m_doc.UpdateAllViews(nullptr, hint);
    m_doc.UpdateStatus(0);
}

bool CSoundCommands::WaveInformation() {
    CSampleStore& store = *m_doc.GetStore();
    CWaveInfoDialog dialog(store.m_infoTexts, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    if (dialog.GetTexts() != store.m_infoTexts) {
        store.m_infoTexts = dialog.GetTexts();
    }
    m_doc.SetModifiedFlag(true);
    return true;
}

} // namespace ondrix

#include "document/ondrix_doc.h"

#include "audio/engine_listener.h"
#include "audio/standard_wave.h"
#include "base/progress.h"
#include "controls/time_format.h"
#include "document/commands/clipboard_commands.h"
#include "document/commands/edit_commands.h"
#include "document/commands/effect_commands.h"
#include "document/commands/file_commands.h"
#include "document/commands/record_commands.h"
#include "document/commands/sound_commands.h"
#include "document/commands/track_commands.h"
#include "document/commands/undo_commands.h"
#include "document/core/status_text.h"
#include "document/core/text_format.h"
#include "document/dialogs/sample_params_dialog.h"
#include "document/doc_view.h"
#include "document/document_host.h"
#include "document/record_session.h"
#include "document/update_hints.h"
#include "resources/command_ids.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/core/settings.h"

#include <QApplication>
#include <QFileInfo>

#include <algorithm>

namespace ondrix {

namespace {

constexpr uint32_t kInternalWaveResource = 153;
constexpr int kSoftwareText = 12; // "ISFT"
constexpr const char* kProductVersion = "2.0";

int g_untitledCount = 0;

} // namespace

COndrixDoc::COndrixDoc(IDocumentHost* host)
    : m_host(host), m_store(std::make_unique<CSampleStore>()),
      m_fileCommands(std::make_unique<CFileCommands>(*this)),
      m_editCommands(std::make_unique<CEditCommands>(*this)),
      m_clipboardCommands(std::make_unique<CClipboardCommands>(*this)),
      m_undoCommands(std::make_unique<CUndoCommands>(*this)),
      m_soundCommands(std::make_unique<CSoundCommands>(*this)),
      m_trackCommands(std::make_unique<CTrackCommands>(*this)),
      m_effectCommands(std::make_unique<CEffectCommands>(*this)),
      m_recordCommands(std::make_unique<CRecordCommands>(*this)) {
    m_store->m_progressWindowId = kStatusBarWindowId;
    m_store->m_defaultTrackFlags = TRACK_EDITED | (g_settings.sampleWindow.showSample ? TRACK_SHOWN : 0);
    MapCommands();
}

COndrixDoc::~COndrixDoc() {
    OnCloseDocument();
}

// --- lifecycle ---

bool COndrixDoc::OnNewDocument() {
    SampleParams params;
    params.rate = uint32_t(g_settings.desktop.sampleRate);
    params.tracks = g_settings.desktop.channels;
    params.bits = g_settings.desktop.bitsPerSample;
    params.stereo = g_settings.desktop.stereo != 0;
    CSampleParamsDialog dialog(str::kNewTitle, params, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    params = dialog.GetParams();
    return CreateNew(params.bits, params.tracks, params.rate, params.stereo);
}

bool COndrixDoc::CreateNew(uint32_t bits, uint32_t tracks, uint32_t rate, bool stereo) {
    g_settings.desktop.bitsPerSample = uint8_t(bits);
    g_settings.desktop.channels = uint8_t(tracks);
    g_settings.desktop.sampleRate = int32_t(rate);
    g_settings.desktop.stereo = stereo ? 1 : 0;
    const StorageChoice storage = StorageForPath(g_settings.tempPath.editor);
    if (!m_store->Create(storage.mode, storage.directory, bits, tracks, rate, stereo)) {
        return false;
    }
    FillSoftwareText();
    m_title = FormatTextId(str::kUntitled, {(long long)++g_untitledCount});
    ResetSelection();
    m_modified = false;
    UpdateAllViews(nullptr, HINT_NEW_SOUND);
    return true;
}

bool COndrixDoc::OnOpenDocument(const std::string& path, OpenKind kind, const RawFormat& raw) {
    const StorageChoice storage = StorageForPath(g_settings.tempPath.editor);
    m_store->m_progressTextId = str::kLoadText;
    bool loaded = false;
    switch (kind) {
    case OpenKind::Wave:
        loaded = m_store->Load(path, storage.mode, storage.directory);
        break;
    case OpenKind::Raw:
        loaded = m_store->LoadRaw(path, raw, storage.mode, storage.directory);
        break;
    case OpenKind::Clipboard:
        loaded = m_store->LoadClipboardWave(storage.mode, storage.directory);
        break;
    case OpenKind::Internal:
        loaded = !path.empty() && QFileInfo(QString::fromStdString(path)).isFile()
                     ? m_store->Load(path, storage.mode, storage.directory)
                     : m_store->LoadResourceWave(kInternalWaveResource, storage.mode, storage.directory);
        break;
    }
    if (!loaded) {
        return false;
    }
    FinishOpen(kind, path);
    return true;
}

bool COndrixDoc::OpenFromStore(const CSampleStore& source) {
    const StorageChoice storage = StorageForPath(g_settings.tempPath.editor);
    if (!m_store->CopyFrom(storage.mode, storage.directory, &source)) {
        return false;
    }
    FinishOpen(OpenKind::Clipboard, {});
    return true;
}

void COndrixDoc::FinishOpen(OpenKind kind, const std::string& path) {
    g_settings.desktop.channels = uint8_t(m_store->GetTrackCount());
    g_settings.desktop.sampleRate = int32_t(m_store->GetSampleRate());
    g_settings.desktop.bitsPerSample = uint8_t(m_store->GetBitsPerSample());
    FillSoftwareText();
    const QFileInfo file(QString::fromStdString(path));
    m_internalWave = kind == OpenKind::Internal;
    if (kind == OpenKind::Clipboard) {
        m_title = LoadString(str::kClipboardTitle);
    } else if (kind == OpenKind::Wave || (kind == OpenKind::Internal && file.isFile())) {
        m_path = file.absoluteFilePath().toStdString();
        m_title = file.fileName().toStdString();
    } else {
        m_title = file.fileName().toStdString();
    }
    ResetSelection();
    m_modified = kind == OpenKind::Clipboard;
    KeepWorkSafe();
    UpdateAllViews(nullptr, HINT_NEW_SOUND);
}

bool COndrixDoc::OnSaveDocument(const std::string& path, SaveKind kind) {
    if (!m_store->HasData()) {
        return false;
    }
    if (kind == SaveKind::StandardWave) {
        CSampleStore mix;
        mix.m_progressWindowId = kStatusBarWindowId;
        mix.m_showErrors = m_store->m_showErrors;
        const StorageChoice storage = StorageForPath(g_settings.tempPath.editor);
        if (!MakeStandardWave(mix, *m_store, storage.mode, storage.directory)) {
            return false;
        }
        mix.m_progressTextId = str::kSaveText;
        return mix.Save(path, false);
    }
    m_store->m_progressTextId = str::kSaveText;
    if (!m_store->Save(path, kind == SaveKind::Raw)) {
        return false;
    }
    if (kind == SaveKind::Wave) {
        // a raw or standard copy leaves out names and mixer: only a full save makes the document clean
        m_path = QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
        m_title = QFileInfo(QString::fromStdString(m_path)).fileName().toStdString();
        m_internalWave = false;
        SetModifiedFlag(false);
        if (m_onTitleChanged) {
            m_onTitleChanged(); // the name changes even when the sound was not modified
        }
    }
    return true;
}

bool COndrixDoc::SaveModified() {
    return ConfirmCloseWhileRecording() && m_fileCommands->SaveModified();
}

void COndrixDoc::OnCloseDocument() {
    CloseRecording();
    if (m_store && m_store->GetAudioState() != 0) {
        m_store->StopAudio();
    }
    m_undo.ClearUndoHistory();
    if (m_store) {
        m_store->Release();
    }
}

// --- title and modified flag ---

std::string COndrixDoc::GetTitle() const {
    return m_internalWave ? LoadString(str::kInternalWaveTitle) : m_title;
}

void COndrixDoc::SetModifiedFlag(bool modified) {
    if (m_modified != modified) {
        m_modified = modified;
        if (m_onTitleChanged) {
            m_onTitleChanged();
        }
    }
    KeepWorkSafe(); // every change passes here: the description follows format, mixer and names
}

// --- views ---

void COndrixDoc::AddView(CDocView* view) {
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) {
        m_views.push_back(view);
    }
}

void COndrixDoc::RemoveView(CDocView* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void COndrixDoc::UpdateAllViews(CDocView* sender, uint32_t hint, intptr_t data) {
    const std::vector<CDocView*> views = m_views; // a view may close during the update
    for (CDocView* view : views) {
        if (view != sender) {
            view->OnUpdate(sender, hint, data);
        }
    }
}

// --- state ---

void COndrixDoc::GetBlock(int32_t& first, int32_t& last) const noexcept {
    if (m_anchor == -1) {
        first = last = m_cursor;
        return;
    }
    first = std::min(m_cursor, m_anchor);
    last = std::max(m_cursor, m_anchor);
}

std::array<uint32_t, 32> COndrixDoc::GetTrackMask() const {
    std::array<uint32_t, 32> mask{};
    const uint32_t tracks = m_store->GetTrackCount();
    for (uint32_t t = 0; t < tracks && t < kMaxTracks; ++t) {
        mask[t] = IsEditedTrack(t) ? 1 : 0;
    }
    return mask;
}

bool COndrixDoc::IsEditedTrack(uint32_t track) const {
    if (track >= kMaxTracks) {
        return false;
    }
    return g_settings.edit.allTracks ? (m_store->m_trackFlags[track] & TRACK_EDITED) != 0
                                     : track == m_currentTrack;
}

void COndrixDoc::SetCurrentTrack(uint32_t track) {
    if (track == m_currentTrack) {
        return;
    }
    m_currentTrack = track;
    UpdateStatus(1);
    if (HasBlock() && !g_settings.edit.allTracks) {
        UpdateAllViews(nullptr, HINT_EDIT_STATE);
    }
}

void COndrixDoc::SetCursor(int32_t frame) {
    SetBlock(m_anchor, frame);
}

void COndrixDoc::SetBlock(int32_t anchor, int32_t cursor) {
    const int32_t old = m_cursor;
    m_anchor = anchor;
    m_cursor = cursor;
    // sent even when nothing moved: the views redraw, and the mixer area shows a track chosen meanwhile
    UpdateAllViews(nullptr, HINT_CURSOR_MOVED, old);
    UpdateStatus(2);
}

void COndrixDoc::SetZoom(int32_t zoom) {
    if (zoom == m_zoom) {
        return;
    }
    const int32_t old = m_zoom;
    m_zoom = zoom;
    UpdateAllViews(nullptr, HINT_ZOOM, old);
}

CSampleStore* COndrixDoc::GetRecordStore() const noexcept {
    return m_recording ? m_recording->GetRecordStore() : nullptr;
}

bool COndrixDoc::IsBusy() const noexcept {
    const CSampleStore* store = m_recording ? &m_recording->Target() : m_store.get();
    return store->GetAudioState() != 0;
}

bool COndrixDoc::IsPlaying() const noexcept {
    return (m_store->GetAudioState() & AUDIO_PLAYING) != 0;
}

DocumentState COndrixDoc::GetState() const {
    DocumentState state;
    state.hasBlock = HasBlock();
    state.sampleShown = m_sampleShown;
    state.dataSize = m_store->GetDataSize();
    state.tracks = m_store->GetTrackCount();
    state.playing = IsPlaying();
    state.recording = m_recording != nullptr; // prepared or running, into a record store or the sound
    state.engineBusy = m_store->GetAudioState() != 0;
    const auto mask = GetTrackMask();
    state.maskHasTrack = std::any_of(mask.begin(), mask.end(), [](uint32_t m) { return m != 0; });
    state.clipboardHasData = m_host && m_host->ClipboardHasData();
    state.zoom = m_zoom;
    return state;
}

// --- status fields ---

uint32_t COndrixDoc::EnginePosition() const {
    const CSampleStore* store = m_recording ? &m_recording->Target() : m_store.get();
    return store->GetAudioPosition();
}

std::string COndrixDoc::StatusText(int field) const {
    const CSampleStore& s = *m_store;
    StatusFacts facts;
    facts.currentTrack = m_currentTrack;
    facts.tracks = s.GetTrackCount();
    facts.cursor = m_cursor;
    facts.frames = s.GetFrameCount();
    facts.dataSize = s.GetDataSize();
    facts.blockAlign = s.GetBlockAlign();
    facts.bits = s.GetBitsPerSample();
    facts.stereo = s.GetStereo();
    facts.rate = s.GetSampleRate();
    facts.busy = IsBusy();
    facts.recording = m_recording != nullptr;
    facts.enginePosition = facts.busy ? EnginePosition() : 0;
    facts.overwrite = g_settings.edit.overWrite != 0;
    return StatusFieldText(field, facts, [this](int64_t frames) { return TimeText(frames); });
}

std::string COndrixDoc::TimeText(int64_t frames) const {
    const uint8_t format = g_settings.sampleWindow.timeFmt;
    if (format == TIMEFMT_SAMPLES) {
        return std::to_string(frames);
    }
    return FormatTime(uint32_t(m_store->FramesToMs(frames)), format, g_settings.sampleWindow.fps, false);
}

void COndrixDoc::UpdateStatus(int field) {
    if (!m_host || !m_host->IsStatusAvailable()) {
        return;
    }
    if (field == -1) {
        for (int f = 1; f <= 7; ++f) {
            m_host->SetStatusText(f, {});
        }
        return;
    }
    if (!m_store->HasData()) {
        return;
    }
    if (field == 0) {
        for (int f = 1; f <= 7; ++f) {
            m_host->SetStatusText(f, StatusText(f));
        }
    } else if (field >= 1 && field <= 7) {
        m_host->SetStatusText(field, StatusText(field));
    }
}

// --- commands ---

std::vector<CCmdTarget*> COndrixDoc::CommandTargets() const {
    return {m_fileCommands.get(),  m_editCommands.get(),  m_clipboardCommands.get(), m_undoCommands.get(),
            m_soundCommands.get(), m_trackCommands.get(), m_effectCommands.get(),    m_recordCommands.get()};
}

void COndrixDoc::MapCommands() {
    MapCommand(cmd::kPlayStart, [this] { StartPlayback(); });
    MapCommand(cmd::kRebuildViews, [this] { UpdateAllViews(nullptr, HINT_REBUILD); });
    MapCommand(cmd::kRefreshStatus, [this] { UpdateStatus(0); });
}

bool COndrixDoc::StartPlayback() {
    int64_t start = -1;
    int64_t end = -1;
    if (g_settings.playBack.cursor) {
        if (HasBlock()) {
            int32_t first = 0;
            int32_t last = 0;
            GetBlock(first, last);
            start = first;
            end = int64_t(last) + 1; // the engine's end is exclusive: the block's last frame plays too
        } else {
            start = m_cursor;
            end = m_store->GetFrameCount();
        }
    }
    IEngineListener* listener = m_host ? m_host->GetEngineListener() : nullptr;
    if (!m_store->StartPlayback(g_settings.playBack.port, uint32_t(g_settings.playBack.buffer), start, end,
                                g_settings.playBack.loop != 0, listener)) {
        return false;
    }
    if (!HasBlock()) {
        UpdateAllViews(nullptr, HINT_PLAY_NO_BLOCK);
    }
    return true;
}

bool COndrixDoc::ApplyChange(const std::function<bool()>& operation, uint32_t hint) {
    if (m_undo.SaveUndoState(*m_store, g_settings.edit.undoCount, g_settings.tempPath.clipboard) ==
        CUndoHistory::SaveResult::Failed) {
        return false;
    }
    if (!operation()) {
        m_undo.DropNewestUndoState();
        return false;
    }
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, hint);
    UpdateStatus(0);
    return true;
}

void COndrixDoc::FillSoftwareText() {
    std::string& software = m_store->m_infoTexts[kSoftwareText];
    if (software.empty()) {
        software = LoadString(str::kProductName) + " " + kProductVersion;
    }
}

bool COndrixDoc::Undo() {
    return RestoreState(CUndoHistory::Direction::Undo);
}

bool COndrixDoc::Redo() {
    return RestoreState(CUndoHistory::Direction::Redo);
}

bool COndrixDoc::RestoreState(CUndoHistory::Direction direction) {
    const bool stereo = m_store->GetStereo();
    const uint32_t hint = m_undo.Restore(direction, m_store, g_settings.tempPath.clipboard);
    if (hint == 0) {
        return false;
    }
    SetModifiedFlag(true);
    // the old selection may lie beyond the restored sound: reset it before the views look
    ResetSelection();
    UpdateAllViews(nullptr, hint);
    if (m_store->GetStereo() != stereo) {
        UpdateAllViews(nullptr, HINT_STEREO);
    }
    UpdateStatus(0);
    return true;
}

void COndrixDoc::ResetSelection() {
    m_cursor = 0;
    m_anchor = -1;
    m_zoom = 0;
    m_currentTrack = 0;
}

} // namespace ondrix

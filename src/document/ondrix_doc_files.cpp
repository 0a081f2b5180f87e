#include "document/ondrix_doc.h"

#include "audio/standard_wave.h"
#include "base/progress.h"
#include "document/commands/file_commands.h"
#include "document/core/text_format.h"
#include "document/dialogs/sample_params_dialog.h"
#include "document/update_hints.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/core/settings.h"

#include <QApplication>
#include <QFileInfo>

namespace ondrix {

// The document's lifecycle: a new sound, opening, saving and closing.

namespace {

constexpr uint32_t kInternalWaveResource = 153;
constexpr int kSoftwareText = 12; // "ISFT"
constexpr const char* kProductVersion = "2.0";

int g_untitledCount = 0;

} // namespace

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

void COndrixDoc::FillSoftwareText() {
    std::string& software = m_store->m_infoTexts[kSoftwareText];
    if (software.empty()) {
        software = LoadString(str::kProductName) + " " + kProductVersion;
    }
}

} // namespace ondrix

#include "app/transport.h"

#include "app/value_event.h"
#include "base/message_service.h"
#include "base/progress.h"
#include "document/file_chooser.h"
#include "document/ondrix_doc.h"
#include "resources/command_ids.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/core/settings.h"
#include "store/sample_store.h"

#include <QApplication>
#include <QEvent>

namespace ondrix {

namespace {

constexpr int kMeterPeriodMs = 10;

/// The event of an engine message.
constexpr QEvent::Type kAudioEvent = QEvent::Type(QEvent::User + 0x0900);

/// Whether a store is one of a document's.
bool IsStoreOf(const COndrixDoc* doc, const CSampleStore* store) {
    return doc->GetStore() == store || doc->GetRecordStore() == store;
}

} // namespace

CTransport::CTransport(DocumentList documents, ActiveDocument active)
    : m_documents(std::move(documents)), m_active(std::move(active)),
      m_diskStore(std::make_unique<CSampleStore>()) {
    m_diskStore->m_progressWindowId = kStatusBarWindowId;
    m_meterTimer.setInterval(kMeterPeriodMs);
    connect(&m_meterTimer, &QTimer::timeout, this, &CTransport::ReadLevels);
    MapTransportCommands();
}

CTransport::~CTransport() {
    m_meterTimer.stop();
    m_diskStore->Release();
}

CSampleStore* CTransport::TransportStore() const {
    return m_recordingStore ? m_recordingStore : m_playingStore;
}

bool CTransport::IsRunning() const {
    CSampleStore* store = TransportStore();
    return store && store->GetAudioState() != 0;
}

void CTransport::MapTransportCommands() {
    MapCommand(
        cmd::kPause,
        [this] {
            if (m_playingStore) {
                m_playingStore->TogglePause();
            }
            if (m_recordingStore) {
                if (m_recordingDocument) {
                    m_recordingDocument->StartOrPauseRecording(); // synchronous playback, accompaniment
                }
                m_recordingStore->TogglePause();
            }
        },
        [this](CCmdUI& ui) {
            ui.Enable(IsRunning());
            ui.SetCheck(IsRunning() && (TransportStore()->GetAudioState() & AUDIO_PAUSED) != 0);
        });
    MapCommand(
        cmd::kStop,
        [this] {
            if (m_playingStore) {
                m_playingStore->StopAudio();
            }
            if (m_recordingStore) {
                QApplication::setOverrideCursor(Qt::WaitCursor);
                m_recordingStore->StopAudio();
                QApplication::restoreOverrideCursor();
            }
        },
        [this](CCmdUI& ui) { ui.Enable(IsRunning()); });
    MapCommand(
        cmd::kPlayFromDisk,
        [this] {
            FileRequest request;
            request.title = LoadString(str::kPlayFromDiskTitle);
            request.initial = g_settings.desktop.lastFileName;
            if (const auto path = ChooseFile(request)) {
                PlayFromDisk(*path);
            }
        },
        [this](CCmdUI& ui) {
            ui.Enable(!IsRunning());
            ui.SetCheck(IsRunning());
        });
    // play and record are the document's; the transport decides when they are possible
    const auto transportStart = [this](CCmdUI& ui, bool record) {
        const bool busy = IsRunning();
        const COndrixDoc* doc = m_active();
        ui.Enable(!busy && doc != nullptr && !doc->IsBusy());
        ui.SetCheck(record ? m_recordingStore != nullptr : (m_playingStore && !m_recordingStore && busy));
    };
    MapUpdate(cmd::kPlayStart, [transportStart](CCmdUI& ui) { transportStart(ui, false); });
    MapUpdate(cmd::kRecordStart, [transportStart](CCmdUI& ui) { transportStart(ui, true); });
    const auto toggle = [this](uint32_t id, int32_t& setting) {
        MapCommand(
            id, [&setting] { setting = setting ? 0 : 1; },
            [&setting](CCmdUI& ui) { ui.SetCheck(setting != 0); });
    };
    toggle(cmd::kStartFromCursor, g_settings.playBack.cursor);
    toggle(cmd::kLoop, g_settings.playBack.loop);
    toggle(cmd::kMoveCursor, g_settings.playBack.scrollCursor);
}

bool CTransport::PlayFromDisk(const std::string& path) {
    m_diskStore->m_progressTextId = str::kLoadText;
    if (!m_diskStore->Load(path, STORE_INPLACE, {})) {
        return false;
    }
    g_settings.desktop.lastFileName = path;
    if (!m_diskStore->StartPlayback(g_settings.playBack.port, uint32_t(g_settings.playBack.buffer), -1, -1,
                                    g_settings.playBack.loop != 0, this)) {
        m_diskStore->Release();
        return false;
    }
    return true;
}

void CTransport::ForgetDocument(const COndrixDoc* doc) {
    if (m_playingStore && IsStoreOf(doc, m_playingStore)) {
        m_playingStore = nullptr;
    }
    if (m_recordingStore && IsStoreOf(doc, m_recordingStore)) {
        m_recordingStore = nullptr;
    }
    if (m_recordingDocument == doc) {
        m_recordingDocument = nullptr; // a later stop message must not reach a closed document
    }
    if (!m_playingStore && !m_recordingStore) {
        StopMeterTimer();
    }
}

bool CTransport::IsKnownStore(const CSampleStore* store) const {
    if (store == m_diskStore.get()) {
        return true;
    }
    for (const COndrixDoc* doc : m_documents()) {
        if (IsStoreOf(doc, store)) {
            return true;
        }
    }
    return false;
}

void CTransport::PostAudioMessage(const AudioMessage& message) {
    QCoreApplication::postEvent(this, new CValueEvent<AudioMessage>(kAudioEvent, message));
}

void CTransport::customEvent(QEvent* event) {
    if (event->type() == kAudioEvent) {
        OnAudioMessage(static_cast<CValueEvent<AudioMessage>*>(event)->Get());
        return;
    }
    QObject::customEvent(event);
}

void CTransport::OnAudioMessage(const AudioMessage& message) {
    if (message.wParam != 0 && !message.errorText.empty()) {
        Messages().Beep(MsgIcon::Stop);
        Messages().ShowMessage(message.errorText, MsgIcon::Stop, MsgButtons::Ok, message.wParam);
    }
    switch (message.message) {
    case WM_PLAYSTARTED:
        if (IsKnownStore(message.lParam) && message.lParam->GetAudioState() != 0) {
            m_playingStore = message.lParam;
            StartMeterTimer();
        }
        break;
    case WM_PLAYSTOPPED:
        if (m_playingStore && m_playingStore->GetAudioState() != 0) {
            break; // the stop of an earlier run: the store plays again already
        }
        if (m_playingStore == m_diskStore.get()) {
            m_diskStore->Release();
        }
        m_playingStore = nullptr;
        if (!m_recordingStore) {
            StopMeterTimer();
        }
        break;
    case WM_RECORDSTARTED:
        if (IsKnownStore(message.lParam)) {
            StartMeterTimer();
            m_recordingStore = message.lParam;
        }
        break;
    case WM_RECORDSTOPPED:
        if (m_recordingStore && m_recordingStore->GetAudioState() != 0) {
            break; // the stop of an earlier run: a new recording is already prepared
        }
        m_recordingStore = nullptr;
        if (!m_playingStore) {
            StopMeterTimer();
        }
        if (COndrixDoc* doc = std::exchange(m_recordingDocument, nullptr)) {
            doc->OnRecordingStopped();
        }
        break;
    default:
        break;
    }
    emit stateChanged();
}

void CTransport::ReadLevels() {
    m_meterLeft = m_meterRight = 0;
    if (CSampleStore* store = TransportStore()) {
        store->GetAudioLevels(m_meterLeft, m_meterRight);
    }
    emit levelsChanged(m_meterLeft, m_meterRight, true);
}

void CTransport::StartMeterTimer() {
    if (!m_meterTimer.isActive()) {
        emit meteringStarted();
    }
    m_meterTimer.stop();
    m_meterTimer.start();
}

void CTransport::StopMeterTimer() {
    m_meterTimer.stop();
    m_meterLeft = m_meterRight = 0;
    emit levelsChanged(0, 0, false);
}

} // namespace ondrix

#include "app/main_frame.h"

#include "settings/core/settings.h"
#include "app/mixer_launcher.h"
#include "app/ondrix_app.h"
#include "app/progress_bar.h"
#include "app/qt_message_service.h"
#include "document/file_chooser.h"
#include "document/ondrix_doc.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"
#include "store/sample_store.h"
#include "views/ondrix_child.h"

#include <QApplication>
#include <QMdiArea>
#include <QToolBar>

namespace ondrix {

namespace {

constexpr uint32_t kPlayFromDiskTitle = 32743;
constexpr uint32_t kLoadText = 1028;

/// Qt's dock areas in the numbering the settings keep (0 floating, 1 left, 2 right, 4 top, 8 bottom).
Qt::ToolBarArea AreaOf(int32_t stored) {
    switch (stored) {
    case 1:
        return Qt::LeftToolBarArea;
    case 2:
        return Qt::RightToolBarArea;
    case 8:
        return Qt::BottomToolBarArea;
    default:
        return Qt::TopToolBarArea;
    }
}

} // namespace

CSampleStore* CMainFrame::TransportStore() const {
    return m_recordingStore ? m_recordingStore : m_playingStore;
}

void CMainFrame::MapFrameCommands() {
    const auto transportEnabled = [this] {
        CSampleStore* store = TransportStore();
        return store && store->GetAudioState() != 0;
    };
    MapCommand(
        cmd::kPause,
        [this] {
            if (m_playingStore) {
                m_playingStore->TogglePause();
            }
            if (m_recordingStore) {
                m_recordingStore->TogglePause();
            }
        },
        [this, transportEnabled](CCmdUI& ui) {
            ui.Enable(transportEnabled());
            ui.SetCheck(transportEnabled() && (TransportStore()->GetAudioState() & AUDIO_PAUSED) != 0);
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
        [transportEnabled](CCmdUI& ui) { ui.Enable(transportEnabled()); });
    MapCommand(
        cmd::kPlayFromDisk,
        [this] {
            FileRequest request;
            request.title = LoadString(kPlayFromDiskTitle);
            request.initial = g_settings.desktop.lastFileName;
            if (const auto path = ChooseFile(request)) {
                PlayFromDisk(*path);
            }
        },
        [this, transportEnabled](CCmdUI& ui) {
            ui.Enable(!transportEnabled());
            ui.SetCheck(transportEnabled());
        });
    // play and record are the document's; the frame decides when they are possible
    const auto transportStart = [this, transportEnabled](CCmdUI& ui, bool record) {
        const bool busy = transportEnabled();
        ui.Enable(!busy && ActiveChild() != nullptr && !ActiveChild()->GetDocument()->IsBusy());
        ui.SetCheck(record ? m_recordingStore != nullptr : (m_playingStore && !m_recordingStore && busy));
    };
    MapUpdate(cmd::kPlayStart, [transportStart](CCmdUI& ui) { transportStart(ui, false); });
    MapUpdate(cmd::kRecordStart, [transportStart](CCmdUI& ui) {
        transportStart(ui, true);
        ui.Enable(false); // recording comes with its own commands
    });
    const auto toggle = [this](uint32_t id, int32_t& setting) {
        MapCommand(
            id, [&setting] { setting = setting ? 0 : 1; },
            [&setting](CCmdUI& ui) { ui.SetCheck(setting != 0); });
    };
    toggle(cmd::kStartFromCursor, g_settings.playBack.cursor);
    toggle(cmd::kLoop, g_settings.playBack.loop);
    toggle(cmd::kMoveCursor, g_settings.playBack.scrollCursor);
    const auto barToggle = [this](uint32_t id, QToolBar* bar) {
        MapCommand(
            id, [this, bar] { ToggleBar(bar); }, [bar](CCmdUI& ui) { ui.SetCheck(!bar->isHidden()); });
    };
    barToggle(cmd::kViewToolbar, m_standardBar);
    barToggle(cmd::kViewPlayBar, m_playBar);
    barToggle(cmd::kViewVolumeBar, m_volumeBar);
    MapCommand(
        cmd::kViewStatusBar, [this] { m_statusBar->setVisible(m_statusBar->isHidden()); },
        [this](CCmdUI& ui) { ui.SetCheck(!m_statusBar->isHidden()); });
    MapCommand(
        cmd::kAdaptBars,
        [this] {
            g_settings.desktop.recalcBars = g_settings.desktop.recalcBars ? 0 : 1;
            if (g_settings.desktop.recalcBars) {
                ArrangeStandard();
            }
        },
        [](CCmdUI& ui) { ui.SetCheck(g_settings.desktop.recalcBars != 0); });
    MapCommand(cmd::kStandardBars, [this] { ArrangeStandard(); });
    MapCommand(
        cmd::kMixer, [this] { m_mixer->Toggle(); },
        [this](CCmdUI& ui) {
            ui.Enable(m_mixer->IsAvailable());
            ui.SetCheck(m_mixer->IsRunning());
        });
    MapCommand(cmd::kWindowCascade, [this] { m_mdiArea->cascadeSubWindows(); });
    MapCommand(cmd::kWindowTileHorz, [this] { m_mdiArea->tileSubWindows(); });
    MapCommand(cmd::kWindowTileVert, [this] { m_mdiArea->tileSubWindows(); });
    MapCommand(cmd::kWindowArrange, [this] { m_mdiArea->tileSubWindows(); });
}

bool CMainFrame::PlayFromDisk(const std::string& path) {
    m_diskStore->m_progressTextId = kLoadText;
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

void CMainFrame::ToggleBar(QToolBar* bar) {
    bar->setVisible(bar->isHidden());
    if (g_settings.desktop.recalcBars) {
        ArrangeStandard();
    }
}

void CMainFrame::ArrangeStandard() {
    const bool visible[3] = {!m_standardBar->isHidden(), !m_playBar->isHidden(), !m_volumeBar->isHidden()};
    int index = 0;
    for (QToolBar* bar : {m_standardBar, m_playBar, m_volumeBar}) {
        removeToolBarBreak(bar);
        removeToolBar(bar);
        addToolBar(Qt::TopToolBarArea, bar);
        bar->setVisible(visible[index++]);
    }
}

void CMainFrame::SaveBarState(std::vector<ToolBarPlacement>& bars) const {
    bars.clear();
    for (QToolBar* bar : {m_standardBar, m_playBar, m_volumeBar}) {
        ToolBarPlacement placement;
        placement.visible = bar->isHidden() ? 0 : 1;
        if (bar->isFloating()) {
            placement.area = 0;
            placement.x = bar->x();
            placement.y = bar->y();
        } else {
            switch (toolBarArea(bar)) {
            case Qt::LeftToolBarArea:
                placement.area = 1;
                break;
            case Qt::RightToolBarArea:
                placement.area = 2;
                break;
            case Qt::BottomToolBarArea:
                placement.area = 8;
                break;
            default:
                placement.area = 4;
                break;
            }
            placement.x = bar->x();
            placement.y = bar->y();
        }
        bars.push_back(placement);
    }
}

void CMainFrame::RestoreBarState(const std::vector<ToolBarPlacement>& bars) {
    if (bars.empty()) {
        ArrangeStandard();
        return;
    }
    QToolBar* const all[3] = {m_standardBar, m_playBar, m_volumeBar};
    for (std::size_t i = 0; i < 3; ++i) {
        QToolBar* bar = all[i];
        const ToolBarPlacement placement = i < bars.size() ? bars[i] : ToolBarPlacement{};
        removeToolBar(bar);
        addToolBar(AreaOf(placement.area), bar);
        bar->setVisible(placement.visible != 0);
    }
}

} // namespace ondrix

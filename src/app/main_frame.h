#pragma once

#include "app/action_registry.h"
#include "app/tool_bars.h"
#include "app/transport.h"
#include "app/volume_bar.h"
#include "document/core/command_target.h"
#include "document/document_host.h"
#include "settings/core/accel_table.h"
#include "settings/core/settings.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QMdiArea;
class QToolBar;

namespace ondrix {

class COndrixApp;
class COndrixChild;
class CProgressBar;
class CSampleStore;
class CMixerLauncher;

/// The main window: the document windows in an MDI area, the eight-pane status bar with the progress
/// display, the command line and the wiring of its parts: the actions and menus (CActionRegistry), the
/// tool bars (CToolBars) and playback with the engine's messages (CTransport). The frame's own
/// commands are the bars', the mixer's and the window arrangement.
class CMainFrame final : public QMainWindow, public CCmdTarget, public IDocumentHost {
    Q_OBJECT
public:
    /// The main window of an application (the last target of the command route).
    explicit CMainFrame(COndrixApp* app);
    ~CMainFrame() override;

    // --- commands ---
    /// The actions, menus and command states.
    CActionRegistry& Actions() noexcept { return *m_actions; }
    /// The action of a command id (made on first use).
    QAction* Action(uint32_t id) { return m_actions->Action(id); }
    /// Runs a command through the route (view, document, child, frame, transport, application) when it
    /// is enabled; while an operation runs, the command waits until it has ended.
    void ExecuteCommand(uint32_t id) { m_actions->ExecuteCommand(id); }
    /// Posts a command to run from the event loop.
    void PostCommand(uint32_t id) { m_actions->PostCommand(id); }
    /// The state of a command as its update handlers decide it.
    CCmdUI QueryCommand(uint32_t id) { return m_actions->QueryCommand(id); }
    /// Refreshes the enabled, checked and text state of every action.
    void UpdateCommandStates() { m_actions->UpdateCommandStates(); }
    /// Installs a shortcut table: the actions' keys and the names shown in the menus.
    void SetShortcuts(const AccelTable& table) { m_actions->SetShortcuts(table); }
    /// The command route for the current state, first target first.
    std::vector<CCmdTarget*> Route() const;

    // --- command line ---
    /// Posts a command line to the frame (as start-up and a second instance do).
    void PostCommandLine(const QString& commandLine);
    /// Processes a command line: switches, then the file to open.
    void ProcessCommandLine(const QString& commandLine);

    // --- windows ---
    /// The MDI area.
    QMdiArea* GetMdiArea() const noexcept { return m_mdiArea; }
    /// Adds a document window and shows it.
    void AddChild(COndrixChild* child);
    /// The active (or last active) document window, or null.
    COndrixChild* ActiveChild() const;
    /// Saves the modified documents as the user decides, then closes every document window; false
    /// (nothing closed) when the user cancels a save or an operation runs.
    bool CloseAllDocuments();
    /// Every document window, in creation order.
    std::vector<COndrixChild*> Children() const;
    /// The status bar.
    CProgressBar* StatusBar() const noexcept { return m_statusBar; }
    /// The Standard tool bar.
    QToolBar* StandardBar() const noexcept { return m_bars->Standard(); }
    /// The Play/Record tool bar.
    QToolBar* PlayBar() const noexcept { return m_bars->Play(); }
    /// The main volume bar.
    CVolumeBar* VolumeBar() const noexcept { return m_bars->Volume(); }
    /// Docks the three bars on one row at the top: Standard, Play/Record, volume.
    void ArrangeStandard() { m_bars->ArrangeStandard(); }
    /// The tool bars' visibility and position, as the settings keep them.
    void SaveBarState(std::vector<ToolBarPlacement>& bars) const { m_bars->Save(bars); }
    /// Restores the bars from the settings (the standard arrangement when there is nothing stored).
    void RestoreBarState(const std::vector<ToolBarPlacement>& bars) { m_bars->Restore(bars); }

    // --- transport ---
    /// Playback and recording: the stores that play and record, the levels, the engine's messages.
    CTransport& Transport() const noexcept { return *m_transport; }
    /// The store whose playback runs, or null.
    CSampleStore* GetPlayingStore() const noexcept { return m_transport->GetPlayingStore(); }
    /// The store a recording goes into, or null.
    CSampleStore* GetRecordingStore() const noexcept { return m_transport->GetRecordingStore(); }
    /// The transport's own store for "Start From &Disk...".
    CSampleStore* GetDiskStore() const noexcept { return m_transport->GetDiskStore(); }
    /// Plays a file from disk through the disk store (the in-place storage).
    bool PlayFromDisk(const std::string& path) { return m_transport->PlayFromDisk(path); }
    /// The levels the level timer read last (left, right).
    std::pair<uint32_t, uint32_t> GetMeterLevels() const noexcept { return m_transport->GetMeterLevels(); }
    /// Whether the level timer runs.
    bool IsMeterTimerRunning() const noexcept { return m_transport->IsMeterTimerRunning(); }

    // --- IDocumentHost ---
    bool IsStatusAvailable() const override;
    void SetStatusText(int field, const std::string& text) override;
    bool ClipboardHasData() const override;
    CClipboard* GetClipboard() override;
    IEngineListener* GetEngineListener() override { return m_transport.get(); }
    void SetRecordingDocument(COndrixDoc* doc) override { m_transport->SetRecordingDocument(doc); }

signals:
    /// The frame closed and saved its settings.
    void frameClosed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void customEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    /// Asks to save every modified document; false when the user cancels one.
    bool SaveAllModified();
    /// Closes every document window without asking again.
    void CloseAllChildren();
    /// Maps the frame's own commands.
    void MapFrameCommands();
    /// Shows the document menu while a document window exists, else the frame's.
    void BuildMenuBar();
    /// The entries of the window list.
    std::vector<WindowListEntry> WindowList() const;
    /// The document window list changed: the menus and the status fields follow.
    void OnActiveChildChanged();

    COndrixApp* m_app;
    QMdiArea* m_mdiArea = nullptr;
    CProgressBar* m_statusBar = nullptr;
    std::unique_ptr<CTransport> m_transport;
    std::unique_ptr<CActionRegistry> m_actions;
    std::unique_ptr<CToolBars> m_bars;
    std::unique_ptr<CMixerLauncher> m_mixer;
};

} // namespace ondrix

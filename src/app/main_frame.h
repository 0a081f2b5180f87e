#pragma once

#include "settings/core/accel_table.h"
#include "settings/core/settings.h"
#include "audio/engine_listener.h"
#include "document/core/command_target.h"
#include "document/document_host.h"
#include "resources/menu_layout.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace ondrix {

class COndrixApp;
class COndrixChild;
class COndrixDoc;
class CProgressBar;
class CSampleStore;
class CMixerLauncher;

/// The main window: the document windows in an MDI area, the menus with every command, the Standard
/// and Play/Record tool bars, the place of the volume bar, the eight-pane status bar with the progress
/// display, the transport commands, the engine's messages and the command line.
class CMainFrame final : public QMainWindow, public CCmdTarget, public IDocumentHost, public IEngineListener {
    Q_OBJECT
public:
    /// The main window of an application (the last target of the command route).
    explicit CMainFrame(COndrixApp* app);
    ~CMainFrame() override;

    // --- commands ---
    /// The action of a command id (made on first use).
    QAction* Action(uint32_t id);
    /// Runs a command through the route (view, document, child, frame, application) when it is
    /// enabled; while an operation runs, the command waits until it has ended.
    void ExecuteCommand(uint32_t id);
    /// Posts a command to run from the event loop.
    void PostCommand(uint32_t id);
    /// The state of a command as its update handlers decide it.
    CCmdUI QueryCommand(uint32_t id);
    /// Refreshes the enabled, checked and text state of every action.
    void UpdateCommandStates();
    /// Installs a shortcut table: the actions' keys and the names shown in the menus.
    void SetShortcuts(const AccelTable& table);

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
    /// Every document window, in creation order.
    std::vector<COndrixChild*> Children() const;
    /// The status bar.
    CProgressBar* StatusBar() const noexcept { return m_statusBar; }
    /// The Standard tool bar.
    QToolBar* StandardBar() const noexcept { return m_standardBar; }
    /// The Play/Record tool bar.
    QToolBar* PlayBar() const noexcept { return m_playBar; }
    /// The main volume bar's place.
    QToolBar* VolumeBar() const noexcept { return m_volumeBar; }
    /// Docks the three bars on one row at the top: Standard, Play/Record, volume.
    void ArrangeStandard();
    /// The tool bars' visibility and position, as the settings keep them.
    void SaveBarState(std::vector<ToolBarPlacement>& bars) const;
    /// Restores the bars from the settings (the standard arrangement when there is nothing stored).
    void RestoreBarState(const std::vector<ToolBarPlacement>& bars);

    // --- transport ---
    /// The store whose playback runs, or null.
    CSampleStore* GetPlayingStore() const noexcept { return m_playingStore; }
    /// The store a recording goes into, or null.
    CSampleStore* GetRecordingStore() const noexcept { return m_recordingStore; }
    /// The frame's own store for "Start From &Disk...".
    CSampleStore* GetDiskStore() const noexcept { return m_diskStore.get(); }
    /// Plays a file from disk through the disk store (the in-place storage).
    bool PlayFromDisk(const std::string& path);
    /// The levels the meter timer read last (left, right).
    std::pair<uint32_t, uint32_t> GetMeterLevels() const noexcept { return {m_meterLeft, m_meterRight}; }
    /// Whether the meter timer runs.
    bool IsMeterTimerRunning() const noexcept { return m_meterTimer.isActive(); }

    // --- IDocumentHost ---
    bool IsStatusAvailable() const override;
    void SetStatusText(int field, const std::string& text) override;
    bool ClipboardHasData() const override;
    IEngineListener* GetEngineListener() override { return this; }

    // --- IEngineListener ---
    void PostAudioMessage(const AudioMessage& message) override;

signals:
    /// The frame closed and saved its settings.
    void frameClosed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void customEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    /// Creates the tool bars, the status bar and the actions.
    void CreateBars();
    /// Maps the frame's own commands.
    void MapFrameCommands();
    /// Rebuilds the menu bar: the document menu while a document window exists, else the frame's.
    void BuildMenuBar();
    /// Fills a menu from menu nodes.
    void FillMenu(QMenu* menu, const std::vector<MenuNode>& nodes);
    /// Fills the recent-file entries of a menu.
    void FillRecentFiles(QMenu* menu, QAction* before);
    /// Fills the window list of a menu.
    void FillWindowList(QMenu* menu);
    /// Updates the actions of one menu before it shows.
    void UpdateMenu(QMenu* menu);
    /// The command route for the current state.
    std::vector<CCmdTarget*> Route() const;
    /// Runs the commands that waited for an operation to end.
    void RunDeferredCommands();
    /// Handles one engine message on the user-interface thread.
    void OnAudioMessage(const AudioMessage& message);
    /// Whether a store is one the frame knows (a document's, a recording's or the disk store).
    bool IsKnownStore(const CSampleStore* store) const;
    /// A document window is going away: forget its stores.
    void OnChildClosing(COndrixChild* child);
    /// Starts or stops the 10 ms level timer.
    void StartMeterTimer();
    void StopMeterTimer();
    /// Shows or hides a bar, then arranges when "&Adapt Tool Bars" is on.
    void ToggleBar(QToolBar* bar);
    /// The store Pause and Stop act on: the recording store, else the playing store.
    CSampleStore* TransportStore() const;

    COndrixApp* m_app;
    QMdiArea* m_mdiArea = nullptr;
    CProgressBar* m_statusBar = nullptr;
    QToolBar* m_standardBar = nullptr;
    QToolBar* m_playBar = nullptr;
    QToolBar* m_volumeBar = nullptr;
    std::map<uint32_t, QAction*> m_actions;
    std::map<uint32_t, uint32_t> m_menuTexts; ///< command id -> menu text id
    AccelTable m_shortcuts;
    bool m_documentMenu = false;
    bool m_menuBuilt = false;
    QTimer m_idleTimer;
    QTimer m_meterTimer;
    uint32_t m_meterLeft = 0;
    uint32_t m_meterRight = 0;
    std::deque<uint32_t> m_deferred;
    CSampleStore* m_playingStore = nullptr;
    CSampleStore* m_recordingStore = nullptr;
    std::unique_ptr<CSampleStore> m_diskStore;
    std::unique_ptr<CMixerLauncher> m_mixer;
    bool m_closing = false;
};

} // namespace ondrix

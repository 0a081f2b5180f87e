#pragma once

#include "document/core/command_target.h"
#include "resources/menu_layout.h"
#include "settings/core/accel_table.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace ondrix {

/// One entry of a menu's window list.
struct WindowListEntry {
    QString title;                  ///< the window's title
    bool active = false;            ///< whether it is the active window (checked)
    std::function<void()> activate; ///< makes it the active window
};

/// The commands as the window shows them: one QAction per command id with its menu text, prompt and
/// shortcuts, the menus built from a menu layout, the update handlers run over the command route on a
/// timer and before a menu shows, and the commands that wait while an operation runs.
class CActionRegistry final : public QObject {
    Q_OBJECT
public:
    using RouteSource = std::function<std::vector<CCmdTarget*>()>;
    using BusyTest = std::function<bool()>;
    using WindowLister = std::function<std::vector<WindowListEntry>()>;

    /// Actions on a window (their shortcuts work anywhere in it) that run through the route route()
    /// gives; while busy() holds, commands wait and the states stay as they are. windows() fills the
    /// window list of a menu.
    CActionRegistry(QWidget* window, RouteSource route, BusyTest busy, WindowLister windows);
    ~CActionRegistry() override;

    /// The action of a command id (made on first use).
    QAction* Action(uint32_t id);
    /// Takes the menu texts of a layout's commands (shown with the shortcut names).
    void AddMenuTexts(const std::vector<MenuNode>& layout);
    /// Installs a shortcut table: the actions' keys and the names shown in the menus.
    void SetShortcuts(const AccelTable& table);
    /// Fills a menu bar from a layout; nothing happens when the bar shows that layout already.
    void BuildMenus(QMenuBar* bar, const std::vector<MenuNode>& layout);

    /// Runs a command through the route when it is enabled; while an operation runs, the command waits
    /// until it has ended.
    void ExecuteCommand(uint32_t id);
    /// Posts a command to run from the event loop.
    void PostCommand(uint32_t id);
    /// The state of a command as its update handlers decide it.
    CCmdUI QueryCommand(uint32_t id) const;
    /// Refreshes the enabled, checked and text state of every action (not while an operation runs).
    void UpdateCommandStates();
    /// An operation has ended: the waiting commands run from the event loop.
    void OperationEnded();

protected:
    void customEvent(QEvent* event) override;

private:
    /// Fills a menu from menu nodes.
    void FillMenu(QMenu* menu, const std::vector<MenuNode>& nodes);
    /// Fills the recent-file entries of a menu before its marker.
    void FillRecentFiles(QMenu* menu, QAction* marker);
    /// Fills the window list at the end of a menu.
    void FillWindowList(QMenu* menu);
    /// Updates the actions of one menu before it shows.
    void UpdateMenu(QMenu* menu);
    /// Runs the commands that waited for an operation to end.
    void RunDeferredCommands();

    QWidget* m_window;
    RouteSource m_route;
    BusyTest m_busy;
    WindowLister m_windows;
    std::map<uint32_t, QAction*> m_actions;
    std::map<uint32_t, uint32_t> m_menuTexts; ///< command id -> menu text id
    AccelTable m_shortcuts;
    const std::vector<MenuNode>* m_shownLayout = nullptr;
    std::deque<uint32_t> m_deferred;
    QTimer m_idleTimer;
};

} // namespace ondrix

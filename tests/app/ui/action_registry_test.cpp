#include "app/action_registry.h"
#include "app/ui/editor_qt_support.h"
#include "resources/command_ids.h"
#include "resources/menu_layout.h"
#include "settings/core/settings.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <vector>

#include <gtest/gtest.h>

using namespace ondrix;
using namespace ondrix::test;

namespace {

/// A command target that records the commands it runs; each command is enabled while its flag says so.
class RecordingTarget final : public CCmdTarget {
public:
    void Handle(uint32_t id) {
        enabled[id] = true;
        MapCommand(
            id, [this, id] { ran.push_back(id); }, [this, id](CCmdUI& ui) { ui.Enable(enabled[id]); });
    }

    std::vector<uint32_t> ran;
    std::map<uint32_t, bool> enabled;
};

/// A registry on a shown window, routed to one recording target.
class ActionRegistryTest : public ::testing::Test, public QtApplicationFirst {
protected:
    ActionRegistryTest() {
        target.Handle(cmd::kFileOpen);
        target.Handle(cmd::kFileMruFirst + 1);
        registry.AddMenuTexts(MainFrameMenu());
        registry.AddMenuTexts(DocumentMenu());
        registry.SetShortcuts({{FVIRTKEY | FCONTROL | FSHIFT, 'O', uint16_t(cmd::kFileOpen)}});
        window.setCentralWidget(central);
        window.show();
        window.activateWindow();
        ProcessPendingEvents();
    }

    /// The menu of the bar with a title.
    QMenu* MenuTitled(const QString& title) const {
        for (QAction* action : window.menuBar()->actions()) {
            if (action->text() == title) {
                return action->menu();
            }
        }
        return nullptr;
    }

    QMainWindow window;
    QWidget* central = new QWidget;
    RecordingTarget target;
    bool busy = false;
    std::vector<WindowListEntry> windows;
    CActionRegistry registry{&window, [this] { return std::vector<CCmdTarget*>{&target}; },
                             [this] { return busy; }, [this] { return windows; }};
};

TEST_F(ActionRegistryTest, AShortcutRunsItsCommandOnlyWhileItIsEnabled) {
    EXPECT_EQ(registry.Action(cmd::kFileOpen)->text(), "&Open...\tCtrl+Shift+O");
    SendKey(central, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(target.ran, std::vector<uint32_t>{cmd::kFileOpen});
    target.enabled[cmd::kFileOpen] = false;
    registry.UpdateCommandStates();
    EXPECT_FALSE(registry.Action(cmd::kFileOpen)->isEnabled());
    SendKey(central, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    registry.ExecuteCommand(cmd::kFileOpen); // the route refuses a disabled command, too
    EXPECT_EQ(target.ran.size(), 1u);
    // without the binding the key does nothing and the menu text loses its name
    target.enabled[cmd::kFileOpen] = true;
    registry.UpdateCommandStates();
    registry.SetShortcuts({});
    EXPECT_EQ(registry.Action(cmd::kFileOpen)->text(), "&Open...");
    SendKey(central, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(target.ran.size(), 1u);
}

TEST_F(ActionRegistryTest, CommandsWaitWhileBusyAndRunInOrderOnceTheOperationHasEnded) {
    registry.SetShortcuts({{FVIRTKEY | FCONTROL | FSHIFT, 'O', uint16_t(cmd::kFileOpen)},
                           {FVIRTKEY, VK_F1 + 1, uint16_t(cmd::kFileMruFirst + 1)}});
    busy = true;
    SendKey(central, Qt::Key_F2);
    registry.PostCommand(cmd::kFileOpen);
    ProcessPendingEvents();
    // the states stay as they are while the operation runs
    target.enabled[cmd::kFileOpen] = false;
    registry.UpdateCommandStates();
    EXPECT_TRUE(registry.Action(cmd::kFileOpen)->isEnabled());
    target.enabled[cmd::kFileOpen] = true;
    EXPECT_TRUE(target.ran.empty());
    busy = false;
    registry.OperationEnded();
    EXPECT_TRUE(target.ran.empty()); // from the event loop, not inside the operation's end
    ProcessPendingEvents();
    EXPECT_EQ(target.ran, (std::vector<uint32_t>{cmd::kFileMruFirst + 1, cmd::kFileOpen}));
}

TEST_F(ActionRegistryTest, MenusFollowTheLayoutAndFillTheirListsBeforeTheyShow) {
    registry.BuildMenus(window.menuBar(), MainFrameMenu());
    QMenu* file = MenuTitled("&File");
    ASSERT_NE(file, nullptr);
    registry.BuildMenus(window.menuBar(), MainFrameMenu()); // the same layout: the same menus
    EXPECT_EQ(MenuTitled("&File"), file);
    registry.BuildMenus(window.menuBar(), DocumentMenu());
    ASSERT_NE(MenuTitled("&Window"), nullptr);

    // the recent files: entries made as the menu shows, each running its command
    g_settings.recentFiles.Clear();
    g_settings.recentFiles.Add("/tmp/b.wav");
    g_settings.recentFiles.Add("/tmp/a.wav");
    QMenu* recentMenu = MenuTitled("&File");
    emit recentMenu->aboutToShow();
    emit recentMenu->aboutToShow(); // shown twice: the entries are not doubled
    QStringList recent;
    QAction* second = nullptr;
    for (QAction* action : recentMenu->actions()) {
        if (action->property("recent").toBool()) {
            recent << action->text();
            second = action;
        }
    }
    ASSERT_EQ(recent.size(), 2);
    EXPECT_TRUE(recent[0].startsWith("&1 ")) << recent[0].toStdString();
    second->trigger();
    EXPECT_EQ(target.ran, std::vector<uint32_t>{cmd::kFileMruFirst + 1});
    g_settings.recentFiles.Clear();

    // the window list: numbered titles, the active one checked, an entry activates its window
    int activated = 0;
    windows = {{"one", false, [&activated] { activated = 1; }},
               {"two", true, [&activated] { activated = 2; }}};
    QMenu* windowMenu = MenuTitled("&Window");
    emit windowMenu->aboutToShow();
    std::vector<QAction*> entries;
    for (QAction* action : windowMenu->actions()) {
        if (action->property("window").toBool()) {
            entries.push_back(action);
        }
    }
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0]->text(), "&1 one");
    EXPECT_FALSE(entries[0]->isChecked());
    EXPECT_EQ(entries[1]->text(), "&2 two");
    EXPECT_TRUE(entries[1]->isChecked());
    entries[0]->trigger();
    EXPECT_EQ(activated, 1);
}

} // namespace

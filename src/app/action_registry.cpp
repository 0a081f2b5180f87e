#include "app/action_registry.h"

#include "settings/accel_keys.h"
#include "app/value_event.h"
#include "resources/command_ids.h"
#include "resources/ui/qt_strings.h"
#include "settings/core/settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace ondrix {

namespace {

constexpr int kIdleUpdateMs = 250;

/// The event of a posted command.
constexpr QEvent::Type kCommandEvent = QEvent::Type(QEvent::User + 0x0111);

/// The status text of a prompt string: its first line (the tool tip follows a line break).
QString PromptText(uint32_t id) {
    return LoadQString(id).section(QLatin1Char('\n'), 0, 0);
}

QString ToolTipText(uint32_t id) {
    const QString prompt = LoadQString(id);
    return prompt.contains(QLatin1Char('\n')) ? prompt.section(QLatin1Char('\n'), 1, 1) : prompt;
}

/// Applies an update handler's decision to an action.
void ApplyState(QAction* action, const CCmdUI& ui) {
    action->setEnabled(ui.IsEnabled());
    action->setCheckable(ui.IsCheckable());
    action->setChecked(ui.IsChecked());
}

/// Removes the entries a menu made for itself (marked with a property) before it makes them anew.
void RemoveMarkedEntries(QMenu* menu, const char* property) {
    for (QAction* action : menu->actions()) {
        if (action->property(property).toBool()) {
            menu->removeAction(action);
            action->deleteLater();
        }
    }
}

} // namespace

CActionRegistry::CActionRegistry(QWidget* window, RouteSource route, BusyTest busy, WindowLister windows)
    : m_window(window), m_route(std::move(route)), m_busy(std::move(busy)), m_windows(std::move(windows)) {
    m_idleTimer.setInterval(kIdleUpdateMs);
    connect(&m_idleTimer, &QTimer::timeout, this, &CActionRegistry::UpdateCommandStates);
    m_idleTimer.start();
}

CActionRegistry::~CActionRegistry() {
    m_idleTimer.stop();
}

QAction* CActionRegistry::Action(uint32_t id) {
    const auto it = m_actions.find(id);
    if (it != m_actions.end()) {
        return it->second;
    }
    auto* action = new QAction(m_window);
    action->setObjectName(QStringLiteral("Command%1").arg(id));
    action->setData(id);
    action->setStatusTip(PromptText(id));
    action->setToolTip(ToolTipText(id));
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    m_window->addAction(action); // shortcuts work even while the action is in no visible menu
    m_actions.emplace(id, action);
    return action;
}

void CActionRegistry::AddMenuTexts(const std::vector<MenuNode>& layout) {
    ForEachCommand(layout, [this](const MenuNode& node) { m_menuTexts[node.commandId] = node.textId; });
}

void CActionRegistry::SetShortcuts(const AccelTable& table) {
    m_shortcuts = table;
    for (const AccelEntry& entry : table) {
        Action(entry.cmd);
    }
    for (auto& [id, action] : m_actions) {
        action->setShortcuts(KeySequencesOf(table, uint16_t(id)));
        const auto text = m_menuTexts.find(id);
        if (text != m_menuTexts.end()) {
            QString label = LoadQString(text->second);
            if (const AccelEntry* shortcut = MenuShortcutOf(table, uint16_t(id))) {
                label += QLatin1Char('\t') + QString::fromStdString(AccelName(*shortcut));
            }
            action->setText(label);
        }
        if (action->text().isEmpty()) {
            action->setText(ToolTipText(id));
        }
    }
}

void CActionRegistry::BuildMenus(QMenuBar* bar, const std::vector<MenuNode>& layout) {
    if (m_shownLayout == &layout) {
        return;
    }
    m_shownLayout = &layout;
    bar->clear();
    for (const MenuNode& node : layout) {
        FillMenu(bar->addMenu(LoadQString(node.textId)), node.children);
    }
    SetShortcuts(m_shortcuts); // the new menus' actions get their texts and keys
}

void CActionRegistry::FillMenu(QMenu* menu, const std::vector<MenuNode>& nodes) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
    for (const MenuNode& node : nodes) {
        switch (node.kind) {
        case MenuNode::Command:
            menu->addAction(Action(node.commandId));
            break;
        case MenuNode::Separator:
            menu->addSeparator();
            break;
        case MenuNode::Submenu:
            FillMenu(menu->addMenu(LoadQString(node.textId)), node.children);
            break;
        case MenuNode::RecentFiles:
        case MenuNode::WindowList: {
            // a hidden marker: the entries are made each time the menu shows
            QAction* marker = menu->addSeparator();
            marker->setObjectName(node.kind == MenuNode::RecentFiles ? QStringLiteral("RecentFiles")
                                                                     : QStringLiteral("WindowList"));
            marker->setVisible(false);
            break;
        }
        }
    }
}

void CActionRegistry::UpdateMenu(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("RecentFiles")) {
            FillRecentFiles(menu, action);
        } else if (action->objectName() == QLatin1String("WindowList")) {
            FillWindowList(menu);
        }
    }
    for (QAction* action : menu->actions()) {
        bool ok = false;
        const uint32_t id = action->data().toUInt(&ok);
        if (ok && !action->menu() && id != 0) {
            ApplyState(action, QueryCommand(id));
        }
    }
}

void CActionRegistry::FillRecentFiles(QMenu* menu, QAction* marker) {
    RemoveMarkedEntries(menu, "recent");
    const CRecentFileList& recent = g_settings.recentFiles;
    for (std::size_t i = 0; i < recent.Paths().size() && i < cmd::kFileMruCount; ++i) {
        const QString text =
            QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromStdString(recent.DisplayName(i)));
        auto* action = new QAction(text, menu);
        action->setProperty("recent", true);
        action->setStatusTip(QString::fromStdString(recent.Paths()[i]));
        const uint32_t id = cmd::kFileMruFirst + uint32_t(i);
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        menu->insertAction(marker, action);
    }
}

void CActionRegistry::FillWindowList(QMenu* menu) {
    RemoveMarkedEntries(menu, "window");
    int number = 1;
    for (const WindowListEntry& entry : m_windows()) {
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(number++).arg(entry.title), menu);
        action->setProperty("window", true);
        action->setCheckable(true);
        action->setChecked(entry.active);
        connect(action, &QAction::triggered, this, entry.activate);
        menu->addAction(action);
    }
}

CCmdUI CActionRegistry::QueryCommand(uint32_t id) const {
    return CCommandRoute(m_route()).Update(id);
}

void CActionRegistry::ExecuteCommand(uint32_t id) {
    if (m_busy()) {
        m_deferred.push_back(id); // no command runs inside an operation; it waits for the end
        return;
    }
    CCommandRoute(m_route()).Execute(id);
    UpdateCommandStates();
}

void CActionRegistry::PostCommand(uint32_t id) {
    QCoreApplication::postEvent(this, new CValueEvent<uint32_t>(kCommandEvent, id));
}

void CActionRegistry::OperationEnded() {
    QTimer::singleShot(0, this, [this] { RunDeferredCommands(); });
}

void CActionRegistry::RunDeferredCommands() {
    while (!m_deferred.empty() && !m_busy()) {
        const uint32_t id = m_deferred.front();
        m_deferred.pop_front();
        ExecuteCommand(id);
    }
}

void CActionRegistry::UpdateCommandStates() {
    if (m_busy()) {
        return;
    }
    const CCommandRoute route(m_route());
    for (auto& [id, action] : m_actions) {
        const CCmdUI ui = route.Update(id);
        ApplyState(action, ui);
        if (ui.GetText()) {
            action->setText(QString::fromStdString(*ui.GetText()));
        }
    }
}

void CActionRegistry::customEvent(QEvent* event) {
    if (event->type() == kCommandEvent) {
        ExecuteCommand(static_cast<CValueEvent<uint32_t>*>(event)->Get());
        return;
    }
    QObject::customEvent(event);
}

} // namespace ondrix

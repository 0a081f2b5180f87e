#include "app/tool_bars.h"

#include "app/action_registry.h"
#include "app/volume_bar.h"
#include "resources/command_ids.h"
#include "resources/string_ids.h"
#include "resources/ui/qt_strings.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QToolBar>

#include <array>

namespace ondrix {

namespace {

/// The tool bar buttons: command and icon name (a command of 0 is a separator).
struct BarButton {
    uint32_t command;
    const char* icon;
};

constexpr BarButton kStandardButtons[] = {
    {cmd::kFileNew, "new"},
    {cmd::kFileOpen, "open"},
    {cmd::kFileSave, "save"},
    {0, nullptr},
    {cmd::kEditCut, "cut"},
    {cmd::kEditCopy, "copy"},
    {cmd::kEditPaste, "paste"},
    {cmd::kMix, "mix"},
    {cmd::kEditDelete, "delete"},
    {0, nullptr},
    {cmd::kEditUndo, "undo"},
    {cmd::kEditRedo, "redo"},
    {0, nullptr},
    {cmd::kZoomAdapt, "zoom_adapt"},
    {cmd::kZoomIntoBlock, "zoom_block"},
    {cmd::kZoomFullDetail, "zoom_full"},
    {0, nullptr},
    {cmd::kSettings, "settings"},
    {cmd::kAbout, "about"},
};

constexpr BarButton kPlayButtons[] = {
    {cmd::kStop, "stop"}, {cmd::kPlayStart, "play"}, {cmd::kRecordStart, "record"}, {cmd::kPause, "pause"}};

/// Adds a bar's buttons.
template <std::size_t N>
void AddButtons(QToolBar* bar, CActionRegistry& actions, const BarButton (&buttons)[N]) {
    for (const BarButton& button : buttons) {
        if (button.command == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = actions.Action(button.command);
        action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(button.icon))));
        bar->addAction(action);
    }
}

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

/// The stored number of a dock area.
int32_t StoredAreaOf(Qt::ToolBarArea area) {
    switch (area) {
    case Qt::LeftToolBarArea:
        return 1;
    case Qt::RightToolBarArea:
        return 2;
    case Qt::BottomToolBarArea:
        return 8;
    default:
        return 4;
    }
}

} // namespace

CToolBars::CToolBars(QMainWindow* window, CActionRegistry& actions) : m_window(window) {
    m_standard = window->addToolBar(LoadQString(str::kStandardBarTitle));
    m_standard->setObjectName(QStringLiteral("StandardBar"));
    AddButtons(m_standard, actions, kStandardButtons);
    m_play = window->addToolBar(LoadQString(str::kPlayBarTitle));
    m_play->setObjectName(QStringLiteral("PlayBar"));
    AddButtons(m_play, actions, kPlayButtons);
    m_volume = new CVolumeBar(window);
    window->addToolBar(m_volume);
    for (QToolBar* bar : {m_standard, m_play, static_cast<QToolBar*>(m_volume)}) {
        bar->setIconSize(QSize(20, 20));
    }
}

void CToolBars::Toggle(QToolBar* bar) {
    bar->setVisible(bar->isHidden());
    if (g_settings.desktop.recalcBars) {
        ArrangeStandard();
    }
}

void CToolBars::ArrangeStandard() {
    const std::array<QToolBar*, 3> all = {m_standard, m_play, m_volume};
    const bool visible[3] = {!m_standard->isHidden(), !m_play->isHidden(), !m_volume->isHidden()};
    for (std::size_t i = 0; i < all.size(); ++i) {
        m_window->removeToolBarBreak(all[i]);
        m_window->removeToolBar(all[i]);
        m_window->addToolBar(Qt::TopToolBarArea, all[i]);
        all[i]->setVisible(visible[i]);
    }
}

void CToolBars::Save(std::vector<ToolBarPlacement>& bars) const {
    bars.clear();
    for (QToolBar* bar : {m_standard, m_play, static_cast<QToolBar*>(m_volume)}) {
        ToolBarPlacement placement;
        placement.visible = bar->isHidden() ? 0 : 1;
        placement.area = bar->isFloating() ? 0 : StoredAreaOf(m_window->toolBarArea(bar));
        placement.x = bar->x();
        placement.y = bar->y();
        bars.push_back(placement);
    }
}

void CToolBars::Restore(const std::vector<ToolBarPlacement>& bars) {
    if (bars.empty()) {
        ArrangeStandard();
        return;
    }
    const std::array<QToolBar*, 3> all = {m_standard, m_play, m_volume};
    for (std::size_t i = 0; i < all.size(); ++i) {
        const ToolBarPlacement placement = i < bars.size() ? bars[i] : ToolBarPlacement{};
        m_window->removeToolBar(all[i]);
        m_window->addToolBar(AreaOf(placement.area), all[i]);
        all[i]->setVisible(placement.visible != 0);
    }
}

} // namespace ondrix

#pragma once

#include "settings/core/settings.h"

#include <vector>

class QMainWindow;
class QToolBar;

namespace ondrix {

class CActionRegistry;
class CVolumeBar;

/// The tool bars of the main window: the Standard bar and the Play/Record bar with their command
/// buttons, the volume bar, their standard arrangement and the placement the settings keep.
class CToolBars final {
public:
    /// Creates the three bars on a window, their buttons from the registry's actions.
    CToolBars(QMainWindow* window, CActionRegistry& actions);

    /// The Standard tool bar.
    QToolBar* Standard() const noexcept { return m_standard; }
    /// The Play/Record tool bar.
    QToolBar* Play() const noexcept { return m_play; }
    /// The main volume bar.
    CVolumeBar* Volume() const noexcept { return m_volume; }

    /// Docks the three bars on one row at the top: Standard, Play/Record, volume.
    void ArrangeStandard();
    /// Shows or hides a bar, then arranges when "&Adapt Tool Bars" is on.
    void Toggle(QToolBar* bar);
    /// The bars' visibility and position, as the settings keep them.
    void Save(std::vector<ToolBarPlacement>& bars) const;
    /// Restores the bars from the settings (the standard arrangement when there is nothing stored).
    void Restore(const std::vector<ToolBarPlacement>& bars);

private:
    QMainWindow* m_window;
    QToolBar* m_standard = nullptr;
    QToolBar* m_play = nullptr;
    CVolumeBar* m_volume = nullptr;
};

} // namespace ondrix

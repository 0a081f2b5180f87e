#pragma once

#include <QObject>

class QWidget;

namespace ondrix {

/// Gives the keyboard back after a modal dialog or message box closes: to the dialog still open beneath
/// it, else to the main window. A window manager does this for its transient windows; without one (a bare
/// X server, a kiosk session) the focus would stay nowhere and every shortcut after a dialog would be lost.
class CFocusReturn final : public QObject {
public:
    /// Watches the application's modal windows on behalf of the main window.
    explicit CFocusReturn(QWidget* mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Activates the window the keyboard belongs to when no window of the program has it.
    void ReturnFocus();

    QWidget* m_mainWindow;
};

} // namespace ondrix

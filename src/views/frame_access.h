#pragma once

#include <QPoint>

#include <cstdint>

class QWidget;

namespace ondrix {

/// Runs a command of the main window a widget lies in, as its menu item would; false when the window
/// has no such command.
bool SendWindowCommand(QWidget* from, uint32_t id);

/// Shows the program's Edit menu as a pop-up at a point of the screen (the document's context menu).
void ShowEditMenu(QWidget* from, const QPoint& globalPos);

} // namespace ondrix

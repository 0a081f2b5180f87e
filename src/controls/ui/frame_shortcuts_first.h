#pragma once

class QWidget;

namespace ondrix {

/// Lets the main frame's keyboard shortcuts win over a text field's own Ctrl and Alt key bindings
/// (a line edit would otherwise keep Ctrl+E, Ctrl+D, Ctrl+Z and the like while it has the focus);
/// plain keys still edit the text.
void LetFrameShortcutsWin(QWidget* field);

} // namespace ondrix

#pragma once

#include "effects/effect_kind.h"

#include <QPoint>

#include <cstdint>

class QWidget;

namespace ondrix {

/// Builds the beginner-mode menu of a kind, shows it at a screen position and returns the command of the
/// item chosen, 0 when the menu was closed without a choice. While an item is highlighted its status
/// prompt (the string of its command) goes to the owner's status bar.
uint32_t ShowPresetMenu(PresetMenu kind, const QPoint& globalPos, QWidget* owner);

/// The preset a menu command runs (0, 1 or 2); -1 for a command that is no preset choice.
int PresetOfCommand(uint32_t commandId) noexcept;

} // namespace ondrix

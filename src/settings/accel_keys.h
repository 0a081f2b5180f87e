#pragma once

#include "settings/core/accel_table.h"

#include <QKeySequence>
#include <QList>

#include <optional>

namespace ondrix {

/// The Qt key (with Qt::KeypadModifier for the numeric pad) of a virtual-key code; 0 when none.
QKeyCombination QtKeyOfVirtualKey(uint16_t vk);

/// The virtual-key code of a Qt key as a key event reports it; 0 for keys without one (modifiers alone).
uint16_t VirtualKeyOfQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

/// The key sequence of a shortcut entry; empty when its key has no Qt counterpart.
QKeySequence KeySequenceOf(const AccelEntry& entry);

/// The entry the keyboard page assigns for a pressed key: FVIRTKEY plus FALT, FCONTROL and FSHIFT as
/// pressed; nothing for a key without a virtual-key code.
std::optional<AccelEntry> AccelFromKey(int qtKey, Qt::KeyboardModifiers modifiers, uint16_t cmd);

/// The key sequences of a command for its QAction, the one its menu item shows first (MenuShortcutOf).
QList<QKeySequence> KeySequencesOf(const AccelTable& table, uint16_t cmd);

} // namespace ondrix

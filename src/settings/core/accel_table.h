#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ondrix {

/// The flags of a shortcut entry.
enum AccelFlags : uint8_t {
    FVIRTKEY = 1,  ///< the key is a virtual-key code (otherwise a character code)
    FNOINVERT = 2, ///< no menu highlight (kept, has no effect here)
    FSHIFT = 4,
    FCONTROL = 8,
    FALT = 16
};

/// Virtual-key codes of the keys a shortcut can use (letters and digits are their upper-case characters).
enum VirtualKey : uint16_t {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_CLEAR = 0x0C,
    VK_RETURN = 0x0D,
    VK_PAUSE = 0x13,
    VK_CAPITAL = 0x14,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_SNAPSHOT = 0x2C,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_NUMPAD0 = 0x60,
    VK_NUMPAD9 = 0x69,
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_F1 = 0x70,
    VK_F24 = 0x87,
    VK_NUMLOCK = 0x90,
    VK_SCROLL = 0x91,
    VK_OEM_1 = 0xBA,      ///< ;
    VK_OEM_PLUS = 0xBB,   ///< =
    VK_OEM_COMMA = 0xBC,  ///< ,
    VK_OEM_MINUS = 0xBD,  ///< -
    VK_OEM_PERIOD = 0xBE, ///< .
    VK_OEM_2 = 0xBF,      ///< /
    VK_OEM_3 = 0xC0,      ///< `
    VK_OEM_4 = 0xDB,      ///< [
    VK_OEM_5 = 0xDC,      ///< backslash
    VK_OEM_6 = 0xDD,      ///< ]
    VK_OEM_7 = 0xDE       ///< '
};

/// One keyboard shortcut: flags, key and the command it runs.
struct AccelEntry {
    uint8_t flags = FVIRTKEY;
    uint16_t key = 0;
    uint16_t cmd = 0;

    friend bool operator==(const AccelEntry&, const AccelEntry&) = default;
};

/// The program's shortcut table, in entry order (the order decides which key a menu shows).
using AccelTable = std::vector<AccelEntry>;

/// Command ids whose menu item shows the last of their shortcuts rather than the first.
inline constexpr uint16_t kUndoCommand = 57643;
inline constexpr uint16_t kCutCommand = 57635;

/// The built-in shortcut table (restored by the keyboard page's "Standard", saved on the first run).
const AccelTable& BuiltInAccelTable();

/// The shortcuts of a command in table order.
AccelTable ShortcutsOf(const AccelTable& table, uint16_t cmd);

/// The shortcut a menu item shows for a command: the first in the table, for Undo and Cut the last;
/// nullptr when the command has none.
const AccelEntry* MenuShortcutOf(const AccelTable& table, uint16_t cmd);

/// The name of a key: "F5", "Backspace", "Num /"; the character itself for letters and digits; empty
/// for a code without a name.
std::string VirtualKeyName(uint16_t vk);

/// The name of a shortcut: the modifiers Ctrl, Shift and Alt in this order, each followed by "+", then the
/// key ("Ctrl+Shift+F1"); empty when the key has no name.
std::string AccelName(const AccelEntry& entry);

} // namespace ondrix

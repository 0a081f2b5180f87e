#include "settings/core/accel_table.h"

namespace ondrix {

namespace {

constexpr uint8_t kCtrl = FVIRTKEY | FCONTROL;
constexpr uint8_t kShift = FVIRTKEY | FSHIFT;
constexpr uint8_t kCtrlShift = FVIRTKEY | FCONTROL | FSHIFT;
constexpr uint8_t kAlt = FVIRTKEY | FALT;
constexpr uint8_t kPlain = FVIRTKEY;

/// Names of the keys that are not a printable character of their own.
struct KeyName {
    uint16_t vk;
    const char* name;
};

constexpr KeyName kKeyNames[] = {{VK_BACK, "Backspace"},
                                 {VK_TAB, "Tab"},
                                 {VK_CLEAR, "Clear"},
                                 {VK_RETURN, "Enter"},
                                 {VK_PAUSE, "Pause"},
                                 {VK_CAPITAL, "Caps Lock"},
                                 {VK_ESCAPE, "Esc"},
                                 {VK_SPACE, "Space"},
                                 {VK_PRIOR, "Page Up"},
                                 {VK_NEXT, "Page Down"},
                                 {VK_END, "End"},
                                 {VK_HOME, "Home"},
                                 {VK_LEFT, "Left"},
                                 {VK_UP, "Up"},
                                 {VK_RIGHT, "Right"},
                                 {VK_DOWN, "Down"},
                                 {VK_SNAPSHOT, "Print Screen"},
                                 {VK_INSERT, "Insert"},
                                 {VK_DELETE, "Delete"},
                                 {VK_MULTIPLY, "Num *"},
                                 {VK_ADD, "Num +"},
                                 {VK_SUBTRACT, "Num -"},
                                 {VK_DECIMAL, "Num Del"},
                                 {VK_DIVIDE, "Num /"},
                                 {VK_NUMLOCK, "Num Lock"},
                                 {VK_SCROLL, "Scroll Lock"},
                                 {VK_OEM_1, ";"},
                                 {VK_OEM_PLUS, "="},
                                 {VK_OEM_COMMA, ","},
                                 {VK_OEM_MINUS, "-"},
                                 {VK_OEM_PERIOD, "."},
                                 {VK_OEM_2, "/"},
                                 {VK_OEM_3, "`"},
                                 {VK_OEM_4, "["},
                                 {VK_OEM_5, "\\"},
                                 {VK_OEM_6, "]"},
                                 {VK_OEM_7, "'"}};

} // namespace

const AccelTable& BuiltInAccelTable() {
    // Letters first, then the named keys; Ctrl+X and Ctrl+Z come after Shift+Delete and Alt+Backspace, so
    // the Cut and Undo items (which show their last shortcut) show the Ctrl keys.
    static const AccelTable table = {
        {kCtrl, 'A', 57642},         // Select All
        {kCtrl, 'B', 32822},         // Select Block...
        {kCtrl, 'C', 57634},         // Copy
        {kCtrl, 'D', 32853},         // CD- Player...
        {kCtrl, 'E', 32833},         // Midi- Accompaniment...
        {kCtrl, 'F', 32808},         // search
        {kCtrl, 'G', 32811},         // Go To...
        {kCtrl, 'I', 32807},         // Copyright- Information...
        {kCtrl, 'M', 32855},         // Mix
        {kCtrl, 'N', 57600},         // New
        {kCtrl, 'O', 57601},         // Open...
        {kCtrl, 'R', 32806},         // Sample- Parameters...
        {kCtrlShift, 'R', 32870},    // Repeat Last Function
        {kCtrl, 'S', 57603},         // Save
        {kCtrl, 'V', 57637},         // Paste
        {kCtrl, 'Y', 33700},         // Redo
        {kAlt, VK_BACK, 57643},      // Undo
        {kShift, VK_DELETE, 57635},  // Cut
        {kCtrl, VK_DOWN, 32818},     // Switch Sample Window/Mixer Area
        {kPlain, VK_F1, 57670},      // help
        {kShift, VK_F1, 57669},      // context help
        {kPlain, VK_F1 + 3, 32848},  // F4: Settings...
        {kPlain, VK_F1 + 4, 32777},  // F5: Start (playback)
        {kPlain, VK_F1 + 5, 32780},  // F6: Stop
        {kPlain, VK_F1 + 6, 32828},  // F7: Start (record)
        {kPlain, VK_F1 + 7, 32779},  // F8: Pause
        {kPlain, VK_F1 + 8, 32814},  // F9: Adapt
        {kPlain, VK_F1 + 10, 32820}, // F11: Zoom Into Block
        {kPlain, VK_F1 + 11, 32815}, // F12: Full Detail
        {kCtrl, VK_INSERT, 57634},   // Copy
        {kShift, VK_INSERT, 57637},  // Paste
        {kCtrl, VK_LEFT, 32812},     // Previous Track
        {kCtrl, VK_RIGHT, 32813},    // Next Track
        {kCtrl, VK_UP, 32818},       // Switch Sample Window/Mixer Area
        {kCtrl, 'X', 57635},         // Cut
        {kCtrl, 'Z', 57643},         // Undo
        {kCtrlShift, 'Z', 33700},    // Redo
    };
    return table;
}

AccelTable ShortcutsOf(const AccelTable& table, uint16_t cmd) {
    AccelTable found;
    for (const AccelEntry& entry : table) {
        if (entry.cmd == cmd) {
            found.push_back(entry);
        }
    }
    return found;
}

const AccelEntry* MenuShortcutOf(const AccelTable& table, uint16_t cmd) {
    const AccelEntry* chosen = nullptr;
    for (const AccelEntry& entry : table) {
        if (entry.cmd != cmd) {
            continue;
        }
        chosen = &entry;
        if (cmd != kUndoCommand && cmd != kCutCommand) {
            break;
        }
    }
    return chosen;
}

std::string VirtualKeyName(uint16_t vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) {
        return std::string(1, static_cast<char>(vk));
    }
    if (vk >= VK_F1 && vk <= VK_F24) {
        return "F" + std::to_string(vk - VK_F1 + 1);
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        return "Num " + std::to_string(vk - VK_NUMPAD0);
    }
    for (const KeyName& known : kKeyNames) {
        if (known.vk == vk) {
            return known.name;
        }
    }
    return {};
}

std::string AccelName(const AccelEntry& entry) {
    std::string key;
    if (entry.flags & FVIRTKEY) {
        key = VirtualKeyName(entry.key);
    } else if (entry.key > 0x20 && entry.key < 0x7F) {
        key = std::string(1, static_cast<char>(entry.key));
    }
    if (key.empty()) {
        return key;
    }
    std::string name;
    if (entry.flags & FCONTROL) {
        name += "Ctrl+";
    }
    if (entry.flags & FSHIFT) {
        name += "Shift+";
    }
    if (entry.flags & FALT) {
        name += "Alt+";
    }
    return name + key;
}

} // namespace ondrix

#include "settings/accel_keys.h"

namespace ondrix {

namespace {

/// Virtual keys whose Qt key is not found by arithmetic.
struct KeyPair {
    uint16_t vk;
    Qt::Key key;
};

constexpr KeyPair kNamedKeys[] = {{VK_BACK, Qt::Key_Backspace},
                                  {VK_TAB, Qt::Key_Tab},
                                  {VK_CLEAR, Qt::Key_Clear},
                                  {VK_RETURN, Qt::Key_Return},
                                  {VK_PAUSE, Qt::Key_Pause},
                                  {VK_CAPITAL, Qt::Key_CapsLock},
                                  {VK_ESCAPE, Qt::Key_Escape},
                                  {VK_SPACE, Qt::Key_Space},
                                  {VK_PRIOR, Qt::Key_PageUp},
                                  {VK_NEXT, Qt::Key_PageDown},
                                  {VK_END, Qt::Key_End},
                                  {VK_HOME, Qt::Key_Home},
                                  {VK_LEFT, Qt::Key_Left},
                                  {VK_UP, Qt::Key_Up},
                                  {VK_RIGHT, Qt::Key_Right},
                                  {VK_DOWN, Qt::Key_Down},
                                  {VK_SNAPSHOT, Qt::Key_Print},
                                  {VK_INSERT, Qt::Key_Insert},
                                  {VK_DELETE, Qt::Key_Delete},
                                  {VK_NUMLOCK, Qt::Key_NumLock},
                                  {VK_SCROLL, Qt::Key_ScrollLock},
                                  {VK_OEM_1, Qt::Key_Semicolon},
                                  {VK_OEM_PLUS, Qt::Key_Equal},
                                  {VK_OEM_COMMA, Qt::Key_Comma},
                                  {VK_OEM_MINUS, Qt::Key_Minus},
                                  {VK_OEM_PERIOD, Qt::Key_Period},
                                  {VK_OEM_2, Qt::Key_Slash},
                                  {VK_OEM_3, Qt::Key_QuoteLeft},
                                  {VK_OEM_4, Qt::Key_BracketLeft},
                                  {VK_OEM_5, Qt::Key_Backslash},
                                  {VK_OEM_6, Qt::Key_BracketRight},
                                  {VK_OEM_7, Qt::Key_Apostrophe}};

/// The operator keys of the numeric pad.
constexpr KeyPair kPadKeys[] = {{VK_MULTIPLY, Qt::Key_Asterisk},
                                {VK_ADD, Qt::Key_Plus},
                                {VK_SUBTRACT, Qt::Key_Minus},
                                {VK_DECIMAL, Qt::Key_Period},
                                {VK_DIVIDE, Qt::Key_Slash}};

/// Keys a US keyboard gives with Shift, by the virtual key they sit on.
constexpr KeyPair kShiftedKeys[] = {{'1', Qt::Key_Exclam},
                                    {'2', Qt::Key_At},
                                    {'3', Qt::Key_NumberSign},
                                    {'4', Qt::Key_Dollar},
                                    {'5', Qt::Key_Percent},
                                    {'6', Qt::Key_AsciiCircum},
                                    {'7', Qt::Key_Ampersand},
                                    {'8', Qt::Key_Asterisk},
                                    {'9', Qt::Key_ParenLeft},
                                    {'0', Qt::Key_ParenRight},
                                    {VK_OEM_1, Qt::Key_Colon},
                                    {VK_OEM_PLUS, Qt::Key_Plus},
                                    {VK_OEM_COMMA, Qt::Key_Less},
                                    {VK_OEM_MINUS, Qt::Key_Underscore},
                                    {VK_OEM_PERIOD, Qt::Key_Greater},
                                    {VK_OEM_2, Qt::Key_Question},
                                    {VK_OEM_3, Qt::Key_AsciiTilde},
                                    {VK_OEM_4, Qt::Key_BraceLeft},
                                    {VK_OEM_5, Qt::Key_Bar},
                                    {VK_OEM_6, Qt::Key_BraceRight},
                                    {VK_OEM_7, Qt::Key_QuoteDbl},
                                    {VK_TAB, Qt::Key_Backtab}};

uint16_t Find(const KeyPair* begin, const KeyPair* end, int key) {
    for (const KeyPair* pair = begin; pair != end; ++pair) {
        if (pair->key == key) {
            return pair->vk;
        }
    }
    return 0;
}

/// The Qt key of a character code (a shortcut entry without FVIRTKEY).
QKeyCombination QtKeyOfCharacter(uint16_t code) {
    if (code >= 'a' && code <= 'z') {
        code = static_cast<uint16_t>(code - 'a' + 'A');
    }
    if (code > 0x20 && code < 0x7F) {
        return QKeyCombination(static_cast<Qt::Key>(code));
    }
    return QKeyCombination(Qt::Key(0));
}

/// The virtual key of a Qt key; shiftedSymbol tells whether the key is the Shift variant of another.
uint16_t LookUpVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers, bool& shiftedSymbol) {
    shiftedSymbol = false;
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
            return static_cast<uint16_t>(VK_NUMPAD0 + (qtKey - Qt::Key_0));
        }
        if (qtKey == Qt::Key_Enter) {
            return VK_RETURN;
        }
        if (const uint16_t vk = Find(std::begin(kPadKeys), std::end(kPadKeys), qtKey)) {
            return vk;
        }
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return static_cast<uint16_t>(qtKey);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<uint16_t>(VK_F1 + (qtKey - Qt::Key_F1));
    }
    if (qtKey == Qt::Key_Enter) {
        return VK_RETURN;
    }
    if (const uint16_t vk = Find(std::begin(kNamedKeys), std::end(kNamedKeys), qtKey)) {
        return vk;
    }
    const uint16_t vk = Find(std::begin(kShiftedKeys), std::end(kShiftedKeys), qtKey);
    shiftedSymbol = vk != 0;
    return vk;
}

} // namespace

QKeyCombination QtKeyOfVirtualKey(uint16_t vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) {
        return QKeyCombination(static_cast<Qt::Key>(vk));
    }
    if (vk >= VK_F1 && vk <= VK_F24) {
        return QKeyCombination(static_cast<Qt::Key>(Qt::Key_F1 + (vk - VK_F1)));
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) {
        return QKeyCombination(Qt::KeypadModifier, static_cast<Qt::Key>(Qt::Key_0 + (vk - VK_NUMPAD0)));
    }
    for (const KeyPair& pair : kPadKeys) {
        if (pair.vk == vk) {
            return QKeyCombination(Qt::KeypadModifier, pair.key);
        }
    }
    for (const KeyPair& pair : kNamedKeys) {
        if (pair.vk == vk) {
            return QKeyCombination(pair.key);
        }
    }
    return QKeyCombination(Qt::Key(0));
}

uint16_t VirtualKeyOfQtKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    bool shiftedSymbol = false;
    return LookUpVirtualKey(qtKey, modifiers, shiftedSymbol);
}

QKeySequence KeySequenceOf(const AccelEntry& entry) {
    const QKeyCombination key =
        (entry.flags & FVIRTKEY) ? QtKeyOfVirtualKey(entry.key) : QtKeyOfCharacter(entry.key);
    if (key.key() == Qt::Key(0)) {
        return QKeySequence();
    }
    Qt::KeyboardModifiers modifiers = key.keyboardModifiers();
    if (entry.flags & FCONTROL) {
        modifiers |= Qt::ControlModifier;
    }
    if (entry.flags & FSHIFT) {
        modifiers |= Qt::ShiftModifier;
    }
    if (entry.flags & FALT) {
        modifiers |= Qt::AltModifier;
    }
    return QKeySequence(QKeyCombination(modifiers, key.key()));
}

std::optional<AccelEntry> AccelFromKey(int qtKey, Qt::KeyboardModifiers modifiers, uint16_t cmd) {
    bool shiftedSymbol = false;
    const uint16_t vk = LookUpVirtualKey(qtKey, modifiers, shiftedSymbol);
    if (vk == 0) {
        return std::nullopt;
    }
    AccelEntry entry;
    entry.flags = FVIRTKEY;
    entry.key = vk;
    entry.cmd = cmd;
    if (modifiers & Qt::AltModifier) {
        entry.flags |= FALT;
    }
    if (modifiers & Qt::ControlModifier) {
        entry.flags |= FCONTROL;
    }
    // A shifted symbol or Shift+Tab (Backtab) was pressed with Shift even when the event forgets to say so.
    if ((modifiers & Qt::ShiftModifier) || shiftedSymbol) {
        entry.flags |= FSHIFT;
    }
    return entry;
}

QList<QKeySequence> KeySequencesOf(const AccelTable& table, uint16_t cmd) {
    QList<QKeySequence> sequences;
    const AccelEntry* menu = MenuShortcutOf(table, cmd);
    if (menu == nullptr) {
        return sequences;
    }
    sequences.append(KeySequenceOf(*menu));
    for (const AccelEntry& entry : table) {
        if (entry.cmd == cmd && &entry != menu) {
            sequences.append(KeySequenceOf(entry));
        }
    }
    sequences.removeAll(QKeySequence());
    return sequences;
}

} // namespace ondrix

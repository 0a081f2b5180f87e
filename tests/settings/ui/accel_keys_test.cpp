#include "settings/accel_keys.h"

#include <gtest/gtest.h>

using namespace ondrix;

namespace {

QKeySequence Keys(Qt::KeyboardModifiers modifiers, Qt::Key key) {
    return QKeySequence(QKeyCombination(modifiers, key));
}

} // namespace

TEST(AccelKeys, BuiltInTableAsQtKeys) {
    const AccelTable& table = BuiltInAccelTable();
    EXPECT_EQ(KeySequenceOf(table.front()), Keys(Qt::ControlModifier, Qt::Key_A));
    EXPECT_EQ(KeySequencesOf(table, kUndoCommand),
              (QList<QKeySequence>{Keys(Qt::ControlModifier, Qt::Key_Z),
                                   Keys(Qt::AltModifier, Qt::Key_Backspace)}));
    EXPECT_EQ(
        KeySequencesOf(table, kCutCommand),
        (QList<QKeySequence>{Keys(Qt::ControlModifier, Qt::Key_X), Keys(Qt::ShiftModifier, Qt::Key_Delete)}));
    EXPECT_EQ(KeySequencesOf(table, 57634), (QList<QKeySequence>{Keys(Qt::ControlModifier, Qt::Key_C),
                                                                 Keys(Qt::ControlModifier, Qt::Key_Insert)}));
    EXPECT_EQ(KeySequencesOf(table, 57669), QList<QKeySequence>{Keys(Qt::ShiftModifier, Qt::Key_F1)});
    EXPECT_EQ(KeySequencesOf(table, 32815), QList<QKeySequence>{Keys(Qt::NoModifier, Qt::Key_F12)});
    EXPECT_TRUE(KeySequencesOf(table, 1).empty());
    EXPECT_TRUE(KeySequencesOf({}, kUndoCommand).empty());
}

TEST(AccelKeys, EveryBuiltInEntryComesBackFromItsKeyPress) {
    for (const AccelEntry& entry : BuiltInAccelTable()) {
        const QKeySequence sequence = KeySequenceOf(entry);
        ASSERT_EQ(sequence.count(), 1) << AccelName(entry);
        const QKeyCombination pressed = sequence[0];
        const auto back = AccelFromKey(pressed.key(), pressed.keyboardModifiers(), entry.cmd);
        ASSERT_TRUE(back.has_value()) << AccelName(entry);
        EXPECT_EQ(*back, entry) << AccelName(entry);
    }
}

TEST(AccelKeys, EveryVirtualKeyWithAQtKeyMapsBack) {
    int mapped = 0;
    for (int vk = 1; vk < 256; ++vk) {
        const QKeyCombination key = QtKeyOfVirtualKey(static_cast<uint16_t>(vk));
        if (key.key() == Qt::Key(0)) {
            continue;
        }
        ++mapped;
        EXPECT_EQ(VirtualKeyOfQtKey(key.key(), key.keyboardModifiers()), vk) << vk;
        EXPECT_FALSE(VirtualKeyName(static_cast<uint16_t>(vk)).empty()) << vk;
    }
    // letters, digits, 24 function keys, the numeric pad and the named keys
    EXPECT_EQ(mapped, 26 + 10 + 24 + 10 + 5 + 32);
}

TEST(AccelKeys, NumericPadAndShiftedSymbols) {
    EXPECT_EQ(QtKeyOfVirtualKey(VK_NUMPAD0 + 5), QKeyCombination(Qt::KeypadModifier, Qt::Key_5));
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_5, Qt::NoModifier), '5');
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Slash, Qt::KeypadModifier), VK_DIVIDE);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Enter, Qt::KeypadModifier), VK_RETURN);
    auto exclam = AccelFromKey(Qt::Key_Exclam, Qt::ControlModifier, 7);
    ASSERT_TRUE(exclam.has_value());
    EXPECT_EQ(*exclam, (AccelEntry{FVIRTKEY | FCONTROL | FSHIFT, '1', 7}));
    auto padStar = AccelFromKey(Qt::Key_Asterisk, Qt::KeypadModifier, 7);
    ASSERT_TRUE(padStar.has_value());
    EXPECT_EQ(*padStar, (AccelEntry{FVIRTKEY, VK_MULTIPLY, 7})); // no Shift on the pad
    auto backtab = AccelFromKey(Qt::Key_Backtab, Qt::ShiftModifier, 7);
    ASSERT_TRUE(backtab.has_value());
    EXPECT_EQ(*backtab, (AccelEntry{FVIRTKEY | FSHIFT, VK_TAB, 7}));
    EXPECT_FALSE(AccelFromKey(Qt::Key_Control, Qt::ControlModifier, 7).has_value());
    EXPECT_FALSE(AccelFromKey(Qt::Key_Shift, Qt::ShiftModifier, 7).has_value());
}

TEST(AccelKeys, CharacterEntriesAndUnknownKeys) {
    EXPECT_EQ(KeySequenceOf({FALT, 'q', 1}), Keys(Qt::AltModifier, Qt::Key_Q));
    EXPECT_EQ(KeySequenceOf({FVIRTKEY | FCONTROL | FSHIFT | FALT, VK_F1 + 2, 1}),
              Keys(Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier, Qt::Key_F3));
    EXPECT_TRUE(KeySequenceOf({FVIRTKEY, 0xFF, 1}).isEmpty());
    EXPECT_TRUE(KeySequenceOf({0, 0x07, 1}).isEmpty());
}

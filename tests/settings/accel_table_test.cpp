#include "settings/core/accel_table.h"
#include "settings/core/memory_profile_store.h"

#include <gtest/gtest.h>

using namespace ondrix;

TEST(AccelTable, MenusShowTheConventionalKeys) {
    const AccelTable& table = BuiltInAccelTable();
    auto menuName = [&](uint16_t cmd) {
        const AccelEntry* entry = MenuShortcutOf(table, cmd);
        return entry ? AccelName(*entry) : std::string("-");
    };
    EXPECT_EQ(menuName(57643), "Ctrl+Z"); // Undo and Cut show their last shortcut
    EXPECT_EQ(menuName(57635), "Ctrl+X");
    EXPECT_EQ(menuName(57634), "Ctrl+C"); // the others their first
    EXPECT_EQ(menuName(57637), "Ctrl+V");
    EXPECT_EQ(menuName(32818), "Ctrl+Down");
    EXPECT_EQ(menuName(32777), "F5");
    EXPECT_EQ(menuName(33700), "Ctrl+Y"); // Redo, also on Ctrl+Shift+Z
    EXPECT_EQ(ShortcutsOf(table, 33700).size(), 2u);
    EXPECT_EQ(menuName(12345), "-");
    EXPECT_EQ(ShortcutsOf(table, 57643).size(), 2u);
    EXPECT_TRUE(ShortcutsOf(table, 1).empty());
}

TEST(AccelTable, Names) {
    EXPECT_EQ(AccelName({FVIRTKEY | FALT | FSHIFT | FCONTROL, VK_F1, 1}), "Ctrl+Shift+Alt+F1");
    EXPECT_EQ(AccelName({FVIRTKEY, VK_DIVIDE, 1}), "Num /");
    EXPECT_EQ(AccelName({FVIRTKEY | FSHIFT, VK_NUMPAD0 + 5, 1}), "Shift+Num 5");
    EXPECT_EQ(AccelName({FVIRTKEY, VK_F24, 1}), "F24");
    EXPECT_EQ(AccelName({FVIRTKEY | FCONTROL, VK_PRIOR, 1}), "Ctrl+Page Up");
    EXPECT_EQ(AccelName({FVIRTKEY, VK_OEM_5, 1}), "\\");
    EXPECT_EQ(AccelName({FVIRTKEY, '7', 1}), "7");
    EXPECT_EQ(AccelName({FALT, 'q', 1}), "Alt+q"); // a character code
    EXPECT_EQ(AccelName({FVIRTKEY, 0xFF, 1}), "");
    EXPECT_EQ(VirtualKeyName(VK_BACK), "Backspace");
    EXPECT_EQ(VirtualKeyName(0), "");
}

TEST(ProfileStore, IntegerTexts) {
    EXPECT_EQ(ParseProfileInt("12"), 12);
    EXPECT_EQ(ParseProfileInt("  -5 "), -5);
    EXPECT_EQ(ParseProfileInt("+7"), 7);
    EXPECT_EQ(ParseProfileInt("4294967295"), -1);
    EXPECT_EQ(ParseProfileInt("4294967296"), 0);
    EXPECT_EQ(ParseProfileInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseProfileInt("abc"), std::nullopt);
    EXPECT_EQ(ParseProfileInt(""), std::nullopt);
    EXPECT_EQ(ParseProfileInt("1x"), std::nullopt);
    EXPECT_EQ(ParseProfileInt("-"), std::nullopt);
    EXPECT_EQ(ParseProfileInt("99999999999999999999999"), std::nullopt);
}

TEST(ProfileStore, MemoryStoreReadsAcrossTypes) {
    CMemoryProfileStore store;
    store.WriteInt("S", "n", -4);
    store.WriteString("S", "t", "15");
    EXPECT_EQ(store.GetString("S", "n", ""), "-4");
    EXPECT_EQ(store.GetInt("S", "t", 0), 15);
    EXPECT_EQ(store.GetInt("S", "missing", 9), 9);
    EXPECT_EQ(store.GetString("S", "missing", "d"), "d");
    store.RemoveValue("S", "n");
    EXPECT_FALSE(store.Has("S", "n"));
    store.RemoveValue("S", "n");
}

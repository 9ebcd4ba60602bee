#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "gameframework/HeldKeyTable.h"

using namespace nebulark;

TEST(HeldKeyTable, CursorKeysShareTheLetterEntries) {
    HeldKeyTable keys;
    keys.Press(XK_Down);
    EXPECT_TRUE(keys.IsHeld(XK_Down));
    EXPECT_TRUE(keys.IsHeld('x'));
    EXPECT_FALSE(keys.IsHeld('s'));
    keys.Release('x');
    EXPECT_FALSE(keys.IsHeld(XK_Down));
    EXPECT_EQ(HeldKeyTable::CodeOf(XK_Left), 'a');
    EXPECT_EQ(HeldKeyTable::CodeOf(XK_Right), 'd');
    EXPECT_EQ(HeldKeyTable::CodeOf(XK_Up), 'w');
    EXPECT_EQ(HeldKeyTable::CodeOf(XK_F1), -1);
    EXPECT_EQ(HeldKeyTable::CodeOf(256), -1);
    EXPECT_EQ(HeldKeyTable::CodeOf(255), 255);
}

TEST(HeldKeyTable, SingleKeyModeKeepsOnlyTheLastPress) {
    HeldKeyTable keys;
    keys.Press(XK_Left);
    keys.Press(XK_Right);
    EXPECT_FALSE(keys.IsHeld(XK_Left));
    EXPECT_TRUE(keys.IsHeld(XK_Right));
    keys.Press(XK_F1);  // ignored itself, but still clears the table
    EXPECT_FALSE(keys.IsHeld(XK_Right));
    EXPECT_FALSE(keys.IsHeld(XK_F1));

    keys.singleKeyMode = false;
    keys.Press(XK_Left);
    keys.Press(XK_Right);
    keys.Press(' ');
    EXPECT_TRUE(keys.IsHeld(XK_Left) && keys.IsHeld(XK_Right) && keys.IsHeld(' '));
    keys.Press(XK_F1);
    keys.Release(XK_Left);
    EXPECT_FALSE(keys.IsHeld(XK_Left));
    EXPECT_TRUE(keys.IsHeld(XK_Right) && keys.IsHeld(' '));
}

#include "screens/MenuRules.h"

#include <gtest/gtest.h>

using Action = MenuRules::Action;

namespace {
MenuRules::Keys keys(bool escape, bool up, bool down, bool enter) {
    MenuRules::Keys k;
    k.escape = escape;
    k.up = up;
    k.down = down;
    k.enter = enter;
    return k;
}
} // namespace

TEST(MenuRules, SelectionWrapsBothWays) {
    int32_t selected = 0;
    EXPECT_EQ(MenuRules::apply(keys(false, true, false, false), selected), Action::None);
    EXPECT_EQ(selected, 2) << "W on Play selects Quit";
    EXPECT_EQ(MenuRules::apply(keys(false, false, true, false), selected), Action::None);
    EXPECT_EQ(selected, 0) << "S on Quit selects Play";
    MenuRules::apply(keys(false, false, true, false), selected);
    EXPECT_EQ(selected, 1);
}

TEST(MenuRules, UpWinsOverDown) {
    int32_t selected = 1;
    MenuRules::apply(keys(false, true, true, false), selected);
    EXPECT_EQ(selected, 0);
}

TEST(MenuRules, EnterActsOnTheSelectionAsJustMoved) {
    int32_t selected = 0;
    EXPECT_EQ(MenuRules::apply(keys(false, true, false, true), selected), Action::Quit);
    selected = 0;
    EXPECT_EQ(MenuRules::apply(keys(false, false, true, true), selected), Action::Load);
    selected = 0;
    EXPECT_EQ(MenuRules::apply(keys(false, false, false, true), selected), Action::Play);
}

TEST(MenuRules, EscapeLeavesAtOnceWhateverElseIsPressed) {
    int32_t selected = 0;
    EXPECT_EQ(MenuRules::apply(keys(true, true, false, true), selected), Action::Exit);
    EXPECT_EQ(selected, 0) << "Escape does not move the selection";
}

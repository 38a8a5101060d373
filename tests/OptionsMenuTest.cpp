// The Options screen's rules: moving, changing values within their bounds, and keys
// given and swapped.
#include "screens/OptionsMenu.h"

#include <allegro5/keycodes.h>
#include <gtest/gtest.h>

namespace {

OptionsMenu::Input keys(bool up, bool down, bool left, bool right, bool enter = false,
                        bool escape = false) {
    OptionsMenu::Input input;
    input.up = up;
    input.down = down;
    input.left = left;
    input.right = right;
    input.enter = enter;
    input.escape = escape;
    return input;
}

const OptionsMenu::Input UP = keys(true, false, false, false);
const OptionsMenu::Input DOWN = keys(false, true, false, false);
const OptionsMenu::Input LEFT = keys(false, false, true, false);
const OptionsMenu::Input RIGHT = keys(false, false, false, true);
const OptionsMenu::Input ENTER = keys(false, false, false, false, true);
const OptionsMenu::Input ESCAPE = keys(false, false, false, false, false, true);

OptionsMenu::Input pressing(int keycode) {
    OptionsMenu::Input input;
    input.pressedKey = keycode;
    return input;
}

// The row of the page with this label.
int32_t rowOf(const OptionsMenu& menu, const std::string& label) {
    const std::vector<OptionsMenu::Row> rows = menu.rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].label == label) {
            return static_cast<int32_t>(i);
        }
    }
    ADD_FAILURE() << "no row " << label;
    return -1;
}

TEST(OptionsMenuTest, ValuesStepWithinTheirBoundsAndTheSelectionWraps) {
    OptionsMenu menu{Settings()};
    menu.apply(UP); // from the first row to Back, the last
    EXPECT_EQ(menu.rows()[menu.selected].label, "Back");
    menu.apply(DOWN);
    EXPECT_EQ(menu.rows()[menu.selected].label, "Skill") << "the skill's row is the first";
    menu.selected = rowOf(menu, "Smooth turning sensitivity");
    for (int i = 0; i < 12; ++i) {
        menu.apply(RIGHT);
    }
    EXPECT_EQ(menu.settings.sensitivity, Settings::SENSITIVITY_MAX);
    menu.apply(DOWN); // effects volume: 100% already
    menu.apply(RIGHT);
    EXPECT_EQ(menu.settings.effectsVolume, 100);
    for (int i = 0; i < 11; ++i) {
        menu.apply(LEFT);
    }
    EXPECT_EQ(menu.settings.effectsVolume, 0);
    EXPECT_EQ(menu.rows()[menu.selected].value, "0%");
    menu.apply(DOWN);
    menu.apply(DOWN); // damage flash: Full, Reduced, Off, and round again
    menu.apply(RIGHT);
    EXPECT_EQ(menu.settings.flash, Settings::Flash::Reduced);
    menu.apply(ENTER);
    EXPECT_EQ(menu.settings.flash, Settings::Flash::Off);
    menu.apply(RIGHT);
    EXPECT_EQ(menu.settings.flash, Settings::Flash::Full);
    EXPECT_FALSE(menu.apply(ESCAPE)) << "Escape leaves the screen";
}

TEST(OptionsMenuTest, AKeyGivenToAnActionIsSwappedWithTheOneThatHadIt) {
    OptionsMenu menu{Settings()};
    OptionsMenu::Input click;
    click.clickedRow = rowOf(menu, "Keys");
    menu.apply(click);
    ASSERT_EQ(menu.page, OptionsMenu::Page::Keys);
    menu.apply(ENTER); // Forward waits for its key
    EXPECT_TRUE(menu.waitingForKey);
    menu.apply(pressing(ALLEGRO_KEY_ESCAPE)); // Escape is kept for itself
    menu.apply(pressing(ALLEGRO_KEY_UP));
    EXPECT_TRUE(menu.waitingForKey) << menu.hint();
    menu.apply(pressing(ALLEGRO_KEY_S));
    EXPECT_FALSE(menu.waitingForKey);
    EXPECT_EQ(menu.settings.keys.key(KeyBindings::Action::Forward), ALLEGRO_KEY_S);
    EXPECT_EQ(menu.settings.keys.key(KeyBindings::Action::Back), ALLEGRO_KEY_W);
    EXPECT_EQ(menu.hint(), "Forward is now S; Back takes W.");
    menu.apply(ENTER);
    menu.apply(ESCAPE); // cancels the wait, not the page
    EXPECT_EQ(menu.page, OptionsMenu::Page::Keys);
    EXPECT_EQ(menu.settings.keys.key(KeyBindings::Action::Forward), ALLEGRO_KEY_S);
    for (int i = 0; i < KeyBindings::ACTION_COUNT; ++i) {
        menu.apply(DOWN);
    }
    menu.apply(ENTER); // Reset keys
    EXPECT_EQ(menu.settings.keys, KeyBindings());
    menu.apply(ESCAPE);
    EXPECT_EQ(menu.page, OptionsMenu::Page::Settings);
    EXPECT_EQ(menu.rows()[menu.selected].label, "Keys");
}

} // namespace

namespace {

OptionsMenu::Input pressingButton(PadBindings::Button button) {
    OptionsMenu::Input input;
    input.pressedButton = static_cast<int>(button);
    return input;
}

TEST(OptionsMenuTest, APadButtonGivenToAnActionIsSwappedAndBackLeavesItAsItWas) {
    using Button = PadBindings::Button;
    using Action = PadBindings::Action;
    OptionsMenu menu{Settings()};
    OptionsMenu::Input click;
    click.clickedRow = rowOf(menu, "Pad");
    menu.apply(click);
    ASSERT_EQ(menu.page, OptionsMenu::Page::Pad);
    menu.apply(ENTER);                         // Sword waits for its button
    menu.apply(pressing(ALLEGRO_KEY_S));       // a key is no pad button
    menu.apply(pressingButton(Button::Guide)); // the system's
    EXPECT_TRUE(menu.waitingForKey) << menu.hint();
    menu.apply(pressingButton(Button::North));
    EXPECT_EQ(menu.settings.pad.buttons.button(Action::Sword), Button::North);
    EXPECT_EQ(menu.settings.pad.buttons.button(Action::Save), Button::RightTrigger);
    EXPECT_EQ(menu.hint(), "Sword is now north; Save takes right trigger.");
    menu.apply(ENTER);
    menu.apply(pressingButton(Button::Back)); // leaves it as it is
    EXPECT_FALSE(menu.waitingForKey);
    EXPECT_EQ(menu.settings.pad.buttons.button(Action::Sword), Button::North);
    for (int i = 0; i < PadBindings::ACTION_COUNT + 1; ++i) {
        menu.apply(DOWN);
    }
    menu.apply(LEFT); // the dead zone, a step down
    EXPECT_EQ(menu.settings.pad.deadZone, PadSettings().deadZone - PadSettings::DEAD_ZONE_STEP);
    menu.apply(DOWN);
    menu.apply(DOWN);
    menu.apply(ENTER); // rumble off
    EXPECT_FALSE(menu.settings.pad.rumble);
    menu.apply(DOWN);
    menu.apply(ENTER); // Reset pad
    EXPECT_EQ(menu.settings.pad, PadSettings());
    menu.apply(ESCAPE);
    EXPECT_EQ(menu.rows()[menu.selected].label, "Pad");
}

} // namespace

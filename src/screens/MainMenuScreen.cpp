#include "screens/MainMenuScreen.h"

#include "core/Skill.h"
#include "render/Hud.h"
#include "screens/MenuRules.h"

#include <string>

namespace {

// A click counts on an item's line, from its top down to the next item's.
const int32_t ITEM_CLICK_HEIGHT = 24;
const float SKILL_LINE_Y = 272.0f;
// The foot's two lines side by side.
const int32_t OPTIONS_X = 215;
const int32_t LEVELS_X = 385;

} // namespace

MainMenuScreen::MainMenuScreen(Menu* menu, const Fonts& fonts)
    : menu(menu), fonts(fonts),
      optionsLine(fonts.text, OPTIONS_X, OPTIONS_LINE_Y, KeyLine::OPTIONS),
      levelsLine(fonts.text, LEVELS_X, OPTIONS_LINE_Y, KeyLine::LEVELS) {}

Screen::Next MainMenuScreen::update(const MenuCommand& command) {
    padConnected = command.padConnected;
    if (command.fullscreen) {
        return Next::Fullscreen;
    }
    if (optionsLine.asked(command)) {
        return Next::Options;
    }
    if (levelsLine.asked(command)) {
        return Next::Levels;
    }
    MenuRules::Keys keys;
    keys.escape = command.leave;
    keys.up = command.up;
    keys.down = command.down;
    keys.enter = command.choose || command.start;
    const int32_t clicked = clickedItem(command);
    if (clicked >= 0) {
        menu->selected = clicked;
        keys.enter = true;
    }
    switch (MenuRules::apply(keys, menu->selected)) {
    case MenuRules::Action::Exit:
    case MenuRules::Action::Quit:
        return Next::Quit;
    case MenuRules::Action::Play:
        return Next::Play;
    case MenuRules::Action::Load:
        return Next::Load;
    default:
        return Next::Stay;
    }
}

int32_t MainMenuScreen::clickedItem(const MenuCommand& command) const {
    if (!command.click || menu->itemFont == nullptr) {
        return -1;
    }
    for (int32_t i = 0; i < menu->count; ++i) {
        const MenuItem& item = menu->items[static_cast<std::size_t>(i)];
        const int32_t halfWidth = al_get_text_width(menu->itemFont, item.text.c_str()) / 2;
        if (command.clickY >= item.y && command.clickY < item.y + ITEM_CLICK_HEIGHT &&
            command.clickX >= item.x - halfWidth && command.clickX <= item.x + halfWidth) {
            return i;
        }
    }
    return -1;
}

void MainMenuScreen::draw() const {
    const float centreX = WIDTH * 0.5f;
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    // Cleared every frame: text drawn again over itself would thicken and smear.
    al_clear_to_color(al_map_rgb(0, 0, 0));
    if (fonts.text != nullptr) {
        al_draw_text(fonts.text, white, centreX, HEIGHT - 100, ALLEGRO_ALIGN_CENTRE,
                     "::Controls::");
        al_draw_text(fonts.text, white, centreX, HEIGHT - 80, ALLEGRO_ALIGN_CENTRE,
                     "WASD to move, Left Click to attack, ENTER to select");
        al_draw_text(fonts.text, white, centreX, HEIGHT - 20, ALLEGRO_ALIGN_CENTRE, "Orrinvale");
    }
    optionsLine.draw(padConnected);
    levelsLine.draw(padConnected);
    if (skillIndex != Skill::DESIGNED && fonts.text != nullptr) {
        const std::string line = std::string("Skill: ") + Skill::at(skillIndex).label;
        al_draw_text(fonts.text, Hud::ink(), centreX, SKILL_LINE_Y, ALLEGRO_ALIGN_CENTRE,
                     line.c_str());
    }
    menu->draw();
}

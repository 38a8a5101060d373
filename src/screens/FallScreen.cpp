#include "screens/FallScreen.h"

#include "render/Hud.h"

namespace {

const int TITLE_Y = 60;
const int TALLY_Y = 130;
const int LINE_GAP = 20;

} // namespace

FallScreen::FallScreen(const Fonts& fonts, const std::vector<std::string>& tally,
                       const std::string& loadBrings)
    : fonts(fonts), tally(tally), loadLine(loadBrings.empty() ? "" : "Load: " + loadBrings) {
    if (!loadBrings.empty()) {
        items.push_back({"Load", Next::Load});
    }
    items.push_back({"Restart", Next::Play});
    items.push_back({"Menu", Next::Back});
}

Screen::Next FallScreen::update(const MenuCommand& command) {
    if (command.leave) {
        return Next::Quit;
    }
    const int32_t count = static_cast<int32_t>(items.size());
    if (command.up) {
        selected = (selected + count - 1) % count;
    } else if (command.down) {
        selected = (selected + 1) % count;
    }
    const int32_t clicked = clickedItem(command);
    if (clicked >= 0) {
        selected = clicked;
    }
    if (command.choose || command.start || clicked >= 0) {
        return items[static_cast<std::size_t>(selected)].next;
    }
    return Next::Stay;
}

int32_t FallScreen::clickedItem(const MenuCommand& command) const {
    if (!command.click || command.clickX < WIDTH / 2 - 100 || command.clickX > WIDTH / 2 + 100) {
        return -1;
    }
    const int32_t row = (command.clickY - ITEM_TOP) / ITEM_GAP;
    return command.clickY >= ITEM_TOP && row < static_cast<int32_t>(items.size()) ? row : -1;
}

void FallScreen::draw() const {
    const float centreX = WIDTH * 0.5f;
    al_clear_to_color(al_map_rgb(40, 0, 0));
    if (fonts.title != nullptr) {
        al_draw_text(fonts.title, Hud::ink(), centreX, TITLE_Y, ALLEGRO_ALIGN_CENTRE, "You fell");
    }
    if (fonts.text == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < tally.size(); ++i) {
        al_draw_text(fonts.text, Hud::ink(), centreX, TALLY_Y + LINE_GAP * static_cast<float>(i),
                     ALLEGRO_ALIGN_CENTRE, tally[i].c_str());
    }
    al_draw_text(fonts.text, Hud::ink(), centreX, LOAD_LINE_Y, ALLEGRO_ALIGN_CENTRE,
                 loadLine.c_str());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const bool chosen = static_cast<int32_t>(i) == selected;
        al_draw_text(fonts.text, chosen ? al_map_rgb(0, 255, 0) : al_map_rgb(255, 255, 255),
                     centreX, ITEM_TOP + ITEM_GAP * static_cast<float>(i), ALLEGRO_ALIGN_CENTRE,
                     items[i].text);
    }
    al_draw_text(fonts.text, Hud::ink(), centreX, HEIGHT - 40, ALLEGRO_ALIGN_CENTRE,
                 "Up and Down choose, Enter takes it; Escape leaves, and nothing is saved");
}

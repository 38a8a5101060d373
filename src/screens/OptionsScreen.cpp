#include "screens/OptionsScreen.h"

#include "render/Hud.h"

namespace {

const int TITLE_Y = 18;
const int ROW_TOP = 84;
const int LABEL_X = 120;
const int VALUE_X = 480;
const int HINT_FROM_BOTTOM = 28;

// Pages of more rows have them closer together, and begin higher.
int32_t rowGap(std::size_t rowCount) {
    return rowCount > 14 ? 18 : rowCount > 12 ? 20 : 22;
}

int32_t rowTop(std::size_t rowCount) {
    return rowCount > 15 ? 68 : ROW_TOP;
}

} // namespace

Screen::Next OptionsScreen::update(const MenuCommand& command) {
    OptionsMenu::Input input;
    input.escape = command.back;
    input.up = command.up;
    input.down = command.down;
    input.left = command.left;
    input.right = command.right;
    input.enter = command.choose;
    input.clickedRow = clickedRow(command);
    input.pressedKey = command.pressedKey;
    input.pressedButton = command.pressedButton;
    return menu.apply(input) ? Next::Stay : Next::Back;
}

int32_t OptionsScreen::clickedRow(const MenuCommand& command) const {
    if (!command.click) {
        return -1;
    }
    const std::size_t rowCount = menu.rows().size();
    const int32_t top = rowTop(rowCount);
    const int32_t row = (command.clickY - top) / rowGap(rowCount);
    const bool onRow = command.clickY >= top && row < static_cast<int32_t>(rowCount) &&
                       command.clickX >= LABEL_X - 20 && command.clickX <= VALUE_X + 20;
    return onRow ? row : -1;
}

void OptionsScreen::draw() const {
    const float centreX = WIDTH * 0.5f;
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    const ALLEGRO_COLOR green = al_map_rgb(0, 255, 0);
    const ALLEGRO_COLOR bone = Hud::ink();
    al_clear_to_color(al_map_rgb(0, 0, 0));
    if (fonts.title != nullptr) {
        al_draw_text(fonts.title, bone, centreX, TITLE_Y, ALLEGRO_ALIGN_CENTRE,
                     menu.title().c_str());
    }
    if (fonts.text == nullptr) {
        return;
    }
    const std::vector<OptionsMenu::Row> rows = menu.rows();
    const int32_t gap = rowGap(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ALLEGRO_COLOR ink = static_cast<int32_t>(i) == menu.selected ? green : white;
        const float y = rowTop(rows.size()) + static_cast<float>(i) * gap;
        const bool leadsOn = rows[i].value.empty();
        al_draw_text(fonts.text, ink, leadsOn ? centreX : LABEL_X, y,
                     leadsOn ? ALLEGRO_ALIGN_CENTRE : ALLEGRO_ALIGN_LEFT, rows[i].label.c_str());
        if (!leadsOn) {
            al_draw_text(fonts.text, ink, VALUE_X, y, ALLEGRO_ALIGN_RIGHT, rows[i].value.c_str());
        }
    }
    al_draw_text(fonts.text, bone, centreX, HEIGHT - HINT_FROM_BOTTOM, ALLEGRO_ALIGN_CENTRE,
                 menu.hint().c_str());
}

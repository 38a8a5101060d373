#include "screens/OptionsLine.h"

#include "render/Hud.h"
#include "screens/Screen.h"

const char* OptionsLine::text(bool padConnected) {
    return padConnected ? "O, or North on the pad, for Options" : "O for Options";
}

void OptionsLine::draw(bool padConnected) const {
    if (font != nullptr) {
        al_draw_text(font, Hud::ink(), Screen::WIDTH / 2.0f, static_cast<float>(y),
                     ALLEGRO_ALIGN_CENTRE, text(padConnected));
    }
}

bool OptionsLine::asked(const MenuCommand& command) const {
    if (command.options) {
        return true;
    }
    if (!command.click) {
        return false;
    }
    const int32_t halfWidth =
        font != nullptr ? al_get_text_width(font, text(command.padConnected)) / 2 : 0;
    const int32_t centreX = Screen::WIDTH / 2;
    return command.clickY >= y && command.clickY < y + HEIGHT &&
           command.clickX >= centreX - halfWidth && command.clickX <= centreX + halfWidth;
}

#include "screens/KeyLine.h"

#include "render/Hud.h"

void KeyLine::draw(bool padConnected) const {
    if (font != nullptr) {
        placed(padConnected).draw(font, Hud::ink());
    }
}

bool KeyLine::asked(const MenuCommand& command) const {
    if (command.*words.key) {
        return true;
    }
    if (!command.click) {
        return false;
    }
    const int32_t halfWidth =
        font != nullptr ? al_get_text_width(font, text(command.padConnected)) / 2 : 0;
    return command.clickY >= y && command.clickY < y + HEIGHT &&
           command.clickX >= centreX - halfWidth && command.clickX <= centreX + halfWidth;
}

#include "render/Hud.h"

namespace {

const int MARGIN = 8;
const int LINE_HEIGHT = 16;

} // namespace

void Hud::notify(const std::string& text, double forMs) {
    notice = text;
    noticeMs = forMs;
    noticeTimer.start();
}

std::vector<std::string> Hud::lines(int32_t health, std::size_t unitsLeft) const {
    std::vector<std::string> said{"Health " + std::to_string(health),
                                  "Skulls " + std::to_string(unitsLeft)};
    if (!notice.empty() && noticeTimer.getElapsedMs() < noticeMs) {
        said.push_back(notice);
    }
    return said;
}

void Hud::draw(const ALLEGRO_FONT* font, int32_t health, std::size_t unitsLeft) const {
    if (font == nullptr) {
        return;
    }
    // A dark copy one pixel down and right keeps the words legible on any texture.
    const ALLEGRO_COLOR shadow = al_map_rgb(0, 0, 0);
    const ALLEGRO_COLOR bone = ink();
    int y = TOP + MARGIN / 2;
    int clipX, clipY, clipW, clipH;
    al_get_clipping_rectangle(&clipX, &clipY, &clipW, &clipH);
    al_set_clipping_rectangle(LEFT, TOP, WIDTH, HEIGHT);
    for (const std::string& line : lines(health, unitsLeft)) {
        al_draw_text(font, shadow, LEFT + MARGIN + 1, y + 1, 0, line.c_str());
        al_draw_text(font, bone, LEFT + MARGIN, y, 0, line.c_str());
        y += LINE_HEIGHT;
    }
    al_set_clipping_rectangle(clipX, clipY, clipW, clipH);
}

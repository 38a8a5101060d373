#include "render/Hud.h"

#include <algorithm>
#include <allegro5/allegro_primitives.h>

namespace {

const int MARGIN = 8;
const int LINE_HEIGHT = 16;
const double FPS_PERIOD_MS = 1000.0;

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

Hud::Layout Hud::layout(int32_t health, std::size_t unitsLeft, const Frame& frame) const {
    Layout placed;
    float y = TOP + MARGIN / 2;
    for (const std::string& line : lines(health, unitsLeft)) {
        placed.corner.push_back({line, LEFT + MARGIN, y, ALLEGRO_ALIGN_LEFT});
        y += LINE_HEIGHT;
    }
    const std::string said = currentCaption();
    if (!said.empty()) {
        const float captionY =
            static_cast<float>(frame.height - frame.footTaken - MARGIN - LINE_HEIGHT);
        placed.beyond.push_back({"[" + said + "]", LEFT + MARGIN, captionY, ALLEGRO_ALIGN_LEFT});
    }
    if (fpsOn && frame.rateShown && framesCounted >= 0) {
        const std::string rate = std::to_string(static_cast<int>(measuredFps + 0.5)) + " fps";
        placed.beyond.push_back({rate, static_cast<float>(frame.width - MARGIN), TOP + MARGIN / 2,
                                 ALLEGRO_ALIGN_RIGHT});
    }
    return placed;
}

void Hud::draw(const ALLEGRO_FONT* font, int32_t health, std::size_t unitsLeft,
               const Frame& frame) {
    countFrame();
    if (font == nullptr) {
        return;
    }
    const Layout placed = layout(health, unitsLeft, frame);
    int clipX, clipY, clipW, clipH;
    al_get_clipping_rectangle(&clipX, &clipY, &clipW, &clipH);
    al_set_clipping_rectangle(LEFT, TOP, WIDTH, HEIGHT);
    for (const PlacedText& line : placed.corner) {
        drawLine(font, line);
    }
    if (healthBar) {
        drawHealthBar(font, health);
    }
    al_set_clipping_rectangle(clipX, clipY, clipW, clipH);
    for (const PlacedText& line : placed.beyond) {
        drawLine(font, line);
    }
}

// After "Health N": a dark frame, filled in red as far as the health goes.
void Hud::drawHealthBar(const ALLEGRO_FONT* font, int32_t health) const {
    const float left = LEFT + MARGIN + al_get_text_width(font, "Health 100") + 8.0f;
    const float top = TOP + MARGIN / 2 + 4.0f;
    const float width = 80.0f, height = 8.0f;
    const float share =
        maxHealth > 0 ? std::clamp(static_cast<float>(health) / maxHealth, 0.0f, 1.0f) : 0.0f;
    al_draw_filled_rectangle(left, top, left + width, top + height, al_map_rgba(0, 0, 0, 180));
    al_draw_filled_rectangle(left, top, left + width * share, top + height,
                             al_map_rgb(190, 30, 24));
    al_draw_rectangle(left, top, left + width, top + height, ink(), 1.0f);
}

// A dark copy one pixel down and right keeps the words legible on any texture.
void Hud::drawLine(const ALLEGRO_FONT* font, const PlacedText& line) {
    PlacedText shadow = line;
    shadow.x += 1;
    shadow.y += 1;
    shadow.draw(font, al_map_rgb(0, 0, 0));
    line.draw(font, ink());
}

void Hud::caption(const std::string& text) {
    captionText = text;
    captionTimer.start();
}

std::string Hud::currentCaption() const {
    const bool showing =
        captionsOn && !captionText.empty() && captionTimer.getElapsedMs() < CAPTION_MS;
    return showing ? captionText : std::string();
}

void Hud::countFrame() {
    if (framesCounted < 0) {
        fpsTimer.start();
        framesCounted = 0;
        return;
    }
    ++framesCounted;
    const double elapsed = fpsTimer.getElapsedMs();
    if (elapsed >= FPS_PERIOD_MS) {
        measuredFps = framesCounted * 1000.0 / elapsed;
        framesCounted = 0;
        fpsTimer.start();
    }
}

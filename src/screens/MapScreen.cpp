#include "screens/MapScreen.h"

#include "render/Hud.h"

#include <algorithm>
#include <allegro5/allegro_primitives.h>
#include <cmath>
#include <string>

namespace {

// Pixels an arrow key pans the map each frame it is held.
const float ARROW_SIZE = 9.0f;

ALLEGRO_COLOR markColour() {
    return al_map_rgb(90, 200, 255);
}

} // namespace

void MapScreen::reset() {
    seen.clear();
    open = false;
    follow = true;
    rotate = false;
    grid = true;
    zoom = FIRST_ZOOM;
}

void MapScreen::take(const PlayerCommand& command, const Player& player) {
    if (command.map) {
        open = !open;
        seen.kept = true;
    }
    if (!open) {
        return;
    }
    if (command.mark) {
        seen.toggleMark(player.x, player.y);
    }
    if (command.clearMarks) {
        seen.clearMarks();
    }
}

void MapScreen::look(const MapCommand& command, const Player& player) {
    if (!open) {
        return;
    }
    zoom = std::clamp(zoom + command.zoom, 0, ZOOM_COUNT - 1);
    if (command.follow) {
        follow = !follow;
        centreX = player.x; // a free map starts where the player is
        centreY = player.y;
    }
    if (command.rotate) {
        rotate = !rotate;
    }
    if (command.grid) {
        grid = !grid;
    }
    if (follow) {
        centreX = player.x;
        centreY = player.y;
        return;
    }
    // A pan moves the map's centre along the picture's right and down, in the world's
    // cells.
    const MapView::Look now = lookFor(player);
    const double length = std::hypot(now.upX, now.upY);
    const double upX = now.upX / length, upY = now.upY / length;
    const double perPixel = 1.0 / ZOOMS[zoom];
    centreX += (upY * command.panRight - upX * command.panDown) * perPixel;
    centreY += (-upX * command.panRight - upY * command.panDown) * perPixel;
    centreX = std::clamp(centreX, 0.0, static_cast<double>(MAP_SIZE));
    centreY = std::clamp(centreY, 0.0, static_cast<double>(MAP_SIZE));
}

MapView::Look MapScreen::lookFor(const Player& player) const {
    MapView::Look look;
    look.centreX = follow ? player.x : centreX;
    look.centreY = follow ? player.y : centreY;
    look.cellPixels = ZOOMS[zoom];
    if (rotate) {
        look.upX = player.dirX;
        look.upY = player.dirY;
    }
    look.grid = grid;
    look.overlay = overlay;
    return look;
}

void MapScreen::drawCells(const LockedImage& frame, int* const* grid, const Player& player,
                          const MapView::Palette& palette) const {
    MapView::drawCells(frame, grid, seen, lookFor(player), palette);
}

void MapScreen::drawMarkers(const Player& player, const std::vector<Skull>& skulls,
                            const Tally& tally, const std::string& wayOn) const {
    const MapView::Look look = lookFor(player);
    const float size = static_cast<float>(std::max(3.0, look.cellPixels / 4));
    for (const Skull& skull : skulls) {
        float x = 0.0f, y = 0.0f;
        MapView::toScreen(look, Screen::WIDTH, Screen::HEIGHT, skull.x, skull.y, x, y);
        al_draw_filled_circle(x, y, size, al_map_rgb(220, 40, 30));
    }
    for (const SeenCells::Mark& mark : seen.marks()) {
        const PlacedText::Box box = markBox(player, mark);
        al_draw_rectangle(box.left, box.top, box.right, box.bottom, markColour(), 2.0f);
    }
    if (fonts.text != nullptr) {
        for (const PlacedText& number : markNumbers(player)) {
            number.draw(fonts.text, markColour());
        }
    }
    drawArrow(player, look);
    drawFoot(tally, wayOn);
}

PlacedText::Box MapScreen::markBox(const Player& player, const SeenCells::Mark& mark) const {
    const MapView::Look look = lookFor(player);
    const float size = static_cast<float>(std::max(3.0, look.cellPixels / 4));
    float x = 0.0f, y = 0.0f;
    MapView::toScreen(look, Screen::WIDTH, Screen::HEIGHT, mark.x, mark.y, x, y);
    return {x - size, y - size, x + size, y + size};
}

std::vector<PlacedText> MapScreen::markNumbers(const Player& player) const {
    std::vector<PlacedText> numbers;
    for (std::size_t i = 0; i < seen.marks().size(); ++i) {
        const PlacedText::Box box = markBox(player, seen.marks()[i]);
        const float middle = (box.top + box.bottom) / 2.0f;
        numbers.push_back({std::to_string(i + 1), box.right + 2, middle - 8, ALLEGRO_ALIGN_LEFT});
    }
    return numbers;
}

void MapScreen::drawArrow(const Player& player, const MapView::Look& look) const {
    float x = 0.0f, y = 0.0f;
    MapView::toScreen(look, Screen::WIDTH, Screen::HEIGHT, player.x, player.y, x, y);
    // The player's heading on the picture: up when the map turns with the player.
    float aheadX = 0.0f, aheadY = 0.0f;
    MapView::toScreen(look, Screen::WIDTH, Screen::HEIGHT, player.x + player.dirX,
                      player.y + player.dirY, aheadX, aheadY);
    const float length = std::hypot(aheadX - x, aheadY - y);
    const float fx = length > 0 ? (aheadX - x) / length : 0.0f;
    const float fy = length > 0 ? (aheadY - y) / length : -1.0f;
    const float tipX = x + fx * ARROW_SIZE, tipY = y + fy * ARROW_SIZE;
    const float backX = x - fx * ARROW_SIZE * 0.6f, backY = y - fy * ARROW_SIZE * 0.6f;
    const float sideX = -fy * ARROW_SIZE * 0.6f, sideY = fx * ARROW_SIZE * 0.6f;
    al_draw_filled_triangle(tipX, tipY, backX + sideX, backY + sideY, backX - sideX, backY - sideY,
                            al_map_rgb(250, 220, 90));
}

int MapScreen::footHeight(const std::string& wayOn) {
    return FOOT_HEIGHT + (wayOn.empty() ? 0 : FOOT_LINE);
}

std::vector<PlacedText> MapScreen::footLines(const Tally& tally, const std::string& wayOn) const {
    const std::string keys = std::string("Tab closes  PgUp/PgDn zoom  F ") +
                             (follow ? "free" : "follow") + "  R " +
                             (rotate ? "north up" : "turn") + "  G grid  M mark  C clear";
    const float centre = Screen::WIDTH / 2.0f;
    float y = static_cast<float>(Screen::HEIGHT - footHeight(wayOn) + 2);
    std::vector<PlacedText> lines{{keys, centre, y, ALLEGRO_ALIGN_CENTRE},
                                  {tally.line(), centre, y + FOOT_LINE, ALLEGRO_ALIGN_CENTRE}};
    if (!wayOn.empty()) {
        lines.push_back({wayOn, centre, y + 2 * FOOT_LINE, ALLEGRO_ALIGN_CENTRE});
    }
    return lines;
}

void MapScreen::drawFoot(const Tally& tally, const std::string& wayOn) const {
    al_draw_filled_rectangle(0, static_cast<float>(Screen::HEIGHT - footHeight(wayOn)),
                             Screen::WIDTH, Screen::HEIGHT, al_map_rgba(0, 0, 0, 200));
    if (fonts.text == nullptr) {
        return;
    }
    for (const PlacedText& line : footLines(tally, wayOn)) {
        line.draw(fonts.text, Hud::ink());
    }
}

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
        seen.addMark(static_cast<int>(player.x), static_cast<int>(player.y));
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
                            const Tally& tally) const {
    const MapView::Look look = lookFor(player);
    const float size = static_cast<float>(std::max(3.0, look.cellPixels / 4));
    for (const Skull& skull : skulls) {
        float x = 0.0f, y = 0.0f;
        MapView::toScreen(look, Screen::WIDTH, Screen::HEIGHT, skull.x, skull.y, x, y);
        al_draw_filled_circle(x, y, size, al_map_rgb(220, 40, 30));
    }
    for (std::size_t i = 0; i < seen.marks().size(); ++i) {
        const LevelFile::UnitPlace& mark = seen.marks()[i];
        float x = 0.0f, y = 0.0f;
        MapView::toScreen(look, Screen::WIDTH, Screen::HEIGHT, mark.x + 0.5, mark.y + 0.5, x, y);
        al_draw_rectangle(x - size, y - size, x + size, y + size, markColour(), 2.0f);
        if (fonts.text != nullptr) {
            al_draw_text(fonts.text, markColour(), x + size + 2, y - 8, 0,
                         std::to_string(i + 1).c_str());
        }
    }
    drawArrow(player, look);
    drawFoot(tally);
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

void MapScreen::drawFoot(const Tally& tally) const {
    al_draw_filled_rectangle(0, Screen::HEIGHT - FOOT_HEIGHT, Screen::WIDTH, Screen::HEIGHT,
                             al_map_rgba(0, 0, 0, 200));
    if (fonts.text == nullptr) {
        return;
    }
    const std::string keys = std::string("Tab closes  PgUp/PgDn zoom  F ") +
                             (follow ? "free" : "follow") + "  R " +
                             (rotate ? "north up" : "turn") + "  G grid  M mark  C clear";
    al_draw_text(fonts.text, Hud::ink(), Screen::WIDTH / 2.0f, Screen::HEIGHT - FOOT_HEIGHT + 2,
                 ALLEGRO_ALIGN_CENTRE, keys.c_str());
    al_draw_text(fonts.text, Hud::ink(), Screen::WIDTH / 2.0f, Screen::HEIGHT - FOOT_HEIGHT + 18,
                 ALLEGRO_ALIGN_CENTRE, tally.line().c_str());
}

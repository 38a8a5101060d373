#include "game/PlayView.h"

#include "game/SwordSway.h"
#include "render/BitmapLock.h"

#include <algorithm>
#include <allegro5/allegro_primitives.h>

namespace {

const double SIGHT_RANGE = 4.7;
const double CLOSE_UP_RANGE = 0.5;
const float FLASH_STRENGTH = 0.6f;
const float PANEL_TOP = 150.0f;
const float PANEL_LINE_GAP = 20.0f;
const float PANEL_WIDTH = 420.0f;

} // namespace

// Walls and units pixel by pixel into the locked target, then the sword, the damage
// flash and the HUD over them.
// The frame is written, never read: it is locked write-only and cleared in memory, so
// that the window's back buffer is not read back from the graphics driver every frame.
void PlayView::drawFrame(const SwordSway& sway, bool underScreen) {
    const bool mapInstead = mapOpen() && !scene.map->overlay;
    {
        const BitmapLock frame(al_get_target_bitmap(), ALLEGRO_LOCK_WRITEONLY);
        if (!frame.locked()) {
            al_clear_to_color(al_map_rgb(0, 0, 0));
        } else {
            const LockedImage& image = frame.image();
            image.fill(0, 0, image.width(), image.height(), image.encode(al_map_rgb(0, 0, 0)));
            if (mapInstead) {
                scene.map->drawCells(image, scene.grid, mapPlayer(), mapPalette);
            } else {
                scene.camera->drawWalls(scene.texture, image);
                if (mapOpen()) {
                    drawUnitsUnderMap(image);
                } else {
                    drawUnits(image);
                }
            }
        }
    }
    if (mapInstead) {
        // The view is not drawn, but its frame is over as a wall pass would end it.
        scene.camera->moved = false;
        scene.camera->running = false;
    } else {
        drawSword(sway);
    }
    if (mapOpen()) {
        drawMap(!mapInstead);
    }
    drawDamageFlash();
    drawBlowEdge();
    drawFall();
    scene.hud->draw(scene.font, scene.player->health, scene.units->size(), hudFrame(underScreen));
    drawTallyPanel(underScreen);
}

Hud::Frame PlayView::hudFrame(bool underScreen) const {
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    Hud::Frame frame;
    if (target != nullptr) {
        frame.width = al_get_bitmap_width(target);
        frame.height = al_get_bitmap_height(target);
    }
    frame.footTaken = mapOpen() ? MapScreen::footHeight(wayOn) : 0;
    frame.rateShown = !underScreen;
    return frame;
}

Hud::Layout PlayView::hudLayout(bool underScreen) const {
    return scene.hud->layout(scene.player->health, scene.units->size(), hudFrame(underScreen));
}

void PlayView::blowFrom(double side, bool behind) {
    blowShown = true;
    blowSide = side;
    blowBehind = behind;
    blowTimer.start();
}

// A band of red along the edge the blow came from, fading in toward the middle and away
// over BLOW_EDGE_MS.
void PlayView::drawBlowEdge() const {
    const double since = blowTimer.getElapsedMs();
    if (!blowShown || since >= BLOW_EDGE_MS || flashShare <= 0.0) {
        return;
    }
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    const float width = static_cast<float>(al_get_bitmap_width(target));
    const float height = static_cast<float>(al_get_bitmap_height(target));
    const float strength = static_cast<float>(0.85 * flashShare * (1.0 - since / BLOW_EDGE_MS));
    const int strips = 8;
    const float band = 90.0f / strips;
    for (int i = 0; i < strips; ++i) {
        const ALLEGRO_COLOR red = al_map_rgba_f(strength * (strips - i) / strips, 0, 0, 0);
        const float in = band * i;
        if (blowSide < -0.3) {
            al_draw_filled_rectangle(in, 0, in + band, height, red);
        } else if (blowSide > 0.3) {
            al_draw_filled_rectangle(width - in - band, 0, width - in, height, red);
        } else if (blowBehind) {
            al_draw_filled_rectangle(0, height - in - band, width, height - in, red);
        } else {
            al_draw_filled_rectangle(0, in, width, in + band, red);
        }
    }
}

void PlayView::startFall() {
    falling = true;
    fallTimer.start();
}

// The dark comes down from the top as the view sinks, and red rises over what is left.
void PlayView::drawFall() const {
    if (!falling) {
        return;
    }
    const float progress = static_cast<float>(std::min(fallTimer.getElapsedMs() / FALL_MS, 1.0));
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    const float width = static_cast<float>(al_get_bitmap_width(target));
    const float height = static_cast<float>(al_get_bitmap_height(target));
    const float red = FLASH_STRENGTH * progress * static_cast<float>(flashShare);
    al_draw_filled_rectangle(0, 0, width, height, al_map_rgba_f(red, 0.0f, 0.0f, 0.0f));
    al_draw_filled_rectangle(0, 0, width, height * 0.7f * progress, al_map_rgb(0, 0, 0));
}

MapScreen::Player PlayView::mapPlayer() const {
    const Camera& camera = *scene.camera;
    return {camera.posX, camera.posY, camera.dirX, camera.dirY};
}

// The map's cells over the view (the full map's are drawn with the frame), then the skulls
// the view shows now, the marks, the arrow and its foot.
void PlayView::drawMap(bool overTheView) const {
    if (overTheView) {
        const BitmapLock frame(al_get_target_bitmap(), ALLEGRO_LOCK_READWRITE);
        if (frame.locked()) {
            scene.map->drawCells(frame.image(), scene.grid, mapPlayer(), mapPalette);
        }
    }
    std::vector<MapScreen::Skull> skulls;
    for (const Unit* unit : *scene.units) {
        const bool inSight = scene.camera->distanceTo(unit->x, unit->y) <= SIGHT_RANGE;
        if (inSight &&
            scene.map->seen.seenNow(static_cast<int>(unit->x), static_cast<int>(unit->y))) {
            skulls.push_back({unit->x, unit->y});
        }
    }
    scene.map->drawMarkers(mapPlayer(), skulls, tally, wayOn);
}

void PlayView::showTally() {
    tallyShown = true;
    tallyTimer.start();
}

std::vector<PlacedText> PlayView::tallyPanelLines(bool underScreen) const {
    // Under a screen or the open map, whose foot tells the tally, the panel would only
    // hide what they show.
    const double since = tallyTimer.getElapsedMs();
    if (!tallyShown || underScreen || mapOpen() || since < TALLY_DELAY_MS ||
        since > TALLY_DELAY_MS + TALLY_MS) {
        return {};
    }
    std::vector<std::string> lines = tally.lines();
    if (!wayOn.empty()) {
        lines.push_back(wayOn);
    }
    const float left = panelLeft();
    std::vector<PlacedText> placed;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        placed.push_back({lines[i], left + PANEL_WIDTH / 2, PANEL_TOP + 14 + PANEL_LINE_GAP * i,
                          ALLEGRO_ALIGN_CENTRE});
    }
    return placed;
}

// The panel stands in the middle of the frame, whatever its width.
float PlayView::panelLeft() {
    return (al_get_bitmap_width(al_get_target_bitmap()) - PANEL_WIDTH) / 2.0f;
}

void PlayView::drawTallyPanel(bool underScreen) const {
    const std::vector<PlacedText> lines = tallyPanelLines(underScreen);
    if (lines.empty() || scene.font == nullptr) {
        return;
    }
    const float left = panelLeft();
    const float bottom = PANEL_TOP + 28 + PANEL_LINE_GAP * lines.size();
    al_draw_filled_rectangle(left, PANEL_TOP, left + PANEL_WIDTH, bottom,
                             al_map_rgba(0, 0, 0, 190));
    al_draw_rectangle(left, PANEL_TOP, left + PANEL_WIDTH, bottom, Hud::ink(), 1.0f);
    for (const PlacedText& line : lines) {
        line.draw(scene.font, Hud::ink());
    }
}

bool PlayView::orderUnits() {
    return orderForDrawing(*scene.units);
}

bool PlayView::orderForDrawing(std::vector<Unit*>& units) {
    unitDistances.clear();
    for (Unit* unit : units) {
        const double distance = scene.camera->distanceTo(unit->x, unit->y);
        unit->alive = distance <= SIGHT_RANGE;
        unitDistances.emplace_back(distance, unit);
    }
    // Later billboards cover earlier ones, so the nearest must come last.
    std::stable_sort(unitDistances.begin(), unitDistances.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = unitDistances[i].second;
    }
    // A unit beside or behind the player cannot fill the view; only one in front can.
    const Unit* nearest = nearestInFrontOf(units);
    return nearest != nullptr && scene.camera->distanceTo(nearest->x, nearest->y) <= CLOSE_UP_RANGE;
}

Unit* PlayView::nearestInFront() const {
    return nearestInFrontOf(*scene.units);
}

Unit* PlayView::nearestInFrontOf(const std::vector<Unit*>& units) const {
    for (auto unit = units.rbegin(); unit != units.rend(); ++unit) {
        if (scene.camera->depthOf((*unit)->x, (*unit)->y) > 0.0) {
            return *unit;
        }
    }
    return nullptr;
}

void PlayView::drawUnits(const LockedImage& frame) {
    drawUnitsOf(*scene.units, frame);
}

void PlayView::drawUnitsUnderMap(const LockedImage& frame) {
    unitsUnderMap = *scene.units;
    drawUnitsOf(unitsUnderMap, frame);
}

void PlayView::drawUnitsOf(std::vector<Unit*>& units, const LockedImage& frame) {
    if (units.empty()) {
        return;
    }
    // So close that it fills the view: it alone is drawn, if it shows at all. One beside
    // the player at a tiny depth may show only transparent texels, and then the others
    // are drawn as ever, or a skull in plain view would vanish behind nothing.
    if (orderForDrawing(units) && scene.camera->drawSprite(nearestInFrontOf(units), frame)) {
        return;
    }
    scene.camera->drawSprites(units, frame);
}

void PlayView::drawSword(const SwordSway& sway) const {
    const Sprite* sprite = scene.sword->currentSprite();
    if (sprite == nullptr || sprite->buffer == nullptr || sprite->buffer->bitmap == nullptr) {
        return;
    }
    al_draw_bitmap_region(sprite->buffer->bitmap, sprite->x, sprite->y, sprite->w, sprite->h,
                          sway.swordX, sway.swordY, 0);
}

// Red added over the whole view, fading with the player's hurt countdown.
void PlayView::drawDamageFlash() const {
    const Unit* player = scene.player;
    if (!player->hurt || flashShare <= 0.0) {
        return;
    }
    float strength = FLASH_STRENGTH * std::min(player->hurtCounter, 10) / 10.0f;
    if (flashShare != 1.0) {
        strength *= static_cast<float>(flashShare);
    }
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    al_draw_filled_rectangle(0, 0, al_get_bitmap_width(target), al_get_bitmap_height(target),
                             al_map_rgba_f(strength, 0.0f, 0.0f, 0.0f));
}

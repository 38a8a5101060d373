// The play loop and one frame of it: the world's step, the player's input, and the
// drawing of the view, the units, the sword and the damage flash.
#include "game/Game.h"

#include "core/SoundEvent.h"
#include "game/SwordSway.h"
#include "world/NumberParser.h"

#include <algorithm>
#include <allegro5/allegro_primitives.h>

namespace {

const int32_t FOOTSTEP_SOUND = 0;
const int32_t START_HEALTH = 100;
const double MOVE_CELLS_PER_SECOND = 4.0;
const double TURN_RADIANS_PER_SECOND = 3.0;
const double SIGHT_RANGE = 4.7;
const double CLOSE_UP_RANGE = 0.5;
const float FLASH_STRENGTH = 0.6f;

} // namespace

bool Game::orderUnits() {
    unitDistances.clear();
    for (Unit* unit : units) {
        const double distance = camera->distanceTo(unit->x, unit->y);
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
    const Unit* nearest = nearestInFront();
    return nearest != nullptr && camera->distanceTo(nearest->x, nearest->y) <= CLOSE_UP_RANGE;
}

Unit* Game::nearestInFront() const {
    for (auto unit = units.rbegin(); unit != units.rend(); ++unit) {
        if (camera->depthOf((*unit)->x, (*unit)->y) > 0.0) {
            return *unit;
        }
    }
    return nullptr;
}

void Game::runPlay() {
    const int32_t screenWidth = displaySystem->width;
    const int32_t screenHeight = displaySystem->height;
    camera->init(screenHeight, screenWidth, mapGrid);
    player->maxHealth = START_HEALTH;
    player->health = START_HEALTH;
    SwordSway sway(screenHeight);
    // Turning measures the pointer's travel from the centre; starting there keeps the
    // view from jumping on the first frame.
    al_set_mouse_xy(displaySystem->display, screenWidth / 2, screenHeight / 2);
    frameTimer->start();
    if (quit) {
        return;
    }
    while (playing) {
        if (paused()) {
            runPausedPass(sway);
        } else if (frameIsDue()) {
            playFrame(sway);
        } else {
            sleepUntilFrameNearlyDue();
        }
        if (quit) {
            return;
        }
    }
}

void Game::playFrame(SwordSway& sway) {
    const int32_t screenWidth = displaySystem->width;
    const int32_t screenHeight = displaySystem->height;
    const WindowEvents news = displaySystem->readEvents();
    if (news.focusLost && !news.closeRequested) {
        unfocused = true;
        pausePlay(sway);
        return;
    }
    updateWorld();
    pollPlayerInput(screenWidth, screenHeight, news.closeRequested);
    if (camera->moved && sway.step(camera->running)) {
        eventSystem->fireEvent(SoundEvent(FOOTSTEP_SOUND, 1.0f, 0.5f, false));
    }
    displaySystem->beginFrame();
    drawFrame(sway);
    displaySystem->showFrame();
    frameTimer->start(); // the next frame is measured from the end of this one
    if (quit) {
        return;
    }
    if (inputSystem->pausePressed) {
        pausedByKey = true;
        pausePlay(sway);
    } else if (inputSystem->fullscreenPressed) {
        switchFullscreen();
        inputSystem->startAfresh(); // the window moved under the pointer
    }
}

// The tick, every unit's step, the sword's animation and this frame's camera speeds.
void Game::updateWorld() {
    eventSystem->fireEvent(Event(TICK_EVENT));
    // The player's hurt flag counts down as a unit's does, which keeps the flash short.
    player->handleEvent(Event(TICK_EVENT));
    // The list is read afresh for each unit: a blow may change it.
    const int32_t playerCellX = NumberParser::truncateToInt(camera->posX);
    const int32_t playerCellY = NumberParser::truncateToInt(camera->posY);
    for (std::size_t i = 0; i < units.size(); ++i) {
        Unit* unit = units[i];
        int32_t wayX = -1; // stays -1 when there is no way to the player
        int32_t wayY = -1;
        pathFinder->findPath(NumberParser::truncateToInt(unit->x),
                             NumberParser::truncateToInt(unit->y), playerCellX, playerCellY, wayX,
                             wayY);
        unit->update(mapGrid, camera, gameTimer->factor, wayX, wayY);
    }
    swordAnimation->update(gameTimer->factor);
    camera->moveSpeed = (1.0 / framesPerSecond) * MOVE_CELLS_PER_SECOND * gameTimer->factor;
    camera->rotSpeed = (1.0 / framesPerSecond) * TURN_RADIANS_PER_SECOND * gameTimer->factor;
}

void Game::pollPlayerInput(int32_t screenWidth, int32_t screenHeight, bool closeRequested) {
    inputSystem->pollKeyboard();
    inputSystem->pollMouse(screenWidth / 2);
    // Put the pointer back only when it has left the centre: a warp while a motion
    // is still on its way to us would throw that motion away.
    const ALLEGRO_MOUSE_STATE* mouse = inputSystem->currentMouse;
    if (mouse->x != screenWidth / 2 || mouse->y != screenHeight / 2) {
        al_set_mouse_xy(displaySystem->display, screenWidth / 2, screenHeight / 2);
    }
    // The close button does what Escape does: save, then end.
    if (closeRequested && !quit) {
        eventSystem->fireEvent(Event(QUIT_EVENT));
    }
}

// Draws the view into the current target: walls and units pixel by pixel into the
// locked target, then the sword and the damage flash over them.
void Game::drawFrame(const SwordSway& sway) {
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    al_clear_to_color(al_map_rgb(0, 0, 0));
    ALLEGRO_LOCKED_REGION* region =
        al_lock_bitmap(target, al_get_bitmap_format(target), ALLEGRO_LOCK_READWRITE);
    if (region != nullptr) {
        const LockedImage frame(target, region);
        camera->drawWalls(bufferManager->getBuffer(0), frame);
        drawUnits(frame);
        al_unlock_bitmap(target);
    }
    drawSword(sway);
    drawDamageFlash();
    hud->draw(font, player->health, units.size());
}

void Game::drawUnits(const LockedImage& frame) {
    if (units.empty()) {
        return;
    }
    if (orderUnits()) {
        camera->drawSprite(nearestInFront(), frame); // so close that it fills the view alone
        return;
    }
    camera->drawSprites(units, frame);
}

void Game::drawSword(const SwordSway& sway) const {
    const Sprite* sprite = swordAnimation->currentSprite();
    if (sprite == nullptr || sprite->buffer == nullptr || sprite->buffer->bitmap == nullptr) {
        return;
    }
    al_draw_bitmap_region(sprite->buffer->bitmap, sprite->x, sprite->y, sprite->w, sprite->h,
                          sway.swordX, sway.swordY, 0);
}

// Red added over the whole view, fading with the player's hurt countdown.
void Game::drawDamageFlash() const {
    if (!player->hurt) {
        return;
    }
    const float strength = FLASH_STRENGTH * std::min(player->hurtCounter, 10) / 10.0f;
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    al_draw_filled_rectangle(0, 0, al_get_bitmap_width(target), al_get_bitmap_height(target),
                             al_map_rgba_f(strength, 0.0f, 0.0f, 0.0f));
}

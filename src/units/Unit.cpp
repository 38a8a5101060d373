#include "units/Unit.h"

#include "core/AttackEvent.h"
#include "world/MapGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

const double NO_WAYPOINT = -1.0;

// One step of at most `step` from `from` toward `to`. A step never passes its point:
// a unit that overshot a waypoint would find itself in the next cell and walk back.
double approach(double from, double to, double step) {
    if (to == NO_WAYPOINT || to == from) {
        return from;
    }
    if (to > from) {
        return std::fmin(from + step, to);
    }
    return std::fmax(from - step, to);
}

} // namespace

Unit::Unit() : timer(new Timer()) {
    timer->start();
}

Unit::Unit(EventSystem* eventSystem, Animation* animation, double x, double y)
    : eventSystem(eventSystem), animation(animation), timer(new Timer()), x(x), y(y),
      speed(HOSTILE_STEP), alive(true) {
    timer->start();
    eventSystem->addListener(TICK_EVENT, this);
}

Unit::~Unit() {
    delete animation;
    delete timer;
    if (eventSystem != nullptr) {
        eventSystem->removeListener(this);
    }
    eventSystem = nullptr;
    hurtSprite = nullptr;
}

void Unit::handleEvent(const Event& event) {
    if (event.type != TICK_EVENT) {
        return;
    }
    if (hurtCounter != 0) {
        --hurtCounter;
    }
    if (hurtCounter == 0 && hurt) {
        hurt = false;
    }
}

void Unit::update(int** grid, const Viewpoint* camera, double timeFactor, double targetX,
                  double targetY) {
    if (health <= 0) {
        health = 0;
        alive = false;
        return;
    }
    if (animation != nullptr) {
        animation->update(timeFactor);
    }
    const double dx = camera->posX - x;
    const double dy = camera->posY - y;
    const double elapsedMs = timer->getElapsedMs();
    if (elapsedMs < STEP_INTERVAL_MS) {
        return;
    }
    regainStamina(elapsedMs);
    if (std::fabs(dx) < REACH && std::fabs(dy) < REACH) {
        inReachMs += elapsedMs;
        if (inReachMs >= strikeDelayMs) {
            strike();
        }
    } else if (std::fabs(dx) < CHASE_DISTANCE && std::fabs(dy) < CHASE_DISTANCE) {
        stepToward(grid, camera->posX, camera->posY); // close enough to go straight at the player
    } else {
        stepToward(grid, targetX, targetY);
    }
    if (std::fabs(dx) >= REACH || std::fabs(dy) >= REACH) {
        inReachMs = 0.0;
    }
    timer->start();
}

// Whole points of stamina as the time between steps earns them, up to the most it holds.
void Unit::regainStamina(double elapsedMs) {
    if (staminaPerSecond <= 0 || stamina >= maxStamina) {
        regainCarry = 0.0; // a rested skull banks nothing
        return;
    }
    regainCarry += elapsedMs * staminaPerSecond / 1000.0;
    const double whole = std::floor(regainCarry);
    regainCarry -= whole;
    stamina = static_cast<int32_t>(std::min<double>(stamina + whole, maxStamina));
}

void Unit::strike() {
    if (stamina - 10 < 0) {
        return; // too tired to strike, but it stays where it is
    }
    stamina -= BLOW_COST;
    if (eventSystem != nullptr) {
        eventSystem->fireEvent(AttackEvent(-damage, x, y));
    }
}

// Each axis is tested on its own, so a unit blocked on one slides along the wall on the other.
void Unit::stepToward(int** grid, double pointX, double pointY) {
    const double newX = approach(x, pointX, speed);
    const double newY = approach(y, pointY, speed);
    if (MapGrid::isOpenAt(grid, newX, y)) {
        x = newX;
    }
    if (MapGrid::isOpenAt(grid, x, newY)) {
        y = newY;
    }
}

Sprite* Unit::getCurrentSprite() const {
    if (hurt) {
        return hurtSprite;
    }
    return animation != nullptr ? animation->currentSprite() : nullptr;
}

void Unit::applyDamage(int32_t change) {
    // Summed wide so that no health a save could hold overflows.
    const int64_t changed = static_cast<int64_t>(health) + change;
    health = static_cast<int32_t>(std::min<int64_t>(changed, INT32_MAX));
    if (health <= 0) {
        health = 0;
        alive = false;
    }
    hurtCounter = HURT_TICKS;
    hurt = true;
}

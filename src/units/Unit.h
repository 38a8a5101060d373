#pragma once

#include "core/EventListener.h"
#include "core/EventSystem.h"
#include "core/Timer.h"
#include "core/Trackable.h"
#include "render/Animation.h"
#include "render/Sprite.h"
#include "world/Viewpoint.h"

#include <cstdint>

// A creature on the grid. Hostile units walk toward the player one small step at a time
// and strike when close; the player's own statistics are kept in a Unit as well.
class Unit : public Trackable, public EventListener {
  public:
    // The player's statistics holder: never moves by itself, listens to nothing.
    Unit();
    // A hostile unit at (x, y); it owns the animation and listens for ticks.
    Unit(EventSystem* eventSystem, Animation* animation, double x, double y);
    ~Unit() override;
    Unit(const Unit&) = delete;
    Unit& operator=(const Unit&) = delete;

    void handleEvent(const Event& event) override;
    // One frame: animate, and every STEP_INTERVAL_MS strike or step toward the player,
    // who stands where the camera does. A waypoint of (-1, -1) means there is none.
    virtual void update(int** grid, const Viewpoint* camera, double timeFactor, double targetX,
                        double targetY);
    Sprite* getCurrentSprite() const;
    // Changes health by a signed amount: at 0 or below the unit is dead with 0 health.
    // Any change, even a gain, counts as a hurt for the next ten ticks.
    void applyDamage(int32_t change);

    EventSystem* eventSystem = nullptr;
    Animation* animation = nullptr;
    Sprite* hurtSprite = nullptr;
    Timer* timer = nullptr;
    double x = 0.0;
    double y = 0.0;
    double speed = 0.0;
    bool alive = false;
    // Called up by the player rather than placed by the level or a save, for the tally.
    bool calledUp = false;
    // Which of a few voices its chatter has, so that no two skulls in a row sound alike.
    int32_t voice = 0;
    bool hurt = false;
    int32_t damage = 3;
    int32_t maxHealth = 10;
    int32_t maxMana = 10;
    int32_t maxStamina = 20;
    int32_t health = 10;
    int32_t mana = 10;
    int32_t stamina = 20;
    int32_t hurtCounter = 0;
    // The skill's knobs for a hostile unit: stamina regained each second (none, as
    // designed), and how long it stands in reach before it strikes.
    int32_t staminaPerSecond = 0;
    double strikeDelayMs = 0.0;

    static constexpr double STEP_INTERVAL_MS = 150.0;
    static constexpr double HOSTILE_STEP = 0.05;
    static constexpr double REACH = 0.65;
    static constexpr double CHASE_DISTANCE = 1.0;
    static constexpr int32_t BLOW_COST = 11;
    static constexpr int32_t HURT_TICKS = 10;

  private:
    void regainStamina(double elapsedMs);

    double regainCarry = 0.0;
    double inReachMs = 0.0; // standing in reach, for the strike's delay
    void strike();
    void stepToward(int** grid, double pointX, double pointY);
};

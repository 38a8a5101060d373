#pragma once

#include "core/Timer.h"
#include "core/Trackable.h"
#include "render/Sprite.h"
#include "render/SpriteManager.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

// A timed sequence of sprites. A null frame stands for a sprite id that had no sprite.
class Animation : public Trackable {
  public:
    Animation(std::vector<Sprite*> frames, double frameDuration);
    ~Animation();
    Animation(const Animation&) = delete;
    Animation& operator=(const Animation&) = delete;

    // Advances at most one frame per call, once frameDuration / timeScale ms have passed.
    void update(double timeScale);
    Sprite* currentSprite() const;

    std::vector<Sprite*> frames;
    Timer* timer;
    double frameDuration;
    bool loop = true;
    bool finished = false;  // while set the animation holds still
    int32_t stopFrame = -1; // reaching it sets finished
    int32_t currentFrame = 0;
    int32_t frameCount;
};

// An animation over the sprites with the given ids, in that order, its timer started.
Animation* createAnimation(SpriteManager* sprites, double frameDuration,
                           std::initializer_list<int> spriteIds);

#include "render/Animation.h"

Animation::Animation(std::vector<Sprite*> frames, double frameDuration)
    : frames(std::move(frames)), timer(new Timer()), frameDuration(frameDuration),
      frameCount(static_cast<int32_t>(this->frames.size())) {
    timer->start();
}

Animation::~Animation() {
    delete timer;
}

void Animation::update(double timeScale) {
    if (finished || timer->getElapsedMs() * timeScale < frameDuration) {
        return;
    }
    ++currentFrame;
    if (currentFrame >= frameCount) {
        if (loop) {
            currentFrame = 0;
        } else {
            // A one-shot animation rests on its last frame.
            currentFrame = frameCount - 1;
            finished = true;
        }
    }
    if (currentFrame == stopFrame) {
        finished = true;
    }
    timer->start();
}

Sprite* Animation::currentSprite() const {
    if (currentFrame < 0 || currentFrame >= frameCount) {
        return nullptr;
    }
    return frames[currentFrame];
}

Animation* createAnimation(SpriteManager* sprites, double frameDuration,
                           std::initializer_list<int> spriteIds) {
    std::vector<Sprite*> frames;
    frames.reserve(spriteIds.size());
    for (int id : spriteIds) {
        frames.push_back(sprites->getSprite(id));
    }
    return new Animation(std::move(frames), frameDuration);
}

#pragma once

#include "core/Trackable.h"
#include "render/Sprite.h"

#include <map>

// Keeps every sprite for the life of the game, by id. Owns the sprites, not their images.
class SpriteManager : public Trackable {
  public:
    SpriteManager() = default;
    ~SpriteManager();
    SpriteManager(const SpriteManager&) = delete;
    SpriteManager& operator=(const SpriteManager&) = delete;

    void addSprite(int id, Sprite* sprite);
    Sprite* getSprite(int id) const;

    std::map<int, Sprite*> sprites;
};

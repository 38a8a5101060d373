#include "render/SpriteManager.h"

SpriteManager::~SpriteManager() {
    for (auto& [id, sprite] : sprites) {
        sprite->buffer = nullptr;
        delete sprite;
    }
    sprites.clear();
}

void SpriteManager::addSprite(int id, Sprite* sprite) {
    sprites[id] = sprite;
}

Sprite* SpriteManager::getSprite(int id) const {
    auto found = sprites.find(id);
    return found == sprites.end() ? nullptr : found->second;
}

#pragma once

#include "core/Trackable.h"
#include "io/SoundSystem.h"
#include "render/BufferManager.h"
#include "render/SpriteManager.h"

#include <cstdint>
#include <string>
#include <vector>

// Loads every image, sprite and sound once, at start-up. Ids come from three
// process-wide counters, so the load order below fixes the id of every asset.
class AssetLoader : public Trackable {
  public:
    AssetLoader(BufferManager* bufferManager, SpriteManager* spriteManager,
                SoundSystem* soundSystem)
        : bufferManager(bufferManager), spriteManager(spriteManager), soundSystem(soundSystem) {}

    void loadBuffers();
    void loadSprites();
    void loadSounds();
    // The harder skills' sounds (the skulls' chatter, a blow taken), without a word on the
    // console: a game without them is the game as it always was.
    void loadSkillSounds();

    // The image files that could not be loaded by loadBuffers, in load order.
    const std::vector<std::string>& missingImages() const { return missing; }

    BufferManager* bufferManager;
    SpriteManager* spriteManager;
    SoundSystem* soundSystem;

    static int32_t nextBufferId;
    static int32_t nextSpriteId;
    static int32_t nextSoundId;

  private:
    std::vector<std::string> missing;
};

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

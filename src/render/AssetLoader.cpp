#include "render/AssetLoader.h"

#include "core/AssetIds.h"

#include <iostream>
#include <iterator>

int32_t AssetLoader::nextBufferId = 0;
int32_t AssetLoader::nextSpriteId = 0;
int32_t AssetLoader::nextSoundId = 0;

namespace {

struct ImageFile {
    const char* path;
    bool sampledByPixel; // read texel by texel by the drawing passes
};

// In BufferId's order.
const ImageFile IMAGE_FILES[] = {
    {"assets/map.png", true},    {"assets/staff.png", false},
    {"assets/sword.png", false}, // drawn whole with one blit each frame
    {"assets/skull.png", true},  {"assets/fireball.png", true},
};
static_assert(std::size(IMAGE_FILES) == BufferId::COUNT, "one image file per buffer id");

struct SpriteCut {
    int bufferId, x, y, w, h;
};

// In SpriteId's order.
const SpriteCut SPRITE_CUTS[] = {
    {BufferId::SKULL, 0, 0, 64, 64},      {BufferId::SKULL, 64, 0, 64, 64},
    {BufferId::SKULL, 128, 0, 64, 64},    {BufferId::SKULL, 192, 0, 64, 64},
    {BufferId::SKULL, 256, 0, 64, 64},    {BufferId::SWORD, 0, 0, 300, 300},
    {BufferId::SWORD, 300, 0, 300, 300},  {BufferId::SWORD, 600, 0, 300, 300},
    {BufferId::SWORD, 900, 0, 300, 300},  {BufferId::FIREBALL, 0, 0, 64, 64},
    {BufferId::FIREBALL, 64, 0, 64, 64},  {BufferId::FIREBALL, 128, 0, 64, 64},
    {BufferId::FIREBALL, 192, 0, 64, 64},
};
static_assert(std::size(SPRITE_CUTS) == SpriteId::COUNT, "one cut per sprite id");

// In SoundId's order.
const char* const SOUND_FILES[] = {
    "assets/footstep.wav", "assets/bgambience.wav", "assets/deadsleep.wav",
    "assets/swordhit.wav", "assets/swordmiss.wav",
};
static_assert(std::size(SOUND_FILES) == SoundId::COUNT, "one sound file per sound id");

} // namespace

void AssetLoader::loadSkillSounds() {
    const std::pair<int32_t, const char*> files[] = {{SoundId::SKULL_CHATTER, "assets/skull.wav"},
                                                     {SoundId::BLOW_TAKEN, "assets/struck.wav"}};
    for (const auto& [id, path] : files) {
        ALLEGRO_SAMPLE* sample = al_is_audio_installed() ? al_load_sample(path) : nullptr;
        if (sample != nullptr) {
            soundSystem->addSample(id, sample);
        }
    }
}

void AssetLoader::loadBuffers() {
    std::cout << "Loading Buffers...";
    for (const ImageFile& file : IMAGE_FILES) {
        // The id advances even for a missing file, so later images keep their ids.
        auto* buffer = new ImageBuffer(file.path);
        if (buffer->bitmap == nullptr) {
            missing.emplace_back(file.path);
        } else if (!file.sampledByPixel) {
            buffer->moveToVideo();
        }
        bufferManager->addBuffer(nextBufferId++, buffer);
    }
    std::cout << "Done!" << std::endl;
}

void AssetLoader::loadSprites() {
    std::cout << "Loading Sprites...";
    for (const SpriteCut& cut : SPRITE_CUTS) {
        ImageBuffer* buffer = bufferManager->getBuffer(cut.bufferId);
        spriteManager->addSprite(nextSpriteId++, new Sprite(buffer, cut.x, cut.y, cut.w, cut.h));
    }
    std::cout << "Done!" << std::endl;
}

void AssetLoader::loadSounds() {
    std::cout << "Loading Sounds...";
    for (const char* path : SOUND_FILES) {
        // A sound that fails uses no id: the next one that loads takes it. Without an
        // audio system no sample can be made (Allegro would crash trying), so all fail.
        ALLEGRO_SAMPLE* sample = al_is_audio_installed() ? al_load_sample(path) : nullptr;
        if (sample == nullptr) {
            std::cout << "Failure!";
            continue;
        }
        soundSystem->addSample(nextSoundId++, sample);
    }
    std::cout << "Done!" << std::endl;
}

#include "render/AssetLoader.h"

#include <iostream>

int32_t AssetLoader::nextBufferId = 0;
int32_t AssetLoader::nextSpriteId = 0;
int32_t AssetLoader::nextSoundId = 0;

namespace {

struct ImageFile {
    const char* path;
    bool sampledByPixel; // read texel by texel by the drawing passes
};

const ImageFile IMAGE_FILES[] = {
    {"assets/map.png", true},      // 0: walls, floor and ceiling
    {"assets/staff.png", false},   // 1
    {"assets/sword.png", false},   // 2: the weapon's four frames, drawn with one blit
    {"assets/skull.png", true},    // 3: a unit's walking frames and its hurt picture
    {"assets/fireball.png", true}, // 4
};

struct SpriteCut {
    int bufferId, x, y, w, h;
};

const SpriteCut SPRITE_CUTS[] = {
    {3, 0, 0, 64, 64},     {3, 64, 0, 64, 64},  {3, 128, 0, 64, 64},   {3, 192, 0, 64, 64},
    {3, 256, 0, 64, 64},   {2, 0, 0, 300, 300}, {2, 300, 0, 300, 300}, {2, 600, 0, 300, 300},
    {2, 900, 0, 300, 300}, {4, 0, 0, 64, 64},   {4, 64, 0, 64, 64},    {4, 128, 0, 64, 64},
    {4, 192, 0, 64, 64},
};

const char* const SOUND_FILES[] = {
    "assets/footstep.wav",   // 0
    "assets/bgambience.wav", // 1: looped for the whole run
    "assets/deadsleep.wav",  // 2
    "assets/swordhit.wav",   // 3
    "assets/swordmiss.wav",  // 4
};

} // namespace

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
        soundSystem->samples[nextSoundId++] = sample;
    }
    std::cout << "Done!" << std::endl;
}
